#pragma once

#include "platform/Importe.h"

#include <QString>

// One stored line of the register: a day of one account, with its exact amounts. The grid,
// the store and the book all pass lines as this type.
struct LineaRegistro {
    int dia = 0;
    Importe entradas;
    Importe salidas;
    QString observaciones;
    QString cuenta; // empty where the account is known from elsewhere (one account's grid)
    bool operator==(const LineaRegistro&) const = default;
};
