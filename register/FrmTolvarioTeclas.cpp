// The header boxes' keyboard and mouse: focus colour, the lookup button, validate and
// advance, the character filter, the right-button lookup.
#include "register/FrmTolvario.h"

#include "platform/Teclas.h"
#include "register/EditorDeCelda.h"
#include "startup/Panobar.h"
#include "suite/SuiteForms.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QTableView>

namespace {

void colorDeFondo(QLineEdit* campo, const QColor& color)
{
    QPalette p = campo->palette();
    p.setColor(QPalette::Base, color);
    campo->setPalette(p);
}

// Remarks take any character; no box of this window is one today, but the rule is the suite's.
bool esObservacion(const QLineEdit* campo)
{
    for (const char* propiedad : {"DataField", "Tag"})
        if (campo->property(propiedad).toString().trimmed().left(3).compare(QStringLiteral("OBS"), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace

void FrmTolvario::TxtFields_KeyDown(int Index, int& KeyCode, int Shift)
{
    if (!SuiteForms::IsAdvanceKey(KeyCode))
        return;
    QLineEdit* campo = m_ui.TxtFields[Index];
    // Enter on the period on screen reads it again from the database (another station may
    // have saved it); leaving the box by Tab or an arrow does not.
    if (!CampoValida(campo, Index == cPeriodo && KeyCode == Teclas::Enter)) {
        KeyCode = 0; // the focus stays with the value to mend
        return;
    }
    // The title ends the header: once a period is on screen Enter goes on to its first day.
    if (Index == cTitulo && KeyCode == Teclas::Enter && m_sesion.Cargado().Hay() && m_ui.MSFlexGrid->isVisible()) {
        KeyCode = 0;
        m_ui.MSFlexGrid->setFocus(Qt::TabFocusReason);
        m_ui.editor->IrACelda(Planilla::PrimeraFilaDia, Planilla::ColEntradas);
        return;
    }
    SuiteForms::Advance(campo, KeyCode, Shift);
}

bool FrmTolvario::eventoDeEncabezado(QLineEdit* campo, QEvent* evento)
{
    const int indice = int(m_ui.TxtFields.indexOf(campo));
    switch (evento->type()) {
    case QEvent::FocusIn:
        m_ui.Panobar1->setConsultaenabled(!campo->property("Tag").toString().isEmpty());
        colorDeFondo(campo, QColor(0, 255, 255));
        m_controlActivo = campo;
        return false;
    case QEvent::FocusOut:
        colorDeFondo(campo, QColor(Qt::white));
        return false;
    case QEvent::KeyPress: {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        int codigo = Teclas::Codigo(tecla);
        if (SuiteForms::IsAdvanceKey(codigo)) {
            TxtFields_KeyDown(indice, codigo, (tecla->modifiers() & Qt::ShiftModifier) ? 1 : 0);
            return true;
        }
        const QString texto = tecla->text();
        if (!esObservacion(campo) && texto.size() == 1 && texto[0].isPrint()
            && SuiteForms::FilterKey(campo, texto[0].unicode()) == 0)
            return true;
        return false;
    }
    case QEvent::MouseButtonPress: {
        const auto boton = static_cast<QMouseEvent*>(evento)->button();
        m_controlActivo = campo;
        if (boton == Qt::RightButton)
            CmdConsultar();
        return boton == Qt::RightButton && !campo->property("Tag").toString().isEmpty();
    }
    case QEvent::ContextMenu:
        // The right button of a box with a lookup opens the lookup, not the edit menu.
        return !campo->property("Tag").toString().isEmpty();
    default:
        return false;
    }
}
