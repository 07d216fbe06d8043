#pragma once

#include <cstdint>

// This run's row in the suite's access log; another module creates it.
inline int32_t gIdAcceso = 0;

// The end of the run: the exit is written to the access log and the shared objects go.
void CerrarSesion();
void RegistrarEgreso();
