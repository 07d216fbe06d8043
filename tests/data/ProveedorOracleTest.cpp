// Which backend a connection is comes from its provider; paths, names, users and passwords
// may hold any word.
#include "data/DB_Dll.h"
#include "startup/Inicio.h"
#include "tests/support/BaseDePrueba.h"
#include "tools/esquema/Esquema.h"

#include <QDir>
#include <QFile>

TEST(ProveedorOracle, SoloElProveedorDecide)
{
    ReiniciarProceso();
    DB_Dll& db = DB_Dll::Instancia();
    const QString top = QStringLiteral("SELECT top 10 * FROM T");
    for (const char* texto : {"Provider=SQLite;Data Source=/datos/ORACLE/t.db;",
                              "Provider=PostgreSQL;Server=oracle.local;Database=oracle;UId=oracle;Pwd=MiOracle1;",
                              "PROVIDER=SQLOLEDB;Server=ORACLE1;Database =Molino;UId=sa;Pwd=oracle;"}) {
        db.gConnString = QString::fromLatin1(texto);
        EXPECT_FALSE(db.EsOracle()) << texto;
        EXPECT_EQ(db.ORACLE_Dicc(top), top) << texto;
    }
    db.gConnString = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=a;Password=b;");
    EXPECT_TRUE(db.EsOracle());
    EXPECT_EQ(db.ORACLE_Dicc(top), QStringLiteral("SELECT  * FROM T  WHERE ROWNUM <= 10  "));
    ReiniciarProceso();
}

namespace {

// The program started on a database reached through a path or a name, a user and a
// password that all contain "oracle".
class ProveedorOracleTest : public BaseIniciada
{
protected:
    void TearDown() override
    {
        BaseIniciada::TearDown();
        if (!m_otra.isEmpty()) {
            Conexion admin;
            admin.Open(QStringLiteral("Provider=PostgreSQL;Server=%1;Port=%2;Database=postgres;UId=%3;Pwd=%4;")
                           .arg(qEnvironmentVariable("TOLVARIO_PG_HOST"), qEnvironmentVariable("TOLVARIO_PG_PORT"),
                                qEnvironmentVariable("TOLVARIO_PG_USER"), qEnvironmentVariable("TOLVARIO_PG_PASSWORD")));
            admin.Execute(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_otra));
            admin.Execute(QStringLiteral("DROP ROLE IF EXISTS %1").arg(m_otra));
        }
    }
    QString m_otra;
};

} // namespace

TEST_P(ProveedorOracleTest, UnaRutaUnNombreUnUsuarioOUnaClaveConOracleNoCambianElDialecto)
{
    QString base;
    QString usuario = QStringLiteral("oracle");
    const QString clave = QStringLiteral("MiOracle1");
    if (esPostgres()) {
        m_otra = QStringLiteral("oracle_") + m_base;
        usuario = m_otra;
        ejecutar(QStringLiteral("CREATE ROLE %1 LOGIN SUPERUSER PASSWORD '%2'").arg(m_otra, clave));
        ejecutar(QStringLiteral("CREATE DATABASE %1 OWNER %1").arg(m_otra));
        Conexion nueva;
        nueva.Open(QStringLiteral("Provider=PostgreSQL;Server=%1;Port=%2;Database=%3;UId=%3;Pwd=%4;")
                       .arg(qEnvironmentVariable("TOLVARIO_PG_HOST"), qEnvironmentVariable("TOLVARIO_PG_PORT"), m_otra, clave));
        Esquema::Actualizar(nueva);
        nueva.Execute(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, Descripcion, TIPO, Razon_Social, Dada_De_Baja) "
                                     "VALUES ('C001', 'Panificadora', 'C', 'Panificadora', 0)"));
        base = m_otra;
    } else {
        ASSERT_TRUE(QDir(carpeta()).mkpath(QStringLiteral("oracle")));
        base = carpeta() + QStringLiteral("/oracle/molino.db");
        ASSERT_TRUE(QFile::copy(m_base, base));
        Conexion nueva;
        nueva.Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(base));
        nueva.Execute(QStringLiteral("INSERT INTO MA_CUENTAS (CODIGO, Descripcion, TIPO, Razon_Social, Dada_De_Baja) "
                                     "VALUES ('C001', 'Panificadora', 'C', 'Panificadora', 0)"));
    }
    ReiniciarProceso();
    m_guion = &guion();
    QString conexion;
    IniciarSesion(false,
                  QStringLiteral("@Server=%1;@DbName=%2;@Usuario=%3;@Password=%4;@UsuarioLogeado=JUAN;@Caja=3;")
                      .arg(m_servidor, base, usuario, clave),
                  conexion);
    DB_Dll& db = DB_Dll::Instancia();
    ASSERT_TRUE(db.gCnn.Abierta()) << m_guion->todo().toStdString();
    EXPECT_FALSE(db.EsOracle());
    // A lookup with a row limit: on the Oracle path it would ask for ROWNUM and fail.
    EXPECT_TRUE(db.ExisteEnTabla(QStringLiteral("VT_CLIENTES"), QStringLiteral("C001"), QStringLiteral("CODIGO"), nullptr, 8));
    long n = 0;
    QString sql = QStringLiteral("UPDATE MA_CUENTAS SET CONTACTO = 'x' WHERE CODIGO = 'C001'");
    EXPECT_TRUE(db.EjecutaConsultaSQL(sql, n));
    EXPECT_EQ(n, 1);
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

CON_CADA_MOTOR(ProveedorOracleTest);
