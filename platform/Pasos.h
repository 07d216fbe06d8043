#pragma once

#include "platform/ErrorVB.h"

#include <functional>
#include <initializer_list>

// The error steps of the suite's routines in one place: each step runs; when it fails the
// routine's reporter is asked, and its answer retries the step (4), skips it (5) or leaves
// the routine (anything else).
namespace Pasos {

using Paso = std::function<void()>;
using Informador = std::function<int(const ErrorVB&)>;

struct Opciones {
    bool ignorarError5 = false;  // error 5 (invalid procedure call) is skipped without asking
    bool permiteReintento = true; // false: only 5 goes on; Retry leaves like Abort
};

// Returns true when every step ran or was skipped; false when an answer left the routine.
bool Ejecutar(std::initializer_list<Paso> pasos, const Informador& informar, Opciones opciones = {});

// A failure of anything but ErrorVB, turned into one so it can be reported alike.
ErrorVB ComoErrorVB(const std::exception& e);

} // namespace Pasos
