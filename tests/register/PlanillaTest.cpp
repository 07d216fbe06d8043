// The grid's texts and the running stock, without a window.
#include "platform/Regional.h"
#include "register/Planilla.h"
#include "suite/SuiteUtil.h"

#include <gtest/gtest.h>

namespace {

Importe imp(const char* t)
{
    return SuiteUtil::TextToAmount(QString::fromLatin1(t));
}

class PlanillaTest : public testing::Test
{
protected:
    void SetUp() override { Regional::Establecer(Regional::Ajustes{u',', 2}); }
    void TearDown() override { Regional::Establecer(std::nullopt); }
    static QString saldo(const Planilla& p, int dia) { return p.Texto(dia + 1, Planilla::ColSaldo); }
    Planilla p;
};

} // namespace

TEST_F(PlanillaTest, UnRegistroVacioArrastraElSaldoAnteriorHastaElCierre)
{
    p.Asignar(imp("10"), {}, 2);
    EXPECT_EQ(p.Texto(0, 0), QStringLiteral("Dia"));
    EXPECT_EQ(p.Texto(Planilla::FilaSaldoAnterior, Planilla::ColObservaciones), QStringLiteral("SALDO ANTERIOR"));
    EXPECT_EQ(p.Texto(Planilla::FilaSaldoAnterior, Planilla::ColSaldo), QStringLiteral("10,00"));
    for (int dia = 1; dia <= 31; ++dia) {
        EXPECT_EQ(p.Texto(dia + 1, Planilla::ColDia), QString::number(dia));
        EXPECT_EQ(saldo(p, dia), QStringLiteral("10,00"));
    }
    EXPECT_EQ(p.Texto(Planilla::FilaTotales, Planilla::ColEntradas), QStringLiteral("0"));
    EXPECT_EQ(p.Texto(Planilla::FilaTotales, Planilla::ColSalidas), QStringLiteral("0"));
    EXPECT_EQ(p.Texto(Planilla::FilaTotales, Planilla::ColSaldo), QStringLiteral("10,00"));
    EXPECT_TRUE(p.Texto(Planilla::FilaTotales, Planilla::ColDia).isEmpty()) << "the totals are never stored";
}

TEST_F(PlanillaTest, ElSaldoCorreDiaADiaYLosTotalesSonLaSumaSinRedondear)
{
    p.Asignar(imp("10"), {{1, imp("5"), {}, {}, {}}, {2, {}, imp("3"), QStringLiteral("remito 12"), {}}}, 2);
    EXPECT_EQ(p.Texto(2, Planilla::ColEntradas), QStringLiteral("5,00"));
    EXPECT_TRUE(p.Texto(2, Planilla::ColSalidas).isEmpty()) << "a zero shows empty";
    EXPECT_EQ(saldo(p, 1), QStringLiteral("15,00"));
    EXPECT_EQ(saldo(p, 2), QStringLiteral("12,00"));
    EXPECT_EQ(saldo(p, 31), QStringLiteral("12,00"));
    EXPECT_EQ(p.Texto(3, Planilla::ColObservaciones), QStringLiteral("remito 12"));

    // A value typed with more decimals than shown counts whole in the totals.
    p.PonerTexto(5, Planilla::ColEntradas, QStringLiteral("0,125"));
    p.Totalizar(2);
    EXPECT_EQ(p.Texto(Planilla::FilaTotales, Planilla::ColEntradas), QStringLiteral("5,125"));
    EXPECT_EQ(p.Texto(Planilla::FilaTotales, Planilla::ColSalidas), QStringLiteral("3"));
    EXPECT_EQ(saldo(p, 4), QStringLiteral("12,12")) << "12.125 rounds half to even";
    EXPECT_EQ(p.Texto(Planilla::FilaTotales, Planilla::ColSaldo), saldo(p, 31));
}

TEST_F(PlanillaTest, SinDecimalesSeMuestraRedondeadoPeroCuentaLoEscrito)
{
    p.Asignar({}, {}, -2);
    p.PonerTexto(2, Planilla::ColEntradas, QStringLiteral("2,6"));
    p.PonerTexto(3, Planilla::ColEntradas, QStringLiteral("0,4"));
    p.Totalizar(-2);
    EXPECT_EQ(saldo(p, 1), QStringLiteral("3"));
    EXPECT_EQ(saldo(p, 2), QStringLiteral("3"));
    EXPECT_EQ(p.Texto(Planilla::FilaTotales, Planilla::ColEntradas), QStringLiteral("3"));
    // Once stored and loaded again it is shown rounded, yet counted and stored as it is: the
    // totals are the book's, and a save of the loaded lines changes nothing.
    p.Asignar(imp("0.5"), {{1, imp("2.6"), {}, {}, {}}, {2, {}, imp("0.5"), {}, {}}}, -2);
    EXPECT_EQ(p.Texto(2, Planilla::ColEntradas), QStringLiteral("3"));
    EXPECT_EQ(p.Texto(Planilla::FilaTotales, Planilla::ColEntradas), QStringLiteral("2,6"));
    EXPECT_EQ(saldo(p, 2), QStringLiteral("3")) << "0.5 + 2.6 - 0.5, rounded only when shown";
    EXPECT_EQ(p.LineasDeDia()[0].entradas, imp("2.6"));
    EXPECT_EQ(p.LineasDeDia()[1].salidas, imp("0.5"));
    // What the clerk types over it is taken from the text.
    p.PonerTexto(2, Planilla::ColEntradas, QStringLiteral("4"));
    EXPECT_EQ(p.LineasDeDia()[0].entradas, imp("4"));
}

// A register not written by this window may skip days: each line stays on its day's row, so
// no day appears twice and the next save stores each day once.
TEST_F(PlanillaTest, LasLineasVanALaFilaDeSuDia)
{
    p.Asignar({}, {{3, imp("7"), {}, {}, {}}, {10, {}, imp("2"), {}, {}}, {40, imp("99"), {}, {}, {}}}, 2);
    EXPECT_TRUE(p.Texto(2, Planilla::ColEntradas).isEmpty());
    EXPECT_EQ(p.Texto(4, Planilla::ColEntradas), QStringLiteral("7,00"));
    EXPECT_EQ(p.Texto(11, Planilla::ColSalidas), QStringLiteral("2,00"));
    EXPECT_EQ(saldo(p, 31), QStringLiteral("5,00")) << "a day outside the month has no row";
    const auto lineas = p.LineasDeDia();
    ASSERT_EQ(lineas.size(), 31u);
    for (int i = 0; i < 31; ++i)
        EXPECT_EQ(lineas[size_t(i)].dia, i + 1);
}

TEST_F(PlanillaTest, LasLineasAGrabarLeenLasCeldasYRecortanLasObservaciones)
{
    p.PonerTexto(2, Planilla::ColEntradas, QStringLiteral("2,5"));
    p.PonerTexto(2, Planilla::ColObservaciones, QStringLiteral("  camión de O'Brien  "));
    const auto lineas = p.LineasDeDia();
    ASSERT_EQ(lineas.size(), 31u);
    EXPECT_EQ(lineas[0], (Planilla::Linea{1, imp("2.5"), {}, QStringLiteral("camión de O'Brien"), {}}));
    EXPECT_EQ(lineas[30], (Planilla::Linea{31, {}, {}, {}, {}}));
    // A NUL or a tab would be refused by some databases with the whole account.
    EXPECT_EQ(Planilla::ObservacionGuardable(QString::fromUtf8("a\tb\0c\x01 ", 8)), QStringLiteral("a b c"));
}

TEST(Cantidad, SoloNumerosConUnSeparadorYDentroDelRango)
{
    Regional::Establecer(Regional::Ajustes{u'.', 2});
    for (const char* bien : {"5", "2,5", "2.5", "-3", "+4", ".5", "1234567.8901", "999999999.9999", "-999999999"})
        EXPECT_TRUE(Planilla::EsCantidad(QString::fromLatin1(bien))) << bien;
    for (const char* mal : {"", "abc", "-", "+", "1.2.3", "1,234,567", "1.234,5", "12 kg", "1e5", "--1",
                            "99999999999999999999", "1000000000", "-1000000000.5"})
        EXPECT_FALSE(Planilla::EsCantidad(QString::fromLatin1(mal))) << mal;
    // A decimal comma takes the thousands' points in their places, and keeps the range.
    Regional::Establecer(Regional::Ajustes{u',', 2});
    for (const char* bien : {"1.234,5", "999.999.999,9999", "1.5", "2,5"})
        EXPECT_TRUE(Planilla::EsCantidad(QString::fromLatin1(bien))) << bien;
    for (const char* mal : {"1,2,3", "1.23.4", "1.000.000.000", "1,234.5"})
        EXPECT_FALSE(Planilla::EsCantidad(QString::fromLatin1(mal))) << mal;
    Regional::Establecer(std::nullopt);
}
