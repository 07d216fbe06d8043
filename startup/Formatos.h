#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

// Quantities as every window and the book show them: `decimales` -3 leaves the text as it
// is, -1 takes the suite's CantidadDecimales, 0 the workstation's default digits, -2 none.
// The workstation's decimal separator, no grouping; halves round to even.
QString FormatoCantidad(const QString& importe, const QVariant& decimales);

// The suite's date and time patterns ("mm" after "hh" is minutes).
QString FormatoFecha();
QString FormatoHora();
// A moment written with one of the suite's patterns (dd, mm, yy, yyyy, hh, nn, ss).
QString ConPatron(const QDateTime& momento, const QString& patron);
