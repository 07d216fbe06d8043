#include "tests/support/VentanaModal.h"

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>

void ConVentanaModal(const std::function<void(QWidget*)>& pasos, const std::function<void()>& abrir)
{
    bool vista = false;
    // The pending call dies with this frame if `abrir` returns without running it.
    QObject contexto;
    QTimer::singleShot(0, &contexto, [&] {
        QWidget* ventana = QApplication::activeModalWidget();
        vista = ventana != nullptr;
        if (!ventana)
            return;
        pasos(ventana);
        if (ventana->isVisible())
            ventana->close();
    });
    abrir();
    EXPECT_TRUE(vista) << "no modal window came up";
}
