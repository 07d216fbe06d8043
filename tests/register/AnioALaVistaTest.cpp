// The year at a glance, through the real window: F6 shows every account's months of the
// year, the stock below zero in red, the chart of the accounts ticked; a month chosen opens
// in the register, asking first about what is pending.
#include "platform/Operador.h"
#include "register/Planilla.h"
#include "tests/register/BaseDeRegistro.h"
#include "tests/support/VentanaModal.h"

#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

using P = Planilla;

class AnioALaVistaTest : public BaseDeRegistro
{
protected:
    void datos() override
    {
        BaseDeRegistro::datos();
        fila(u"12/2024"_s, u"MOLINO"_s, 1, u"100"_s, u"0"_s);
        fila(u"01/2025"_s, u"MOLINO"_s, 1, u"10"_s, u"0"_s);
        fila(u"03/2025"_s, u"MOLINO"_s, 2, u"0"_s, u"200"_s);
        fila(u"02/2025"_s, u"C002"_s, 1, u"5"_s, u"0"_s);
        fila(u"06/2024"_s, u"C001"_s, 1, u"1"_s, u"0"_s);
    }
    // F6 with the dialog's steps run while it is open.
    void anio(const std::function<void(QWidget*)>& pasos)
    {
        ConVentanaModal(pasos, [this] { tecla(Qt::Key_F6); });
    }
};

} // namespace

TEST_P(AnioALaVistaTest, ElAnioMuestraCadaCuentaMesAMesYAbreElMesElegido)
{
    m_guion->respuestasFijas = {{u"está lejos de los guardados"_s, Operador::Si}};
    elegirPeriodo(u"01/2025"_s);
    escribirDia(5, P::ColEntradas, u"3"_s);
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::No};
    anio([&](QWidget* v) {
        auto* tabla = v->findChild<QTableWidget*>(u"TblAnio"_s);
        auto* spin = v->findChild<QSpinBox*>(u"SpnAnio"_s);
        auto* grafico = v->findChild<QChartView*>(u"GrfAnio"_s);
        ASSERT_TRUE(tabla && spin && grafico);
        EXPECT_EQ(spin->value(), 2025) << "the year of the period on screen";
        ASSERT_EQ(tabla->rowCount(), 8) << "the mill and C002, four lines each";
        EXPECT_EQ(tabla->item(0, 0)->text(), u"Molino"_s);
        EXPECT_EQ(tabla->item(4, 0)->text(), u"C002"_s);
        EXPECT_EQ(tabla->item(5, 0)->text(), u"Cooperativa Los Alamos"_s) << "the customer's name under its code";
        // January: 100 carried, 10 in; February carries 110 on without rows; March -90.
        EXPECT_EQ(tabla->item(0, 2)->text(), u"100"_s);
        EXPECT_EQ(tabla->item(3, 2)->text(), u"110"_s);
        EXPECT_EQ(tabla->item(0, 3)->text(), u"110"_s);
        EXPECT_EQ(tabla->item(3, 4)->text(), u"-90"_s);
        EXPECT_EQ(tabla->item(3, 4)->foreground().color(), QColor(0xC0, 0, 0)) << "below zero in red";
        EXPECT_EQ(tabla->item(3, 14)->text(), u"-90"_s) << "the year's closing";
        EXPECT_EQ(tabla->item(2, 14)->text(), u"200"_s) << "the year's deliveries";
        EXPECT_EQ(grafico->chart()->series().size(), 2);
        tabla->item(4, 0)->setCheckState(Qt::Unchecked);
        EXPECT_EQ(grafico->chart()->series().size(), 1) << "an account hidden from the chart";
        spin->setValue(2024);
        EXPECT_EQ(tabla->rowCount(), 8) << "the mill and C001 in 2024";
        EXPECT_EQ(tabla->item(4, 0)->text(), u"C001"_s);
        spin->setValue(2025);
        // Printed as the book is: the preview over the view's pages, the chart's page last.
        int paginas = 0;
        ConVentanaModal(
            [&](QWidget* vista) {
                if (auto* previa = qobject_cast<QPrintPreviewDialog*>(vista)) {
                    if (auto* hoja = previa->findChild<QPrintPreviewWidget*>())
                        paginas = hoja->pageCount();
                }
            },
            [&] { QTest::mouseClick(v->findChild<QPushButton*>(u"CmdImprimir"_s), Qt::LeftButton); });
        EXPECT_EQ(paginas, 2) << "the months, then the chart";
        // Enter on an account's name opens nothing; on March it opens March, after the
        // question about January's change.
        tabla->setCurrentCell(0, 1);
        tabla->setFocus();
        QTest::keyClick(tabla, Qt::Key_Return);
        EXPECT_TRUE(v->isVisible());
        tabla->setCurrentCell(3, 4);
        tabla->setFocus();
        QTest::keyClick(tabla, Qt::Key_Return);
    });
    EXPECT_NE(aviso(u"Hay cambios sin grabar en 01/2025"_s), nullptr) << todo();
    EXPECT_EQ(periodo(), u"03/2025"_s);
    EXPECT_EQ(enGrilla(3, P::ColSalidas), u"200"_s);
    EXPECT_EQ(cuantas(u"01/2025"_s, u"MOLINO"_s), u"1"_s) << "No dropped January's change";
}

CON_CADA_MOTOR(AnioALaVistaTest);
