#include "data/Dialecto.h"
#include "data/Sinonimos.h"
#include "data/TextoSQL.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace Dialectos;

TEST(Dialecto, TopPasaAlFinalComoLimit)
{
    EXPECT_EQ(LimiteTop(QStringLiteral("SELECT TOP 1 * FROM EM_Tolvario")), QStringLiteral("SELECT * FROM EM_Tolvario LIMIT 1"));
    EXPECT_EQ(LimiteTop(QStringLiteral("select top 1000 RAZON_SOCIAL,CODIGO FROM VT_CLIENTES ORDER BY RAZON_SOCIAL")),
              QStringLiteral("select RAZON_SOCIAL,CODIGO FROM VT_CLIENTES ORDER BY RAZON_SOCIAL LIMIT 1000"));
    EXPECT_EQ(LimiteTop(QStringLiteral("SELECT TOP 1  * FROM T WHERE A ='x';")), QStringLiteral("SELECT * FROM T WHERE A ='x' LIMIT 1"));
    EXPECT_EQ(LimiteTop(QStringLiteral("SELECT DISTINCT TOP 5 A FROM T")), QStringLiteral("SELECT DISTINCT A FROM T LIMIT 5"));
    EXPECT_EQ(LimiteTop(QStringLiteral("SELECT A FROM T")), QStringLiteral("SELECT A FROM T"));
}

TEST(Dialecto, LiteralNacionalYDeleteSinFrom)
{
    EXPECT_EQ(LiteralNacional(QStringLiteral("WHERE Periodo = N'03/2006' AND X = 'N'")),
              QStringLiteral("WHERE Periodo = '03/2006' AND X = 'N'"));
    // A column ending in N before a literal is not a prefix.
    EXPECT_EQ(LiteralNacional(QStringLiteral("WHERE ORIGEN='A'")), QStringLiteral("WHERE ORIGEN='A'"));
    EXPECT_EQ(DeleteSinFrom(QStringLiteral("Delete EM_Tolvario  where Periodo = '01/2024'")),
              QStringLiteral("Delete FROM EM_Tolvario  where Periodo = '01/2024'"));
    EXPECT_EQ(DeleteSinFrom(QStringLiteral("DELETE FROM T")), QStringLiteral("DELETE FROM T"));
}

TEST(Dialecto, PeriodosSeComparanUniendoSubcadenas)
{
    EXPECT_EQ(UnionSubstring(QStringLiteral("WHERE SUBSTRING(Periodo,4,4) + SUBSTRING(Periodo,1,2) < '202403'")),
              QStringLiteral("WHERE SUBSTR(Periodo,4,4) || SUBSTR(Periodo,1,2) < '202403'"));
    // A plain sum is left alone.
    EXPECT_EQ(UnionSubstring(QStringLiteral("SELECT A + B FROM T")), QStringLiteral("SELECT A + B FROM T"));
}

TEST(Dialecto, FuncionesCorchetesYFechas)
{
    EXPECT_EQ(Funciones(QStringLiteral("SELECT ISNULL(SUM(Entradas),0), LEN(Cuenta), GETDATE() FROM T")),
              QStringLiteral("SELECT COALESCE(SUM(Entradas),0), LENGTH(Cuenta), CURRENT_TIMESTAMP FROM T"));
    EXPECT_EQ(Corchetes(QStringLiteral("SELECT [Cuenta], [Cuentas Corrientes].X FROM [EM_Tolvario]")),
              QStringLiteral("SELECT Cuenta, \"Cuentas Corrientes\".X FROM EM_Tolvario"));
    EXPECT_EQ(FechasAlmohadilla(QStringLiteral("WHERE F = #31/12/2024# ")), QStringLiteral("WHERE F = '2024-12-31' "));
    EXPECT_EQ(RecortesSinCaso(QStringLiteral("WHERE LTRIM(RTRIM(CODIGO)) ='c001'")),
              QStringLiteral("WHERE LTRIM(RTRIM(CODIGO)) COLLATE NOCASE ='c001'"));
}

TEST(Dialecto, LasReglasNoTocanLosLiterales)
{
    const QString sql = QStringLiteral("SELECT * FROM T WHERE Obs = 'TOP 3 [x] ISNULL( #1/1/2024# ''N''' AND A=N'b'");
    const QString r = Traducir(sql, Dialecto::SQLite);
    EXPECT_TRUE(r.contains(QStringLiteral("'TOP 3 [x] ISNULL( #1/1/2024# ''N'''"))) << r.toStdString();
    EXPECT_TRUE(r.endsWith(QStringLiteral("A='b'"))) << r.toStdString();
    EXPECT_EQ(Traducir(sql, Dialecto::SqlServer), sql);
}

TEST(Dialecto, SoloSQLiteAgregaNocase)
{
    const QString sql = QStringLiteral("SELECT TOP 1  * FROM Vt_Clientes WHERE LTRIM(RTRIM(CODIGO)) ='c001'");
    EXPECT_EQ(Traducir(sql, Dialecto::PostgreSQL), QStringLiteral("SELECT * FROM Vt_Clientes WHERE LTRIM(RTRIM(CODIGO)) ='c001' LIMIT 1"));
    EXPECT_EQ(Traducir(sql, Dialecto::SQLite),
              QStringLiteral("SELECT * FROM Vt_Clientes WHERE LTRIM(RTRIM(CODIGO)) COLLATE NOCASE ='c001' LIMIT 1"));
}

TEST(TextoSQL, ComillasDobladasYBusquedasSinMayusculas)
{
    EXPECT_EQ(TextoSQL::Comillas(QStringLiteral("O'Higgins")), QStringLiteral("O''Higgins"));
    EXPECT_EQ(TextoSQL::Comillas(QStringLiteral("sin")), QStringLiteral("sin"));
    EXPECT_TRUE(TextoSQL::Contiene(QStringLiteral("a where b"), QStringLiteral(" WHERE ")));
    EXPECT_EQ(TextoSQL::Quitar(QStringLiteral("FROM @admin_MA_CUENTAS"), QStringLiteral("@Admin_")), QStringLiteral("FROM MA_CUENTAS"));
}

TEST(Sinonimos, NoAdministradorLeeLasVistasSS)
{
    using Sinonimos::Aplicar;
    EXPECT_EQ(Aplicar(QStringLiteral("SELECT * FROM MA_CUENTAS WHERE X=1"), false),
              QStringLiteral("SELECT * FROM SS_MA_CUENTAS WHERE X=1"));
    EXPECT_EQ(Aplicar(QStringLiteral("SELECT * FROM @Admin_MA_CUENTAS WHERE X=1"), false),
              QStringLiteral("SELECT * FROM MA_CUENTAS WHERE X=1"));
    EXPECT_EQ(Aplicar(QStringLiteral("SELECT * FROM MA_CUENTAS"), false), QStringLiteral("SELECT * FROM MA_CUENTAS"));
    EXPECT_EQ(Aplicar(QStringLiteral("select * from ma_cuentas where x=1"), false),
              QStringLiteral("select * from SS_MA_CUENTAS where x=1"));
    EXPECT_EQ(Aplicar(QStringLiteral("SELECT MA_CUENTAS.CODIGO FROM T LEFT JOIN MA_CUENTAS ON X"), false),
              QStringLiteral("SELECT SS_MA_CUENTAS.CODIGO FROM T LEFT JOIN SS_MA_CUENTAS ON X"));
    // The administrator reads the tables themselves.
    EXPECT_EQ(Aplicar(QStringLiteral("SELECT * FROM @Admin_MA_CUENTAS WHERE X=1"), true),
              QStringLiteral("SELECT * FROM MA_CUENTAS WHERE X=1"));
    EXPECT_EQ(Aplicar(QStringLiteral("SELECT * FROM MA_CUENTAS WHERE X=1"), true),
              QStringLiteral("SELECT * FROM MA_CUENTAS WHERE X=1"));
}

TEST(Sinonimos, CadaObjetoEnCadaEntorno)
{
    using Sinonimos::Aplicar;
    const char* const objetos[][2] = {
        {"MA_CUENTAS", "SS_MA_CUENTAS"},
        {"V_TA_DEPOSITO", "SS_V_TA_DEPOSITO"},
        {"MV_ASIENTOS", "SS_MV_ASIENTOS"},
        {"V_TA_FAMILIAS", "SS_V_TA_FAMILIAS"},
        {"V_TA_CAJAS", "SS_V_TA_CAJAS"},
        {"AC_CUENTASDIARIO", "SS_AC_CUENTASDIARIO"},
        {"AC_CUENTASDIARIO_CCOSTO", "SS_AC_CUENTAS_DIARIO_CCOSTO"},
    };
    for (const auto& o : objetos) {
        const QString nombre = QString::fromLatin1(o[0]);
        const QString sinonimo = QString::fromLatin1(o[1]);
        const QString plantilla = QStringLiteral("SELECT %1.A, X FROM %1 JOIN (SELECT * FROM %1 ) Y ON 1=1,%1.B (%1.C");
        EXPECT_EQ(Aplicar(plantilla.arg(nombre.toLower()), false), plantilla.arg(sinonimo)) << o[0];
        // At the end, before ")" or a line break the name stays.
        for (const QString& quieto : {QStringLiteral("FROM %1"), QStringLiteral("(SELECT * FROM %1)"), QStringLiteral("FROM %1\r\n")})
            EXPECT_EQ(Aplicar(quieto.arg(nombre), false), quieto.arg(nombre)) << o[0];
    }
    // "{" before the name counts for MA_CUENTAS only.
    EXPECT_EQ(Aplicar(QStringLiteral("{MA_CUENTAS.A {MV_ASIENTOS.B"), false), QStringLiteral("{SS_MA_CUENTAS.A {MV_ASIENTOS.B"));
    EXPECT_EQ(Aplicar(QStringLiteral("FROM @Admin_MV_ASIENTOS WHERE"), false), QStringLiteral("FROM MV_ASIENTOS WHERE"));
}

TEST(Dialecto, LikeEnPostgresIgnoraMayusculasYSirveEnNumeros)
{
    EXPECT_EQ(LikeSinCaso(QStringLiteral("SELECT * FROM T where RAZON_SOCIAL like 'pan%' and v_ma_articulos.Stock NOT LIKE '1%'")),
              QStringLiteral("SELECT * FROM T where CAST(RAZON_SOCIAL AS TEXT) ilike 'pan%' and CAST(v_ma_articulos.Stock AS TEXT) NOT ILIKE '1%'")
                  .replace(QStringLiteral("ilike"), QStringLiteral("ILIKE")));
    EXPECT_EQ(LikeSinCaso(QStringLiteral("WHERE A = 'x like y'")), QStringLiteral("WHERE A = 'x like y'"));
    EXPECT_EQ(LikeSinCaso(QStringLiteral("WHERE \"Mi Col\" LIKE 'a%'")), QStringLiteral("WHERE CAST(\"Mi Col\" AS TEXT) ILIKE 'a%'"));
    EXPECT_EQ(Traducir(QStringLiteral("WHERE A LIKE 'x%'"), Dialecto::SQLite), QStringLiteral("WHERE A LIKE 'x%'"))
        << "SQLite's LIKE already ignores case";
}

// An account's days in one statement, in each database's form, the literals untouched by the
// translation on the way (a quote, a "+" and a "--" inside a remark).
TEST(Dialecto, VariasFilasEnUnaSolaSentenciaSegunLaBase)
{
    const QString columnas = QStringLiteral("Periodo, DIA, Observaciones");
    const QList<QStringList> filas = {{QStringLiteral("'11/2026'"), QStringLiteral("1"), QStringLiteral("'O''Brien + 2 -- x'")},
                                      {QStringLiteral("'11/2026'"), QStringLiteral("2"), QStringLiteral("''")}};
    const QString valores = QStringLiteral("INSERT INTO EM_Tolvario (Periodo, DIA, Observaciones) VALUES "
                                           "('11/2026',1,'O''Brien + 2 -- x'),('11/2026',2,'')");
    for (Dialecto d : {Dialecto::SqlServer, Dialecto::PostgreSQL, Dialecto::SQLite})
        EXPECT_EQ(Traducir(InsertarFilas(d, QStringLiteral("EM_Tolvario"), columnas, filas), d), valores) << int(d);
    EXPECT_EQ(InsertarFilas(Dialecto::Oracle, QStringLiteral("EM_Tolvario"), columnas, filas),
              QStringLiteral("INSERT ALL INTO EM_Tolvario (Periodo, DIA, Observaciones) VALUES ('11/2026',1,'O''Brien + 2 -- x') "
                             "INTO EM_Tolvario (Periodo, DIA, Observaciones) VALUES ('11/2026',2,'') SELECT 1 FROM DUAL"));

    // SQLite takes it as it is and stores both rows exactly.
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("filas"));
        db.setDatabaseName(QStringLiteral(":memory:"));
        ASSERT_TRUE(db.open());
        QSqlQuery q(db);
        ASSERT_TRUE(q.exec(QStringLiteral("CREATE TABLE EM_Tolvario (Periodo TEXT, DIA INTEGER, Observaciones TEXT)")));
        ASSERT_TRUE(q.exec(Traducir(InsertarFilas(Dialecto::SQLite, QStringLiteral("EM_Tolvario"), columnas, filas), Dialecto::SQLite)))
            << q.lastError().text().toStdString();
        ASSERT_TRUE(q.exec(QStringLiteral("SELECT Observaciones FROM EM_Tolvario ORDER BY DIA")) && q.next());
        EXPECT_EQ(q.value(0).toString(), QStringLiteral("O'Brien + 2 -- x"));
        ASSERT_TRUE(q.next());
        EXPECT_EQ(q.value(0).toString(), QString());
    }
    QSqlDatabase::removeDatabase(QStringLiteral("filas"));
}
