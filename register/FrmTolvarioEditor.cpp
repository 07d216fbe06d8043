// How the window drives the grid and its floating editor: which cells open, the keys that
// commit and move, the cursor. The editor itself (its box, its cell, whether the text is the
// clerk's) is EditorDeCelda.
#include "register/FrmTolvario.h"

#include "register/Informes.h"
#include "register/EditorDeCelda.h"

#include "platform/Pasos.h"
#include "platform/Teclas.h"
#include "register/ModeloRegistro.h"
#include "suite/SuiteForms.h"
#include "suite/SuiteUtil.h"

#include <QApplication>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QStatusBar>
#include <QTableView>

void FrmTolvario::MsflexGridEdt(QTableView* grid, QLineEdit* Edt, int KeyAscii)
{
    const QModelIndex celda = grid->currentIndex();
    bool seguir = true;
    Pasos::Ejecutar({
        [&] {
            const int fila = ModeloRegistro::FilaDeGrilla(celda.row());
            // Only the day lines, and only the columns the clerk types into; never a register
            // that cannot be stored from here, so no change is typed only to be lost.
            if (!celda.isValid() || !m_sesion.Cargado().Hay() || m_modelo->Texto(fila, Planilla::ColDia).isEmpty()
                || m_sesion.Cargado().GrillaSoloLectura())
                seguir = false;
            // A figure typed there would vanish without a word.
            if (celda.isValid() && m_sesion.Cargado().Hay() && !Planilla::EsFilaDeDia(fila))
                m_ui.BStat->showMessage(fila == Planilla::FilaTotales
                                            ? QStringLiteral("La fila de totales se calcula sola: no se escribe en ella.")
                                            : QStringLiteral("El saldo anterior viene de los meses anteriores: no se escribe en él."));
            else if (grid->objectName().compare(QStringLiteral("MSFlexGrid"), Qt::CaseInsensitive) == 0
                     && (celda.column() == Planilla::ColDia || celda.column() == Planilla::ColSaldo))
                seguir = false;
        },
        [&] {
            // A space or a control key opens the cell on its own text.
            if (seguir)
                m_ui.editor->Abrir(celda, KeyAscii >= 0 && KeyAscii <= 32, QChar(char16_t(KeyAscii)));
        },
    }, InformarCon("MSFLEXGRIDEDT"), SinError5());
}

bool FrmTolvario::terminarEdicion()
{
    if (!m_ui.txtEdit->isVisible())
        return true;
    if (!CampoValida(m_ui.txtEdit))
        return false;
    confirmarEdicion();
    return true;
}

void FrmTolvario::confirmarEdicion()
{
    // The session keeps it and the stock follows (see conectar).
    m_ui.editor->Confirmar(m_sesion.Decimales());
}

void FrmTolvario::EditKeyCode(QTableView* grid, QLineEdit*, int KeyCode, int)
{
    EditorDeCelda& editor = *m_ui.editor;
    const int fila = editor.FilaActual();
    const int columna = editor.ColumnaActual();
    Pasos::Ejecutar({
        [&] {
            const auto mover = [&](int f, int c) { editor.ConfirmarYMover(f, c, m_sesion.Decimales()); };
            switch (KeyCode) {
            case Teclas::Enter:
                mover(fila, Planilla::ColumnaSiguiente(columna));
                break;
            case Teclas::Escape:
                editor.Descartar();
                break;
            case Teclas::Arriba:
                mover(qMax(fila - 1, int(Planilla::FilaSaldoAnterior)), columna);
                break;
            case Teclas::Abajo:
                // The same column, as Down does with the editor closed.
                mover(qMin(fila + 1, int(Planilla::FilaTotales)), columna);
                break;
            default:
                break;
            }
        },
        [&] { grid->scrollTo(grid->currentIndex()); },
    }, InformarCon("EditKeyCode"), SinError5());
}

bool FrmTolvario::eventoDelEditor(QEvent* evento)
{
    switch (evento->type()) {
    case QEvent::FocusIn:
        m_controlActivo = m_ui.txtEdit;
        EditorDeCelda::TextPropiedades(m_ui.txtEdit, m_ui.editor->Celda().column());
        return false;
    case QEvent::KeyPress: {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        int codigo = Teclas::Codigo(tecla);
        // Escape abandons the edit without validating: the cell keeps what it had.
        if (codigo == Teclas::Escape) {
            EditKeyCode(m_ui.MSFlexGrid, m_ui.txtEdit, codigo, 0);
            return true;
        }
        // Paging would move the grid's cursor under the editor; the editor ends by its keys.
        if (tecla->key() == Qt::Key_PageUp || tecla->key() == Qt::Key_PageDown)
            return true;
        if (SuiteForms::IsAdvanceKey(codigo)) {
            if (!CampoValida(m_ui.txtEdit))
                return true;
            if (tecla->key() == Qt::Key_Backtab) {
                // Shift+Tab finishes the cell and goes back to the one before in the row.
                static const int anterior[] = {Planilla::ColDia, Planilla::ColEntradas, Planilla::ColEntradas,
                                               Planilla::ColSalidas, Planilla::ColSalidas};
                const int columna = anterior[qBound(0, m_ui.editor->ColumnaActual(), Planilla::Columnas - 1)];
                m_ui.editor->ConfirmarYMover(m_ui.editor->FilaActual(), columna, m_sesion.Decimales());
                return true;
            }
            // Tab in the editor finishes the cell as Enter does.
            EditKeyCode(m_ui.MSFlexGrid, m_ui.txtEdit, codigo == Teclas::Tab ? int(Teclas::Enter) : codigo, 0);
            return true;
        }
        const QString texto = tecla->text();
        if (texto.size() == 1 && texto[0].isPrint() && SuiteForms::FilterKey(m_ui.txtEdit, texto[0].unicode()) == 0)
            return true;
        return false;
    }
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(evento)->button() == Qt::RightButton) {
            m_controlActivo = m_ui.txtEdit;
            CmdConsultar();
            return true;
        }
        return false;
    default:
        return false;
    }
}

bool FrmTolvario::eventoDeRejilla(QObject* objeto, QEvent* evento)
{
    if (objeto == m_ui.MSFlexGrid) {
        if (evento->type() == QEvent::FocusIn || evento->type() == QEvent::FocusOut) {
            if (evento->type() == QEvent::FocusIn) {
                // Arriving by keyboard, the cursor starts on the first day; a click places it
                // itself, and scrolling back to the top first would put it on another day.
                if (!m_ui.MSFlexGrid->currentIndex().isValid() && static_cast<QFocusEvent*>(evento)->reason() != Qt::MouseFocusReason)
                    m_ui.editor->IrACelda(Planilla::PrimeraFilaDia, Planilla::ColEntradas);
                m_controlActivo = m_ui.txtEdit;
                confirmarEdicion();
                EditorDeCelda::TextPropiedades(m_ui.txtEdit, m_ui.editor->ColumnaActual());
            }
            // The view would repaint all its cells each time the focus goes to the editor
            // and back, once per value typed; only the cursor's cell looks different.
            m_ui.MSFlexGrid->viewport()->update(m_ui.MSFlexGrid->visualRect(m_ui.MSFlexGrid->currentIndex()));
            return true;
        }
        if (evento->type() == QEvent::KeyPress) {
            auto* tecla = static_cast<QKeyEvent*>(evento);
            m_controlActivo = m_ui.txtEdit;
            EditorDeCelda::TextPropiedades(m_ui.txtEdit, m_ui.editor->ColumnaActual());
            // Enter on a cell moves on as it would after typing in it: empty days are skipped
            // without opening anything.
            if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) {
                m_ui.editor->IrACelda(m_ui.editor->FilaActual(), Planilla::ColumnaSiguiente(m_ui.editor->ColumnaActual()));
                return true;
            }
            // Space and F2 open the cell with its text, to amend it.
            if (tecla->key() == Qt::Key_Space || tecla->key() == Qt::Key_F2) {
                MsflexGridEdt(m_ui.MSFlexGrid, m_ui.txtEdit, Teclas::Espacio);
                return true;
            }
            // Delete or Backspace clears the cell, validated as an empty value typed in it.
            if ((tecla->key() == Qt::Key_Delete || tecla->key() == Qt::Key_Backspace) && !(tecla->modifiers() & ~Qt::KeypadModifier)) {
                MsflexGridEdt(m_ui.MSFlexGrid, m_ui.txtEdit, Teclas::Espacio);
                if (m_ui.txtEdit->isVisible()) {
                    m_ui.editor->Vaciar();
                    terminarEdicion();
                }
                return true;
            }
            const QString texto = tecla->text();
            const bool caracter = texto.size() == 1 && texto[0].isPrint() && texto[0] != u' '
                                  && !(tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
            // The day column takes nothing: the value starts in Entradas of the same day.
            if (caracter && m_ui.editor->ColumnaActual() == Planilla::ColDia && Planilla::EsFilaDeDia(m_ui.editor->FilaActual()))
                m_ui.editor->IrACelda(m_ui.editor->FilaActual(), Planilla::ColEntradas);
            if (caracter) {
                // A character the column does not take opens the cell on its own text, all of
                // it selected: the next figure replaces it, Enter keeps it. Never an emptied
                // cell from a slip of the finger.
                EditorDeCelda::TextPropiedades(m_ui.txtEdit, m_ui.editor->ColumnaActual());
                if (!SuiteForms::TextoAdmitido(m_ui.txtEdit, texto)) {
                    MsflexGridEdt(m_ui.MSFlexGrid, m_ui.txtEdit, Teclas::Espacio);
                    if (m_ui.txtEdit->isVisible())
                        m_ui.txtEdit->selectAll();
                    return true;
                }
                MsflexGridEdt(m_ui.MSFlexGrid, m_ui.txtEdit, texto[0].unicode());
                return true;
            }
            return false;
        }
        return false;
    }
    // The grid's viewport: mouse and size.
    switch (evento->type()) {
    case QEvent::MouseButtonDblClick:
        // Only on the cell under the pointer, never on one scrolled out of sight.
        if (m_ui.MSFlexGrid->indexAt(static_cast<QMouseEvent*>(evento)->position().toPoint()) == m_ui.MSFlexGrid->currentIndex())
            MsflexGridEdt(m_ui.MSFlexGrid, m_ui.txtEdit, Teclas::Espacio);
        return true;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(evento)->button() == Qt::RightButton) {
            CmdConsultar();
            return true;
        }
        return false;
    case QEvent::Resize:
        m_ui.editor->Ajustar();
        return false;
    default:
        return false;
    }
}
