// How fast the register window answers on 30 years of movements of the mill and five milling
// users (66,960 rows, SQLite): starting, validating a period, switching to a user's tab,
// saving after one value changed, committing one value typed in the grid. The book is
// measured without the window, in LibroBench. Each operation X has its floor XPiso, measured in the same run.
#include "tests/support/Controles.h"
#include "bench/BaseDeMedicion.h"
#include "bench/Piso.h"
#include "data/Conexion.h"
#include "data/DB_Dll.h"
#include "data/Transaccion.h"
#include "platform/Carpetas.h"
#include "output/EscritorXlsx.h"
#include "output/ExportaLibro.h"
#include "output/ImpresionLibro.h"
#include "register/EditorDeCelda.h"
#include "register/FrmTolvario.h"
#include "register/Entregas.h"
#include "register/ModeloRegistro.h"
#include "register/RegistroTolvario.h"
#include "tools/esquema/Esquema.h"

#include <QApplication>
#include <QFile>
#include <QHash>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QPdfWriter>
#include <QStandardItemModel>
#include <QSqlQuery>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <memory>
#include <sys/resource.h>
#include <benchmark/benchmark.h>

namespace {

using namespace BaseDeMedicion;

void validar(FrmTolvario& v, const QString& periodo)
{
    Controles::Caja(&v, FrmTolvario::cPeriodo)->setText(periodo);
    v.CampoValida(Controles::Caja(&v, FrmTolvario::cPeriodo));
    QCoreApplication::processEvents();
}

class Base
{
public:
    Base()
    {
        m_archivo = m_dir.filePath(QStringLiteral("bench.db"));
        crearBase(m_archivo);
        ventana();
        m_piso.Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(m_archivo));
    }

    // The window the suite's menu opened on the 30-year database (opened again if a start-up
    // benchmark let it go).
    FrmTolvario& ventana()
    {
        if (!m_ventana) {
            lineaDeComandos(m_archivo, m_dir.path());
            DB_Dll::Liberar();
            m_ventana = std::make_unique<FrmTolvario>();
            m_ventana->Form_Load();
            m_ventana->resize(1366, 768);
            m_ventana->show();
            QCoreApplication::processEvents();
        }
        return *m_ventana;
    }
    // The start-up is measured from a process with no window and no connection yet.
    void soltarVentana() { m_ventana.reset(); }
    // A connection of its own for replaying the floors.
    QSqlDatabase piso() const { return m_piso.bd(); }
    QString carpeta() const { return m_dir.path(); }
    QString archivo() const { return m_archivo; }

private:
    QTemporaryDir m_dir;
    QString m_archivo;
    Conexion m_piso;
    std::unique_ptr<FrmTolvario> m_ventana;
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
    int i = 0;
    for (auto _ : estado)
        validar(v, Periodos[i++ % 2]);
}


void ValidarPeriodo(benchmark::State& estado)
{
    validarPeriodos(base().ventana(), estado);
}
BENCHMARK(ValidarPeriodo)->Unit(benchmark::kMillisecond);

void ValidarPeriodoPiso(benchmark::State& estado)
{
    FrmTolvario& v = base().ventana();
    validar(v, Periodos[1]);
    MedirPiso(estado, base().piso(), {Grabar([&] { validar(v, Periodos[0]); }), Grabar([&] { validar(v, Periodos[1]); })});
}
BENCHMARK(ValidarPeriodoPiso)->Unit(benchmark::kMillisecond);

// Leaving a user's tab stores its register; the other user's is loaded.
void irATab(FrmTolvario& v, int tab)
{
    Controles::Pestanas(&v)->setCurrentIndex(tab);
    QCoreApplication::processEvents();
}

void CambiarDeTab(benchmark::State& estado)
{
    FrmTolvario& v = base().ventana();
    validar(v, Periodos[0]);
    int i = 0;
    for (auto _ : estado)
        irATab(v, 1 + i++ % 2);
}
BENCHMARK(CambiarDeTab)->Unit(benchmark::kMillisecond);

void CambiarDeTabPiso(benchmark::State& estado)
{
    FrmTolvario& v = base().ventana();
    validar(v, Periodos[0]);
    irATab(v, 2);
    MedirPiso(estado, base().piso(), {Grabar([&] { irATab(v, 1); }), Grabar([&] { irATab(v, 2); })});
}
BENCHMARK(CambiarDeTabPiso)->Unit(benchmark::kMillisecond);

// One value changed on the mill's grid, then GRABAR: the one account that changed is written
// (and the header settings), nothing else.
int g_cambio = 0;
void grabarUnCambio(FrmTolvario& v)
{
    v.Modelo().PonerTexto(6, 1, QString::number(500 + g_cambio++ % 2));
    v.Panobar1_click(QStringLiteral("GRABAR"));
    QCoreApplication::processEvents();
}

void GrabarUnCambio(benchmark::State& estado)
{
    FrmTolvario& v = base().ventana();
    validar(v, Periodos[0]);
    Controles::Pestanas(&v)->setCurrentIndex(0);
    for (auto _ : estado) {
        grabarUnCambio(v);
        if (v.Sesion().UltimaGrabacion() != SesionRegistro::Grabacion::Grabada)
            estado.SkipWithError("la grabación no se completó");
    }
}
BENCHMARK(GrabarUnCambio)->Unit(benchmark::kMillisecond);

void GrabarUnCambioPiso(benchmark::State& estado)
{
    FrmTolvario& v = base().ventana();
    validar(v, Periodos[0]);
    Controles::Pestanas(&v)->setCurrentIndex(0);
    // Once before recording: the first save also writes settings rows the replay would repeat.
    grabarUnCambio(v);
    MedirPiso(estado, base().piso(), {Grabar([&] { grabarUnCambio(v); }), Grabar([&] { grabarUnCambio(v); })});
}
BENCHMARK(GrabarUnCambioPiso)->Unit(benchmark::kMillisecond);

// One value committed in the grid: typed into the editor, Enter (validation, running stock
// and totals, the cell repainted), the cursor on the next column.
void ConfirmarUnValor(benchmark::State& estado)
{
    FrmTolvario& v = base().ventana();
    validar(v, Periodos[0]);
    Controles::Pestanas(&v)->setCurrentIndex(FrmTolvario::TabMolino);
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : estado) {
        // The clerk already typed the digit; what counts is Enter.
        estado.PauseTiming();
        v.Editor().IrACelda(2 + i % 14, 1);
        v.MsflexGridEdt(Controles::Grilla(&v), Controles::Editor(&v), u'1' + i % 9);
        QCoreApplication::processEvents();
        estado.ResumeTiming();
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(Controles::Editor(&v), &enter);
        QCoreApplication::processEvents();
        ++i;
        if (Controles::Editor(&v)->isVisible())
            estado.SkipWithError("el valor no se confirmó");
    }
}
BENCHMARK(ConfirmarUnValor)->Unit(benchmark::kMicrosecond);

// Its floor sends no statement: what Qt alone does for it, the value set in a plain model of
// the grid's size shown in a plain table of the same size, the cursor moved on, repainted.
void ConfirmarUnValorPiso(benchmark::State& estado)
{
    const FrmTolvario& v = base().ventana();
    QStandardItemModel modelo(Controles::Grilla(&v)->model()->rowCount(), Controles::Grilla(&v)->model()->columnCount());
    for (int f = 0; f < modelo.rowCount(); ++f)
        for (int c = 0; c < modelo.columnCount(); ++c)
            modelo.setData(modelo.index(f, c), Controles::Grilla(&v)->model()->index(f, c).data());
    QTableView tabla;
    tabla.setModel(&modelo);
    tabla.resize(Controles::Grilla(&v)->size());
    tabla.show();
    QCoreApplication::processEvents();
    int i = 0;
    for (auto _ : estado) {
        const QModelIndex celda = modelo.index(2 + i % 14, 1);
        modelo.setData(celda, QString::number(1 + i % 9));
        tabla.setCurrentIndex(celda.siblingAtColumn(2));
        QCoreApplication::processEvents();
        ++i;
    }
}
BENCHMARK(ConfirmarUnValorPiso)->Unit(benchmark::kMicrosecond);


// From the suite's command line to the window shown, on the 30-year database: a process
// with no connection yet, as the suite's menu starts it (connection, settings, window).
void arrancar()
{
    DB_Dll::Liberar();
    FrmTolvario v;
    v.Form_Load();
    v.show();
    QCoreApplication::processEvents();
    benchmark::DoNotOptimize(v.isVisible());
}

void ArrancarVentana(benchmark::State& estado)
{
    base().soltarVentana();
    for (auto _ : estado)
        arrancar();
}
BENCHMARK(ArrancarVentana)->Unit(benchmark::kMillisecond);

// Its floor: a new connection to the file, the same statements, closed again.
void ArrancarVentanaPiso(benchmark::State& estado)
{
    base().soltarVentana();
    const std::vector<Sentencia> sentencias = Grabar(arrancar);
    const QString archivo = base().archivo();
    for (auto _ : estado) {
        bool bien = true;
        {
            QSqlDatabase bd = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("piso-arranque"));
            bd.setDatabaseName(archivo);
            try {
                if (!bd.open())
                    throw std::runtime_error("no se abrió la base");
                Repetir(bd, sentencias);
            } catch (const std::exception& e) {
                bd.rollback();
                estado.SkipWithError(e.what());
                bien = false;
            }
            bd.close();
        }
        QSqlDatabase::removeDatabase(QStringLiteral("piso-arranque"));
        if (!bien)
            break;
    }
}
BENCHMARK(ArrancarVentanaPiso)->Unit(benchmark::kMillisecond);

// Validating a period as the history grows: 1, 10, 30 and 100 years of six accounts (2,232 rows
// a year). Last of
// all, since each history takes the program's connection with it.
bool g_pisoHistoria = false;
void ValidarSegunHistoria(benchmark::State& estado)
{
    base().soltarVentana();
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
    lineaDeComandos(archivo, base().carpeta());
    // A new start-up, or the program would stay on the database it has open.
    DB_Dll::Liberar();
    FrmTolvario v;
    v.Form_Load();
    v.show();
    if (DB_Dll::Instancia().gDBName != archivo)
        estado.SkipWithError("la ventana no abrió la base de esta historia");
    if (!g_pisoHistoria) {
        validarPeriodos(v, estado);
        return;
    }
    // The floor of the same history: the statements of validating each period, replayed.
    Conexion piso;
    piso.Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(archivo));
    validar(v, Periodos[1]);
    MedirPiso(estado, piso.bd(), {Grabar([&] { validar(v, Periodos[0]); }), Grabar([&] { validar(v, Periodos[1]); })});
}
BENCHMARK(ValidarSegunHistoria)->Arg(1)->Arg(10)->Arg(30)->Arg(100)->Unit(benchmark::kMillisecond);

void ValidarSegunHistoriaPiso(benchmark::State& estado)
{
    g_pisoHistoria = true;
    ValidarSegunHistoria(estado);
    g_pisoHistoria = false;
}
BENCHMARK(ValidarSegunHistoriaPiso)->Arg(30)->Arg(100)->Unit(benchmark::kMillisecond);

// One account's save in the store with what guards the delivered books: the drift check,
// then the save with its history row and the marks. An early month of the 30 years, so every
// later month moves and is listed; two of them delivered. Its floor is the same save on a
// copy of the database without those tables: the difference is what the guards add.
bool g_sinSalvaguardas = false;
void GrabarConSalvaguardas(benchmark::State& estado)
{
    base().soltarVentana();
    QTemporaryDir dir;
    const QString archivo = dir.filePath(QStringLiteral("salvaguardas.db"));
    QFile::copy(base().archivo(), archivo);
    if (g_sinSalvaguardas) {
        Conexion cnn;
        cnn.Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(archivo));
        for (const char* t : {"EM_TolvarioEntregaCuenta", "EM_TolvarioEntrega", "EM_TolvarioHistoria"})
            QSqlQuery(cnn.bd()).exec(QStringLiteral("DROP TABLE ") + QString::fromLatin1(t));
    }
    lineaDeComandos(archivo, base().carpeta());
    DB_Dll::Liberar();
    FrmTolvario v;
    v.Form_Load();
    const QString periodo = QStringLiteral("02/1997");
    for (const char* entregado : {"06/2010", "05/2026"}) {
        EncabezadoLibro e;
        e.periodo = QString::fromLatin1(entregado);
        RegistroTolvario::AnotarEntrega(e, RegistroTolvario::TomarHuellas(e.periodo));
    }
    std::vector<LineaRegistro> lineas = RegistroTolvario::Lineas(periodo, QStringLiteral("MOLINO"));
    int i = 0;
    for (auto _ : estado) {
        lineas[5].entradas = Importe::desdeEntero(500 + i++ % 2);
        if (!g_sinSalvaguardas) {
            const RegistroTolvario::Deriva d = RegistroTolvario::DerivaDe(periodo, {{QStringLiteral("MOLINO"), lineas}});
            if (d.ultimoPosterior != QStringLiteral("12/2026") || d.entregados.size() != 2)
                estado.SkipWithError("el control no vio los meses posteriores");
        }
        RegistroTolvario::GrabarCuenta(periodo, QStringLiteral("MOLINO"), lineas);
    }
}
BENCHMARK(GrabarConSalvaguardas)->Unit(benchmark::kMillisecond);

void GrabarConSalvaguardasPiso(benchmark::State& estado)
{
    g_sinSalvaguardas = true;
    GrabarConSalvaguardas(estado);
    g_sinSalvaguardas = false;
}
BENCHMARK(GrabarConSalvaguardasPiso)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    BaseDeMedicion::PantallaSinAvisos();
    QApplication app(argc, argv);
    InstalarOperadorDeMedicion();
    const QStringList argumentos = QCoreApplication::arguments();
    // The memory figure is taken in processes of their own: one writes the 30-year database,
    // the next only starts the window on it and loads a period, as the clerk does, then tells
    // the most it held.
    if (argumentos.size() == 3 && argumentos[1] == QLatin1String("--crear-base")) {
        crearBase(argumentos[2]);
        return 0;
    }
    if (argumentos.size() == 3 && argumentos[1] == QLatin1String("--memoria")) {
        QTemporaryDir carpeta;
        lineaDeComandos(argumentos[2], carpeta.path());
        FrmTolvario v;
        v.Form_Load();
        v.resize(1366, 768);
        v.show();
        validar(v, Periodos[0]);
        struct rusage uso {};
        getrusage(RUSAGE_SELF, &uso);
        std::printf("MemoriaMaxima %ld KB\n", uso.ru_maxrss);
        return 0;
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_base.reset();
    return 0;
}
