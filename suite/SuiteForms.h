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

// Enter, Up, Down and Tab ask to validate the field and leave it. Escape does not: it
// abandons an edit.
bool IsAdvanceKey(int codigo);
// Moves the focus on from `desde` in screen order: back for Up and Shift+Tab (shift 1),
// forward for the other advance keys. The code is consumed (set to 0).
void Advance(QWidget* desde, int& codigo, int shift = 0);
// The character to keep of one typed into `control` at its caret; 0 drops it. Quantities
// (property "Numerico") take digits, one decimal separator (point or comma) and a leading
// minus; the period (data field "Periodo") digits and "/"; other fields everything.
char16_t FilterKey(const QWidget* control, char16_t caracter);
// Whether `texto` may stand in the field by the same rule; line breaks never may.
bool TextoAdmitido(const QWidget* control, const QString& texto);
// Keeps pasted and typed text within the rule: line breaks become blanks, a text the field
// does not admit is refused whole. Installed once per field.
void FiltrarEntrada(QLineEdit* campo);

} // namespace SuiteForms
