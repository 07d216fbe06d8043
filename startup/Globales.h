#pragma once

#include <QString>
#include <cstdint>

// Process-wide run values, written at start-up and read by every window.
inline QString gUsuarioLogeado;
// The suite user the menu's command line named (@UsuarioLogeado), kept apart: start-up
// puts the database login into gUsuarioLogeado for the business-unit lookup.
inline QString gUsuarioSuite;
inline QString gCaja;
inline QString gMenu;
inline QString gParametroAdicional;
inline QString gSeccionIni;
inline double gFlatToolbars = 1;
inline QString gCadenaODBC;
inline uint32_t gColorFondo = 0xFFFFFF; // 0x00BBGGRR
inline uint32_t gColorLetra = 0x000000;
inline QString gRutaAplicacion;

// Who acts, for the history, the deliveries and the user's own window settings: the suite
// user, or the database login when the command line named none.
QString UsuarioQueOpera();

// Back to the values a new process starts with.
void ReiniciarGlobales();
