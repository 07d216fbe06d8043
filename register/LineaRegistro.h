#pragma once

#include "platform/Importe.h"

#include <QString>
#include <vector>

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

// What the lines leave in the silo: received less delivered.
inline Importe NetoDe(const std::vector<LineaRegistro>& lineas)
{
    Importe n;
    for (const LineaRegistro& l : lineas)
        n += l.entradas - l.salidas;
    return n;
}
