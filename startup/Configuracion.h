#pragma once

#include <QString>

// The suite settings loaded once, after the connection is open.
void CargarConfiguracion(const QString& rutaAplicacion);
