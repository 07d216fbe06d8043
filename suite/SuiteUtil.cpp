#include "suite/SuiteUtil.h"

#include "platform/Operador.h"
#include "platform/Regional.h"

#include <QDir>
#include <QRegularExpression>
#include <QWidget>

#include <optional>

namespace SuiteUtil {

namespace {
Anotador& anotadorActual()
{
    static Anotador a;
    return a;
}
} // namespace

void AnotarRespuestasEn(Anotador anotador)
{
    anotadorActual() = std::move(anotador);
}

int ReportError(const ErrorVB& error, const QString& rutina)
{
    const QString texto = QStringLiteral("Ha ocurrido el siguiente error (%1):\n%2\n\nRutina: %3")
                              .arg(error.Number)
                              .arg(error.Description.trimmed(), rutina);
    const int respuesta = operador().Mensaje(texto, Operador::AbortarReintentarIgnorar + Operador::Critico,
                                             QStringLiteral("Aviso al operador..."));
    if (anotadorActual())
        anotadorActual()(error, rutina, respuesta);
    return respuesta;
}

QString NullSafe(const QVariant& valor)
{
    if (valor.isNull() || !valor.isValid())
        return {};
    if (valor.metaType() == QMetaType::fromType<Importe>())
        return valor.value<Importe>().texto();
    return valor.toString();
}

Importe VariantToAmount(const QVariant& valor)
{
    if (valor.isNull() || !valor.isValid())
        return {};
    switch (valor.metaType().id()) {
    case QMetaType::Int: case QMetaType::LongLong: case QMetaType::Short: case QMetaType::UInt:
        return Importe::desdeEntero(valor.toLongLong());
    case QMetaType::Double: case QMetaType::Float:
        // Only a driver that keeps floating point hands these over; four decimals is all an amount has.
        return TextToAmount(QString::number(valor.toDouble(), 'f', 4));
    default:
        if (valor.metaType() == QMetaType::fromType<Importe>())
            return valor.value<Importe>();
        return TextToAmount(valor.toString());
    }
}

namespace {

// The decimal point of the C locale, as before: both separators read as decimal, and when
// both appear the last one is. "1.234,5" -> "1234,5"; "1,234,567" -> "1234567".
QString sinAgrupacionConPunto(QString t)
{
    const int punto = t.lastIndexOf(u'.');
    const int coma = t.lastIndexOf(u',');
    if (punto >= 0 && coma >= 0) {
        const QChar grupo = punto > coma ? u',' : u'.';
        t.remove(grupo);
    } else {
        for (QChar sep : {QChar(u'.'), QChar(u',')})
            if (t.count(sep) > 1)
                t.remove(sep);
    }
    return t;
}

// A decimal comma, as the clerk's desktop writes figures. Points group thousands only in
// their places ("1.234,5", "1.234.567"); a lone point is a decimal point ("1.5", "1.234"),
// as stored figures and the numeric keypad write it. Anything else is no number.
std::optional<QString> sinAgrupacionConComa(const QString& texto)
{
    static const QRegularExpression agrupado(QStringLiteral("^[+-]?\\d{1,3}(\\.\\d{3})+$"));
    const int comas = int(texto.count(u','));
    const int puntos = int(texto.count(u'.'));
    if (comas > 1)
        return std::nullopt;
    if (comas == 1) {
        const int coma = int(texto.indexOf(u','));
        const QString entero = texto.left(coma);
        if (puntos == 0)
            return texto;
        if (texto.indexOf(u'.', coma) >= 0 || !agrupado.match(entero).hasMatch())
            return std::nullopt;
        return QString(entero).remove(u'.') + texto.mid(coma);
    }
    if (puntos <= 1)
        return texto;
    if (!agrupado.match(texto).hasMatch())
        return std::nullopt;
    return QString(texto).remove(u'.');
}

bool conComa()
{
    return Regional::Actuales().separadorDecimal == u',';
}

} // namespace

bool LeerCantidad(const QString& texto, Importe& salida)
{
    const QString t = texto.trimmed();
    if (conComa()) {
        const auto sinGrupos = sinAgrupacionConComa(t);
        return sinGrupos && Importe::leer(*sinGrupos, salida);
    }
    // A decimal point: one separator at most, either of the two.
    return t.count(u'.') + t.count(u',') <= 1 && Importe::leer(t, salida);
}

Importe TextToAmount(const QString& texto)
{
    Importe r;
    if (LeerCantidad(texto, r))
        return r;
    const QString t = texto.trimmed();
    // Not typed (a setting, a file): read as the C locale reads it, whatever the desktop's.
    if (Importe::leer(sinAgrupacionConPunto(t), r))
        return r;
    // Leading number only, as the suite reads "12 kg".
    static const QRegularExpression inicio(QStringLiteral("^[+-]?\\d+([.,]\\d*)?"));
    const auto m = inicio.match(t);
    if (m.hasMatch() && Importe::leer(m.captured(0), r))
        return r;
    return {};
}

bool IsValidText(const QString& texto)
{
    Importe r;
    return LeerCantidad(texto, r);
}

Importe TextToAmountOrZero(const QString& texto)
{
    try {
        return TextToAmount(texto);
    } catch (const ErrorVB&) {
        return {};
    }
}

long long TextToInteger(const QString& texto)
{
    return TextToAmount(texto).entero();
}

QString ReplaceText(const QString& texto, const QString& buscado, const QString& reemplazo)
{
    if (buscado.isEmpty())
        return texto;
    QString r = texto;
    return r.replace(buscado, reemplazo);
}

QString ReplaceName(const QString& texto, const QString& nombre, const QString& reemplazo)
{
    if (nombre.isEmpty())
        return texto;
    const QRegularExpression re(QStringLiteral("(?<![\\w.])%1(?!\\w)").arg(QRegularExpression::escape(nombre)),
                                QRegularExpression::CaseInsensitiveOption);
    QString r = texto;
    return r.replace(re, reemplazo);
}

QString StripChars(const QString& texto, QChar c1, QChar c2)
{
    QString r;
    r.reserve(texto.size());
    for (QChar c : texto)
        if (c != c1 && (c2.isNull() || c != c2))
            r += c;
    return r;
}

int WordCount(const QString& texto)
{
    return int(texto.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts).size());
}

QString PadLeft(const QString& texto, int ancho)
{
    return texto.size() >= ancho ? texto : QString(ancho - texto.size(), u' ') + texto;
}

QString FolderPath(const QString& carpeta)
{
    QString r = QDir::fromNativeSeparators(carpeta);
    while (r.endsWith(u'/') && r.size() > 1)
        r.chop(1);
    return r.endsWith(u'/') ? r : r + u'/';
}

void SetUpForm(QWidget* ventana, bool)
{
    if (!ventana)
        return;
    ventana->setProperty("estiloSuite", true);
    ventana->setAutoFillBackground(true);
}

namespace {
// The stored form of the suite: each byte shifted by a key stream, written in hex.
const QByteArray Clave = QByteArrayLiteral("Tolvario-Suite");
}

QString Encipher(const QString& texto)
{
    const QByteArray b = texto.toUtf8();
    QByteArray r(b.size(), '\0');
    for (int i = 0; i < b.size(); ++i)
        r[i] = char(quint8(b[i]) ^ quint8(Clave[i % Clave.size()]) ^ quint8(i * 31));
    return QString::fromLatin1(r.toHex()).toUpper();
}

QString Decipher(const QString& texto)
{
    const QByteArray b = QByteArray::fromHex(texto.toLatin1());
    QByteArray r(b.size(), '\0');
    for (int i = 0; i < b.size(); ++i)
        r[i] = char(quint8(b[i]) ^ quint8(Clave[i % Clave.size()]) ^ quint8(i * 31));
    return QString::fromUtf8(r);
}

} // namespace SuiteUtil
