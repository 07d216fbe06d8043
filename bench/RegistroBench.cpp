// How fast the register window answers on 30 years of movements of the mill and five milling
// users (66,960 rows, SQLite): validating a period, switching to a user's tab, saving the six
// accounts, committing one value typed in the grid, exporting the book of a period. Validating a period is set against its floor: the same statements issued
// directly through Qt SQL, with no window, in the same run.
#include "data/Conexion.h"
#include "data/Dialecto.h"
#include "data/Transaccion.h"
#include "platform/Carpetas.h"
#include "output/EscritorXlsx.h"
#include "output/ExportaLibro.h"
#include "output/ImpresionLibro.h"
#include "register/FrmTolvario.h"
#include "tools/esquema/Esquema.h"
#include "tools/esquema/OperadorConsola.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSqlQuery>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <memory>
#include <sys/resource.h>
#include <benchmark/benchmark.h>

namespace {

const char* const Cuentas[] = {"MOLINO", "C001", "C002", "C003", "C004", "C005"};
const QString Periodos[] = {QStringLiteral("06/2026"), QStringLiteral("05/2026")};

// The mill and five users, every day of every month from one year to another.
void llenar(Conexion& cnn, int desde, int hasta)
{
    EnTransaccion(cnn, [&] {
        QSqlQuery q(cnn.bd());
        for (int c = 1; c <= 5; ++c)
            q.exec(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, Descripcion, TIPO, Razon_Social, Numero_documento, Dada_De_Baja) "
                                  "VALUES ('C00%1', 'Usuario %1', 'C', 'Usuario de molienda %1', '30-0000000%1-0', 0)")
                       .arg(c));
        q.prepare(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) "
                                 "VALUES (?, ?, ?, ?, ?, ?)"));
        for (int anio = desde; anio <= hasta; ++anio)
            for (int mes = 1; mes <= 12; ++mes)
                for (const char* cuenta : Cuentas)
                    for (int dia = 1; dia <= 31; ++dia) {
                        q.addBindValue(QStringLiteral("%1/%2").arg(mes, 2, 10, QLatin1Char('0')).arg(anio));
                        q.addBindValue(QString::fromLatin1(cuenta));
                        q.addBindValue(dia);
                        q.addBindValue(QStringLiteral("%1.25").arg(100 + dia));
                        q.addBindValue(QStringLiteral("%1.5").arg(90 + dia));
                        q.addBindValue(dia % 7 == 0 ? QStringLiteral("Remito %1").arg(dia) : QString());
                        q.exec();
                    }
    });
}

class Base
{
public:
    Base()
    {
        m_archivo = m_dir.filePath(QStringLiteral("bench.db"));
        Conexion cnn;
        QFile(m_archivo).open(QIODevice::WriteOnly);
        cnn.Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(m_archivo));
        Esquema::Actualizar(cnn);
        llenar(cnn, 1997, 2026);
        cnn.Close();
        Carpetas::EstablecerAplicacion(m_dir.path());
        Carpetas::EstablecerLineaComandos(
            QStringLiteral("@Server=sqlite:;@DbName=%1;@Usuario=admin;@Password=;@UsuarioLogeado=admin;@Caja=1;").arg(m_archivo));
        ventana.Form_Load();
        ventana.resize(1366, 768);
        ventana.show();
        QCoreApplication::processEvents();
        m_piso.Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(m_archivo));
    }

    FrmTolvario ventana;

    // The statements a period's validation sends, straight to the database.
    void piso(const QString& periodo)
    {
        const QString anioMes = periodo.mid(3, 4) + periodo.left(2);
        const QString sentencias[] = {
            QStringLiteral("SELECT * FROM EM_Tolvario WHERE LTRIM(RTRIM(Periodo)) COLLATE NOCASE ='%1' LIMIT 1").arg(periodo),
            QStringLiteral("SELECT CUENTA FROM EM_Tolvario WHERE Periodo = '%1' AND Cuenta <> 'MOLINO' GROUP BY Cuenta").arg(periodo),
            QStringLiteral("SELECT * FROM VT_CLIENTES WHERE LTRIM(RTRIM(CODIGO)) COLLATE NOCASE ='C001' LIMIT 1"),
            QStringLiteral("SELECT * FROM VT_CLIENTES WHERE LTRIM(RTRIM(CODIGO)) COLLATE NOCASE ='C002' LIMIT 1"),
            QStringLiteral("SELECT * FROM VT_CLIENTES WHERE LTRIM(RTRIM(CODIGO)) COLLATE NOCASE ='C003' LIMIT 1"),
            QStringLiteral("SELECT * FROM VT_CLIENTES WHERE LTRIM(RTRIM(CODIGO)) COLLATE NOCASE ='C004' LIMIT 1"),
            QStringLiteral("SELECT * FROM VT_CLIENTES WHERE LTRIM(RTRIM(CODIGO)) COLLATE NOCASE ='C005' LIMIT 1"),
            QStringLiteral("SELECT * FROM EM_Tolvario WHERE Periodo = '%1' AND Cuenta = 'MOLINO' ORDER BY DIA").arg(periodo),
            QStringLiteral("SELECT SUM(Entradas) FROM EM_Tolvario WHERE SUBSTR(Periodo,4,4) || SUBSTR(Periodo,1,2)  < '%1' "
                           "AND Cuenta = 'MOLINO'").arg(anioMes),
            QStringLiteral("SELECT SUM(Salidas) FROM EM_Tolvario WHERE SUBSTR(Periodo,4,4) || SUBSTR(Periodo,1,2)  < '%1' "
                           "AND Cuenta = 'MOLINO'").arg(anioMes),
            QStringLiteral("SELECT * FROM ta_configuracion WHERE CLAVE = 'TOLVARIO_HOJA_%1'").arg(anioMes),
            QStringLiteral("SELECT * FROM ta_configuracion WHERE CLAVE LIKE 'TOLVARIO_HOJA_%' ORDER BY CLAVE DESC"),
        };
        for (const QString& s : sentencias) {
            QSqlQuery q(m_piso.bd());
            q.setForwardOnly(true);
            q.exec(s);
            while (q.next())
                benchmark::DoNotOptimize(q.value(0));
        }
    }

    QString carpeta() const { return m_dir.path(); }

    void pisoDelLibro(const QString& periodo)
    {
        const QString anioMes = periodo.mid(3, 4) + periodo.left(2);
        QStringList sentencias = {
            QStringLiteral("SELECT EM_Tolvario.Periodo, EM_Tolvario.Cuenta, MA_CUENTAS.Descripcion FROM EM_Tolvario LEFT OUTER JOIN "
                           "MA_CUENTAS ON EM_Tolvario.Cuenta = MA_CUENTAS.CODIGO GROUP BY EM_Tolvario.Periodo, EM_Tolvario.Cuenta, "
                           "MA_CUENTAS.Descripcion HAVING (EM_Tolvario.Periodo = '%1') ORDER BY Cuenta DESC").arg(periodo),
            QStringLiteral("SELECT * FROM EM_Tolvario WHERE (Periodo = '%1') ORDER BY Cuenta DESC, DIA ASC").arg(periodo),
        };
        for (const char* cuenta : Cuentas)
            for (const char* campo : {"Entradas", "Salidas"})
                sentencias << QStringLiteral("SELECT SUM(%1) FROM EM_Tolvario WHERE SUBSTR(Periodo,4,4) || SUBSTR(Periodo,1,2)  < '%2' "
                                             "AND Cuenta = '%3'").arg(QString::fromLatin1(campo), anioMes, QString::fromLatin1(cuenta));
        for (const QString& s : std::as_const(sentencias)) {
            QSqlQuery q(m_piso.bd());
            q.setForwardOnly(true);
            q.exec(s);
            while (q.next())
                benchmark::DoNotOptimize(q.value(0));
        }
    }

private:
    QTemporaryDir m_dir;
    QString m_archivo;
    Conexion m_piso;
};

// Made on first use and dropped before the application object goes: the window must not
// outlive it.
std::unique_ptr<Base> g_base;

Base& base()
{
    if (!g_base)
        g_base = std::make_unique<Base>();
    return *g_base;
}

// Two periods validated in turn, each shown in full, as the clerk goes from one to the other.
void validarPeriodos(FrmTolvario& v, benchmark::State& estado)
{
    QLineEdit* periodo = v.TxtFields[FrmTolvario::cPeriodo];
    int i = 0;
    for (auto _ : estado) {
        periodo->setText(Periodos[i++ % 2]);
        v.CampoValida(periodo);
        QCoreApplication::processEvents();
    }
}

void ValidarPeriodo(benchmark::State& estado)
{
    validarPeriodos(base().ventana, estado);
}
BENCHMARK(ValidarPeriodo)->Unit(benchmark::kMillisecond);

void ValidarPeriodoPiso(benchmark::State& estado)
{
    Base& b = base();
    int i = 0;
    for (auto _ : estado)
        b.piso(Periodos[i++ % 2]);
}
BENCHMARK(ValidarPeriodoPiso)->Unit(benchmark::kMillisecond);

// Leaving a user's tab stores its register; the other user's is loaded.
void CambiarDeTab(benchmark::State& estado)
{
    FrmTolvario& v = base().ventana;
    v.TxtFields[FrmTolvario::cPeriodo]->setText(Periodos[0]);
    v.CampoValida(v.TxtFields[FrmTolvario::cPeriodo]);
    int i = 0;
    for (auto _ : estado) {
        v.SSTab1->setCurrentIndex(1 + i++ % 2);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(CambiarDeTab)->Unit(benchmark::kMillisecond);

void GrabarSeisCuentas(benchmark::State& estado)
{
    FrmTolvario& v = base().ventana;
    v.TxtFields[FrmTolvario::cPeriodo]->setText(Periodos[0]);
    v.CampoValida(v.TxtFields[FrmTolvario::cPeriodo]);
    for (auto _ : estado) {
        v.Panobar1_click(QStringLiteral("GRABAR"));
        QCoreApplication::processEvents();
        if (v.ValidacionFallida())
            estado.SkipWithError("la grabación no se completó");
    }
}
BENCHMARK(GrabarSeisCuentas)->Unit(benchmark::kMillisecond);

// One value committed in the grid: typed into the editor, Enter (validation, running stock
// and totals, the cell repainted), the cursor on the next column.
void ConfirmarUnValor(benchmark::State& estado)
{
    FrmTolvario& v = base().ventana;
    v.TxtFields[FrmTolvario::cPeriodo]->setText(Periodos[0]);
    v.CampoValida(v.TxtFields[FrmTolvario::cPeriodo]);
    v.SSTab1->setCurrentIndex(FrmTolvario::TabMolino);
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : estado) {
        // The clerk already typed the digit; what counts is Enter.
        estado.PauseTiming();
        v.IrACelda(2 + i % 14, 1);
        v.MsflexGridEdt(v.MSFlexGrid, v.txtEdit, u'1' + i % 9);
        QCoreApplication::processEvents();
        estado.ResumeTiming();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(v.txtEdit, &enter);
        QCoreApplication::processEvents();
        ++i;
        if (v.txtEdit->isVisible())
            estado.SkipWithError("el valor no se confirmó");
    }
}
BENCHMARK(ConfirmarUnValor)->Unit(benchmark::kMicrosecond);

// The book of a period with six accounts, from the stored register to the saved .xlsx.
void ExportarLibroSeisCuentas(benchmark::State& estado)
{
    Base& b = base();
    for (auto _ : estado) {
        const LibroExportado libro = ExportarLibro(EncabezadoDesdeAjustes(Periodos[0]), b.carpeta());
        benchmark::DoNotOptimize(libro.ruta);
    }
}
BENCHMARK(ExportarLibroSeisCuentas)->Unit(benchmark::kMillisecond);

// Its floor: the same statements straight through Qt SQL and the same cells written with
// libxlsxwriter, no layout work.
void ExportarLibroPiso(benchmark::State& estado)
{
    Base& b = base();
    const Hoja hoja = ExportarLibro(EncabezadoDesdeAjustes(Periodos[0]), b.carpeta()).hoja;
    const QString ruta = b.carpeta() + QStringLiteral("/piso.xlsx");
    for (auto _ : estado) {
        b.pisoDelLibro(Periodos[0]);
        GuardarXlsx(hoja, ruta);
    }
}
BENCHMARK(ExportarLibroPiso)->Unit(benchmark::kMillisecond);

// The same book drawn onto PDF pages.
void DibujarLibroPdf(benchmark::State& estado)
{
    Base& b = base();
    const Hoja hoja = ExportarLibro(EncabezadoDesdeAjustes(Periodos[0]), b.carpeta()).hoja;
    const QString ruta = b.carpeta() + QStringLiteral("/libro.pdf");
    for (auto _ : estado)
        GuardarPdf(hoja, ruta);
}
BENCHMARK(DibujarLibroPdf)->Unit(benchmark::kMillisecond);

// From the suite's command line to the window shown, on the 30-year database.
void ArrancarVentana(benchmark::State& estado)
{
    base();
    for (auto _ : estado) {
        FrmTolvario v;
        v.Form_Load();
        v.show();
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(v.isVisible());
    }
}
BENCHMARK(ArrancarVentana)->Unit(benchmark::kMillisecond);

// Validating a period as the history grows: 1, 10, 30 and 100 years of six accounts (2,232 rows
// a year). Last of
// all, since each history takes the program's connection with it.
void ValidarSegunHistoria(benchmark::State& estado)
{
    base();
    const int anios = int(estado.range(0));
    QTemporaryDir dir;
    const QString archivo = dir.filePath(QStringLiteral("historia.db"));
    {
        Conexion cnn;
        QFile(archivo).open(QIODevice::WriteOnly);
        cnn.Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(archivo));
        Esquema::Actualizar(cnn);
        llenar(cnn, 2027 - anios, 2026);
    }
    Carpetas::EstablecerLineaComandos(
        QStringLiteral("@Server=sqlite:;@DbName=%1;@Usuario=admin;@Password=;@UsuarioLogeado=admin;@Caja=1;").arg(archivo));
    FrmTolvario v;
    v.Form_Load();
    v.show();
    validarPeriodos(v, estado);
}
BENCHMARK(ValidarSegunHistoria)->Arg(1)->Arg(10)->Arg(30)->Arg(100)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // The off-screen platform says this once per window shown; the figures are what matters.
    qInstallMessageHandler([](QtMsgType tipo, const QMessageLogContext&, const QString& texto) {
        if (!texto.contains(QStringLiteral("propagateSizeHints")))
            fprintf(stderr, "%s\n", qPrintable(texto));
        if (tipo == QtFatalMsg)
            abort();
    });
    QApplication app(argc, argv);
    establecerOperador(std::make_unique<OperadorConsola>());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    // The most the process held, with the window and a period loaded: the memory figure.
    struct rusage uso {};
    getrusage(RUSAGE_SELF, &uso);
    std::printf("MemoriaMaxima %ld KB\n", uso.ru_maxrss);
    g_base.reset();
    return 0;
}
