#include "suite/SuiteForms.h"

#include "platform/Teclas.h"

#include <QLineEdit>
#include <QVariant>

namespace SuiteForms {

int IndexOf(const QString& clave, const QList<QLineEdit*>& campos)
{
    for (int i = 0; i < campos.size(); ++i)
        if (campos[i] && campos[i]->property("DataField").toString().compare(clave.trimmed(), Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

void BindFields(const QList<QLineEdit*>& campos, const QString& tabla, const QString&)
{
    for (QLineEdit* c : campos)
        if (c)
            c->setProperty("DataTable", tabla);
}

void StyleControls(QWidget* ventana, const QString& nombreArreglo)
{
    if (!ventana)
        return;
    for (QLineEdit* c : ventana->findChildren<QLineEdit*>())
        if (c->objectName().compare(nombreArreglo, Qt::CaseInsensitive) == 0)
            c->setProperty("estiloSuite", true);
}

bool IsAdvanceKey(int codigo)
{
    return codigo == Teclas::Enter || codigo == Teclas::Arriba || codigo == Teclas::Abajo || codigo == Teclas::Escape;
}

void Advance(QWidget* desde, int& codigo)
{
    if (!desde || !IsAdvanceKey(codigo))
        return;
    QWidget* ventana = desde->window();
    QWidget* siguiente = codigo == Teclas::Arriba ? desde->previousInFocusChain() : desde->nextInFocusChain();
    while (siguiente && siguiente != desde && !(siguiente->isEnabled() && siguiente->isVisible()
                                                && (siguiente->focusPolicy() & Qt::TabFocus) && siguiente->window() == ventana))
        siguiente = codigo == Teclas::Arriba ? siguiente->previousInFocusChain() : siguiente->nextInFocusChain();
    if (siguiente && siguiente != desde)
        siguiente->setFocus(codigo == Teclas::Arriba ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    codigo = 0;
}

char16_t FilterKey(const QWidget* control, char16_t c)
{
    if (!control || !control->property("Numerico").toBool() || c < 32)
        return c;
    if ((c >= u'0' && c <= u'9') || c == u'-' || c == u'+' || c == u'.' || c == u',')
        return c;
    return 0;
}

} // namespace SuiteForms
