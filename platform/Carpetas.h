#pragma once

#include <QString>

// Where the program keeps its files (VMERR.LOG, the lookup masks, the workbooks): the
// executable's folder when it is writable, else the per-user data folder, unless the command
// line or a test names one.
namespace Carpetas {

QString Aplicacion();
void EstablecerAplicacion(const QString& carpeta);

// The connection command line the suite's menu passed, without the program's own options.
QString LineaComandos();
void EstablecerLineaComandos(const QString& texto);

} // namespace Carpetas
