#pragma once

#include <locale.h>

// While alive, the C library on this thread prints numbers with "." whatever the user's
// locale: what goes into a file never follows the regional settings, while the window
// (the process's own locale) keeps the separator the clerk reads.
class NumerosC
{
public:
    NumerosC();
    ~NumerosC();
    NumerosC(const NumerosC&) = delete;
    NumerosC& operator=(const NumerosC&) = delete;

private:
    locale_t m_c = locale_t(0);
    locale_t m_anterior = locale_t(0);
};
