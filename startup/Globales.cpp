#include "startup/Globales.h"

#include "data/DB_Dll.h"
#include "startup/Configuracion.h"
#include "startup/Sesion.h"

void ReiniciarGlobales()
{
    gUsuarioLogeado.clear();
    gUsuarioSuite.clear();
    gCaja.clear();
    gMenu.clear();
    gParametroAdicional.clear();
    gSeccionIni.clear();
    gFlatToolbars = 1;
    gCadenaODBC.clear();
    gColorFondo = 0xFFFFFF;
    gColorLetra = 0x000000;
    gRutaAplicacion.clear();
    gTablaConfiguracion.clear();
    gConfiguracion = ConfiguracionSuite();
    gIdAcceso = 0;
}

QString UsuarioQueOpera()
{
    const QString suite = gUsuarioSuite.trimmed();
    return suite.isEmpty() ? DB_Dll::Instancia().gUsuario.trimmed() : suite;
}
