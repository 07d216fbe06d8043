#pragma once

#include <QString>
#include <cstdint>

// Process-wide run values, written at start-up and read by every window.
inline QString gUsuarioLogeado;
inline QString gCaja;
inline QString gMenu;
inline QString gParametroAdicional;
inline QString gSeccionIni;
inline double gFlatToolbars = 1;
inline QString gCadenaODBC;
inline uint32_t gColorFondo = 0xFFFFFF; // 0x00BBGGRR
inline uint32_t gColorLetra = 0x000000;
inline QString gRutaAplicacion;

// Back to the values a new process starts with.
void ReiniciarGlobales();
