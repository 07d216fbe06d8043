#pragma once

#include "output/Hoja.h"
#include "register/ResumenAnual.h"

// The year's sheet: a title, then the columns of the year's summary (Cuenta, Periodo,
// SaldoAnterior, Entradas, Salidas, Saldo), one row per account and month with rows, the
// figures numeric and rounded as the register shows them with `decimales`; titles repeat on
// every printed page, as the book's do.
Hoja HojaDelAnio(int anio, const std::vector<RegistroTolvario::CuentaDelAnio>& cuentas, int decimales, const QString& medida);
