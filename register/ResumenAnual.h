#pragma once

#include "platform/Importe.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace RegistroTolvario {

// One account's month as a year shows it: what it opened with, received, delivered and
// closed with; a month with no rows carries the stock on.
struct MesDelAnio {
    QString periodo; // MM/AAAA
    Importe saldoAnterior;
    Importe entradas;
    Importe salidas;
    Importe saldo;
    bool conFilas = false;
};
struct CuentaDelAnio {
    QString cuenta;
    QString nombre; // the customer's name; empty for the mill or a code that is no customer
    std::vector<MesDelAnio> meses; // January to December
    Importe Entradas() const;
    Importe Salidas() const;
};
// Every account with rows in the year, the mill first, then the codes in order. Three
// statements at most: the year grouped by account and month, every account's stock before
// it, and the customers' names.
std::vector<CuentaDelAnio> LeerAnio(int anio);

// "Cuenta;Periodo;SaldoAnterior;Entradas;Salidas;Saldo" and one line per account and month
// with rows, amounts as stored (four decimals, "." and no grouping, whatever the locale).
QString CsvDelAnio(const std::vector<CuentaDelAnio>& cuentas);

} // namespace RegistroTolvario
