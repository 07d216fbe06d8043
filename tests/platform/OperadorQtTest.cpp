// The real message box: a key typed before the clerk could read it (a fast typist's Enter
// after a refused value) neither answers it nor reaches the box behind; a key pressed after
// reading does.
#include "platform/OperadorQt.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {

// Where a key goes now: the box's focused button, else whatever has the focus (the box
// behind, once a key closed the message).
QWidget* enFoco()
{
    QWidget* foco = QApplication::focusWidget();
    return foco ? foco : QApplication::activeModalWidget();
}

void pulsar(Qt::Key k)
{
    if (QWidget* w = enFoco())
        QTest::keyClick(w, k);
}

// Keys typed at once on the box, then `tecla` after the clerk had time to read it.
int responder(const QString& texto, int estilo, Qt::Key tecla, bool& seguiaAbierta)
{
    QTimer::singleShot(0, [&] {
        pulsar(Qt::Key_Return);
        pulsar(Qt::Key_1);
        pulsar(Qt::Key_3);
        pulsar(Qt::Key_Escape);
        seguiaAbierta = QApplication::activeModalWidget() != nullptr;
        QTimer::singleShot(700, [tecla] {
            if (QApplication::activeModalWidget())
                pulsar(tecla);
        });
    });
    OperadorQt operador;
    return operador.Mensaje(texto, estilo, QStringLiteral("Aviso al operador..."));
}

} // namespace

TEST(OperadorQtTest, LasTeclasEscritasAntesDeLeerElAvisoNoLoContestan)
{
    QLineEdit caja;
    caja.setObjectName(QStringLiteral("Periodo"));
    caja.setText(QStringLiteral("13"));
    caja.show();
    caja.activateWindow();
    caja.setFocus();
    bool abierta = false;
    EXPECT_EQ(responder(QStringLiteral("Debe ingresar un mes"), Operador::SoloAceptar + Operador::Critico, Qt::Key_Return, abierta),
              Operador::Aceptar);
    EXPECT_TRUE(abierta) << "the Enter typed ahead did not close it";
    EXPECT_EQ(caja.text(), QStringLiteral("13")) << "nothing typed meanwhile reached the box behind";
    // A question: Escape, once read, is its No.
    EXPECT_EQ(responder(QStringLiteral("¿Grabar de todos modos?"), Operador::SiNo + Operador::SegundoBoton, Qt::Key_Escape, abierta),
              Operador::No);
    EXPECT_TRUE(abierta);
}

// Without a window manager nobody hands the keyboard back when a box closes: the box does, to
// the window and the box that had it, so the clerk's next keys are not lost.
TEST(OperadorQtTest, AlCerrarseElAvisoLaVentanaRecuperaElTeclado)
{
    QLineEdit caja;
    caja.show();
    caja.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&caja));
    caja.setFocus();
    for (const bool pregunta : {false, true}) {
        QTimer::singleShot(700, [] {
            if (QWidget* w = QApplication::activeModalWidget())
                QTest::keyClick(w, Qt::Key_Escape);
        });
        OperadorQt operador;
        operador.Mensaje(QStringLiteral("La Hoja Nro 21 ya es la del período 03/2006."),
                         pregunta ? Operador::SiNo + Operador::SegundoBoton : Operador::SoloAceptar + Operador::Critico,
                         QStringLiteral("Aviso al operador..."));
        EXPECT_EQ(QApplication::activeWindow(), &caja) << pregunta;
        EXPECT_EQ(QApplication::focusWidget(), &caja) << pregunta;
        if (QWidget* w = QApplication::focusWidget())
            QTest::keyClicks(w, QStringLiteral("75"));
    }
    EXPECT_EQ(caja.text(), QStringLiteral("7575")) << "the keys after each box reach the box behind";
}
