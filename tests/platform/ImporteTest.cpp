#include "platform/ErrorVB.h"
#include "platform/Importe.h"
#include "platform/Regional.h"
#include "suite/SuiteUtil.h"

#include <gtest/gtest.h>

namespace {

Importe de(const char* texto)
{
    Importe i;
    EXPECT_TRUE(Importe::leer(QString::fromLatin1(texto), i)) << texto;
    return i;
}

} // namespace

TEST(Importe, LeeConPuntoOComaYRedondeaAlPar)
{
    EXPECT_EQ(de("1234.5").diezmilesimos(), 12345000);
    EXPECT_EQ(de("1234,5").diezmilesimos(), 12345000);
    EXPECT_EQ(de("-0,0001").diezmilesimos(), -1);
    // A fifth decimal rounds half to even, never away from zero.
    EXPECT_EQ(de("0.00005").diezmilesimos(), 0);
    EXPECT_EQ(de("0.00015").diezmilesimos(), 2);
    EXPECT_EQ(de("2.00025").diezmilesimos(), 20002);
    Importe basura;
    EXPECT_FALSE(Importe::leer(QStringLiteral("12a"), basura));
    EXPECT_FALSE(Importe::leer(QString(), basura));
}

TEST(Importe, RedondeoYTextoSonExactos)
{
    EXPECT_EQ(de("2.5").entero(), 2);
    EXPECT_EQ(de("3.5").entero(), 4);
    EXPECT_EQ(de("-2.5").entero(), -2);
    EXPECT_EQ(de("1.125").redondeado(2), de("1.12"));
    EXPECT_EQ(de("1.135").redondeado(2), de("1.14"));
    EXPECT_EQ(de("1234.5").texto(), QStringLiteral("1234.5"));
    EXPECT_EQ(de("-3").texto(), QStringLiteral("-3"));
    EXPECT_EQ(de("0.0001").texto(), QStringLiteral("0.0001"));
    EXPECT_EQ(de("7.1").texto(2, u','), QStringLiteral("7,10"));
    // Sums of tenths stay exact where a double would drift.
    Importe s;
    for (int i = 0; i < 10; ++i)
        s += de("0.1");
    EXPECT_EQ(s, Importe::desdeEntero(1));
}

TEST(Importe, DesbordarEsUnErrorNuncaUnaVuelta)
{
    const Importe grande = Importe::desdeDiezmilesimos(INT64_MAX - 5);
    try {
        (void)(grande + Importe::desdeEntero(1));
        FAIL() << "la suma debía desbordar";
    } catch (const ErrorVB& e) {
        EXPECT_EQ(e.Number, ErrorVB::Desbordamiento);
    }
    EXPECT_THROW((void)SuiteUtil::TextToAmount(QStringLiteral("99999999999999999999")), ErrorVB);
}

TEST(TextToAmount, SeparadoresAgrupacionYNumeroInicial)
{
    using SuiteUtil::TextToAmount;
    Regional::Establecer(Regional::Ajustes{u'.', 2});
    EXPECT_EQ(TextToAmount(QStringLiteral("1.234,56")), de("1234.56"));
    EXPECT_EQ(TextToAmount(QStringLiteral("1,234.56")), de("1234.56"));
    EXPECT_EQ(TextToAmount(QStringLiteral("1.234.567")), de("1234567"));
    EXPECT_EQ(TextToAmount(QStringLiteral(" 12,5 ")), de("12.5"));
    EXPECT_EQ(TextToAmount(QStringLiteral("12 kg")), de("12"));
    EXPECT_EQ(TextToAmount(QStringLiteral("kg")), Importe());
    EXPECT_EQ(TextToAmount(QString()), Importe());
    EXPECT_EQ(SuiteUtil::TextToInteger(QStringLiteral("2,5")), 2);
    EXPECT_TRUE(SuiteUtil::IsValidText(QStringLiteral("-3,25")));
    EXPECT_FALSE(SuiteUtil::IsValidText(QStringLiteral("3x")));
    EXPECT_FALSE(SuiteUtil::IsValidText(QStringLiteral("1.234,56"))) << "typed: one separator at most";
    Regional::Establecer(std::nullopt);
}

// Under a decimal comma, the rule the clerk types by, case by case; the same list is in the README.
TEST(TextToAmount, ConComaDecimalLosPuntosAgrupanSoloEnSuLugar)
{
    Regional::Establecer(Regional::Ajustes{u',', 2});
    const std::pair<const char*, const char*> bien[] = {
        {"1.234,5", "1234.5"}, {"1.234.567,5", "1234567.5"}, {"1.234.567", "1234567"}, {"1,5", "1.5"},
        {"1.5", "1.5"}, {"1.234", "1.234"}, {"-12.345,25", "-12345.25"}, {",5", "0.5"}, {"1234,5", "1234.5"},
        {"94087.6700", "94087.67"}};
    for (const auto& [texto, valor] : bien) {
        Importe leido;
        EXPECT_TRUE(SuiteUtil::LeerCantidad(QString::fromLatin1(texto), leido)) << texto;
        EXPECT_EQ(leido, de(valor)) << texto;
        EXPECT_EQ(SuiteUtil::TextToAmount(QString::fromLatin1(texto)), de(valor)) << texto;
    }
    for (const char* mal : {"1,2,3", "1.23.4", "1,234.5", "1.23,4", "12.34.567", "1.2345,6", ".123.456", "1.234,5,6"}) {
        Importe leido;
        EXPECT_FALSE(SuiteUtil::LeerCantidad(QString::fromLatin1(mal), leido)) << mal;
        EXPECT_FALSE(SuiteUtil::IsValidText(QString::fromLatin1(mal))) << mal;
    }
    Regional::Establecer(std::nullopt);
}

// Found by the amounts' fuzz target: rounding the largest amount up wrapped to a negative one.
TEST(Importe, RedondearPorEncimaDelMaximoEsUnErrorNuncaUnaVuelta)
{
    Importe maximo;
    ASSERT_TRUE(Importe::leer(QStringLiteral("922337203685477.5807"), maximo));
    EXPECT_THROW((void)maximo.redondeado(0), ErrorVB);
    EXPECT_THROW((void)maximo.redondeado(1), ErrorVB);
    EXPECT_EQ(maximo.redondeado(2).texto(), QStringLiteral("922337203685477.58"));
    EXPECT_THROW((void)(-maximo).redondeado(3), ErrorVB);
}
