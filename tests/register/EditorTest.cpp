// The grid editor and the header keys, driven by keys and the mouse only, as the clerk types
// a month.
#include "register/EditorDeCelda.h"
#include "tests/support/Controles.h"
#include "platform/Regional.h"
#include "lookup/Lib_FrmCons3.h"
#include "register/ModeloRegistro.h"
#include "startup/Panobar.h"
#include "tests/register/BaseDeRegistro.h"
#include "tests/support/VentanaModal.h"

#include <QApplication>
#include <QClipboard>
#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QTabBar>
#include <QTableView>
#include <QTest>

namespace {

using P = Planilla;

class EditorTest : public BaseDeRegistro
{
protected:
    QLineEdit* campo(int i) const { return Controles::Caja(m_ventana.get(), i); }
    QLineEdit* editor() const { return m_ventana->findChild<QLineEdit*>(QStringLiteral("txtEdit")); }
    QTableView* grilla() const { return m_ventana->findChild<QTableView*>(QStringLiteral("MSFlexGrid")); }
    QWidget* foco() const { return QApplication::focusWidget(); }
    // Each key to whatever has the focus by then, as a keyboard does.
    void teclear(const QString& texto)
    {
        for (QChar c : texto)
            QTest::keyClicks(foco(), QString(c));
    }
    void pulsar(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier) { QTest::keyClick(foco(), k, m); }
    // Period, Enter, Enter, Enter: the cursor waits on the first day's Entradas.
    void abrirMes(const QString& periodo)
    {
        elegirPeriodo(periodo);
        pulsar(Qt::Key_Return);
        pulsar(Qt::Key_Return);
    }
    QRect rectoDe(int fila, int columna) const
    {
        return grilla()->visualRect(m_ventana->Modelo().index(ModeloRegistro::FilaDeVista(fila), columna));
    }
};

} // namespace

TEST_P(EditorTest, UnMesEnteroSoloConElTeclado)
{
    abrirMes(QStringLiteral("03/2006"));
    ASSERT_EQ(foco(), grilla()) << "three Enters bring the clerk to the first day";
    ASSERT_EQ(m_ventana->Editor().FilaActual(), P::PrimeraFilaDia);
    ASSERT_EQ(m_ventana->Editor().ColumnaActual(), P::ColEntradas);
    for (int dia = 1; dia <= 31; ++dia) {
        teclear(QString::number(100 + dia));
        ASSERT_TRUE(editor()->isVisible()) << dia;
        pulsar(Qt::Key_Return);
        ASSERT_EQ(m_ventana->Editor().ColumnaActual(), P::ColSalidas) << dia;
        if (dia % 2 == 0) {
            teclear(QStringLiteral("40,5"));
            pulsar(Qt::Key_Return);
        } else {
            pulsar(Qt::Key_Return); // nothing delivered: Enter skips the cell
        }
        ASSERT_EQ(m_ventana->Editor().ColumnaActual(), P::ColObservaciones) << "the stock column is skipped";
        if (dia % 10 == 0)
            teclear(QStringLiteral("Remito %1 de O'Brien").arg(dia));
        pulsar(Qt::Key_Return);
        ASSERT_EQ(m_ventana->Editor().ColumnaActual(), P::ColEntradas) << "back to the same row's Entradas";
        ASSERT_EQ(m_ventana->Editor().FilaActual(), dia + 1);
        pulsar(Qt::Key_Down);
    }
    // A change of mind on day 5: Escape leaves the cell as it was.
    m_ventana->Editor().IrACelda(6, P::ColSalidas);
    grilla()->setFocus();
    teclear(QStringLiteral("999"));
    pulsar(Qt::Key_Escape);
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_TRUE(celda(6, P::ColSalidas).isEmpty());

    pulsar(Qt::Key_F5);
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
    elegirPeriodo(QStringLiteral("02/2006"));
    elegirPeriodo(QStringLiteral("03/2006"));
    EXPECT_EQ(celda(2, P::ColEntradas), QStringLiteral("101"));
    EXPECT_EQ(celda(32, P::ColEntradas), QStringLiteral("131"));
    EXPECT_EQ(celda(3, P::ColSalidas), QStringLiteral("40")) << "40.5 shown as a whole number, half to even";
    EXPECT_EQ(celda(11, P::ColObservaciones), QStringLiteral("Remito 10 de O'Brien"));
    EXPECT_EQ(valor(QStringLiteral("SELECT SUM(Entradas) FROM EM_Tolvario WHERE Periodo = '03/2006'")).toDouble(), 3596.0);
    EXPECT_EQ(valor(QStringLiteral("SELECT SUM(Salidas) FROM EM_Tolvario WHERE Periodo = '03/2006'")).toDouble(), 15 * 40.5);
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '03/2006'")), QStringLiteral("31"));
}

TEST_P(EditorTest, ElEditorSigueASuCeldaAlDesplazarYRedimensionar)
{
    abrirMes(QStringLiteral("03/2006"));
    m_ventana->resize(1000, 500);
    QCoreApplication::processEvents();
    m_ventana->Editor().IrACelda(25, P::ColObservaciones);
    teclear(QStringLiteral("nota"));
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->geometry(), rectoDe(25, P::ColObservaciones));
    // A capital's accent whole, in the cell and in the editor laid over it.
    const QFontMetrics letra = grilla()->fontMetrics();
    const int acentos = letra.boundingRect(QStringLiteral("ÑANDÚ")).height();
    EXPECT_GE(grilla()->rowHeight(25), acentos + 2);
    EXPECT_GE(editor()->contentsRect().marginsRemoved(editor()->textMargins()).height(), std::max(letra.height(), acentos));
    grilla()->verticalScrollBar()->setValue(grilla()->verticalScrollBar()->value() - 3);
    EXPECT_EQ(editor()->geometry(), rectoDe(25, P::ColObservaciones)) << "scrolled";
    grilla()->horizontalHeader()->resizeSection(P::ColSalidas, 200);
    EXPECT_EQ(editor()->geometry(), rectoDe(25, P::ColObservaciones)) << "a column widened";
    m_ventana->resize(1300, 760);
    QCoreApplication::processEvents();
    EXPECT_EQ(editor()->geometry(), rectoDe(25, P::ColObservaciones)) << "the window resized";
    EXPECT_EQ(editor()->text(), QStringLiteral("nota"));
    pulsar(Qt::Key_Return);
    EXPECT_EQ(celda(25, P::ColObservaciones), QStringLiteral("nota"));
}

TEST_P(EditorTest, LoQueNoEsCantidadNuncaLlegaALaCelda)
{
    abrirMes(QStringLiteral("03/2006"));
    // A letter on a quantity opens the editor with nothing; letters typed there are dropped.
    teclear(QStringLiteral("x"));
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_TRUE(editor()->text().isEmpty());
    teclear(QStringLiteral("1a2.5.5b-"));
    EXPECT_EQ(editor()->text(), QStringLiteral("12.55")) << "one separator, no letters, the minus only first";
    pulsar(Qt::Key_Escape);

    // A lone minus passes the filter and is refused by the validation: the editor stays open.
    teclear(QStringLiteral("-"));
    pulsar(Qt::Key_Return);
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_EQ(m_guion->avisos[0].texto, QStringLiteral(" Debe ser Numerico!"));
    EXPECT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->text(), QStringLiteral("-"));
    EXPECT_TRUE(celda(2, P::ColEntradas).isEmpty());

    // Pasted text: not a number is refused whole; a remark loses its line breaks and what
    // does not fit.
    editor()->selectAll();
    QApplication::clipboard()->setText(QStringLiteral("doce"));
    pulsar(Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(editor()->text(), QStringLiteral("-"));
    pulsar(Qt::Key_Escape);
    m_ventana->Editor().IrACelda(2, P::ColObservaciones);
    teclear(QStringLiteral("a"));
    QApplication::clipboard()->setText(QStringLiteral("línea uno\nlínea dos\r\n") + QString(200, u'x'));
    pulsar(Qt::Key_V, Qt::ControlModifier);
    EXPECT_FALSE(editor()->text().contains(u'\n'));
    EXPECT_TRUE(editor()->text().startsWith(QStringLiteral("alínea uno línea dos")));
    EXPECT_LE(editor()->text().size(), 255) << "no more than the column holds";
    EXPECT_TRUE(editor()->text().endsWith(QStringLiteral("xxxx")));
    const QString pegado = editor()->text();
    pulsar(Qt::Key_Return);
    EXPECT_EQ(celda(2, P::ColObservaciones), pegado);

    // Clicking away from a quantity that is not one leaves the cell as it was.
    m_ventana->Editor().IrACelda(4, P::ColEntradas);
    teclear(QStringLiteral("-"));
    m_ventana->Editor().IrACelda(5, P::ColEntradas);
    EXPECT_TRUE(celda(4, P::ColEntradas).isEmpty());
    EXPECT_FALSE(editor()->isVisible());
}

TEST_P(EditorTest, LasCeldasQueNoSeEscribenNoAbrenNada)
{
    abrirMes(QStringLiteral("03/2006"));
    for (const auto& [fila, columna] : {std::pair{5, int(P::ColSaldo)},
                                       std::pair{int(P::FilaSaldoAnterior), int(P::ColEntradas)},
                                       std::pair{int(P::FilaTotales), int(P::ColSalidas)}}) {
        m_ventana->Editor().IrACelda(fila, columna);
        grilla()->setFocus();
        teclear(QStringLiteral("7"));
        EXPECT_FALSE(editor()->isVisible()) << fila << "," << columna;
    }
    // Double click keeps the cell's text, the caret at its end.
    m_ventana->Modelo().PonerTexto(10, P::ColEntradas, QStringLiteral("12"));
    const QRect r = rectoDe(10, P::ColEntradas);
    QTest::mouseClick(grilla()->viewport(), Qt::LeftButton, {}, r.center());
    QTest::mouseDClick(grilla()->viewport(), Qt::LeftButton, {}, r.center());
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->text(), QStringLiteral("12"));
    EXPECT_EQ(editor()->cursorPosition(), 2);
    // Emptied with the clerk's keys, the stock follows at once.
    pulsar(Qt::Key_Backspace);
    pulsar(Qt::Key_Backspace);
    pulsar(Qt::Key_Return);
    EXPECT_TRUE(celda(10, P::ColEntradas).isEmpty());
    EXPECT_EQ(celda(P::FilaTotales, P::ColEntradas), QStringLiteral("0"));
    // Up from the first day stops on the opening line; Down from the totals stays.
    m_ventana->Editor().IrACelda(2, P::ColEntradas);
    teclear(QStringLiteral("1"));
    pulsar(Qt::Key_Up);
    EXPECT_EQ(m_ventana->Editor().FilaActual(), P::FilaSaldoAnterior);
    EXPECT_EQ(celda(2, P::ColEntradas), QStringLiteral("1"));
    m_ventana->Editor().IrACelda(32, P::ColObservaciones);
    teclear(QStringLiteral("fin"));
    pulsar(Qt::Key_Down);
    EXPECT_EQ(m_ventana->Editor().FilaActual(), P::FilaTotales);
    EXPECT_EQ(m_ventana->Editor().ColumnaActual(), int(P::ColObservaciones)) << "Down keeps the column, editor open or not";
}

// What a clerk's fingers do on a closed cell: a figure typed on the day column starts in
// Entradas; Delete or Backspace clears a cell as an empty value typed would; a committed
// figure looks like a loaded one.
TEST_P(EditorTest, LasTeclasSobreUnaCeldaCerrada)
{
    campo(FrmTolvario::cDecimales)->setText(QStringLiteral("2"));
    m_ventana->CampoValida(campo(FrmTolvario::cDecimales));
    abrirMes(QStringLiteral("03/2006"));
    m_ventana->Editor().IrACelda(6, P::ColDia);
    grilla()->setFocus();
    teclear(QStringLiteral("2450,5"));
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->text(), QStringLiteral("2450,5"));
    pulsar(Qt::Key_Return);
    EXPECT_EQ(celda(6, P::ColEntradas), QStringLiteral("2450.50"));
    EXPECT_EQ(m_ventana->Editor().ColumnaActual(), int(P::ColSalidas));
    teclear(QStringLiteral("100"));
    pulsar(Qt::Key_Return);
    EXPECT_EQ(celda(6, P::ColSalidas), QStringLiteral("100.00"));
    EXPECT_EQ(celda(P::FilaTotales, P::ColEntradas), QStringLiteral("2450,5").replace(u',', u'.'));

    // A letter on a figure is a slip: the cell opens on its own text, selected; Enter keeps it.
    m_ventana->Editor().IrACelda(6, P::ColEntradas);
    grilla()->setFocus();
    teclear(QStringLiteral("x"));
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->selectedText(), QStringLiteral("2450.50"));
    pulsar(Qt::Key_Return);
    EXPECT_EQ(celda(6, P::ColEntradas), QStringLiteral("2450.50"));
    EXPECT_EQ(celda(P::FilaTotales, P::ColEntradas), QStringLiteral("2450.5")) << "still exact";

    // Delete on Entradas, Backspace on Salidas: empty cells, the stock back where it was.
    m_ventana->Editor().IrACelda(6, P::ColEntradas);
    grilla()->setFocus();
    pulsar(Qt::Key_Delete);
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_TRUE(celda(6, P::ColEntradas).isEmpty());
    m_ventana->Editor().IrACelda(6, P::ColSalidas);
    pulsar(Qt::Key_Backspace);
    EXPECT_TRUE(celda(6, P::ColSalidas).isEmpty());
    EXPECT_EQ(celda(P::FilaTotales, P::ColEntradas), QStringLiteral("0"));
    EXPECT_EQ(celda(6, P::ColSaldo), celda(5, P::ColSaldo));
    // Nothing to clear on the day or the stock.
    m_ventana->Editor().IrACelda(6, P::ColSaldo);
    pulsar(Qt::Key_Delete);
    EXPECT_EQ(celda(6, P::ColDia), QStringLiteral("5"));
    EXPECT_FALSE(editor()->isVisible());
}

TEST_P(EditorTest, LasTeclasDelEncabezado)
{
    QLineEdit* periodo = campo(FrmTolvario::cPeriodo);
    periodo->setFocus();
    EXPECT_EQ(periodo->palette().color(QPalette::Base), QColor(0, 255, 255));
    EXPECT_FALSE(Controles::Barra(m_ventana.get())->consultaenabled());
    teclear(QStringLiteral("0a3-x2006"));
    EXPECT_EQ(periodo->text(), QStringLiteral("03/2006")) << "the period takes digits and its slash";
    periodo->clear();
    pulsar(Qt::Key_Return);
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_EQ(m_guion->avisos[0].texto, QStringLiteral(" Debe informar el Periodo!"));
    EXPECT_EQ(foco(), periodo) << "a refused value keeps the focus";

    // Tab validates as Enter does and moves in screen order.
    m_guion->avisos.clear();
    teclear(QStringLiteral("032006"));
    pulsar(Qt::Key_Tab);
    EXPECT_EQ(foco(), campo(FrmTolvario::cHoja));
    EXPECT_TRUE(Controles::Barra(m_ventana.get())->grabarenabled()) << "the period was validated";
    EXPECT_EQ(periodo->palette().color(QPalette::Base), QColor(Qt::white));
    teclear(QStringLiteral("1x2"));
    EXPECT_EQ(campo(FrmTolvario::cHoja)->text().right(2), QStringLiteral("12"));
    pulsar(Qt::Key_Up);
    EXPECT_EQ(foco(), periodo) << "Up goes back";

    // Right button: a user box opens the customer lookup; the title has none.
    Controles::Pestanas(m_ventana.get())->setCurrentIndex(FrmTolvario::TabUsuarios);
    QLineEdit* u1 = campo(FrmTolvario::cUsuario1);
    ConVentanaModal(
        [&](QWidget* w) {
            auto* consulta = qobject_cast<Lib_FrmCons3*>(w);
            ASSERT_NE(consulta, nullptr);
            QTest::keyClicks(consulta->CmbSearch[0], QStringLiteral("Coop"));
            QTest::keyClick(consulta->CmbSearch[0], Qt::Key_Return);
        },
        [&] { QTest::mouseClick(u1, Qt::RightButton); });
    EXPECT_EQ(u1->text(), QStringLiteral("C002"));
    EXPECT_TRUE(Controles::Pestanas(m_ventana.get())->isTabVisible(1));
    Controles::Pestanas(m_ventana.get())->setCurrentIndex(FrmTolvario::TabMolino);
    QApplication::setActiveWindow(m_ventana.get());
    QTest::mouseClick(campo(FrmTolvario::cTitulo), Qt::RightButton);
    EXPECT_EQ(m_ventana->ControlActivo(), campo(FrmTolvario::cTitulo));
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

// What the clerk typed is never thrown away by the keys that leave it: passing the period
// again, saving or changing tab with the editor still open, Escape after amending.
TEST_P(EditorTest, LoEscritoNoSePierdeAlSalirDeLaCelda)
{
    abrirMes(QStringLiteral("03/2006"));
    teclear(QStringLiteral("7"));
    pulsar(Qt::Key_Return);
    campo(FrmTolvario::cPeriodo)->setFocus();
    pulsar(Qt::Key_Tab);
    EXPECT_EQ(celda(2, P::ColEntradas), QStringLiteral("7")) << "the period on screen is not loaded again";

    // Saved with the editor open: the open value is part of it.
    m_ventana->Editor().IrACelda(3, P::ColObservaciones);
    grilla()->setFocus();
    teclear(QStringLiteral("ultima nota de O'Brien"));
    pulsar(Qt::Key_F5);
    EXPECT_EQ(valor(QStringLiteral("SELECT Observaciones FROM EM_Tolvario WHERE Periodo = '03/2006' AND Cuenta = 'MOLINO' AND DIA = 2")),
              QStringLiteral("ultima nota de O'Brien"));

    // Leaving the tab with the editor open stores it too; a refused value keeps the tab.
    m_ventana->Editor().IrACelda(4, P::ColEntradas);
    grilla()->setFocus();
    teclear(QStringLiteral("-"));
    Controles::Pestanas(m_ventana.get())->setCurrentIndex(FrmTolvario::TabUsuarios);
    EXPECT_EQ(Controles::Pestanas(m_ventana.get())->currentIndex(), FrmTolvario::TabMolino);
    EXPECT_TRUE(editor()->isVisible());
    editor()->setText(QStringLiteral("9"));
    Controles::Pestanas(m_ventana.get())->setCurrentIndex(FrmTolvario::TabUsuarios);
    EXPECT_EQ(valor(QStringLiteral("SELECT Entradas FROM EM_Tolvario WHERE Periodo = '03/2006' AND Cuenta = 'MOLINO' AND DIA = 3")).toDouble(),
              9.0);

    // Space opens a cell with its text; Escape after amending leaves the old one.
    Controles::Pestanas(m_ventana.get())->setCurrentIndex(FrmTolvario::TabMolino);
    m_ventana->Editor().IrACelda(2, P::ColEntradas);
    grilla()->setFocus();
    pulsar(Qt::Key_Space);
    ASSERT_TRUE(editor()->isVisible());
    EXPECT_EQ(editor()->text(), QStringLiteral("7"));
    teclear(QStringLiteral("55"));
    pulsar(Qt::Key_Escape);
    EXPECT_EQ(celda(2, P::ColEntradas), QStringLiteral("7"));
    EXPECT_EQ(foco(), grilla()) << "the cursor stays in the grid";
}

TEST_P(EditorTest, TabRecorreLaVentanaEnElOrdenDeLaPantalla)
{
    elegirPeriodo(QStringLiteral("03/2006"));
    campo(FrmTolvario::cPeriodo)->setFocus();
    QStringList orden;
    for (int i = 0; i < 12; ++i) {
        QWidget* w = foco();
        orden << (w->objectName() == QStringLiteral("TxtFields") ? w->property("DataField").toString() : w->objectName());
        pulsar(Qt::Key_Tab);
    }
    EXPECT_EQ(orden, (QStringList{QStringLiteral("PERIODO"), QStringLiteral("HOJA"), QStringLiteral("TITULO"), QStringLiteral("ONCCA"),
                                  QStringLiteral("Decimales"), QStringLiteral("MEDIDA"), QStringLiteral("linea"), QStringLiteral("chk"),
                                  QStringLiteral("CmbLetra"), QStringLiteral("CmdArchivo"), QStringLiteral("SSTab1"),
                                  QStringLiteral("MSFlexGrid")}));
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

CON_CADA_MOTOR(EditorTest);

// The figures as the clerk's desktop writes them: under a decimal comma the thousands'
// points are typed and understood, a lone point is decimal, and a jumble is refused.
TEST_P(EditorTest, LasCifrasComoLasEscribeElEscritorio)
{
    Regional::Establecer(std::nullopt);
    const bool coma = Regional::Actuales().separadorDecimal == u',';
    abrirMes(QStringLiteral("03/2006"));
    const auto escribirEntrada = [&](int dia, const QString& texto) {
        m_ventana->Editor().IrACelda(dia + 1, P::ColEntradas);
        grilla()->setFocus();
        teclear(texto);
        pulsar(Qt::Key_Return);
    };
    escribirEntrada(1, QStringLiteral("1,5"));
    escribirEntrada(2, QStringLiteral("1.5"));
    if (coma) {
        escribirEntrada(3, QStringLiteral("1.234,5"));
        escribirEntrada(4, QStringLiteral("1.234.567,25"));
        EXPECT_EQ(celda(4, P::ColEntradas), QStringLiteral("1234")) << "shown as every figure is: whole numbers here, no grouping";
        ASSERT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
        escribirEntrada(5, QStringLiteral("1,2,3"));
        ASSERT_EQ(m_guion->avisos.size(), 1u) << "1,2,3";
        EXPECT_EQ(m_guion->avisos[0].texto, QStringLiteral(" Debe ser Numerico!"));
        EXPECT_TRUE(editor()->isVisible()) << "the editor stays with the refused text";
        pulsar(Qt::Key_Escape);
        EXPECT_FALSE(editor()->isVisible()) << "Escape closes it after a refusal";
        m_guion->avisos.clear();
        escribirEntrada(5, QStringLiteral("1.23.4"));
        ASSERT_EQ(m_guion->avisos.size(), 1u) << "1.23.4";
        EXPECT_EQ(foco(), editor()) << "back on the refused figure";
        EXPECT_EQ(editor()->selectedText(), QStringLiteral("1.23.4"));
        // A desktop that gives the focus to nothing after the box: Escape reaches the window
        // and still drops the figure, and F5 does not refuse it again.
        editor()->clearFocus();
        QTest::keyClick(m_ventana.get(), Qt::Key_Escape);
        EXPECT_FALSE(editor()->isVisible());
        EXPECT_TRUE(celda(6, P::ColEntradas).isEmpty());
    }
    pulsar(Qt::Key_F5);
    const auto entrada = [&](int dia) {
        return valor(QStringLiteral("SELECT Entradas FROM EM_Tolvario WHERE Periodo = '03/2006' AND Cuenta = 'MOLINO' AND DIA = %1").arg(dia)).toDouble();
    };
    EXPECT_EQ(entrada(1), 1.5);
    EXPECT_EQ(entrada(2), 1.5);
    if (coma) {
        EXPECT_EQ(entrada(3), 1234.5);
        EXPECT_EQ(entrada(4), 1234567.25);
        EXPECT_EQ(entrada(5), 0.0);
    }
}
