#include "data/Conexion.h"
#include "data/DB_Dll.h"
#include "startup/Configuracion.h"
#include "startup/Globales.h"
#include "suite/SuiteUtil.h"
#include "tests/support/BaseDePrueba.h"

namespace {

class ConfiguracionTest : public BaseIniciada
{
protected:
    void poblar() override
    {
        ejecutar(QStringLiteral("INSERT INTO ta_usuarios (nombre, Administrador, UNegocio) VALUES ('%1', 1, '2')").arg(m_usuario));
    }
    void ajuste(const QString& clave, const QString& valor)
    {
        ejecutar(QStringLiteral("INSERT INTO ta_configuracion (CLAVE, VALOR, Grupo, PoliticaNegocio) VALUES ('%1', '%2', 'DATOS', 0)")
                     .arg(clave, valor));
    }
};

} // namespace

TEST_P(ConfiguracionTest, UnaClaveQueFaltaEsUnBlancoYUnNuloEsVacio)
{
    QString aux = QStringLiteral("x");
    EXPECT_EQ(LeerConfiguracion(QStringLiteral("NO_ESTA"), aux), QStringLiteral(" "));
    EXPECT_EQ(aux, QString());
    ejecutar(QStringLiteral("INSERT INTO ta_configuracion (CLAVE, VALOR, ValorAux, Grupo) VALUES ('NULO', NULL, 'aux', 'DATOS')"));
    EXPECT_EQ(LeerConfiguracion(QStringLiteral(" nulo "), aux), QString());
    EXPECT_EQ(aux, QStringLiteral("aux"));
    EXPECT_EQ(DB_Dll::Instancia().gCnn.UltimaSentencia(),
              QStringLiteral("SELECT VALOR, valoraux FROM ta_configuracion WHERE CLAVE = 'nulo'"));
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(ConfiguracionTest, GrabarRecortaPoneMayusculasYActualizaLaMismaFila)
{
    GrabarConfiguracion(QStringLiteral(" tolvario_titulo "), QStringLiteral("abc "), QStringLiteral("extra"));
    EXPECT_EQ(valor(QStringLiteral("SELECT CLAVE FROM ta_configuracion")), QStringLiteral("TOLVARIO_TITULO"));
    EXPECT_EQ(valor(QStringLiteral("SELECT VALOR FROM ta_configuracion")), QStringLiteral("abc"));
    GrabarConfiguracion(QStringLiteral(" tolvario_titulo "), QStringLiteral("otro"), QString());
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM ta_configuracion")), QStringLiteral("1"));
    EXPECT_EQ(LeerConfiguracion(QStringLiteral("TOLVARIO_TITULO")), QStringLiteral("otro"));
    EXPECT_EQ(valor(QStringLiteral("SELECT ValorAux FROM ta_configuracion")), QStringLiteral("extra")) << "an empty aux keeps the old one";
    EXPECT_EQ(valor(QStringLiteral("SELECT Grupo FROM ta_configuracion")), QStringLiteral("DATOS"));
    EXPECT_EQ(valor(QStringLiteral("SELECT PoliticaNegocio FROM ta_configuracion")), QStringLiteral("0"));
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(ConfiguracionTest, UnaComillaEnLaClaveOElValorNoRompeNada)
{
    GrabarConfiguracion(QStringLiteral("D'AMICO"), QStringLiteral("Molino D'Amico"));
    EXPECT_EQ(LeerConfiguracion(QStringLiteral("d'amico")), QStringLiteral("Molino D'Amico"));
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(ConfiguracionTest, LaCargaAplicaCadaRegla)
{
    CargarConfiguracion(gRutaAplicacion);
    const ConfiguracionSuite& c = gConfiguracion;
    EXPECT_EQ(gColorFondo, 0xFFFF00u);
    EXPECT_EQ(gColorLetra, 0u);
    EXPECT_EQ(c.TopDefault, QStringLiteral("1000"));
    EXPECT_TRUE(c.ModuloOrdenDeTrabajo);
    EXPECT_FALSE(c.Maderera);
    EXPECT_EQ(c.UNegocio, QStringLiteral("   2"));
    EXPECT_EQ(c.CantidadDecimales, QStringLiteral(" "));
    EXPECT_EQ(c.ArchivoTareas, gRutaAplicacion + QStringLiteral("VMDOCTareas.vlm"));
    EXPECT_EQ(gTablaConfiguracion, QStringLiteral("ta_configuracion"));

    ajuste(QStringLiteral("CFondo"), QStringLiteral("16777215"));
    ajuste(QStringLiteral("CLetra"), QStringLiteral("255"));
    ajuste(QStringLiteral("MADERERA"), QStringLiteral("si"));
    ajuste(QStringLiteral("V_ModificaCPrecio"), QStringLiteral("no"));
    ajuste(QStringLiteral("ModuloOrdenDeTrabajo"), QStringLiteral(" NO "));
    ajuste(QStringLiteral("MostrarStockenConsultas"), QStringLiteral("Si"));
    ajuste(QStringLiteral("UsaConsultaLike"), QStringLiteral(" SI"));
    ajuste(QStringLiteral("VALIDACODIGOBARRA"), QStringLiteral(" si "));
    ajuste(QStringLiteral("PERIODO"), QStringLiteral("6.5 meses"));
    ajuste(QStringLiteral("MaxDto"), QStringLiteral(" 12,5 "));
    ajuste(QStringLiteral("Top_Default"), QStringLiteral("250"));
    ajuste(QStringLiteral("CantidadDecimales"), QStringLiteral("3"));
    // Every setting in one statement: a server far away answers once.
    int lecturas = 0;
    Conexion::EstablecerTraza([&](const QString& sql, const QVariantList&) {
        lecturas += sql.contains(QStringLiteral("ta_configuracion"), Qt::CaseInsensitive);
    });
    CargarConfiguracion(gRutaAplicacion);
    Conexion::EstablecerTraza({});
    EXPECT_EQ(lecturas, 1);
    EXPECT_EQ(gColorFondo, 0xFFFFFFu);
    EXPECT_EQ(gColorLetra, 255u);
    EXPECT_TRUE(c.Maderera);
    EXPECT_FALSE(c.VModificaCPrecio);
    EXPECT_FALSE(c.ModuloOrdenDeTrabajo);
    EXPECT_TRUE(c.MostrarStockenConsultas);
    EXPECT_FALSE(c.UsaConsultaLike) << "is SI compares without trimming";
    EXPECT_TRUE(c.ValidaCodigoBarra) << "this one trims first";
    EXPECT_EQ(c.Periodo, 6) << "6.5 rounds half to even";
    EXPECT_EQ(c.MaxDto, SuiteUtil::TextToAmount(QStringLiteral("12.5")));
    EXPECT_EQ(c.TopDefault, QStringLiteral("250"));
    EXPECT_EQ(c.CantidadDecimales, QStringLiteral("3"));
}

TEST_P(ConfiguracionTest, UnImporteSeGrabaComoSuTextoExacto)
{
    GrabarConfiguracion(QStringLiteral("MaxDto"), QVariant::fromValue(SuiteUtil::TextToAmount(QStringLiteral("12.5"))));
    EXPECT_EQ(LeerConfiguracion(QStringLiteral("MaxDto")), QStringLiteral("12.5"));
}

TEST_P(ConfiguracionTest, UnUsuarioSinFilaTomaLaUnidadDeNegocioUno)
{
    gUsuarioLogeado = QStringLiteral("NADIE");
    CargarConfiguracion(gRutaAplicacion);
    EXPECT_EQ(gConfiguracion.UNegocio, QStringLiteral("   1"));
}

TEST_P(ConfiguracionTest, ElInicioCargaLosAjustes)
{
    EXPECT_TRUE(gConfiguracion.Cargada);
    EXPECT_EQ(gColorFondo, 0xFFFF00u);
}


TEST_P(ConfiguracionTest, ValoresQueNoSonNumerosNoRompenLaCarga)
{
    ajuste(QStringLiteral("CFondo"), QStringLiteral("azul"));
    ajuste(QStringLiteral("PERIODO"), QStringLiteral("seis"));
    ajuste(QStringLiteral("Top_Default"), QStringLiteral("   "));
    ajuste(QStringLiteral("MaxDto"), QStringLiteral("--"));
    CargarConfiguracion(gRutaAplicacion);
    EXPECT_EQ(gColorFondo, 0xFFFF00u) << "a colour that is not a number reads as 0, the default";
    EXPECT_EQ(gConfiguracion.Periodo, 0);
    EXPECT_EQ(gConfiguracion.TopDefault, QStringLiteral("1000"));
    EXPECT_EQ(gConfiguracion.MaxDto, Importe());
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

CON_CADA_MOTOR(ConfiguracionTest);

namespace {

// The suite's settings table is gone: every read is reported and the start-up goes on.
class SinTablaDeAjustesTest : public BaseIniciada
{
protected:
    void poblar() override { ejecutar(QStringLiteral("DROP TABLE ta_configuracion")); }
};

} // namespace

TEST_P(SinTablaDeAjustesTest, CadaLecturaSeInformaYElInicioSigue)
{
    EXPECT_TRUE(DB_Dll::Instancia().gCnn.Abierta());
    ASSERT_FALSE(m_guion->avisos.empty());
    EXPECT_TRUE(m_guion->todo().contains(QStringLiteral("ta_configuracion"))) << m_guion->todo().toStdString();
    EXPECT_EQ(gColorFondo, 0xFFFF00u);
    EXPECT_EQ(gConfiguracion.TopDefault, QStringLiteral("1000"));
    m_guion->avisos.clear();
    EXPECT_EQ(LeerConfiguracion(QStringLiteral("NOMBRE")), QString()) << "a failed read gives an empty text";
    EXPECT_FALSE(m_guion->avisos.empty());
}

CON_CADA_MOTOR(SinTablaDeAjustesTest);
