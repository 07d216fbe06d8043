#pragma once

// How failing checks print the program's own types; included in every test file.
#include "platform/Importe.h"

#include <QString>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os)
{
    *os << '"' << s.toStdString() << '"';
}

inline void PrintTo(const Importe& i, std::ostream* os)
{
    *os << i.texto().toStdString();
}
