#pragma once

#include "data/Dialecto.h"

#include <QString>

// Each database's own catalogue queries, answering in the columns TABLE_NAME and
// COLUMN_NAME as the suite's schema routines read them.
namespace Catalogo {

QString Tablas(Dialecto d);
// Values are placed with their quotes doubled.
QString Columnas(Dialecto d, const QString& base, const QString& tabla);

} // namespace Catalogo
