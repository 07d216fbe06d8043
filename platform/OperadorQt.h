#pragma once

#include "platform/Operador.h"

// Message boxes and the input box as Qt dialogs over the active window.
class OperadorQt : public Operador
{
public:
    int Mensaje(const QString& texto, int estilo, const QString& titulo) override;
    QString Entrada(const QString& pregunta, const QString& titulo, const QString& defecto) override;
    [[noreturn]] void Terminar(int codigo) override;
    bool Esperar(const QString& aviso, const std::function<bool()>& intentar) override;
};
