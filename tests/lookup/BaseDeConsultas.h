#pragma once

#include "tests/support/BaseDePrueba.h"

#include "tests/support/VentanaModal.h"

// A started program on a database with customers, articles and code trees, and the lookup
// request wired to the start-up as the window wires it.
class BaseDeConsultas : public BaseIniciada
{
protected:
    void poblar() override;
};
