// The register session without the window, on the 30-year database: an account's lines into
// the grid, one save after one value changed, and one change kept on the station's disk. What the window adds on top of these is
// measured in RegistroBench. Each operation X has its floor XPiso, measured in the same run.
#include "bench/BaseDeMedicion.h"
#include "bench/Piso.h"
#include "register/DiarioDeRecuperacion.h"
#include "register/Planilla.h"
#include "register/RegistroTolvario.h"
#include "register/ResumenAnual.h"
#include "register/SesionRegistro.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlError>
#include <QSqlQuery>
#include <stdexcept>
#include <memory>
#include <benchmark/benchmark.h>
#include <string>

namespace {

using namespace BaseDeMedicion;

// The session opened on the latest period's mill, as the window opens it.
class Base : public BaseSinVentana
{
public:
    Base()
    {
        m_sesion.AbrirPeriodo(Periodos[0]);
        m_sesion.AsignarDatos(QStringLiteral("MOLINO"));
        m_pantalla.mostradas = QStringList(std::begin(Cuentas), std::end(Cuentas));
        m_pantalla.encabezado = SesionRegistro::LeerEncabezado(Periodos[0]);
        m_sesion.TomarAjustesGuardados(m_pantalla.encabezado);
    }
    SesionRegistro& sesion() { return m_sesion; }
    // The screen as the window would show it: every account on a tab, the settings as stored.
    SesionRegistro::Pantalla pantalla()
    {
        SesionRegistro::Pantalla p;
        p.leer = [this] { return m_pantalla; };
        return p;
    }

private:
    SesionRegistro m_sesion;
    SesionRegistro::EnPantalla m_pantalla;
};

std::unique_ptr<Base> g_base;

Base& base()
{
    if (!g_base)
        g_base = std::make_unique<Base>();
    return *g_base;
}

// Two users' lines in turn, each with its balance carried over from 30 years.
void cargar(int i)
{
    base().sesion().AsignarDatos(QString::fromLatin1(Cuentas[1 + i % 2]));
}

void CargarCuenta(benchmark::State& estado)
{
    int i = 0;
    for (auto _ : estado)
        cargar(i++);
}
BENCHMARK(CargarCuenta)->Unit(benchmark::kMillisecond);

void CargarCuentaPiso(benchmark::State& estado)
{
    MedirPiso(estado, base().piso(), {Grabar([] { cargar(0); }), Grabar([] { cargar(1); })});
}
BENCHMARK(CargarCuentaPiso)->Unit(benchmark::kMillisecond);

// One value changed on the mill's grid, then the save of everything: the one account that
// changed is written, nothing else.
int g_cambio = 0;
void grabarUnCambio()
{
    SesionRegistro& s = base().sesion();
    s.Lineas().PonerCantidad(Planilla::PrimeraFilaDia + 4, Planilla::ColEntradas, QString::number(500 + g_cambio++ % 2), s.Decimales());
    s.Grabar(SesionRegistro::Alcance::Todo, base().pantalla());
}

void GrabarEnLaSesion(benchmark::State& estado)
{
    base().sesion().AsignarDatos(QStringLiteral("MOLINO"));
    for (auto _ : estado) {
        grabarUnCambio();
        if (base().sesion().UltimaGrabacion() != SesionRegistro::Grabacion::Grabada)
            estado.SkipWithError("la grabación no se completó");
    }
}
BENCHMARK(GrabarEnLaSesion)->Unit(benchmark::kMillisecond);

void GrabarEnLaSesionPiso(benchmark::State& estado)
{
    base().sesion().AsignarDatos(QStringLiteral("MOLINO"));
    // Once before recording: the first save also writes the sheet number the replay would repeat.
    grabarUnCambio();
    MedirPiso(estado, base().piso(), {Grabar(grabarUnCambio), Grabar(grabarUnCambio)});
}
BENCHMARK(GrabarEnLaSesionPiso)->Unit(benchmark::kMillisecond);

// What the check for stocks below zero adds to a save of a month 30 years back: the later
// months read grouped with what each received and delivered (the statement the store sends;
// a month is read day by day only when it could go below zero), against the statement it
// took the place of, which only listed the first of them.
void consulta(QSqlDatabase bd, const QString& sql)
{
    QSqlQuery q(bd);
    if (!q.exec(sql))
        throw std::runtime_error(q.lastError().text().toStdString());
    while (q.next())
        benchmark::DoNotOptimize(q.value(0));
}

void MesesPosteriores(benchmark::State& estado)
{
    const QString sql = QStringLiteral(
        "SELECT SUBSTR(Periodo,4,4) || SUBSTR(Periodo,1,2) AS AnioMes, SUM(Entradas) AS Ent, SUM(Salidas) AS Sal FROM EM_Tolvario "
        "WHERE Cuenta = 'MOLINO' AND SUBSTR(Periodo,4,4) || SUBSTR(Periodo,1,2) > '199701' "
        "GROUP BY SUBSTR(Periodo,4,4) || SUBSTR(Periodo,1,2) ORDER BY AnioMes");
    for (auto _ : estado)
        consulta(base().piso(), sql);
}
BENCHMARK(MesesPosteriores)->Unit(benchmark::kMillisecond);

void MesesPosterioresPiso(benchmark::State& estado)
{
    const QString sql = QStringLiteral(
        "SELECT DISTINCT SUBSTR(Periodo,4,4) || SUBSTR(Periodo,1,2) AS AnioMes FROM EM_Tolvario WHERE Cuenta = 'MOLINO' "
        "AND SUBSTR(Periodo,4,4) || SUBSTR(Periodo,1,2) > '199701' ORDER BY AnioMes LIMIT 13");
    for (auto _ : estado)
        consulta(base().piso(), sql);
}
BENCHMARK(MesesPosterioresPiso)->Unit(benchmark::kMillisecond);

// A year of six accounts on 30 years of history, as the year view reads it: the year grouped
// by account and month, every account's stock before it, the customers' names.
void AbrirAnio(benchmark::State& estado)
{
    base();
    for (auto _ : estado)
        benchmark::DoNotOptimize(RegistroTolvario::LeerAnio(2020));
    // A label, not a counter: the CSV report needs every run of a program to share its counters.
    estado.SetLabel(std::to_string(Grabar([] { RegistroTolvario::LeerAnio(2020); }).size()) + " sentencias");
}
BENCHMARK(AbrirAnio)->Unit(benchmark::kMillisecond);

void AbrirAnioPiso(benchmark::State& estado)
{
    MedirPiso(estado, base().piso(), {Grabar([] { RegistroTolvario::LeerAnio(2020); })});
}
BENCHMARK(AbrirAnioPiso)->Unit(benchmark::kMillisecond);

// One committed cell kept on the station's disk, flushed with fsync, in the per-user data
// folder where the program keeps it (not a memory file system).
void AnotarUnDia(benchmark::State& estado)
{
    DiarioDeRecuperacion diario;
    if (!diario.Abrir({QStringLiteral("medicion"), QStringLiteral("medicion"), QStringLiteral("0"), QStringLiteral("MEDICION")})) {
        estado.SkipWithError("el diario está tomado");
        return;
    }
    std::vector<LineaRegistro> leidas;
    for (int d = 1; d <= 31; ++d)
        leidas.push_back({d, Importe::desdeEntero(1000 + d), Importe(), QStringLiteral("remito"), {}});
    int i = 0;
    for (auto _ : estado) {
        const int d = 1 + i++ % 31;
        diario.AnotarDia(QStringLiteral("11/2026"), QStringLiteral("MOLINO"), leidas, {d, Importe::desdeEntero(i), Importe(), {}, {}});
    }
    diario.Vaciar();
    QFile::remove(diario.Ruta());
    QFile::remove(diario.Ruta() + QStringLiteral(".lock"));
}
BENCHMARK(AnotarUnDia)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    InstalarOperadorDeMedicion();
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    g_base.reset();
    return 0;
}
