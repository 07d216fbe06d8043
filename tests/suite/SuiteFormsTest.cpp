// Which keys advance a field and which characters each kind of field takes.
#include "platform/Regional.h"
#include "platform/Teclas.h"
#include "suite/SuiteForms.h"

#include <QLineEdit>
#include <gtest/gtest.h>

TEST(SuiteForms, EnterArribaAbajoYTabAvanzanEscapeNo)
{
    for (int k : {int(Teclas::Enter), int(Teclas::Arriba), int(Teclas::Abajo), int(Teclas::Tab)})
        EXPECT_TRUE(SuiteForms::IsAdvanceKey(k)) << k;
    for (int k : {int(Teclas::Escape), int(Teclas::Derecha), int(Teclas::F5), 0})
        EXPECT_FALSE(SuiteForms::IsAdvanceKey(k)) << k;
}

TEST(SuiteForms, CadaClaseDeCampoTomaSusCaracteres)
{
    Regional::Establecer(Regional::Ajustes{u'.', 2});
    QLineEdit cantidad;
    cantidad.setProperty("Numerico", true);
    QLineEdit periodo;
    periodo.setProperty("DataField", QStringLiteral("PERIODO"));
    QLineEdit texto;
    const auto toma = [](QLineEdit& c, const QString& antes, char16_t ch) {
        c.setText(antes);
        c.setCursorPosition(int(antes.size()));
        return SuiteForms::FilterKey(&c, ch) != 0;
    };
    EXPECT_TRUE(toma(cantidad, QString(), u'-'));
    EXPECT_FALSE(toma(cantidad, QStringLiteral("1"), u'-')) << "the minus only first";
    EXPECT_TRUE(toma(cantidad, QStringLiteral("12"), u','));
    EXPECT_TRUE(toma(cantidad, QStringLiteral("12"), u'.'));
    EXPECT_FALSE(toma(cantidad, QStringLiteral("1.2"), u',')) << "one separator";
    EXPECT_FALSE(toma(cantidad, QStringLiteral("1"), u'a'));
    EXPECT_FALSE(toma(cantidad, QStringLiteral("1"), u' '));
    EXPECT_TRUE(toma(periodo, QStringLiteral("03"), u'/'));
    EXPECT_FALSE(toma(periodo, QStringLiteral("03"), u'-'));
    EXPECT_TRUE(toma(texto, QStringLiteral("x"), u'\''));
    EXPECT_TRUE(toma(texto, QStringLiteral("x"), u'ñ'));
    // Replacing a selection is judged on what the text becomes.
    cantidad.setText(QStringLiteral("1.5"));
    cantidad.setSelection(1, 2);
    EXPECT_TRUE(SuiteForms::FilterKey(&cantidad, u','));
    EXPECT_FALSE(SuiteForms::TextoAdmitido(&texto, QStringLiteral("dos\nlíneas")));
    // Under a decimal comma the thousands' points are typed too; the commit judges the whole.
    Regional::Establecer(Regional::Ajustes{u',', 2});
    EXPECT_TRUE(toma(cantidad, QStringLiteral("1.234"), u','));
    EXPECT_TRUE(toma(cantidad, QStringLiteral("1.234"), u'.'));
    EXPECT_TRUE(toma(cantidad, QStringLiteral("1,2"), u','));
    EXPECT_FALSE(toma(cantidad, QStringLiteral("1,2"), u'a'));
    Regional::Establecer(std::nullopt);
}

TEST(SuiteForms, LoPegadoPasaPorLaMismaRegla)
{
    QLineEdit cantidad;
    cantidad.setProperty("Numerico", true);
    SuiteForms::FiltrarEntrada(&cantidad);
    cantidad.insert(QStringLiteral("doce"));
    EXPECT_TRUE(cantidad.text().isEmpty());
    cantidad.insert(QStringLiteral("12,5"));
    EXPECT_EQ(cantidad.text(), QStringLiteral("12,5"));
    QLineEdit texto;
    texto.setMaxLength(10);
    SuiteForms::FiltrarEntrada(&texto);
    texto.insert(QStringLiteral("uno\ndos\r\ntres y más"));
    EXPECT_EQ(texto.text(), QStringLiteral("uno dos t")) << "cut to the limit first, then each line break a blank";
}
