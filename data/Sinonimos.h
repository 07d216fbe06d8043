#pragma once

#include <QString>

// Ordinary users reach a few sensitive tables through restricted views ("SS_"); an
// administrator reaches the tables. "@Admin_" before a name asks for the table itself.
namespace Sinonimos {

QString Aplicar(const QString& sentencia, bool esAdministrador);

} // namespace Sinonimos
