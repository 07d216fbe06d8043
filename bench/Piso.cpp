#include "bench/Piso.h"

#include "data/Conexion.h"
#include "platform/AlSalir.h"

#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <benchmark/benchmark.h>
#include <stdexcept>

std::vector<Sentencia> Grabar(const std::function<void()>& operacion)
{
    std::vector<Sentencia> r;
    Conexion::EstablecerTraza([&](const QString& texto, const QVariantList& valores) { r.push_back({texto, valores}); });
    const AlSalir sinTraza([] { Conexion::EstablecerTraza({}); });
    operacion();
    return r;
}

namespace {

void exigir(bool hecho, const QSqlError& error, const QString& sentencia)
{
    // A replay that failed would be a floor too low to compare with.
    if (!hecho)
        throw std::runtime_error(qPrintable(sentencia.left(120) + QStringLiteral(": ") + error.text()));
}

} // namespace

void Repetir(QSqlDatabase bd, const std::vector<Sentencia>& sentencias)
{
    for (const Sentencia& s : sentencias) {
        if (s.texto == QLatin1String("BEGIN")) {
            exigir(bd.transaction(), bd.lastError(), s.texto);
            continue;
        }
        if (s.texto == QLatin1String("COMMIT")) {
            exigir(bd.commit(), bd.lastError(), s.texto);
            continue;
        }
        if (s.texto == QLatin1String("ROLLBACK")) {
            exigir(bd.rollback(), bd.lastError(), s.texto);
            continue;
        }
        QSqlQuery q(bd);
        q.setForwardOnly(true);
        q.setNumericalPrecisionPolicy(QSql::HighPrecision);
        if (s.valores.isEmpty()) {
            exigir(q.exec(s.texto), q.lastError(), s.texto);
        } else {
            exigir(q.prepare(s.texto), q.lastError(), s.texto);
            for (const QVariant& v : s.valores)
                q.addBindValue(v);
            exigir(q.exec(), q.lastError(), s.texto);
        }
        const int columnas = q.record().count();
        while (q.next())
            for (int c = 0; c < columnas; ++c)
                benchmark::DoNotOptimize(q.value(c));
    }
}

void MedirPiso(benchmark::State& estado, QSqlDatabase bd, const std::vector<std::vector<Sentencia>>& variantes,
               const std::function<void()>& ademas)
{
    size_t i = 0;
    for (auto _ : estado) {
        try {
            Repetir(bd, variantes[i++ % variantes.size()]);
        } catch (const std::exception& e) {
            // A transaction left open would keep the file locked for the benchmarks after.
            bd.rollback();
            estado.SkipWithError(e.what());
            break;
        }
        if (ademas)
            ademas();
    }
}
