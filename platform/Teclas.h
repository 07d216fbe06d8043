#pragma once

class QKeyEvent;

// Key codes as the suite's routines pass them (the classic virtual-key numbers), so that
// tables of keys read the same everywhere.
namespace Teclas {

enum : int {
    Retroceso = 8, Tab = 9, Enter = 13, Escape = 27, Espacio = 32,
    RePag = 33, AvPag = 34, Fin = 35, Inicio = 36,
    Izquierda = 37, Arriba = 38, Derecha = 39, Abajo = 40, Suprimir = 46,
    F1 = 112, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
};

// The key code of a Qt key event; 0 for keys the suite's tables never name.
int Codigo(const QKeyEvent* e);
int Codigo(int teclaQt);

} // namespace Teclas
