#include "startup/Configuracion.h"

void CargarConfiguracion(const QString&)
{
    // The settings store and its 39 reads are added with the configuration module; the
    // start-up already calls this at the point where they load.
}
