#include "bench/Piso.h"

#include "data/Conexion.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <benchmark/benchmark.h>

std::vector<Sentencia> Grabar(const std::function<void()>& operacion)
{
    std::vector<Sentencia> r;
    Conexion::EstablecerTraza([&](const QString& texto, const QVariantList& valores) { r.push_back({texto, valores}); });
    operacion();
    Conexion::EstablecerTraza({});
    return r;
}

void Repetir(QSqlDatabase bd, const std::vector<Sentencia>& sentencias)
{
    for (const Sentencia& s : sentencias) {
        if (s.texto == QLatin1String("BEGIN")) {
            bd.transaction();
            continue;
        }
        if (s.texto == QLatin1String("COMMIT")) {
            bd.commit();
            continue;
        }
        if (s.texto == QLatin1String("ROLLBACK")) {
            bd.rollback();
            continue;
        }
        QSqlQuery q(bd);
        q.setForwardOnly(true);
        q.setNumericalPrecisionPolicy(QSql::HighPrecision);
        if (s.valores.isEmpty()) {
            q.exec(s.texto);
        } else {
            q.prepare(s.texto);
            for (const QVariant& v : s.valores)
                q.addBindValue(v);
            q.exec();
        }
        const int columnas = q.record().count();
        while (q.next())
            for (int c = 0; c < columnas; ++c)
                benchmark::DoNotOptimize(q.value(c));
    }
}
