#pragma once

#include <QString>
#include <QVector>

// CONSULTASLEN.VLM: the column widths a lookup was left with, one line per table written
// as the classic quoted pair "TABLA","w1|w2|" (widths in twips, display order).
namespace AnchosConsulta {

// The widths of the first sound line for the table (any case); empty when there is none.
// Lines that are not a quoted pair are passed over.
QVector<double> Leer(const QString& ruta, const QString& tabla);

// Rewrites the file through CONSULTASLEN.AUX beside it: every other table's line kept, then
// this table's. False, with the old file left as it was, when it cannot be written.
bool Grabar(const QString& ruta, const QString& tabla, const QVector<double>& anchos);

} // namespace AnchosConsulta
