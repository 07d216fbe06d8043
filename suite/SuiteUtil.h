#pragma once

#include "platform/ErrorVB.h"
#include "platform/Importe.h"

#include <QString>
#include <QVariant>

#include <functional>

class QWidget;

// General helpers of the suite library that every module calls.
namespace SuiteUtil {

// Shows the error with Abort/Retry/Ignore and returns the answer (4 retry, 5 go on, other leave).
int ReportError(const ErrorVB& error, const QString& rutina);
// Where every answered box goes besides the screen: the data layer's error log.
using Anotador = std::function<void(const ErrorVB& error, const QString& rutina, int respuesta)>;
void AnotarRespuestasEn(Anotador anotador);

// The value as text; Null is empty and an amount is its exact decimal text.
QString NullSafe(const QVariant& valor);
// A field's value as an amount, exactly: amounts and numeric texts never pass through a double.
Importe VariantToAmount(const QVariant& valor);

// A figure as people type it, strictly. Under a decimal point one separator at most, '.'
// or ',', either decimal ("1,5" and "1.5" are 1.5). Under a decimal comma
// ("1,5" and "1.5" are 1.5): points group thousands only in their places ("1.234,5",
// "1.234.567,5", "1.234.567"); a lone point is decimal ("1.234" is 1.234); "1,2,3",
// "1.23.4", "1,234.5" are no number. False, and `salida` untouched, when it is none.
bool LeerCantidad(const QString& texto, Importe& salida);
// The amount a text stands for, by the same rule; a text that is no typed figure by it (a
// setting, a file) is then read as the C locale reads it, the last separator decimal and a
// repeated one grouping ("1,234.5"), whatever the desktop's. A text that is no number by
// these reads its leading number ("12 kg" is 12), and one that does not start with a number
// is 0. An amount beyond the type's range raises error 6.
Importe TextToAmount(const QString& texto);
// The same, a number beyond any amount read as 0: for settings and stored counters, where a
// number that large means none.
Importe TextToAmountOrZero(const QString& texto);
bool IsValidText(const QString& texto);
long long TextToInteger(const QString& texto);

QString ReplaceText(const QString& texto, const QString& buscado, const QString& reemplazo);
// Replaces a table name where it stands as a whole name, without regard to case.
QString ReplaceName(const QString& texto, const QString& nombre, const QString& reemplazo);
QString StripChars(const QString& texto, QChar c1, QChar c2 = QChar());
int WordCount(const QString& texto);
QString PadLeft(const QString& texto, int ancho);
QString FolderPath(const QString& carpeta);
void SetUpForm(QWidget* ventana, bool modal);

QString Encipher(const QString& texto);
QString Decipher(const QString& texto);

} // namespace SuiteUtil
