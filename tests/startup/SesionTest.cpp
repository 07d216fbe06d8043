#include "data/DB_Dll.h"
#include "startup/Sesion.h"
#include "tests/support/BaseDePrueba.h"

#include <QRegularExpression>
#include <QSqlDatabase>

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

TEST_P(SesionTest, CerrarCierraLaConexionAbierta)
{
    ASSERT_TRUE(DB_Dll::Instancia().gCnn.Abierta());
    const QStringList antes = QSqlDatabase::connectionNames();
    ASSERT_GE(antes.size(), 2) << "the test's own and the program's";
    CerrarSesion();
    const QStringList despues = QSqlDatabase::connectionNames();
    EXPECT_EQ(despues.size(), antes.size() - 1) << "the program's connection is gone, the test's stays";
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(SesionTest, UnaSalidaQueNoSePuedeAnotarSeAvisa)
{
    ejecutar(QStringLiteral("DROP TABLE CONTROL_ACCESO"));
    RegistrarEgreso();
    ASSERT_EQ(m_guion->avisos.size(), 1u) << "a missing access log is not passed over in silence";
}

CON_CADA_MOTOR(SesionTest);
