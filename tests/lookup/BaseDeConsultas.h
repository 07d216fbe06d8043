#pragma once

#include "tests/support/BaseDePrueba.h"

#include <QString>
#include <functional>

class QWidget;

// A started program on a database with customers, articles and code trees, and the lookup
// request wired to the start-up as the window wires it.
class BaseDeConsultas : public BaseIniciada
{
protected:
    void poblar() override;

    // Runs `pasos` on the modal window once it is up, while `abrir` waits for it.
    static void conVentanaModal(const std::function<void(QWidget*)>& pasos, const std::function<void()>& abrir);
};
