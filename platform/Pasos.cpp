#include "platform/Pasos.h"

#include "platform/Operador.h"

namespace Pasos {

ErrorVB ComoErrorVB(const std::exception& e)
{
    return ErrorVB(51, QStringLiteral("Error interno: %1").arg(QString::fromLocal8Bit(e.what())));
}

bool Ejecutar(std::initializer_list<Paso> pasos, const Informador& informar, Opciones opciones)
{
    for (const Paso& paso : pasos) {
        for (;;) {
            int respuesta = Operador::Ignorar;
            try {
                paso();
                break;
            } catch (const ErrorVB& e) {
                if (opciones.ignorarError5 && e.Number == ErrorVB::LlamadaInvalida)
                    break;
                respuesta = informar(e);
            } catch (const std::bad_alloc&) {
                throw;
            } catch (const std::exception& e) {
                respuesta = informar(ComoErrorVB(e));
            }
            if (respuesta == Operador::Reintentar && opciones.permiteReintento)
                continue;
            if (respuesta == Operador::Ignorar)
                break;
            return false;
        }
    }
    return true;
}

} // namespace Pasos
