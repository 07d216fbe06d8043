#include "tests/support/BaseDePrueba.h"
#include "tools/esquema/Esquema.h"

namespace {
using EsquemaTest = BaseDePrueba;
}

TEST_P(EsquemaTest, CrearDosVecesNoCambiaNada)
{
    const Esquema::Cambios primera = Esquema::Actualizar(m_cnn);
    EXPECT_TRUE(primera.contains(QStringLiteral("tabla creada: EM_Tolvario")));
    EXPECT_TRUE(primera.contains(QStringLiteral("vista creada: VT_CLIENTES")));
    EXPECT_TRUE(Esquema::Actualizar(m_cnn).isEmpty());
}

TEST_P(EsquemaTest, UnaTablaViejaRecibeLasColumnasQueLeFaltan)
{
    ejecutar(QStringLiteral("CREATE TABLE ta_usuarios (nombre VARCHAR(50) PRIMARY KEY)"));
    ejecutar(QStringLiteral("INSERT INTO ta_usuarios (nombre) VALUES ('viejo')"));
    const Esquema::Cambios c = Esquema::Actualizar(m_cnn);
    EXPECT_TRUE(c.contains(QStringLiteral("columna agregada: ta_usuarios.Administrador")));
    EXPECT_TRUE(c.contains(QStringLiteral("columna agregada: ta_usuarios.UNegocio")));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM ta_usuarios")), QStringLiteral("1"));
}

TEST_P(EsquemaTest, LaDemoLlenaUnMolinoYNoSeDuplica)
{
    Esquema::Actualizar(m_cnn);
    EXPECT_FALSE(Esquema::LlenarDemo(m_cnn).isEmpty());
    const QString filas = valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario"));
    // Three users for three years, five in the last six months.
    EXPECT_EQ(filas, QString::number(36 * 4 * 31 + 6 * 2 * 31));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(DISTINCT Cuenta) FROM EM_Tolvario WHERE Periodo = '11/2026'")), QStringLiteral("6"));
    EXPECT_TRUE(Esquema::LlenarDemo(m_cnn).isEmpty());
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario")), filas);
    // Every account and period holds days 1 to 31 exactly once.
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM (SELECT Periodo, Cuenta FROM EM_Tolvario GROUP BY Periodo, Cuenta "
                                   "HAVING COUNT(*) <> 31 OR MIN(DIA) <> 1 OR MAX(DIA) <> 31) x")),
              QStringLiteral("0"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM VT_CLIENTES")), QStringLiteral("162"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM VT_PROVEEDORES")), QStringLiteral("2"));
    // The lookups' trees: families nest under their two-digit parents.
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM V_TA_FAMILIAS WHERE IDFAMILIA LIKE '01%'")), QStringLiteral("5"));
    EXPECT_EQ(valor(QStringLiteral("SELECT Stock FROM VT_MA_ARTICULOS WHERE IDARTICULO = 'ENV-O''B'")).toDouble(), 300.0);
    EXPECT_EQ(valor(QStringLiteral("SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'tolvario_medida'")), QStringLiteral("TONELADAS"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM ta_usuarios WHERE Administrador = 1")), QStringLiteral("1"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM ta_usuarios WHERE Administrador = 0")), QStringLiteral("1"));
}

TEST_P(EsquemaTest, LosTextosQueLasConsultasBuscanNoDistinguenMayusculas)
{
    Esquema::Actualizar(m_cnn);
    // By bytes "BOLSA" sorts before "bidon"; without regard to case it comes after.
    int n = 0;
    for (const char* texto : {"BOLSA", "bidon"}) {
        const QString t = QString::fromLatin1(texto);
        const QString k = QString::number(++n);
        ejecutar(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, TIPO, Descripcion, Razon_Social, Numero_documento, CONTACTO, "
                                "Dada_De_Baja) VALUES ('C%1', 'C', '%2', '%2', '%2', '%2', 0)").arg(k, t));
        ejecutar(QStringLiteral("INSERT INTO MA_ARTICULOS (IDARTICULO, DESCRIPCION, UNIDAD, SUSPENDIDO) VALUES ('A%1', '%2', '%2', 0)")
                     .arg(k, t));
        const char* const codigos[][2] = {{"TA_FAMILIAS", "IDFAMILIA"}, {"MA_POSICIONES", "IDPOSICION"}, {"TA_CCOSTO", "CODIGO"}};
        for (const auto& c : codigos)
            ejecutar(QStringLiteral("INSERT INTO %1 (%2, DESCRIPCION) VALUES ('%3', '%4')")
                         .arg(QString::fromLatin1(c[0]), QString::fromLatin1(c[1]), k, t));
    }
    // Read through the views the lookups use, which keep their tables' comparison.
    const char* const columnas[][2] = {
        {"VT_CLIENTES", "Descripcion"}, {"VT_CLIENTES", "Razon_Social"}, {"VT_CLIENTES", "Numero_documento"},
        {"VT_CLIENTES", "CONTACTO"},    {"VT_MA_ARTICULOS", "DESCRIPCION"}, {"V_MA_ARTICULOS", "UNIDAD"},
        {"V_TA_FAMILIAS", "DESCRIPCION"}, {"MA_POSICIONES", "DESCRIPCION"}, {"TA_CCOSTO", "DESCRIPCION"},
    };
    for (const auto& c : columnas) {
        const QString vista = QString::fromLatin1(c[0]);
        const QString columna = QString::fromLatin1(c[1]);
        EXPECT_EQ(valor(QStringLiteral("SELECT TOP 1 %2 FROM %1 ORDER BY %2").arg(vista, columna)), QStringLiteral("bidon"))
            << c[0] << '.' << c[1];
        EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM %1 WHERE %2 = 'bolsa'").arg(vista, columna)), QStringLiteral("1"))
            << c[0] << '.' << c[1];
    }
}

CON_CADA_MOTOR(EsquemaTest);
