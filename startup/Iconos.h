#pragma once

#include <QIcon>
#include <QString>

// The icon resources the executable carries, by the names the suite's INI file gives.
namespace Iconos {

// A null icon when the executable has no resource of that name (case ignored).
QIcon Recurso(const QString& nombre);

} // namespace Iconos
