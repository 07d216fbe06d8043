#pragma once

#include "platform/Operador.h"

#include <QString>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

// Thrown by the scripted operator where the program would end; deliberately not an
// exception type the program's handlers catch.
struct ProcesoTerminado {
    int codigo;
};

// Answers message boxes from a queue (the box's default button once it runs out) and keeps
// every text and title shown.
class OperadorGuionado : public Operador
{
public:
    struct Aviso {
        QString texto;
        int estilo;
        QString titulo;
    };

    std::deque<int> respuestas;
    std::deque<QString> entradas;
    std::vector<Aviso> avisos;
    // Runs as each box shows, before it is answered (the test mends a fault, say).
    std::function<void(const Aviso&)> alMostrar;
    // Questions a test is not about, answered by a part of their text without taking from
    // the queue, and kept apart from `avisos`.
    std::vector<std::pair<QString, int>> respuestasFijas;
    std::vector<Aviso> fijos;

    int Mensaje(const QString& texto, int estilo, const QString& titulo) override;
    QString Entrada(const QString& pregunta, const QString& titulo, const QString& defecto) override;
    [[noreturn]] void Terminar(int codigo) override;
    // Waits for real, events delivered (a test's timer ends the other station's save); the
    // notice is kept in `avisos` (style -2) when it would show, and with `cancelarEspera`
    // it is answered Cancelar there.
    bool Esperar(const QString& aviso, const std::function<bool()>& intentar) override;
    bool cancelarEspera = false;

    // Everything shown, one text after the other, to search in.
    QString todo() const;
};

// Installs a new scripted operator and returns it (owned by the seam).
OperadorGuionado& guion();
