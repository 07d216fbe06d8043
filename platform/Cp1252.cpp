#include "platform/Cp1252.h"

namespace Cp1252 {

namespace {

// 0x80..0x9F; the five holes of the code page read as the C1 control of the same number.
constexpr char16_t Altos[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};

char byteDe(char16_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return char(c);
    for (int i = 0; i < 32; ++i)
        if (Altos[i] == c)
            return char(0x80 + i);
    return '?';
}

} // namespace

QByteArray Codificar(const QString& texto)
{
    QByteArray r;
    r.reserve(texto.size());
    for (QChar c : texto)
        r += byteDe(c.unicode());
    return r;
}

QString Decodificar(QByteArrayView bytes)
{
    QString r;
    r.reserve(bytes.size());
    for (char b : bytes) {
        const auto u = static_cast<unsigned char>(b);
        r += QChar(u >= 0x80 && u < 0xA0 ? Altos[u - 0x80] : char16_t(u));
    }
    return r;
}

} // namespace Cp1252
