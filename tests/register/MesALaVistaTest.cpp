// The month at a glance, through the real window: a stock that cannot be shows red and is
// named; the tabs answer the keys a clerk expects; a figure typed where none goes is told.
#include "platform/Operador.h"
#include "register/Planilla.h"
#include "tests/register/BaseDeRegistro.h"
#include "tests/support/Controles.h"

#include <QBrush>
#include <QImage>
#include <QStatusBar>
#include <QTabBar>
#include <QScrollBar>
#include <QTableView>
#include <QScreen>
#include <QTest>

using namespace Qt::Literals::StringLiterals;

namespace {

using P = Planilla;

class MesALaVistaTest : public BaseDeRegistro
{
protected:
    void SetUp() override
    {
        BaseDeRegistro::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        for (int dia = 1; dia <= 31; ++dia) {
            fila(u"10/2026"_s, u"MOLINO"_s, dia, dia == 1 ? u"1000"_s : u"0"_s, u"0"_s);
            fila(u"10/2026"_s, u"C002"_s, dia, u"2"_s, u"0"_s);
        }
        elegirPeriodo(u"10/2026"_s);
    }
    bool roja(int filaGrilla) const
    {
        const QVariant v = grilla()->model()->index(filaGrilla - 1, P::ColSaldo).data(Qt::ForegroundRole);
        return v.isValid() && v.value<QBrush>().color().red() > 150 && v.value<QBrush>().color().green() < 50;
    }
    QString estado() const { return Controles::Estado(m_ventana.get())->currentMessage(); }
};

} // namespace

TEST_P(MesALaVistaTest, UnaExistenciaNegativaSeVeRojaYSeNombra)
{
    EXPECT_FALSE(roja(4));
    escribirDia(3, P::ColSalidas, u"1500"_s);
    EXPECT_FALSE(roja(3)) << "day 2 still holds 1000";
    EXPECT_TRUE(roja(4)) << "day 3: -500";
    EXPECT_TRUE(roja(32)) << "and every day after it";
    EXPECT_TRUE(roja(P::FilaTotales)) << "the closing stock";
    EXPECT_FALSE(roja(P::FilaSaldoAnterior));
    EXPECT_EQ(estado(), u"Existencia negativa desde el día 3: -500."_s);
    // And red on screen, not only in the model.
    const auto pintaRojo = [this](int filaGrilla) {
        const QImage imagen = grilla()->viewport()->grab().toImage();
        const QRect r = grilla()->visualRect(grilla()->model()->index(filaGrilla - 1, P::ColSaldo));
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                if (const QColor c = imagen.pixelColor(x, y); c.red() > 150 && c.green() < 90 && c.blue() < 90)
                    return true;
        return false;
    };
    grilla()->setCurrentIndex(grilla()->model()->index(1, P::ColEntradas));
    EXPECT_TRUE(pintaRojo(4));
    EXPECT_FALSE(pintaRojo(3));
    // Mended: no red, and the status bar no longer says so.
    escribirDia(3, P::ColSalidas, u"500"_s);
    EXPECT_FALSE(roja(4));
    EXPECT_FALSE(roja(P::FilaTotales));
    EXPECT_FALSE(estado().startsWith(u"Existencia negativa"_s)) << estado().toStdString();
}

// F5 over an oversized delivery asks first, No the default: Escape writes nothing, not even
// history; Sí stores it and its history row.
TEST_P(MesALaVistaTest, GrabarUnaExistenciaNegativaPreguntaPrimero)
{
    escribirDia(3, P::ColSalidas, u"1500"_s);
    m_guion->avisos.clear();
    tecla(Qt::Key_F5); // no answer queued: the default, as Escape gives
    const auto* pregunta = aviso(u"Quedaría existencia negativa"_s);
    ASSERT_NE(pregunta, nullptr) << todo();
    EXPECT_TRUE(pregunta->texto.contains(u"Quedaría existencia negativa: Molino el 03/10/2026 (-500)."_s)) << todo();
    EXPECT_EQ(valor(u"SELECT Salidas FROM EM_Tolvario WHERE Periodo = '10/2026' AND Cuenta = 'MOLINO' AND DIA = 3"_s).toDouble(), 0.0);
    EXPECT_EQ(valor(u"SELECT COUNT(*) FROM EM_TolvarioHistoria"_s), u"0"_s);
    EXPECT_EQ(enGrilla(4, P::ColSalidas), u"1500"_s) << "still on screen, pending";
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F5);
    EXPECT_EQ(valor(u"SELECT Salidas FROM EM_Tolvario WHERE Periodo = '10/2026' AND Cuenta = 'MOLINO' AND DIA = 3"_s).toDouble(), 1500.0);
    EXPECT_EQ(valor(u"SELECT COUNT(*) FROM EM_TolvarioHistoria WHERE Cuenta = 'MOLINO'"_s), u"1"_s);
    EXPECT_TRUE(estado().contains(u"Existencia negativa desde el día 3"_s)) << estado().toStdString();
}

TEST_P(MesALaVistaTest, LasTeclasDePestanasSonComoUnClicYLosTotalesNoSeEscriben)
{
    escribirDia(2, P::ColEntradas, u"7"_s);
    QTest::keyClick(grilla(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs()->currentIndex(), 1);
    EXPECT_EQ(cuantas(u"10/2026"_s, u"MOLINO"_s), u"31"_s);
    EXPECT_EQ(valor(u"SELECT Entradas FROM EM_Tolvario WHERE Periodo = '10/2026' AND Cuenta = 'MOLINO' AND DIA = 2"_s).toDouble(), 7.0)
        << "the tab left was stored, as a click stores it";
    // Hidden tabs are passed over: from the only user to the users' tab, then round to the mill.
    QTest::keyClick(grilla(), Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(tabs()->currentIndex(), FrmTolvario::TabUsuarios);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(tabs()->currentIndex(), FrmTolvario::TabMolino);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(tabs()->currentIndex(), FrmTolvario::TabUsuarios);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(tabs()->currentIndex(), 1);

    // A figure typed on the totals row is told, and changes nothing.
    grilla()->setFocus();
    grilla()->setCurrentIndex(grilla()->model()->index(P::FilaTotales - 1, P::ColEntradas));
    const QString antes = enGrilla(P::FilaTotales, P::ColEntradas);
    QTest::keyClicks(grilla(), u"5"_s);
    EXPECT_FALSE(editor()->isVisible());
    EXPECT_EQ(estado(), u"La fila de totales se calcula sola: no se escribe en ella."_s);
    EXPECT_EQ(enGrilla(P::FilaTotales, P::ColEntradas), antes);
}

// The opening balance and the totals stay in view, above and below the days, while the days
// scroll; a click on a frozen cell puts the cursor there, and the keys still reach them.
TEST_P(MesALaVistaTest, ElSaldoAnteriorYLosTotalesQuedanALaVista)
{
    m_ventana->resize(1024, 600);
    QApplication::processEvents();
    auto* arriba = Controles::Hijo<QTableView>(m_ventana.get(), "FilaFijaArriba");
    auto* abajo = Controles::Hijo<QTableView>(m_ventana.get(), "FilaFijaAbajo");
    const auto aLaVista = [this](QWidget* w) {
        const QRect r(w->mapTo(grilla(), QPoint(0, 0)), w->size());
        return w->isVisible() && grilla()->rect().contains(r) && r.height() > 0;
    };
    ASSERT_TRUE(grilla()->verticalScrollBar()->maximum() > 0) << "the days scroll at this size";
    for (int valor : {0, grilla()->verticalScrollBar()->maximum() / 2, grilla()->verticalScrollBar()->maximum()}) {
        grilla()->verticalScrollBar()->setValue(valor);
        QApplication::processEvents();
        EXPECT_TRUE(aLaVista(arriba)) << valor;
        EXPECT_TRUE(aLaVista(abajo)) << valor;
        EXPECT_LE(arriba->mapTo(grilla(), QPoint(0, arriba->height())).y(), grilla()->viewport()->mapTo(grilla(), QPoint(0, 0)).y());
        EXPECT_GE(abajo->mapTo(grilla(), QPoint(0, 0)).y(), grilla()->viewport()->mapTo(grilla(), QPoint(0, grilla()->viewport()->height())).y());
    }
    EXPECT_EQ(arriba->model()->index(0, P::ColObservaciones).data().toString(), u"SALDO ANTERIOR"_s);
    const QModelIndex total = abajo->model()->index(P::FilaTotales - 1, P::ColEntradas);
    EXPECT_FALSE(abajo->isRowHidden(total.row()));
    EXPECT_EQ(total.data().toString(), enGrilla(P::FilaTotales, P::ColEntradas));
    // A click on the totals makes them the cursor's cell; Up goes back to day 31.
    QTest::mouseClick(abajo->viewport(), Qt::LeftButton, {}, abajo->visualRect(total).center());
    EXPECT_EQ(grilla()->currentIndex(), total);
    grilla()->setFocus();
    tecla(Qt::Key_Up);
    EXPECT_EQ(grilla()->currentIndex().row(), P::FilaTotales - 2);
}

// On a laptop's screen, without a window manager to maximise it, the window keeps inside the
// screen and every box, button and the status bar can be reached; a place saved on a larger
// screen comes back inside this one.
TEST_P(MesALaVistaTest, LaVentanaCabeEnLaPantallaYTodoSeAlcanza)
{
    const auto revisar = [this](const char* cuando) {
        const QRect area = m_ventana->screen()->availableGeometry();
        EXPECT_TRUE(area.contains(m_ventana->geometry())) << cuando << ": window " << m_ventana->width() << "x" << m_ventana->height()
                                                          << " on " << area.width() << "x" << area.height();
        QList<QWidget*> controles = m_ventana->findChildren<QWidget*>(u"TxtFields"_s);
        for (const char* nombre : {"chk", "CmdArchivo", "CmbLetra", "BStat", "SSTab1", "MSFlexGrid", "Panobar1"})
            controles << Controles::Hijo<QWidget>(m_ventana.get(), nombre);
        for (QWidget* w : std::as_const(controles)) {
            if (!w->isVisibleTo(m_ventana.get()))
                continue;
            const QRect donde(w->mapTo(m_ventana.get(), QPoint(0, 0)), w->size());
            EXPECT_TRUE(m_ventana->rect().contains(donde))
                << cuando << ": " << w->objectName().toStdString() << " " << w->property("DataField").toString().toStdString() << " at "
                << donde.x() << "," << donde.y() << " " << donde.width() << "x" << donde.height();
        }
    };
    // The screen the run was given (see tests/pantallas).
    for (const QSize tamano : {QSize(1024, 600), QSize(1366, 768)}) {
        if (qEnvironmentVariable("QT_QPA_PLATFORM").contains(u"%1x%2"_s.arg(tamano.width()).arg(tamano.height()))) {
            ASSERT_EQ(m_ventana->screen()->availableGeometry().size(), tamano);
        }
    }
    revisar("as opened");
    m_ventana->showNormal();
    m_ventana->setGeometry(0, 0, 1920, 1080);
    m_ventana->close();
    reabrir();
    revisar("a place saved on a larger screen");
}

CON_CADA_MOTOR(MesALaVistaTest);
