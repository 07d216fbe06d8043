// The register's store on its own, without the window: what it refuses, and that a save or
// a removal is whole.
#include "platform/ErrorVB.h"
#include "register/Entregas.h"
#include "register/RegistroTolvario.h"
#include "startup/Configuracion.h"
#include "suite/SuiteUtil.h"
#include "tests/support/BaseDePrueba.h"

namespace {

using namespace RegistroTolvario;

class RegistroTolvarioTest : public BaseIniciada
{
protected:
    void poblar() override
    {
        for (int dia = 1; dia <= 3; ++dia)
            ejecutar(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) "
                                    "VALUES ('10/2026', 'C001', %1, 2.5, 0, 'remito de O''Brien')")
                         .arg(dia));
        ejecutar(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) "
                                "VALUES ('09/2026', 'MOLINO', 1, 100, 0.0001, '')"));
    }
    QString filas(const QString& donde = {})
    {
        return valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario") + (donde.isEmpty() ? QString() : u' ' + donde));
    }
    static Importe imp(const char* t) { return SuiteUtil::TextToAmount(QString::fromLatin1(t)); }
};

} // namespace

// Nothing is read or written under a text that names no month: not a row, not a setting.
TEST_P(RegistroTolvarioTest, UnPeriodoMalEscritoSeRechazaSinTocarNada)
{
    const std::vector<LineaRegistro> una{{1, imp("5"), {}, {}, {}}};
    for (const QString& malo : {QString(), QStringLiteral("04/20"), QStringLiteral("12/9"), QStringLiteral("13/2026"),
                                QStringLiteral("10/2026' OR '1'='1")}) {
        EXPECT_THROW(GrabarCuenta(malo, QStringLiteral("MOLINO"), una), ErrorVB) << malo.toStdString();
        EXPECT_THROW(BorrarPeriodo(malo), ErrorVB) << malo.toStdString();
        EXPECT_THROW(QuitarCuentas(malo, {QStringLiteral("C001")}), ErrorVB) << malo.toStdString();
        EXPECT_THROW(GrabarHoja(malo, QStringLiteral("3")), ErrorVB) << malo.toStdString();
        EXPECT_THROW(Lineas(malo, QStringLiteral("C001")), ErrorVB) << malo.toStdString();
    }
    EXPECT_THROW(GrabarCuenta(QStringLiteral("10/2026"), QStringLiteral("  "), una), ErrorVB) << "no account";
    EXPECT_EQ(filas(), QStringLiteral("4"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM ta_configuracion WHERE clave LIKE 'TOLVARIO_HOJA_%'")), QStringLiteral("0"));
}

// A save replaces the account's lines exactly (amounts to the ten-thousandth, quotes in
// remarks); the other accounts and periods are untouched; removals take only what is named.
TEST_P(RegistroTolvarioTest, GrabarReemplazaSoloLaCuentaYQuitarSoloLoNombrado)
{
    const std::vector<LineaRegistro> antes = Lineas(QStringLiteral("10/2026"), QStringLiteral("c001"));
    ASSERT_EQ(antes.size(), 3u) << "accounts compare without case";
    EXPECT_EQ(antes[0].entradas, imp("2.5"));
    EXPECT_EQ(antes[0].observaciones, QStringLiteral("remito de O'Brien"));

    std::vector<LineaRegistro> nuevas;
    for (int dia = 1; dia <= 31; ++dia)
        nuevas.push_back({dia, dia == 4 ? imp("0.0001") : Importe(), imp("1.25"), QStringLiteral("d'%1").arg(dia), {}});
    // A remark is stored as typed, whatever it looks like to the statement's rewriting.
    nuevas[14].observaciones = QStringLiteral("@Admin_ [15/03/2026] stop -- ñ €");
    GrabarCuenta(QStringLiteral("10/2026"), QStringLiteral("C001"), nuevas);
    EXPECT_EQ(Lineas(QStringLiteral("10/2026"), QStringLiteral("C001")), nuevas);
    EXPECT_EQ(filas(QStringLiteral("WHERE Periodo = '09/2026'")), QStringLiteral("1"));
    EXPECT_EQ(SaldoAnterior(QStringLiteral("10/2026"), QStringLiteral("MOLINO")), imp("99.9999"));
    EXPECT_EQ(UsuariosDelPeriodo(QStringLiteral("10/2026")), QStringList{QStringLiteral("C001")});

    GrabarCuenta(QStringLiteral("10/2026"), QStringLiteral("MOLINO"), nuevas);
    QuitarCuentas(QStringLiteral("10/2026"), {QStringLiteral("C001")});
    EXPECT_EQ(filas(QStringLiteral("WHERE Periodo = '10/2026' AND Cuenta = 'C001'")), QStringLiteral("0"));
    EXPECT_EQ(filas(QStringLiteral("WHERE Periodo = '10/2026' AND Cuenta = 'MOLINO'")), QStringLiteral("31"));
    BorrarPeriodo(QStringLiteral("10/2026"));
    EXPECT_EQ(filas(), QStringLiteral("1")) << "September stays";
    EXPECT_EQ(UltimoPeriodo(), QStringLiteral("09/2026"));
}

// The sheet number: the stored one, else one after the latest period's; a stored text that
// is no number counts as none.
TEST_P(RegistroTolvarioTest, LaHojaEsLaGuardadaOLaSiguiente)
{
    EXPECT_EQ(Hoja(QStringLiteral("10/2026")), QStringLiteral("1"));
    GrabarHoja(QStringLiteral("08/2026"), QStringLiteral(" 7 "));
    GrabarHoja(QStringLiteral("09/2026"), QStringLiteral("8"));
    EXPECT_EQ(LeerConfiguracion(QStringLiteral("TOLVARIO_HOJA_202609")), QStringLiteral("8"));
    EXPECT_EQ(Hoja(QStringLiteral("08/2026")), QStringLiteral("7"));
    EXPECT_EQ(Hoja(QStringLiteral("10/2026")), QStringLiteral("9"));
    EXPECT_TRUE(HojaGuardada(QStringLiteral("10/2026")).isEmpty());
    GrabarHoja(QStringLiteral("10/2026"), QStringLiteral("x"));
    EXPECT_TRUE(HojaGuardada(QStringLiteral("10/2026")).isEmpty());
    EXPECT_EQ(PeriodoAnterior(QStringLiteral("01/2027")), QStringLiteral("12/2026"));
}

// Every change leaves its row in the history with the change itself: who, and the account's
// totals before and after; a change that fails leaves none.
TEST_P(RegistroTolvarioTest, CadaCambioDejaSuFilaEnLaHistoriaJuntoConElCambio)
{
    std::vector<LineaRegistro> nuevas;
    for (int dia = 1; dia <= 31; ++dia)
        nuevas.push_back({dia, imp("2"), imp("0.5"), {}, {}});
    GrabarCuenta(QStringLiteral("10/2026"), QStringLiteral("C001"), nuevas);
    QuitarCuentas(QStringLiteral("10/2026"), {QStringLiteral("C001")});
    GrabarCuenta(QStringLiteral("10/2026"), QStringLiteral("MOLINO"), nuevas);
    BorrarPeriodo(QStringLiteral("10/2026"));
    const std::vector<Cambio> h = Historia(QStringLiteral("10/2026"));
    ASSERT_EQ(h.size(), 4u);
    EXPECT_EQ(h[0].accion, QStringLiteral("GRABAR"));
    EXPECT_EQ(h[0].cuenta, QStringLiteral("C001"));
    EXPECT_EQ(h[0].entradasAntes, imp("7.5")) << "three days of 2.5 before";
    EXPECT_EQ(h[0].entradasDespues, imp("62"));
    EXPECT_EQ(h[0].salidasDespues, imp("15.5"));
    EXPECT_FALSE(h[0].usuario.isEmpty());
    EXPECT_EQ(h[1].accion, QStringLiteral("QUITAR"));
    EXPECT_EQ(h[1].entradasAntes, imp("62"));
    EXPECT_EQ(h[1].entradasDespues, Importe());
    EXPECT_EQ(h[2].cuenta, QStringLiteral("MOLINO"));
    EXPECT_EQ(h[3].accion, QStringLiteral("BORRAR"));
    EXPECT_EQ(h[3].entradasAntes, imp("62"));

    // A save the database refuses halfway leaves neither the lines nor the history row.
    rechazarDia(15);
    EXPECT_THROW(GrabarCuenta(QStringLiteral("10/2026"), QStringLiteral("MOLINO"), nuevas), ErrorVB);
    EXPECT_EQ(Historia(QStringLiteral("10/2026")).size(), 4u);
    quitarRechazo();
    // Nor does a history the database refuses leave the lines stored without their row.
    rechazarAltas(QStringLiteral("EM_TolvarioHistoria"), QStringLiteral("1 = 1"));
    EXPECT_THROW(GrabarCuenta(QStringLiteral("10/2026"), QStringLiteral("MOLINO"), nuevas), ErrorVB);
    EXPECT_TRUE(Lineas(QStringLiteral("10/2026"), QStringLiteral("MOLINO")).empty());
    EXPECT_THROW(QuitarCuentas(QStringLiteral("10/2026"), {QStringLiteral("C001")}), ErrorVB);
    quitarRechazo();
    EXPECT_EQ(Historia(QStringLiteral("10/2026")).size(), 4u);
}

// What a change moves: only a change to the net of an account moves later months, only the
// months where that account has lines, the first twelve named and the latest told apart; a
// change of remarks or of the day a figure falls on moves none.
TEST_P(RegistroTolvarioTest, LaDerivaNombraLosMesesQueSeMuevenYNadaMas)
{
    for (int mes = 1; mes <= 14; ++mes)
        ejecutar(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) "
                                "VALUES ('%1/%2', 'C001', 1, 1, 0, '')")
                     .arg((10 + mes - 1) % 12 + 1, 2, 10, QLatin1Char('0'))
                     .arg(2026 + (10 + mes - 1) / 12));
    std::vector<LineaRegistro> c001 = Lineas(QStringLiteral("10/2026"), QStringLiteral("C001"));
    ASSERT_EQ(c001.size(), 3u);
    // The same total on other days, and another remark: the page changes, no later month.
    c001[0].entradas = imp("5");
    c001[1].entradas = imp("0");
    c001[2].observaciones = QStringLiteral("otro");
    Deriva d = DerivaDe(QStringLiteral("10/2026"), {{QStringLiteral("C001"), c001}});
    EXPECT_TRUE(d.posteriores.isEmpty());
    EXPECT_FALSE(d.Hay());
    // Another net: the first twelve months after it, then the latest of the fourteen.
    c001[2].salidas = imp("1");
    d = DerivaDe(QStringLiteral("10/2026"), {{QStringLiteral("C001"), c001}});
    ASSERT_EQ(d.posteriores.size(), 12);
    EXPECT_EQ(d.posteriores.front(), QStringLiteral("11/2026"));
    EXPECT_EQ(d.posteriores.back(), QStringLiteral("10/2027"));
    EXPECT_EQ(d.ultimoPosterior, QStringLiteral("12/2027"));
    // The mill has no later month: its change moves nothing, even though C001's months exist.
    EXPECT_FALSE(DerivaDe(QStringLiteral("09/2026"), {{QStringLiteral("MOLINO"), std::nullopt}}).Hay());
    EXPECT_FALSE(DerivaDe(QStringLiteral("10/2026"), {{QStringLiteral("C002"), std::nullopt}}).Hay()) << "nothing stored, nothing removed";
}

CON_CADA_MOTOR(RegistroTolvarioTest);
