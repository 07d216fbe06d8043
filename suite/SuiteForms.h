#pragma once

#include <QList>
#include <QString>

class QLineEdit;
class QWidget;

// The suite's handling of data-bound header fields: each field carries its data field name
// in the property "DataField" and, where it has a lookup, the lookup's table in "Tag".
namespace SuiteForms {

// Index in `campos` of the field bound to `clave` (case ignored); -1 when none is.
int IndexOf(const QString& clave, const QList<QLineEdit*>& campos);
void BindFields(const QList<QLineEdit*>& campos, const QString& tabla, const QString& conexion);
void StyleControls(QWidget* ventana, const QString& nombreArreglo);

bool IsAdvanceKey(int codigo);
// Moves the focus on from `desde`: back for Up, forward for the other advance keys.
void Advance(QWidget* desde, int& codigo);
// The character to keep of one typed into `control`; 0 drops it. Fields marked
// "Numerico" take only digits, sign and decimal separators.
char16_t FilterKey(const QWidget* control, char16_t caracter);

} // namespace SuiteForms
