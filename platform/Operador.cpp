#include "platform/Operador.h"

#include <QElapsedTimer>
#include <QThread>

#include "platform/OperadorQt.h"

namespace {
std::unique_ptr<Operador>& actual()
{
    static std::unique_ptr<Operador> o;
    return o;
}
} // namespace

Operador& operador()
{
    auto& o = actual();
    if (!o)
        o = std::make_unique<OperadorQt>();
    return *o;
}

void establecerOperador(std::unique_ptr<Operador> o)
{
    actual() = std::move(o);
}

int Operador::RespuestaPorDefecto(int estilo)
{
    static const int botones[][3] = {
        {Aceptar, Aceptar, Aceptar},
        {Aceptar, Cancelar, Cancelar},
        {Abortar, Reintentar, Ignorar},
        {Si, No, Cancelar},
        {Si, No, No},
        {Reintentar, Cancelar, Cancelar},
    };
    const int grupo = estilo & 7;
    const int defecto = (estilo & TercerBoton) ? 2 : (estilo & SegundoBoton) ? 1 : 0;
    return grupo < 6 ? botones[grupo][defecto] : Aceptar;
}

bool Operador::Esperar(const QString&, const std::function<bool()>& intentar)
{
    // Nobody to show a notice to: only the waiting.
    QElapsedTimer reloj;
    reloj.start();
    while (reloj.elapsed() < EsperaMaximaMs) {
        if (intentar())
            return true;
        QThread::msleep(250);
    }
    return false;
}
