// How long the clerk waits when the station is far from its server: the register window on
// the demo mill in PostgreSQL (the server scripts/bench starts), straight (/0) and through a
// relay that holds back each direction 10 ms (/1), a VPN's round trip of 20 ms. Starting,
// Enter on a period with six accounts, F5 after one value changed, and leaving a tab with a
// change (stored) for the next account (loaded). The counter "sentencias" is what the program
// sent per operation (the driver's own, at connecting, are five more).
#include "bench/BaseDeMedicion.h"
#include "bench/Relevo.h"
#include "data/Conexion.h"
#include "data/DB_Dll.h"
#include "platform/Carpetas.h"
#include "register/EditorDeCelda.h"
#include "register/FrmTolvario.h"
#include "register/ModeloRegistro.h"
#include "register/SesionRegistro.h"
#include "tests/support/Controles.h"
#include "tools/esquema/Esquema.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTabBar>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using namespace std::chrono_literals;

QString entorno(const char* nombre)
{
    return qEnvironmentVariable(nombre);
}

// One statement on the server's maintenance database.
bool administrar(const QString& sql)
{
    bool hecho = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), QStringLiteral("administrar"));
        db.setHostName(entorno("TOLVARIO_PG_HOST"));
        db.setPort(entorno("TOLVARIO_PG_PORT").toInt());
        db.setUserName(entorno("TOLVARIO_PG_USER"));
        db.setPassword(entorno("TOLVARIO_PG_PASSWORD"));
        db.setDatabaseName(QStringLiteral("postgres"));
        hecho = db.open() && QSqlQuery(db).exec(sql);
    }
    QSqlDatabase::removeDatabase(QStringLiteral("administrar"));
    return hecho;
}

class Base
{
public:
    Base()
    {
        qputenv("XDG_DATA_HOME", (m_dir.path() + QStringLiteral("/datos")).toLocal8Bit());
        m_nombre = QStringLiteral("medicion_%1").arg(QCoreApplication::applicationPid());
        administrar(QStringLiteral("DROP DATABASE IF EXISTS ") + m_nombre);
        if (!administrar(QStringLiteral("CREATE DATABASE ") + m_nombre))
            return;
        Conexion cnn;
        cnn.Open(QStringLiteral("Provider=PostgreSQL;Server=%1;Port=%2;Database=%3;UId=%4;Pwd=%5;")
                     .arg(entorno("TOLVARIO_PG_HOST"), entorno("TOLVARIO_PG_PORT"), m_nombre, entorno("TOLVARIO_PG_USER"),
                          entorno("TOLVARIO_PG_PASSWORD")));
        Esquema::Actualizar(cnn);
        Esquema::LlenarDemo(cnn);
        cnn.Close();
        m_relevo = std::make_unique<Relevo>(uint16_t(entorno("TOLVARIO_PG_PORT").toInt()), 10ms);
        m_lista = true;
    }
    ~Base()
    {
        m_ventana.reset();
        DB_Dll::Liberar();
        m_relevo.reset();
        administrar(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_nombre));
    }
    bool Lista() const { return m_lista && m_relevo->Puerto() != 0; }

    // The window the suite's menu opens, straight or through the relay.
    FrmTolvario& ventana(bool lejos)
    {
        if (!m_ventana || m_lejos != lejos)
            abrir(lejos);
        return *m_ventana;
    }
    void abrir(bool lejos)
    {
        m_ventana.reset();
        DB_Dll::Liberar();
        m_lejos = lejos;
        const int puerto = lejos ? m_relevo->Puerto() : entorno("TOLVARIO_PG_PORT").toInt();
        Carpetas::EstablecerAplicacion(m_dir.path());
        Carpetas::EstablecerLineaComandos(
            QStringLiteral("@Server=pg:127.0.0.1:%1;@DbName=%2;@Usuario=%3;@Password=%4;@UsuarioLogeado=admin;@Caja=1;")
                .arg(puerto)
                .arg(m_nombre, entorno("TOLVARIO_PG_USER"), entorno("TOLVARIO_PG_PASSWORD")));
        m_ventana = std::make_unique<FrmTolvario>();
        m_ventana->Form_Load();
        m_ventana->resize(1366, 768);
        m_ventana->show();
        QCoreApplication::processEvents();
    }
    void cerrar() { m_ventana.reset(); }

private:
    QTemporaryDir m_dir;
    QString m_nombre;
    bool m_lista = false;
    bool m_lejos = false;
    std::unique_ptr<Relevo> m_relevo;
    std::unique_ptr<FrmTolvario> m_ventana;
};

std::unique_ptr<Base> g_base;

Base* base(benchmark::State& estado)
{
    if (entorno("TOLVARIO_PG_HOST").isEmpty()) {
        estado.SkipWithError("sin servidor PostgreSQL (lo arranca scripts/bench)");
        return nullptr;
    }
    if (!g_base)
        g_base = std::make_unique<Base>();
    if (!g_base->Lista()) {
        estado.SkipWithError("no se pudo preparar la base de demostración ni el relevo");
        return nullptr;
    }
    return g_base.get();
}

// The statements the program sends while it runs, per operation.
class Cuenta
{
public:
    Cuenta()
    {
        Conexion::EstablecerTraza([this](const QString&, const QVariantList&) { ++m_n; });
    }
    ~Cuenta() { Conexion::EstablecerTraza({}); }
    void informar(benchmark::State& estado) const
    {
        estado.counters["sentencias"] = benchmark::Counter(double(m_n), benchmark::Counter::kAvgIterations);
    }

private:
    long m_n = 0;
};

void validar(FrmTolvario& v, const QString& periodo)
{
    Controles::Caja(&v, FrmTolvario::cPeriodo)->setText(periodo);
    v.CampoValida(Controles::Caja(&v, FrmTolvario::cPeriodo));
    QCoreApplication::processEvents();
}

const QString Ultimo = QStringLiteral("11/2026");
const QString Anterior = QStringLiteral("10/2026");

void Iniciar(benchmark::State& estado)
{
    Base* b = base(estado);
    if (!b)
        return;
    Cuenta n;
    for (auto _ : estado) {
        estado.PauseTiming();
        b->cerrar();
        estado.ResumeTiming();
        b->abrir(estado.range(0) != 0);
    }
    n.informar(estado);
}
BENCHMARK(Iniciar)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->Iterations(10);

void Cargar(benchmark::State& estado)
{
    Base* b = base(estado);
    if (!b)
        return;
    FrmTolvario& v = b->ventana(estado.range(0) != 0);
    Cuenta n;
    int i = 0;
    for (auto _ : estado)
        validar(v, i++ % 2 ? Anterior : Ultimo);
    n.informar(estado);
}
BENCHMARK(Cargar)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// One value changed on the mill's grid, then GRABAR.
int g_cambio = 0;
void Grabar(benchmark::State& estado)
{
    Base* b = base(estado);
    if (!b)
        return;
    FrmTolvario& v = b->ventana(estado.range(0) != 0);
    validar(v, Ultimo);
    Controles::Pestanas(&v)->setCurrentIndex(FrmTolvario::TabMolino);
    QCoreApplication::processEvents();
    Cuenta n;
    for (auto _ : estado) {
        v.Modelo().PonerTexto(6, 1, QString::number(500 + g_cambio++ % 2));
        v.Panobar1_click(QStringLiteral("GRABAR"));
        QCoreApplication::processEvents();
        if (v.Sesion().UltimaGrabacion() != SesionRegistro::Grabacion::Grabada)
            estado.SkipWithError("la grabación no se completó");
    }
    n.informar(estado);
}
BENCHMARK(Grabar)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A value changed on one user's tab, then the other user's tab: the first is stored, the
// second loaded.
void CambiarDeTab(benchmark::State& estado)
{
    Base* b = base(estado);
    if (!b)
        return;
    FrmTolvario& v = b->ventana(estado.range(0) != 0);
    validar(v, Ultimo);
    Controles::Pestanas(&v)->setCurrentIndex(1);
    QCoreApplication::processEvents();
    Cuenta n;
    int i = 0;
    for (auto _ : estado) {
        // The value typed and confirmed as the clerk does, not timed.
        estado.PauseTiming();
        v.Editor().IrACelda(6, 1);
        v.MsflexGridEdt(Controles::Grilla(&v), Controles::Editor(&v), u'8');
        // A receipt large enough to leave no day below zero (that would ask first), other
        // than the one this tab got last time.
        Controles::Editor(&v)->setText(QString::number(850 + i / 2 % 2));
        QKeyEvent enter(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier, QStringLiteral("\r"));
        QCoreApplication::sendEvent(Controles::Editor(&v), &enter);
        QCoreApplication::processEvents();
        estado.ResumeTiming();
        Controles::Pestanas(&v)->setCurrentIndex(1 + ++i % 2);
        QCoreApplication::processEvents();
    }
    n.informar(estado);
}
BENCHMARK(CambiarDeTab)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char** argv)
{
    BaseDeMedicion::PantallaSinAvisos();
    QApplication app(argc, argv);
    BaseDeMedicion::InstalarOperadorDeMedicion();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_base.reset();
    return 0;
}
