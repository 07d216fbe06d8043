#include "platform/Regional.h"

#include <QLocale>

#include <clocale>
#include <climits>

namespace Regional {

namespace {
std::optional<Ajustes>& fijados()
{
    static std::optional<Ajustes> a;
    return a;
}

// The locale's count of fractional digits for money, the closest Linux has to the
// default digits of a number; 2 when the locale does not say.
int digitosDelSistema()
{
    const std::lconv* c = std::localeconv();
    if (c && c->frac_digits != CHAR_MAX && c->frac_digits >= 0 && c->frac_digits <= 9)
        return c->frac_digits;
    return 2;
}
} // namespace

Ajustes Actuales()
{
    if (fijados())
        return *fijados();
    Ajustes a;
    const QString punto = QLocale::system().decimalPoint();
    a.separadorDecimal = punto.isEmpty() ? QChar(u'.') : punto.front();
    a.digitos = digitosDelSistema();
    return a;
}

void Establecer(std::optional<Ajustes> ajustes)
{
    fijados() = ajustes;
}

} // namespace Regional
