// The register session on a real database, without a window: each account is written over
// what this station read, another station's save since is found and named, never lost.
#include "register/Planilla.h"
#include "register/RegistroTolvario.h"
#include "register/SesionRegistro.h"
#include "tests/support/BaseDePrueba.h"

namespace {

class SesionRegistroTest : public BaseIniciada
{
protected:
    void poblar() override
    {
        for (int dia = 1; dia <= 31; ++dia)
            ejecutar(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) "
                                    "VALUES ('06/2005', 'MOLINO', %1, 1, 0, '')").arg(dia));
    }
    // The period opened as the window opens it: the mill read from the store.
    void abrir()
    {
        m_sesion.Cargado().Empezar(QStringLiteral("06/2005"), {QStringLiteral("MOLINO")});
        m_sesion.AsignarDatos(QStringLiteral("MOLINO"));
    }
    // Day 1's figure typed into the grid: its lines as they now stand.
    std::vector<LineaRegistro> conDia1(const char* entradas)
    {
        m_sesion.Lineas().PonerCantidad(Planilla::PrimeraFilaDia, Planilla::ColEntradas, QLatin1String(entradas), m_sesion.Decimales());
        return m_sesion.Lineas().LineasDeDia();
    }
    QString dia1(const char* cuenta = "MOLINO")
    {
        return valor(QStringLiteral("SELECT Entradas FROM EM_Tolvario WHERE Periodo = '06/2005' AND Cuenta = '%1' AND DIA = 1")
                         .arg(QLatin1String(cuenta)));
    }
    SesionRegistro m_sesion;
};

} // namespace

TEST_P(SesionRegistroTest, CadaCuentaSeEscribeSobreLoLeido)
{
    using E = SesionRegistro::Escritura;
    abrir();
    m_sesion.EmpezarGrabacion();
    const auto mias = conDia1("8");
    ASSERT_EQ(m_sesion.GrabarCuenta(QStringLiteral("MOLINO"), mias), E::Grabada);
    EXPECT_EQ(m_sesion.Grabadas(), QStringList{QStringLiteral("Molino")});
    EXPECT_EQ(dia1().toDouble(), 8.0);
    EXPECT_FALSE(m_sesion.Cargado().GrillaCambio(mias)) << "what is stored is what the next save must find";

    // Another station saves the mill since: found, named, and this save writes nothing.
    ejecutar(QStringLiteral("UPDATE EM_Tolvario SET Entradas = 6 WHERE Periodo = '06/2005' AND Cuenta = 'MOLINO' AND DIA = 1"));
    m_sesion.EmpezarGrabacion();
    const auto otra = conDia1("9");
    EXPECT_EQ(m_sesion.GrabarCuenta(QStringLiteral("MOLINO"), otra), E::OtroPuesto);
    EXPECT_TRUE(m_sesion.Grabadas().isEmpty());
    EXPECT_EQ(dia1().toDouble(), 6.0);
    ASSERT_FALSE(m_sesion.Encontradas().empty());
    EXPECT_EQ(m_sesion.Encontradas()[0].entradas, Importe::desdeDiezmilesimos(60000));
    // Replaced over what the clerk was told of; a save newer than that is found again.
    ejecutar(QStringLiteral("UPDATE EM_Tolvario SET Entradas = 5 WHERE Periodo = '06/2005' AND Cuenta = 'MOLINO' AND DIA = 1"));
    EXPECT_EQ(m_sesion.ReemplazarEncontradas(QStringLiteral("MOLINO"), otra), E::OtroPuesto);
    EXPECT_EQ(dia1().toDouble(), 5.0);
    EXPECT_EQ(m_sesion.ReemplazarEncontradas(QStringLiteral("MOLINO"), otra), E::Grabada);
    EXPECT_EQ(dia1().toDouble(), 9.0);

    // The database already holds exactly this screen (a COMMIT whose answer was lost): stored.
    ejecutar(QStringLiteral("UPDATE EM_Tolvario SET Entradas = 4 WHERE Periodo = '06/2005' AND Cuenta = 'MOLINO' AND DIA = 1"));
    m_sesion.EmpezarGrabacion();
    EXPECT_EQ(m_sesion.GrabarCuenta(QStringLiteral("MOLINO"), conDia1("4")), E::Grabada);
    EXPECT_EQ(m_sesion.Grabadas(), QStringList{QStringLiteral("Molino")});
}

TEST_P(SesionRegistroTest, LasCuentasNuevasYLasQuitadas)
{
    abrir();
    // A user shown with nothing stored gets its 31 empty days; one another station stored
    // meanwhile keeps theirs. Both count as stored for the period from now on.
    m_sesion.EmpezarGrabacion();
    EXPECT_TRUE(m_sesion.GrabarCuentaVacia(QStringLiteral("C001")));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '06/2005' AND Cuenta = 'C001'")), QStringLiteral("31"));
    ejecutar(QStringLiteral("INSERT INTO EM_Tolvario (Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones) "
                            "VALUES ('06/2005', 'C002', 1, 7, 0, '')"));
    EXPECT_FALSE(m_sesion.GrabarCuentaVacia(QStringLiteral("C002")));
    EXPECT_EQ(dia1("C002").toDouble(), 7.0);
    EXPECT_TRUE(m_sesion.Cargado().Guardada(QStringLiteral("C002")));
    EXPECT_EQ(m_sesion.Grabadas(), QStringList{QStringLiteral("C001")});

    // A user replaced takes its stored lines with it.
    m_sesion.Cargado().Quitar(QStringLiteral("C001"));
    m_sesion.QuitarReemplazados();
    EXPECT_TRUE(m_sesion.Cargado().AQuitar().isEmpty());
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '06/2005' AND Cuenta = 'C001'")), QStringLiteral("0"));
}

CON_CADA_MOTOR(SesionRegistroTest);

// The header's settings against what is stored: named in the question's order, each old and
// new value shown; the sheet number is the loaded period's, unchanged with none loaded.
TEST_P(SesionRegistroTest, LosAjustesDelEncabezadoContraLoGuardado)
{
    SesionRegistro::Encabezado pantalla{{QStringLiteral("TITULO"), QStringLiteral("LIBRO")}, {QStringLiteral("HOJA"), QStringLiteral("9")},
                                        {QStringLiteral("ONCCA"), QStringLiteral("15.432/7")}, {QStringLiteral("Decimales"), QStringLiteral("2")},
                                        {QStringLiteral("MEDIDA"), QStringLiteral("TONELADAS")}, {QStringLiteral("linea"), QStringLiteral("2")}};
    m_sesion.TomarAjustesGuardados(pantalla);
    EXPECT_TRUE(m_sesion.AjustesCambiados(pantalla).isEmpty()) << "no period: the sheet number counts as unchanged";
    abrir();
    m_sesion.Cargado().PonerHoja(QStringLiteral("7"));
    pantalla[QStringLiteral("MEDIDA")] = QStringLiteral("KILOS ");
    EXPECT_EQ(m_sesion.AjustesCambiados(pantalla), (QStringList{QStringLiteral("Hoja Nro"), QStringLiteral("Cantidades expresadas en")}));
    EXPECT_EQ(m_sesion.CambiosDelEncabezado(pantalla), QStringLiteral("Cambió el encabezado:\n    Hoja Nro: «7» → «9»\n"
                                                                      "    Cantidades expresadas en: «TONELADAS» → «KILOS»"));
    pantalla[QStringLiteral("HOJA")] = QStringLiteral(" 7");
    pantalla[QStringLiteral("MEDIDA")] = QStringLiteral("TONELADAS");
    EXPECT_TRUE(m_sesion.CambiosDelEncabezado(pantalla).isEmpty()) << "blanks around a value change nothing";
}

// What a save would write, as the drift question is asked over it: nothing for a grid as it
// was read; with everything, the users removed and the shown accounts not stored yet.
TEST_P(SesionRegistroTest, LoQueUnaGrabacionEscribiria)
{
    abrir();
    EXPECT_TRUE(m_sesion.CambiosPrevistos(true, {QStringLiteral("MOLINO")}).empty());
    const auto cambiadas = conDia1("8");
    m_sesion.Cargado().Quitar(QStringLiteral("C003"));
    const auto cambios = m_sesion.CambiosPrevistos(true, {QStringLiteral("MOLINO"), QStringLiteral("C001")});
    ASSERT_EQ(cambios.size(), 3u);
    EXPECT_EQ(cambios[0].cuenta, QStringLiteral("C003"));
    EXPECT_FALSE(cambios[0].lineas.has_value()) << "a user removed leaves the period";
    EXPECT_EQ(cambios[1].cuenta, QStringLiteral("MOLINO"));
    EXPECT_EQ(*cambios[1].lineas, cambiadas);
    EXPECT_EQ(cambios[2].cuenta, QStringLiteral("C001"));
    EXPECT_EQ(cambios[2].lineas->size(), 31u);
    // Leaving a tab: the grid's account only.
    EXPECT_EQ(m_sesion.CambiosPrevistos(false, {QStringLiteral("MOLINO"), QStringLiteral("C001")}).size(), 1u);
}
