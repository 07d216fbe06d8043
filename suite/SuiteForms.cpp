#include "suite/SuiteForms.h"

#include "platform/Regional.h"
#include "platform/Teclas.h"

#include <QLineEdit>
#include <QRegularExpression>
#include <QValidator>
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
    return codigo == Teclas::Enter || codigo == Teclas::Arriba || codigo == Teclas::Abajo || codigo == Teclas::Tab;
}

void Advance(QWidget* desde, int& codigo, int shift)
{
    if (!desde || !IsAdvanceKey(codigo))
        return;
    const bool atras = codigo == Teclas::Arriba || (codigo == Teclas::Tab && (shift & 1));
    QWidget* ventana = desde->window();
    QWidget* siguiente = atras ? desde->previousInFocusChain() : desde->nextInFocusChain();
    while (siguiente && siguiente != desde && !(siguiente->isEnabled() && siguiente->isVisible()
                                                && (siguiente->focusPolicy() & Qt::TabFocus) && siguiente->window() == ventana))
        siguiente = atras ? siguiente->previousInFocusChain() : siguiente->nextInFocusChain();
    if (siguiente && siguiente != desde)
        siguiente->setFocus(atras ? Qt::BacktabFocusReason : Qt::TabFocusReason);
    codigo = 0;
}

namespace {

enum class Clase { Texto, Cantidad, Periodo };

Clase claseDe(const QWidget* control)
{
    if (!control)
        return Clase::Texto;
    if (control->property("Numerico").toBool())
        return Clase::Cantidad;
    if (control->property("DataField").toString().compare(QStringLiteral("Periodo"), Qt::CaseInsensitive) == 0)
        return Clase::Periodo;
    return Clase::Texto;
}

} // namespace

bool TextoAdmitido(const QWidget* control, const QString& texto)
{
    if (texto.contains(u'\n') || texto.contains(u'\r'))
        return false;
    switch (claseDe(control)) {
    case Clase::Cantidad: {
        // Under a decimal comma the points that group thousands are typed too ("1.234,5");
        // whether the whole is a number is told, in words, when the figure is committed.
        static const QRegularExpression forma(QStringLiteral("^-?\\d*([.,]\\d*)?$"));
        static const QRegularExpression agrupada(QStringLiteral("^-?[\\d.,]*$"));
        const bool coma = Regional::Actuales().separadorDecimal == u',';
        return (coma ? agrupada : forma).match(texto).hasMatch();
    }
    case Clase::Periodo: {
        static const QRegularExpression forma(QStringLiteral("^[0-9/]*$"));
        return forma.match(texto).hasMatch();
    }
    case Clase::Texto:
        return true;
    }
    return true;
}

char16_t FilterKey(const QWidget* control, char16_t c)
{
    if (!control || c < 32)
        return c;
    QString resultado = QString(QChar(c));
    if (const auto* campo = qobject_cast<const QLineEdit*>(control)) {
        // The character takes the selection's place, at the caret.
        QString t = campo->text();
        int en = campo->cursorPosition();
        if (campo->hasSelectedText()) {
            en = campo->selectionStart();
            t.remove(en, campo->selectedText().size());
        }
        resultado = t.insert(en, QChar(c));
    }
    return TextoAdmitido(control, resultado) ? c : char16_t(0);
}

namespace {

class Filtro : public QValidator
{
public:
    using QValidator::QValidator;
    State validate(QString& texto, int&) const override
    {
        texto.replace(QStringLiteral("\r\n"), QStringLiteral(" "));
        texto.replace(u'\n', u' ');
        texto.replace(u'\r', u' ');
        // A number copied from elsewhere comes with blanks or a line break around it.
        auto* campo = parent() ? qobject_cast<QWidget*>(parent()) : nullptr;
        if (campo && (campo->property("Numerico").toBool()
                      || campo->property("DataField").toString().compare(QStringLiteral("Periodo"), Qt::CaseInsensitive) == 0))
            texto = texto.trimmed();
        return TextoAdmitido(parent() ? qobject_cast<QWidget*>(parent()) : nullptr, texto) ? Acceptable : Invalid;
    }
};

} // namespace

void FiltrarEntrada(QLineEdit* campo)
{
    if (campo && !campo->validator())
        campo->setValidator(new Filtro(campo));
}

} // namespace SuiteForms
