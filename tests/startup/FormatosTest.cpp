#include "platform/Regional.h"
#include "startup/Configuracion.h"
#include "startup/Formatos.h"
#include "suite/SuiteUtil.h"

#include <gtest/gtest.h>

namespace {

class FormatosTest : public testing::Test
{
protected:
    void SetUp() override { Regional::Establecer(Regional::Ajustes{u',', 2}); }
    void TearDown() override
    {
        Regional::Establecer(std::nullopt);
        gConfiguracion = ConfiguracionSuite();
    }
};

} // namespace

TEST_F(FormatosTest, DecimalesPedidosConElSeparadorRegional)
{
    EXPECT_EQ(FormatoCantidad(QStringLiteral("1234.5"), 2), QStringLiteral("1234,50"));
    EXPECT_EQ(FormatoCantidad(QStringLiteral("1234.5"), -3), QStringLiteral("1234.5"));
    EXPECT_EQ(FormatoCantidad(QStringLiteral("-7.125"), 2), QStringLiteral("-7,12"));
    EXPECT_EQ(FormatoCantidad(QStringLiteral("0"), 2), QStringLiteral("0,00"));
    EXPECT_EQ(FormatoCantidad(QStringLiteral(".5"), 1), QStringLiteral("0,5"));
    EXPECT_EQ(FormatoCantidad(QStringLiteral("3"), 6), QStringLiteral("3,000000"));
    EXPECT_EQ(FormatoCantidad(QStringLiteral("1234567890.1"), 2), QStringLiteral("1234567890,10")) << "no grouping";
}

TEST_F(FormatosTest, MenosDosEsSinDecimalesYCeroLosDeLaRegion)
{
    EXPECT_EQ(FormatoCantidad(QStringLiteral("1234.5"), -2), QStringLiteral("1234"));
    EXPECT_EQ(FormatoCantidad(QStringLiteral("1235.5"), -2), QStringLiteral("1236"));
    EXPECT_EQ(FormatoCantidad(QStringLiteral("-0.4"), -2), QStringLiteral("0"));
    EXPECT_EQ(FormatoCantidad(QStringLiteral("12.345"), 0), QStringLiteral("12,34"));
    Regional::Establecer(Regional::Ajustes{u'.', 0});
    EXPECT_EQ(FormatoCantidad(QStringLiteral("12.5"), 0), QStringLiteral("12"));
}

TEST_F(FormatosTest, MenosUnoTomaLosDecimalesDeLaSuite)
{
    gConfiguracion.CantidadDecimales = QStringLiteral("3");
    EXPECT_EQ(FormatoCantidad(QStringLiteral("1.23456"), -1), QStringLiteral("1,235"));
    // Missing: a blank, read as 0, which means the regional digits.
    gConfiguracion.CantidadDecimales = QStringLiteral(" ");
    EXPECT_EQ(FormatoCantidad(QStringLiteral("1.23456"), -1), QStringLiteral("1,23"));
}

TEST_F(FormatosTest, LoEscritoSeLeeIgualConPuntoOConComa)
{
    for (QChar separador : {QChar(u'.'), QChar(u',')}) {
        Regional::Establecer(Regional::Ajustes{separador, 2});
        for (const char* t : {"0", "-0.0001", "1234.5678", "-98765.4321", "1000000", "0.5", "922337203685.4775"}) {
            for (int d : {4, 3, 2}) {
                const Importe original = SuiteUtil::TextToAmount(QString::fromLatin1(t)).redondeado(d);
                const QString escrito = FormatoCantidad(QString::fromLatin1(t), d);
                EXPECT_EQ(SuiteUtil::TextToAmount(escrito), original) << t << " d=" << d << " -> " << escrito.toStdString();
            }
        }
    }
}

TEST(Formatos, PatronesDeFechaYHora)
{
    EXPECT_EQ(FormatoFecha(), QStringLiteral("dd/mm/yy"));
    EXPECT_EQ(FormatoHora(), QStringLiteral("hh:mm"));
    const QDateTime m(QDate(2026, 12, 7), QTime(23, 54, 9));
    EXPECT_EQ(ConPatron(m, FormatoFecha() + u' ' + FormatoHora()), QStringLiteral("07/12/26 23:54"));
    EXPECT_EQ(ConPatron(m, QStringLiteral("dd/mm/yyyy hh:nn:ss")), QStringLiteral("07/12/2026 23:54:09"));
}
