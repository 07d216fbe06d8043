#pragma once

#include <QByteArray>
#include <QString>
#include <cstddef>
#include <cstdint>

// What a fuzz target receives, as the program's readers take it: bytes as UTF-8 text
// (invalid sequences included).
inline QString TextoDe(const uint8_t* datos, size_t largo)
{
    return QString::fromUtf8(reinterpret_cast<const char*>(datos), qsizetype(largo));
}

// A broken rule stops the run at once, so the fuzzer keeps the input.
#define EXIGIR(condicion)                                                                                              \
    do {                                                                                                               \
        if (!(condicion))                                                                                              \
            __builtin_trap();                                                                                          \
    } while (0)
