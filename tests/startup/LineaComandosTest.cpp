#include "startup/Inicio.h"

#include <gtest/gtest.h>

TEST(LineaComandos, ClavesSinMayusculasYBlancosRecortados)
{
    const QString linea = QStringLiteral("@SERVER=SRV;@dbname= EMPRESA ;@Usuario=sa;@Password=x;@UsuarioLogeado=JUAN;@Caja=3;");
    EXPECT_EQ(ValorDeClave(linea, QStringLiteral("@Server")), QStringLiteral("SRV"));
    EXPECT_EQ(ValorDeClave(linea, QStringLiteral("@DbName")), QStringLiteral("EMPRESA"));
    EXPECT_EQ(ValorDeClave(linea, QStringLiteral("@Caja")), QStringLiteral("3"));
    bool hallada = true;
    EXPECT_EQ(ValorDeClave(linea, QStringLiteral("@Menu"), &hallada), QString());
    EXPECT_FALSE(hallada);
}

TEST(LineaComandos, SinPuntoYComaElValorLlegaAlFinal)
{
    EXPECT_EQ(ValorDeClave(QStringLiteral("@Server=SRV @DbName=EMP"), QStringLiteral("@DbName")), QStringLiteral("EMP"));
    // The server's value runs up to the end as well: everything after the key.
    EXPECT_EQ(ValorDeClave(QStringLiteral("@Server=SRV @DbName=EMP"), QStringLiteral("@Server")),
              QStringLiteral("SRV @DbNameEMP"));
}

TEST(LineaComandos, UsuarioAntesQueUsuarioLogeado)
{
    // In the wrong order the first match of "@Usuario" is the start of "@UsuarioLogeado".
    const QString malo = QStringLiteral("@UsuarioLogeado=X;@Usuario=Y;");
    EXPECT_EQ(ValorDeClave(malo, QStringLiteral("@Usuario")), QStringLiteral("LogeadoX"));
    EXPECT_EQ(ValorDeClave(malo, QStringLiteral("@UsuarioLogeado")), QStringLiteral("X"));
}

TEST(NombreServidor, QuitaProtocoloYPuerto)
{
    EXPECT_EQ(NombreServidor(QStringLiteral("SRV01")), QStringLiteral("SRV01"));
    EXPECT_EQ(NombreServidor(QStringLiteral("tcp/SRV01:1433")), QStringLiteral("SRV01"));
    EXPECT_EQ(NombreServidor(QStringLiteral("SRV01:1433")), QStringLiteral("SRV01"));
    EXPECT_EQ(NombreServidor(QString()), QString());
}
