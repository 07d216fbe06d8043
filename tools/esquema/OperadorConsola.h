#pragma once

#include "platform/Operador.h"

// For the command-line tools: a message is printed to the error output and answered with
// the box's way out (No, Cancel, OK), so that nothing waits for a person.
class OperadorConsola : public Operador
{
public:
    int Mensaje(const QString& texto, int estilo, const QString& titulo) override;
    QString Entrada(const QString& pregunta, const QString& titulo, const QString& defecto) override;
    [[noreturn]] void Terminar(int codigo) override;
};
