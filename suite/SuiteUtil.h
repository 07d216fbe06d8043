#pragma once

#include "platform/ErrorVB.h"
#include "platform/Importe.h"

#include <QString>
#include <QVariant>

class QWidget;

// General helpers of the suite library that every module calls.
namespace SuiteUtil {

// Shows the error with Abort/Retry/Ignore and returns the answer (4 retry, 5 go on, other leave).
int ReportError(const ErrorVB& error, const QString& rutina);

// The value as text; Null is empty and an amount is its exact decimal text.
QString NullSafe(const QVariant& valor);
// A field's value as an amount, exactly: amounts and numeric texts never pass through a double.
Importe VariantToAmount(const QVariant& valor);

// The amount a text stands for. '.' or ',' is the decimal separator; when both appear the
// last one is, and a separator repeated is grouping. A text that does not start with a
// number is 0; an amount beyond the type's range raises error 6.
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
