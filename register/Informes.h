#pragma once

#include "platform/Pasos.h"
#include "suite/SuiteUtil.h"

// How the window's routines report their errors: to the clerk, with the routine's name.
inline Pasos::Informador InformarCon(const char* rutina)
{
    return [rutina](const ErrorVB& e) { return SuiteUtil::ReportError(e, QString::fromLatin1(rutina)); };
}

// Error 5 (a focus that cannot be taken, and the like) is passed over without asking.
inline Pasos::Opciones SinError5()
{
    Pasos::Opciones o;
    o.ignorarError5 = true;
    return o;
}
