#include "platform/NumerosC.h"

NumerosC::NumerosC()
{
    // Only the numbers change: the rest (character set, messages) stays the user's.
    const locale_t base = duplocale(uselocale(locale_t(0)));
    if (base == locale_t(0))
        return;
    m_c = newlocale(LC_NUMERIC_MASK, "C", base);
    if (m_c == locale_t(0)) {
        freelocale(base);
        return;
    }
    m_anterior = uselocale(m_c);
}

NumerosC::~NumerosC()
{
    if (m_c == locale_t(0))
        return;
    uselocale(m_anterior);
    freelocale(m_c);
}
