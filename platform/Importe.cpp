#include "platform/Importe.h"

#include "platform/ErrorVB.h"

#include <limits>

namespace {

[[noreturn]] void desbordamiento()
{
    throw ErrorVB(ErrorVB::Desbordamiento, QStringLiteral("Desbordamiento"));
}

int64_t potencia10(int d)
{
    int64_t p = 1;
    while (d-- > 0)
        p *= 10;
    return p;
}

// Divides by a power of ten rounding half to even.
int64_t dividirRedondeando(int64_t v, int64_t divisor)
{
    int64_t q = v / divisor;
    int64_t r = v % divisor;
    int64_t doble = (r < 0 ? -r : r) * 2;
    if (doble > divisor || (doble == divisor && (q % 2 != 0)))
        q += (v < 0 ? -1 : 1);
    return q;
}

} // namespace

Importe Importe::desdeEntero(int64_t v)
{
    int64_t r;
    if (__builtin_mul_overflow(v, Escala, &r))
        desbordamiento();
    return desdeDiezmilesimos(r);
}

bool Importe::leer(const QString& entrada, Importe& salida)
{
    const QString t = entrada.trimmed();
    int i = 0;
    bool negativo = false;
    if (i < t.size() && (t[i] == u'-' || t[i] == u'+')) {
        negativo = t[i] == u'-';
        ++i;
    }
    // Whole digits, at most one decimal separator, then fraction digits; keep every digit
    // of the fraction so the fifth one decides the rounding.
    int64_t entero = 0;
    int64_t fraccion = 0; // scaled by 10^digitosFraccion, at most 18 digits kept
    int digitosFraccion = 0;
    bool hayDigitos = false;
    bool enFraccion = false;
    bool restoNoCero = false; // digits beyond the 18th of the fraction
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c.isDigit() && c.unicode() < 128) {
            hayDigitos = true;
            const int dig = c.unicode() - u'0';
            if (!enFraccion) {
                if (__builtin_mul_overflow(entero, 10, &entero) || __builtin_add_overflow(entero, dig, &entero))
                    desbordamiento();
            } else if (digitosFraccion < 18) {
                fraccion = fraccion * 10 + dig;
                ++digitosFraccion;
            } else if (dig != 0) {
                restoNoCero = true;
            }
        } else if ((c == u'.' || c == u',') && !enFraccion) {
            enFraccion = true;
        } else {
            return false;
        }
    }
    if (!hayDigitos)
        return false;

    int64_t escalado;
    if (__builtin_mul_overflow(entero, Escala, &escalado))
        desbordamiento();
    int64_t diez;
    if (digitosFraccion <= 4) {
        diez = fraccion * potencia10(4 - digitosFraccion);
    } else {
        const int64_t divisor = potencia10(digitosFraccion - 4);
        diez = fraccion / divisor;
        const int64_t resto = fraccion % divisor;
        const int64_t mitad = divisor / 2;
        if (resto > mitad || (resto == mitad && restoNoCero) || (resto == mitad && !restoNoCero && (diez % 2 != 0)))
            ++diez;
    }
    if (__builtin_add_overflow(escalado, diez, &escalado))
        desbordamiento();
    salida = desdeDiezmilesimos(negativo ? -escalado : escalado);
    return true;
}

Importe Importe::redondeado(int d) const
{
    if (d >= 4)
        return *this;
    if (d < 0)
        d = 0;
    const int64_t divisor = potencia10(4 - d);
    // Rounding up the largest amounts leaves the range: an error, never a wrap.
    int64_t redondo = 0;
    if (__builtin_mul_overflow(dividirRedondeando(m_valor, divisor), divisor, &redondo))
        desbordamiento();
    return desdeDiezmilesimos(redondo);
}

int64_t Importe::entero() const
{
    return dividirRedondeando(m_valor, Escala);
}

QString Importe::texto() const
{
    QString s = texto(4, u'.');
    while (s.endsWith(u'0') && s.contains(u'.'))
        s.chop(1);
    if (s.endsWith(u'.'))
        s.chop(1);
    if (s == QStringLiteral("-0"))
        s = QStringLiteral("0");
    return s;
}

QString Importe::texto(int d, QChar separador) const
{
    d = qBound(0, d, 4);
    const Importe r = redondeado(d);
    const int64_t v = r.m_valor;
    // Work with the magnitude as unsigned so the smallest value has a text too.
    const uint64_t magnitud = v < 0 ? uint64_t(0) - uint64_t(v) : uint64_t(v);
    const uint64_t enteros = magnitud / Escala;
    const uint64_t fraccion = (magnitud % Escala) / uint64_t(potencia10(4 - d));
    QString s = (v < 0 ? QStringLiteral("-") : QString()) + QString::number(enteros);
    if (d > 0)
        s += separador + QStringLiteral("%1").arg(fraccion, d, 10, QLatin1Char('0'));
    return s;
}

Importe Importe::operator+(Importe o) const
{
    int64_t r;
    if (__builtin_add_overflow(m_valor, o.m_valor, &r))
        desbordamiento();
    return desdeDiezmilesimos(r);
}

Importe Importe::operator-(Importe o) const
{
    int64_t r;
    if (__builtin_sub_overflow(m_valor, o.m_valor, &r))
        desbordamiento();
    return desdeDiezmilesimos(r);
}

Importe Importe::operator-() const
{
    if (m_valor == std::numeric_limits<int64_t>::min())
        desbordamiento();
    return desdeDiezmilesimos(-m_valor);
}
