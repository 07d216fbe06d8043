#pragma once

#include <QString>
#include <cstdint>

// Fixed-point amount with four decimals, as the platform's currency type: 64 bits, exact
// sums, banker's rounding, and an overflow raises ErrorVB 6 instead of wrapping.
class Importe
{
public:
    static constexpr int64_t Escala = 10000;

    constexpr Importe() = default;
    static constexpr Importe desdeDiezmilesimos(int64_t v) { Importe i; i.m_valor = v; return i; }
    static Importe desdeEntero(int64_t v);

    // Reads "[-]digits[sep digits]" where sep is '.' or ','; more than four decimals are
    // rounded half to even. Returns false (and leaves *ok unset) when the text is not a number.
    static bool leer(const QString& texto, Importe& salida);

    int64_t diezmilesimos() const { return m_valor; }
    bool esCero() const { return m_valor == 0; }

    // Rounded to d decimals (0..4), halves to the even neighbour.
    Importe redondeado(int d) const;
    // Whole-number value, rounded half to even.
    int64_t entero() const;

    // Plain text with a point and the decimals needed ("1234.5", "-3", "0.0001").
    QString texto() const;
    // Text with exactly d decimals (0..4) and the given separator; no grouping.
    QString texto(int d, QChar separador) const;

    Importe operator+(Importe o) const;
    Importe operator-(Importe o) const;
    Importe operator-() const;
    Importe& operator+=(Importe o) { return *this = *this + o; }
    Importe& operator-=(Importe o) { return *this = *this - o; }
    auto operator<=>(const Importe&) const = default;

private:
    int64_t m_valor = 0;
};
