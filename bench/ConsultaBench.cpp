// How fast the list lookup opens over 10,000 customers on SQLite, and how fast one keystroke
// of the incremental search answers; each against its floor in the same run.
#include "data/Conexion.h"
#include "data/Transaccion.h"
#include "bench/Piso.h"
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
const QString SentenciaClientes = QStringLiteral("SELECT TOP 10000 RAZON_SOCIAL,CODIGO,CONTACTO FROM VT_CLIENTES WHERE Dada_De_Baja = 0 "
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
        m_piso.Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(archivo));
    }
    QSqlDatabase piso() const { return m_piso.bd(); }

private:
    QTemporaryDir m_dir;
    Conexion m_piso;
};

Base& base()
{
    static Base b;
    return b;
}

// The list opened until its first paint is done, as the clerk sees it; the rows it shows.
int abrir()
{
    Lib_FrmCons3 ventana;
    ventana.SQL = SentenciaClientes;
    ventana.CampoDevuelto = QStringLiteral("CODIGO");
    ventana.show();
    QCoreApplication::processEvents();
    return ventana.ListView1->topLevelItemCount();
}

void AbrirConsulta(benchmark::State& estado)
{
    base();
    for (auto _ : estado)
        if (abrir() != Clientes)
            estado.SkipWithError("la consulta no trajo todos los clientes");
}
BENCHMARK(AbrirConsulta)->Unit(benchmark::kMillisecond);

void AbrirConsultaPiso(benchmark::State& estado)
{
    base();
    MedirPiso(estado, base().piso(), {Grabar([] { abrir(); })});
}
BENCHMARK(AbrirConsultaPiso)->Unit(benchmark::kMillisecond);

void TeclaDeBusqueda(benchmark::State& estado)
{
    base();
    Lib_FrmCons3 ventana;
    ventana.SQL = SentenciaClientes;
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

// Its floor sends no statement: what Qt alone does for it, the first row starting with the
// text found in a plain tree list of the same rows, made current and repainted.
void TeclaDeBusquedaPiso(benchmark::State& estado)
{
    base();
    Lib_FrmCons3 ventana;
    ventana.SQL = SentenciaClientes;
    ventana.show();
    QCoreApplication::processEvents();
    QTreeWidget lista;
    lista.setColumnCount(ventana.ListView1->columnCount());
    QList<QTreeWidgetItem*> filas;
    for (int i = 0; i < ventana.ListView1->topLevelItemCount(); ++i)
        filas << ventana.ListView1->topLevelItem(i)->clone();
    lista.addTopLevelItems(filas);
    lista.resize(ventana.ListView1->size());
    lista.show();
    QCoreApplication::processEvents();
    const QString textos[] = {QStringLiteral("Zz"), QStringLiteral("Zz Cliente 9"), QStringLiteral("A")};
    int i = 0;
    for (auto _ : estado) {
        const QString& texto = textos[i++ % 3];
        for (int f = 0; f < lista.topLevelItemCount(); ++f)
            if (lista.topLevelItem(f)->text(0).startsWith(texto, Qt::CaseInsensitive)) {
                lista.setCurrentItem(lista.topLevelItem(f));
                break;
            }
        QCoreApplication::processEvents();
    }
}
BENCHMARK(TeclaDeBusquedaPiso)->Unit(benchmark::kMicrosecond);

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
