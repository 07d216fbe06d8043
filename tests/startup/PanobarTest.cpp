#include "platform/Teclas.h"
#include "startup/Panobar.h"

#include <QAction>
#include <QSignalSpy>
#include <QToolButton>
#include <cmath>
#include <gtest/gtest.h>

TEST(Panobar, OchoBotonesApagadosConSuTeclaEnLaAyuda)
{
    Panobar barra;
    const char* claves[] = {"NUEVO", "BORRAR", "GRABAR", "PLANILLA", "CONSULTAR", "REPORTE", "CERRAR", "CANCELAR"};
    for (const char* c : claves) {
        QAction* a = barra.Boton(QString::fromLatin1(c));
        ASSERT_NE(a, nullptr) << c;
        EXPECT_FALSE(a->isEnabled()) << c;
        EXPECT_FALSE(a->icon().isNull()) << c;
        EXPECT_TRUE(a->toolTip().contains(u'F')) << c;
    }
    EXPECT_EQ(barra.Boton(QStringLiteral("GRABAR"))->text(), QStringLiteral("Grabar"));
    EXPECT_TRUE(barra.Boton(QStringLiteral("GRABAR"))->toolTip().contains(QStringLiteral("F5")));
    for (const char* p : {"nuevoenabled", "borrarenabled", "grabarenabled", "planillaenabled", "consultaenabled",
                          "reporteenabled", "cerrarenabled", "cancelarenabled"})
        EXPECT_FALSE(barra.property(p).toBool()) << p;
}

TEST(Panobar, LaTeclaDeUnBotonHabilitadoLoPulsaYSeConsume)
{
    Panobar barra;
    QSignalSpy pulsados(&barra, &Panobar::click);
    int tecla = Teclas::F5;
    barra.Tecla(tecla);
    EXPECT_EQ(pulsados.count(), 0) << "apagado no responde";
    EXPECT_EQ(tecla, Teclas::F5);

    barra.setProperty("grabarenabled", true);
    EXPECT_TRUE(barra.Boton(QStringLiteral("GRABAR"))->isEnabled());
    barra.Tecla(tecla);
    ASSERT_EQ(pulsados.count(), 1);
    EXPECT_EQ(pulsados.at(0).at(0).toString(), QStringLiteral("GRABAR"));
    EXPECT_EQ(tecla, 0);

    int otra = Teclas::Enter;
    barra.Tecla(otra);
    EXPECT_EQ(otra, Teclas::Enter);
    EXPECT_EQ(pulsados.count(), 1);
}

TEST(Panobar, ElClicDelRatonLlevaLaClaveYElEstiloCambiaLaForma)
{
    Panobar barra;
    barra.show();
    barra.setCerrarenabled(true);
    QSignalSpy pulsados(&barra, &Panobar::click);
    auto* boton = qobject_cast<QToolButton*>(barra.widgetForAction(barra.Boton(QStringLiteral("CERRAR"))));
    ASSERT_NE(boton, nullptr);
    boton->click();
    ASSERT_EQ(pulsados.count(), 1);
    EXPECT_EQ(pulsados.at(0).at(0).toString(), QStringLiteral("CERRAR"));

    barra.setProperty("StyleBar", 2.0);
    EXPECT_EQ(barra.StyleBar(), 2.0);
    EXPECT_EQ(barra.toolButtonStyle(), Qt::ToolButtonIconOnly);
    barra.setStyleBar(0);
    EXPECT_FALSE(boton->autoRaise());
    barra.setStyleBar(1);
    EXPECT_TRUE(boton->autoRaise());
    // A setting beyond any style is the last one, not a number cast out of range.
    barra.setStyleBar(1e18);
    EXPECT_EQ(barra.toolButtonStyle(), Qt::ToolButtonIconOnly);
    EXPECT_TRUE(boton->autoRaise());
    barra.setStyleBar(std::nan(""));
    EXPECT_EQ(barra.toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
    EXPECT_FALSE(boton->autoRaise());
}
