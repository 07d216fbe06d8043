// How fast the list lookup opens over 10,000 customers on SQLite, and how fast one keystroke
// of the incremental search answers.
#include "data/Conexion.h"
#include "data/Transaccion.h"
#include "lookup/Lib_FrmCons3.h"
#include "platform/Carpetas.h"
#include "startup/Inicio.h"
#include "tools/esquema/Esquema.h"
#include "tools/esquema/OperadorConsola.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <benchmark/benchmark.h>

namespace {

constexpr int Clientes = 10000;
const QString Sentencia = QStringLiteral("SELECT TOP 10000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE Dada_De_Baja = 0 "
                                         "ORDER BY RAZON_SOCIAL");

// A SQLite base with the module's tables and 10,000 customers, and the program connected to it.
class Base
{
public:
    Base()
    {
        const QString archivo = m_dir.filePath(QStringLiteral("bench.db"));
        {
            Conexion cnn;
            QFile(archivo).open(QIODevice::WriteOnly);
            cnn.Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(archivo));
            Esquema::Actualizar(cnn);
            EnTransaccion(cnn, [&] {
                QSqlQuery q(cnn.bd());
                q.prepare(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, Descripcion, TIPO, Razon_Social, CONTACTO, Dada_De_Baja) "
                                         "VALUES (?, ?, 'C', ?, ?, 0)"));
                for (int i = 0; i < Clientes; ++i) {
                    // Names spread over the alphabet, as a real customer list is.
                    const QString razon = QStringLiteral("%1%2 Cliente %3").arg(QChar(u'A' + i % 26)).arg(QChar(u'a' + (i / 26) % 26)).arg(i);
                    q.addBindValue(QStringLiteral("C%1").arg(i, 5, 10, QLatin1Char('0')));
                    q.addBindValue(razon);
                    q.addBindValue(razon);
                    q.addBindValue(QStringLiteral("Contacto %1").arg(i));
                    q.exec();
                }
            });
            cnn.Close();
        }
        Carpetas::EstablecerAplicacion(m_dir.path());
        QString conexion;
        IniciarSesion(false, QStringLiteral("@Server=sqlite:;@DbName=%1;@Usuario=admin;@Password=;").arg(archivo), conexion);
    }

private:
    QTemporaryDir m_dir;
};

Base& base()
{
    static Base b;
    return b;
}

void AbrirConsulta(benchmark::State& estado)
{
    base();
    for (auto _ : estado) {
        Lib_FrmCons3 ventana;
        ventana.SQL = Sentencia;
        ventana.CampoDevuelto = QStringLiteral("CODIGO");
        ventana.show();
        // Until the first paint is done, as the clerk sees it.
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(ventana.ListView1->topLevelItemCount());
        if (ventana.ListView1->topLevelItemCount() != Clientes)
            estado.SkipWithError("la consulta no trajo todos los clientes");
    }
}
BENCHMARK(AbrirConsulta)->Unit(benchmark::kMillisecond);

void TeclaDeBusqueda(benchmark::State& estado)
{
    base();
    Lib_FrmCons3 ventana;
    ventana.SQL = Sentencia;
    ventana.show();
    QLineEdit* caja = ventana.CmbSearch[0];
    // Alternating texts: the last letters of the alphabet make the search walk most rows.
    const QString textos[] = {QStringLiteral("Zz"), QStringLiteral("Zz Cliente 9"), QStringLiteral("A")};
    int i = 0;
    for (auto _ : estado) {
        caja->setText(textos[i++ % 3]);
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(ventana.ListView1->currentItem());
    }
}
BENCHMARK(TeclaDeBusqueda)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    establecerOperador(std::make_unique<OperadorConsola>());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
