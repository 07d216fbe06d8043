#include "data/DB_Dll.h"

#include <gtest/gtest.h>

TEST(TiposADO, CadaFamiliaConSuLista)
{
    EXPECT_TRUE(DB_Dll::adodate(135));
    EXPECT_TRUE(DB_Dll::adodate(64));
    EXPECT_FALSE(DB_Dll::adodate(200));
    EXPECT_TRUE(DB_Dll::ADOText(202));
    EXPECT_FALSE(DB_Dll::ADOText(129)) << "char is not a text type here";
    EXPECT_TRUE(DB_Dll::ADONumeric(131));
    EXPECT_FALSE(DB_Dll::ADONumeric(139));
    EXPECT_FALSE(DB_Dll::ADONumeric(6)) << "currency only by its own test";
    EXPECT_TRUE(DB_Dll::ADOCurrency(6));
    EXPECT_TRUE(DB_Dll::ADOBoolean(11));
    EXPECT_FALSE(DB_Dll::ADOBoolean(QStringLiteral("once")));
    EXPECT_FALSE(DB_Dll::adodate(QVariant()));
}

TEST(NombresADO, CorchetesConexionesYArchivos)
{
    EXPECT_EQ(DB_Dll::AddBrackets(QStringLiteral("Cuentas Corrientes")), QStringLiteral("[Cuentas Corrientes]"));
    EXPECT_EQ(DB_Dll::AddBrackets(QStringLiteral("[Cuentas Corrientes]")), QStringLiteral("[Cuentas Corrientes]"));
    EXPECT_EQ(DB_Dll::AddBrackets(QStringLiteral("MA_CUENTAS")), QStringLiteral("MA_CUENTAS"));
    EXPECT_EQ(DB_Dll::StripBrackets(QStringLiteral("[MA_CUENTAS]")), QStringLiteral("MA_CUENTAS"));
    EXPECT_EQ(DB_Dll::StripBrackets(QStringLiteral("MA_CUENTAS")), QStringLiteral("MA_CUENTAS"));
    EXPECT_EQ(DB_Dll::StripConnect(QStringLiteral("MA_CUENTAS ->CONTABLE")), QStringLiteral("MA_CUENTAS"));
    EXPECT_EQ(DB_Dll::StripConnect(QStringLiteral("MA_CUENTAS")), QStringLiteral("MA_CUENTAS"));
    EXPECT_EQ(DB_Dll::StripFileName(QStringLiteral("C:\\DATOS\\EMPRESA.MDB")), QStringLiteral("C:\\DATOS"));
    EXPECT_EQ(DB_Dll::StripFileName(QStringLiteral("EMPRESA.MDB")), QString());
}

TEST(NombresADO, PropietarioYPartes)
{
    QString n = QStringLiteral("dbo.MA_CUENTAS");
    EXPECT_EQ(DB_Dll::StripOwner(n), QStringLiteral("MA_CUENTAS"));
    EXPECT_EQ(n, QStringLiteral("MA_CUENTAS"));
    QString tres = QStringLiteral("A.B.C");
    EXPECT_EQ(DB_Dll::StripOwner(tres), QStringLiteral("B.C"));

    QString a = QStringLiteral("dbo.MA_CUENTAS");
    EXPECT_EQ(DB_Dll::stSTF(a, true), QStringLiteral("MA_CUENTAS"));
    EXPECT_EQ(DB_Dll::stSTF(a, false), QStringLiteral("dbo"));
    QString b = QStringLiteral("base.dbo.MA_CUENTAS");
    EXPECT_EQ(DB_Dll::stSTF(b, false), QStringLiteral("dbo.MA_CUENTAS"));
    EXPECT_EQ(b, QStringLiteral("dbo.MA_CUENTAS"));
    QString c = QStringLiteral("MA_CUENTAS");
    EXPECT_EQ(DB_Dll::stSTF(c, true), QStringLiteral("MA_CUENTAS"));
    EXPECT_THROW(DB_Dll::stSTF(c, false), ErrorVB);
}
