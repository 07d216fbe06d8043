#include "data/DB_Dll.h"
#include "data/DialectoOracle.h"
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

// The Oracle path keys on the connection text; a SQLite file in a folder named ORACLE lets
// the batch run for real without an Oracle server.
class RutaOracleTest : public ProcesoLimpio
{
protected:
    void SetUp() override
    {
        ProcesoLimpio::SetUp();
        QDir(carpeta()).mkpath(QStringLiteral("ORACLE"));
        m_ruta = carpeta() + QStringLiteral("/ORACLE/t.db");
        QFile f(m_ruta);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.close();
        DB_Dll& db = DB_Dll::Instancia();
        db.gServidor = QStringLiteral("sqlite:");
        db.gDBName = m_ruta;
        db.OpenServerADODB(false, 3, QString(), false);
        ASSERT_TRUE(db.gCnn.Abierta());
        db.gCnn.Execute(QStringLiteral("CREATE TABLE T (A INTEGER PRIMARY KEY, B VARCHAR(10))"));
    }
    long ejecutar(const QString& lote)
    {
        QString s = lote;
        long n = 0;
        DB_Dll::Instancia().EjecutaConsultaSQL(s, n);
        return n;
    }
    int filas()
    {
        Recordset rs;
        rs.Open(QStringLiteral("SELECT COUNT(*) AS N FROM T"), DB_Dll::Instancia().gCnn, 0, 1);
        return rs.Field(QStringLiteral("N")).toInt();
    }
    QString m_ruta;
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
    EXPECT_FALSE(DB_Dll::Instancia().gCnn.EnTransaccion());
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
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
