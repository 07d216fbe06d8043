#include "platform/Teclas.h"

#include <QKeyEvent>

namespace Teclas {

int Codigo(int k)
{
    if (k >= Qt::Key_F1 && k <= Qt::Key_F12)
        return F1 + (k - Qt::Key_F1);
    if ((k >= Qt::Key_0 && k <= Qt::Key_9) || (k >= Qt::Key_A && k <= Qt::Key_Z))
        return k; // same numbers as the ASCII digits and capitals
    switch (k) {
    case Qt::Key_Backspace: return Retroceso;
    case Qt::Key_Tab: case Qt::Key_Backtab: return Tab;
    case Qt::Key_Return: case Qt::Key_Enter: return Enter;
    case Qt::Key_Escape: return Escape;
    case Qt::Key_Space: return Espacio;
    case Qt::Key_PageUp: return RePag;
    case Qt::Key_PageDown: return AvPag;
    case Qt::Key_End: return Fin;
    case Qt::Key_Home: return Inicio;
    case Qt::Key_Left: return Izquierda;
    case Qt::Key_Up: return Arriba;
    case Qt::Key_Right: return Derecha;
    case Qt::Key_Down: return Abajo;
    case Qt::Key_Delete: return Suprimir;
    default: return 0;
    }
}

int Codigo(const QKeyEvent* e)
{
    return Codigo(e->key());
}

} // namespace Teclas
