#include "data/DB_Dll.h"
#include "data/DialectoOracle.h"
#include "data/RutaOracle.h"
#include "tests/support/BaseDePrueba.h"

#include <QDir>

using Oracle::Dicc;
using Oracle::Paso;

TEST(OracleDicc, LimiteDeFilasComoRownum)
{
    EXPECT_EQ(Dicc(QStringLiteral("SELECT top 10 * FROM T")), QStringLiteral("SELECT  * FROM T  WHERE ROWNUM <= 10  "));
    const QString r = Dicc(QStringLiteral("SELECT top 5 A FROM T WHERE B=1 ORDER BY A"));
    EXPECT_TRUE(r.contains(QStringLiteral("WHERE B=1")));
    EXPECT_LT(r.indexOf(QStringLiteral("AND ROWNUM <= 5")), r.indexOf(QStringLiteral("ORDER BY A"))) << r.toStdString();
    EXPECT_EQ(r.count(QStringLiteral("ORDER BY A")), 1);
    const QString g = Dicc(QStringLiteral("SELECT TOP 3 A, COUNT(*) FROM T GROUP BY A ORDER BY A"));
    EXPECT_LT(g.indexOf(QStringLiteral("WHERE ROWNUM <= 3")), g.indexOf(QStringLiteral("GROUP BY A"))) << g.toStdString();
    EXPECT_LT(g.indexOf(QStringLiteral("GROUP BY A")), g.indexOf(QStringLiteral("ORDER BY A")));
}

TEST(OracleDicc, FuncionesCorchetesYVacios)
{
    EXPECT_EQ(Dicc(QStringLiteral("SELECT LEN (NOMBRE) FROM T")), QStringLiteral("SELECT LENGTH(NOMBRE) FROM T"));
    EXPECT_EQ(Dicc(QStringLiteral("len")), QStringLiteral("LENGTH"));
    EXPECT_EQ(Dicc(QStringLiteral("NOMBRE")), QStringLiteral("NOMBRE"));
    EXPECT_EQ(Dicc(QStringLiteral("SELECT [A B] FROM [T]")), QStringLiteral("SELECT A B FROM T"));
    EXPECT_EQ(Dicc(QStringLiteral("SELECT * FROM T WHERE OBS = ''")), QStringLiteral("SELECT * FROM T WHERE OBS  IS NULL "));
    EXPECT_EQ(Dicc(QStringLiteral("SELECT Charindex('a', B), ISNULL(C,0), SUBSTRING(D,1,2) FROM T")),
              QStringLiteral("SELECT InStr('a', B), NVL(C,0), SUBSTR(D,1,2) FROM T"));
    EXPECT_EQ(Dicc(QStringLiteral("SELECT CONVERT(INT, A), CONVERT(NVARCHAR, F, 103) FROM T")),
              QStringLiteral("SELECT TO_NUMBER( A), TO_CHAR( F, 'DD/MM/YYYY') FROM T"));
}

TEST(OracleDicc, ColumnasYLiteralesDeFecha)
{
    EXPECT_EQ(Dicc(QStringLiteral("SELECT * FROM T WHERE FECHA >= '01/03/2006'")),
              QStringLiteral("SELECT * FROM T WHERE TO_DATE(TO_CHAR(FECHA,'DD/MM/YYYY'),'DD/MM/YYYY') >= TO_DATE('01/03/2006','DD/MM/YYYY')"));
    // Before WHERE, inside quotes and as part of another name, a date column stays.
    EXPECT_EQ(Dicc(QStringLiteral("SELECT FECHA FROM T WHERE OBS='FECHA' AND FECHAX=(INGRESO)")),
              QStringLiteral("SELECT FECHA FROM T WHERE OBS='FECHA' AND FECHAX=(TO_DATE(TO_CHAR(INGRESO,'DD/MM/YYYY'),'DD/MM/YYYY'))"));
}

TEST(OracleLote, TransaccionesYLineasGoSeParten)
{
    const auto pasos = Oracle::Partir(QStringLiteral("SET NOCOUNT ON\r\nBEGIN TRANSACTION\r\nINSERT INTO T VALUES ('UPDATE x')\r\nGO\r\n"
                                                     "DELETE FROM T WHERE A = 1\r\nCOMMIT TRANSACTION"));
    const std::vector<Paso> esperados = {
        {Paso::Iniciar, {}},
        {Paso::Ejecutar, QStringLiteral("INSERT INTO T VALUES ('UPDATE x')")},
        {Paso::Ejecutar, QStringLiteral("DELETE FROM T WHERE A = 1")},
        {Paso::Confirmar, {}},
    };
    ASSERT_EQ(pasos.size(), esperados.size());
    for (size_t i = 0; i < pasos.size(); ++i) {
        EXPECT_EQ(pasos[i].tipo, esperados[i].tipo) << i;
        EXPECT_EQ(pasos[i].texto, esperados[i].texto) << i;
    }
    EXPECT_EQ(Oracle::Partir(QStringLiteral("ROLLBACK TRANS")).front().tipo, Paso::Deshacer);
    EXPECT_EQ(Oracle::SoloSqlServer(QStringLiteral("IF NOT EXISTS (SELECT 1) CREATE TABLE X (A INT)")), QString());
    EXPECT_EQ(Oracle::SoloSqlServer(QStringLiteral("CREATE TABLE X (A INT)")), QStringLiteral("CREATE TABLE X (A INT)"));
}

namespace {

// The batch path runs for real on a SQLite connection, each statement passed unchanged.
class RutaOracleTest : public ProcesoLimpio
{
protected:
    void SetUp() override
    {
        ProcesoLimpio::SetUp();
        const QString ruta = carpeta() + QStringLiteral("/t.db");
        QFile f(ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        m_cnn.Open(QStringLiteral("Provider=SQLite;Data Source=%1;").arg(ruta));
        m_cnn.Execute(QStringLiteral("CREATE TABLE T (A INTEGER PRIMARY KEY, B VARCHAR(10))"));
    }
    long ejecutar(const QString& lote)
    {
        return Oracle::EjecutarLote(m_cnn, lote, [](const QString& t) { return t; });
    }
    int filas()
    {
        Recordset rs;
        rs.Open(QStringLiteral("SELECT COUNT(*) AS N FROM T"), m_cnn, 0, 1);
        return rs.Field(QStringLiteral("N")).toInt();
    }
    Conexion m_cnn;
};

} // namespace

TEST_F(RutaOracleTest, ElLoteCorreComoTransaccion)
{
    EXPECT_EQ(ejecutar(QStringLiteral("BEGIN TRANSACTION\r\nINSERT INTO T (A, B) VALUES (1, 'x')\r\nGO\r\n"
                                      "INSERT INTO T (A, B) VALUES (2, 'y')\r\nCOMMIT TRANSACTION")),
              2);
    EXPECT_EQ(filas(), 2);
    ejecutar(QStringLiteral("BEGIN TRANS INSERT INTO T (A, B) VALUES (3, 'z') ROLLBACK TRANS"));
    EXPECT_EQ(filas(), 2);
    EXPECT_FALSE(m_cnn.EnTransaccion());
    EXPECT_THROW(ejecutar(QStringLiteral("INSERT INTO T (A, B) VALUES (1, 'x')")), ErrorVB);
    EXPECT_THROW(ejecutar(QStringLiteral("BEGIN TRANS INSERT INTO T (A, B) VALUES (4, 'w') INSERT INTO T (A, B) VALUES (1, 'x') COMMIT TRANS")),
                 ErrorVB);
    EXPECT_FALSE(m_cnn.EnTransaccion()) << "a batch that failed halfway rolls its transaction back";
    EXPECT_EQ(filas(), 2);
}

// "IF NOT EXISTS" and "IF EXISTS" start statements of their own: glued to the one before,
// they would take it down with them.
TEST(OracleLote, IfExistsEmpiezaSuPropiaSentencia)
{
    const auto pasos = Oracle::Partir(QStringLiteral("CREATE TABLE A (X INT) IF NOT EXISTS (SELECT 1 FROM B) CREATE TABLE B (Y INT)"));
    ASSERT_EQ(pasos.size(), 3u);
    EXPECT_EQ(pasos[0].texto, QStringLiteral("CREATE TABLE A (X INT)"));
    EXPECT_TRUE(pasos[1].texto.startsWith(QStringLiteral("IF NOT EXISTS")));
    EXPECT_EQ(Oracle::SoloSqlServer(pasos[1].texto), QString());
    const auto otros = Oracle::Partir(QStringLiteral("INSERT INTO A VALUES (1) IF EXISTS (SELECT 1 FROM A) DROP TABLE A"));
    ASSERT_EQ(otros.size(), 3u);
    EXPECT_EQ(otros[0].texto, QStringLiteral("INSERT INTO A VALUES (1)"));
    EXPECT_EQ(otros[1].texto, QStringLiteral("IF EXISTS (SELECT 1 FROM A)"));
    EXPECT_EQ(otros[2].texto, QStringLiteral("DROP TABLE A"));
}

TEST(OracleDicc, FueraDeOracleNoCambiaNada)
{
    ReiniciarProceso();
    DB_Dll& db = DB_Dll::Instancia();
    db.gConnString = QStringLiteral("Provider=SQLite;Data Source=x.db;");
    EXPECT_EQ(db.ORACLE_Dicc(QStringLiteral("SELECT top 10 * FROM T")), QStringLiteral("SELECT top 10 * FROM T"));
    db.gConnString = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=PROD;");
    EXPECT_EQ(db.ORACLE_Dicc(QStringLiteral("SELECT top 10 * FROM T")), QStringLiteral("SELECT  * FROM T  WHERE ROWNUM <= 10  "));
    ReiniciarProceso();
}
