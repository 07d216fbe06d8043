#pragma once

#include <QString>

class Hoja;

// Saves the worksheet as an .xlsx workbook at `ruta`, replacing an older file. Raises ErrorVB
// with a Spanish description when the file cannot be written.
void GuardarXlsx(const Hoja& hoja, const QString& ruta);
