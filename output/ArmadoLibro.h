#pragma once

#include "output/Hoja.h"
#include "platform/Importe.h"
#include "register/Libro.h"
#include "register/RegistroTolvario.h"

#include <QString>
#include <functional>
#include <vector>

// What the book of one period is made from: the header as the clerk left it, the accounts
// of the period with their names, and its stored lines.
struct DatosLibro : EncabezadoLibro {
    using Cuenta = RegistroTolvario::CuentaDelLibro;
    using Fila = LineaRegistro;
    std::vector<Cuenta> cuentas; // in the book's order
    std::vector<Fila> filas;     // grouped by account, in the same order
    std::function<Importe(const QString& cuenta)> saldoAnterior;
};

// The worksheet of the book: title block, one group of three columns per account, the day
// totals, the remarks, each account's totals and the grand totals on the row after day 31,
// and the closing line. Raises ErrorVB 6 when a sum leaves the amounts' range.
Hoja ArmarLibro(const DatosLibro& datos);

// The group of columns of account group g (1-based): the first column after Start(g).
int InicioDeGrupo(int grupo);
