#pragma once

#include "output/Hoja.h"
#include "register/ResumenAnual.h"

// The year's sheet: a title, then the columns of the year's summary (Cuenta, Periodo,
// SaldoAnterior, Entradas, Salidas, Saldo), one row per account and month with rows, the
// figures numeric and rounded as the register shows them with `decimales`; titles repeat on
// every printed page, as the book's do.
Hoja HojaDelAnio(int anio, const std::vector<RegistroTolvario::CuentaDelAnio>& cuentas, int decimales, const QString& medida);

// The year as the view shows it, for the printed page: months across, accounts down, four
// lines each (opening, received, delivered, closing) and the year's total; six accounts fit
// one landscape A4 page.
Hoja VistaDelAnio(int anio, const std::vector<RegistroTolvario::CuentaDelAnio>& cuentas, int decimales, const QString& medida);
