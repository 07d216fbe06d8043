#include "data/TextoConexion.h"
#include "platform/ErrorVB.h"

#include <gtest/gtest.h>

using namespace TextoConexion;

TEST(TextoConexion, ParesSinMayusculasYValoresEntreComillas)
{
    const auto p = Pares(QStringLiteral("Provider=PostgreSQL; Server = db1 ;Pwd=\"a;b\"\"c\";Database=emp"));
    EXPECT_EQ(p.value(QStringLiteral("provider")), QStringLiteral("PostgreSQL"));
    EXPECT_EQ(p.value(QStringLiteral("server")), QStringLiteral("db1"));
    EXPECT_EQ(p.value(QStringLiteral("pwd")), QStringLiteral("a;b\"c"));
    EXPECT_EQ(p.value(QStringLiteral("database")), QStringLiteral("emp"));
    EXPECT_EQ(Pares(QStringLiteral("Pwd=") + Valor(QStringLiteral("x;y")) + QStringLiteral(";")).value(QStringLiteral("pwd")),
              QStringLiteral("x;y"));
}

TEST(TextoConexion, CadaProveedorVaASuControlador)
{
    const DestinoConexion lite = Interpretar(QStringLiteral("Provider=SQLite;Data Source=/tmp/a b.db;"));
    EXPECT_EQ(lite.driver, QStringLiteral("QSQLITE"));
    EXPECT_EQ(lite.dialecto, Dialecto::SQLite);
    EXPECT_TRUE(lite.base.startsWith(QStringLiteral("file:///tmp/a%20b.db")));
    EXPECT_TRUE(lite.base.endsWith(QStringLiteral("?mode=rw"))) << "never created when missing";
    EXPECT_TRUE(lite.opciones.contains(QStringLiteral("QSQLITE_OPEN_URI")));

    const DestinoConexion pg = Interpretar(QStringLiteral("Provider=PostgreSQL;Server=h;Port=6543;Database=d;UId=u;Pwd=p;"));
    EXPECT_EQ(pg.driver, QStringLiteral("QPSQL"));
    EXPECT_EQ(pg.puerto, 6543);
    EXPECT_EQ(pg.base, QStringLiteral("d"));
    EXPECT_EQ(pg.usuario, QStringLiteral("u"));
    EXPECT_EQ(pg.clave, QStringLiteral("p"));

    const DestinoConexion ss = Interpretar(QStringLiteral("PROVIDER=SQLOLEDB;Server=SRV;Database =EMPRESA;UId=sa;Pwd=x;"));
    EXPECT_EQ(ss.driver, QStringLiteral("QODBC"));
    EXPECT_EQ(ss.base, QStringLiteral("DRIVER={FreeTDS};SERVER=SRV;PORT=1433;DATABASE=EMPRESA;TDS_Version=7.4;ClientCharset=UTF-8"));
    EXPECT_FALSE(ss.base.contains(QStringLiteral("x"))) << "the password is set on the connection, not in the text";
    EXPECT_EQ(ss.usuario, QStringLiteral("sa"));

    const DestinoConexion ora = Interpretar(QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=PROD;User Id=u;Password=p;"));
    EXPECT_EQ(ora.dialecto, Dialecto::Oracle);
    EXPECT_TRUE(ora.base == QStringLiteral("PROD") || ora.base == QStringLiteral("DSN=PROD"));

    EXPECT_THROW(Interpretar(QStringLiteral("Provider=Jet;Data Source=x")), ErrorVB);
}
