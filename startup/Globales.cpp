#include "startup/Globales.h"

void ReiniciarGlobales()
{
    gUsuarioLogeado.clear();
    gCaja.clear();
    gMenu.clear();
    gParametroAdicional.clear();
    gSeccionIni.clear();
    gFlatToolbars = 1;
    gCadenaODBC.clear();
    gColorFondo = 0xFFFFFF;
    gColorLetra = 0x000000;
    gRutaAplicacion.clear();
}
