#include "data/DB_Dll.h"
#include "startup/Sesion.h"
#include "tests/support/BaseDePrueba.h"

#include <QRegularExpression>

namespace {
using SesionTest = BaseIniciada;
}

TEST_P(SesionTest, LaSalidaSeAnotaEnLaFilaAbiertaDeEsteIngreso)
{
    ejecutar(QStringLiteral("INSERT INTO CONTROL_ACCESO (ID, USUARIO, INGRESO) VALUES (0, 'admin', '08/12/26 08:00')"));
    ejecutar(QStringLiteral("INSERT INTO CONTROL_ACCESO (ID, USUARIO, INGRESO) VALUES (5, 'otro', '08/12/26 08:00')"));
    RegistrarEgreso();
    static const QRegularExpression forma(QStringLiteral(
        "^UPDATE CONTROL_ACCESO  SET EGRESO = '\\d\\d/\\d\\d/\\d\\d \\d\\d:\\d\\d' WHERE EGRESO IS NULL AND  ID = 0$"));
    const QString sql = DB_Dll::Instancia().gCnn.UltimaSentencia();
    EXPECT_TRUE(forma.match(sql).hasMatch()) << sql.toStdString();
    EXPECT_NE(valor(QStringLiteral("SELECT EGRESO FROM CONTROL_ACCESO WHERE ID = 0")), QString());
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM CONTROL_ACCESO WHERE EGRESO IS NULL")), QStringLiteral("1"));
}

TEST_P(SesionTest, CerrarLiberaLaConexion)
{
    ASSERT_TRUE(DB_Dll::Instancia().gOpenFlag);
    CerrarSesion();
    EXPECT_FALSE(DB_Dll::Instancia().gOpenFlag) << "a new data object, not yet connected";
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

CON_CADA_MOTOR(SesionTest);
