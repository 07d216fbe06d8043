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
#include <QTableView>

void FrmTolvario::conectarRejilla()
{
    // Leaving a cell commits what was typed in it; arriving prepares the editor for the column.
    connect(MSFlexGrid->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        confirmarEdicion();
        m_controlActivo = txtEdit;
        EditorDeCelda::TextPropiedades(txtEdit, ColumnaActual());
    });
    // Composed letters must reach the window as keys, not as the view's type-ahead search.
    MSFlexGrid->setAttribute(Qt::WA_InputMethodEnabled, false);
}

int FrmTolvario::FilaActual() const
{
    const QModelIndex i = MSFlexGrid->currentIndex();
    return i.isValid() ? ModeloRegistro::FilaDeGrilla(i.row()) : Planilla::FilaSaldoAnterior;
}

int FrmTolvario::ColumnaActual() const
{
    const QModelIndex i = MSFlexGrid->currentIndex();
    return i.isValid() ? i.column() : 0;
}

void FrmTolvario::IrACelda(int fila, int columna)
{
    const QModelIndex i = m_modelo->index(ModeloRegistro::FilaDeVista(fila), columna);
    MSFlexGrid->setCurrentIndex(i);
    MSFlexGrid->scrollTo(i);
}

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
            else if (grid->objectName().compare(QStringLiteral("MSFlexGrid"), Qt::CaseInsensitive) == 0
                     && (celda.column() == Planilla::ColDia || celda.column() == Planilla::ColSaldo))
                seguir = false;
        },
        [&] {
            // A space or a control key opens the cell on its own text.
            if (seguir)
                m_editor->Abrir(celda, KeyAscii >= 0 && KeyAscii <= 32, QChar(char16_t(KeyAscii)));
        },
    }, InformarCon("MSFLEXGRIDEDT"), SinError5());
}

bool FrmTolvario::terminarEdicion()
{
    if (!txtEdit->isVisible())
        return true;
    CampoValida(txtEdit);
    if (m_validacionFallida)
        return false;
    confirmarEdicion();
    return true;
}

void FrmTolvario::confirmarEdicion()
{
    // The stock follows what the cell holds now (an emptied quantity included).
    if (m_editor->Confirmar(m_sesion.Decimales()))
        Pasos::Ejecutar({[&] { Totalizar(); }}, InformarCon("EditKeyCode"), SinError5());
}

void FrmTolvario::EditKeyCode(QTableView* grid, QLineEdit* Edt, int KeyCode, int)
{
    Pasos::Ejecutar({
        [&] {
            switch (KeyCode) {
            case Teclas::Enter: {
                grid->setFocus();
                confirmarEdicion();
                IrACelda(FilaActual(), Planilla::ColumnaSiguiente(ColumnaActual()));
                break;
            }
            case Teclas::Escape:
                m_editor->Descartar();
                break;
            case Teclas::Arriba:
                grid->setFocus();
                confirmarEdicion();
                if (FilaActual() > Planilla::FilaSaldoAnterior)
                    IrACelda(FilaActual() - 1, ColumnaActual());
                break;
            case Teclas::Abajo:
                grid->setFocus();
                confirmarEdicion();
                // The same column, as Down does with the editor closed.
                if (FilaActual() < Planilla::FilaTotales)
                    IrACelda(FilaActual() + 1, ColumnaActual());
                break;
            default:
                break;
            }
        },
        [&] { grid->scrollTo(grid->currentIndex()); },
    }, InformarCon("EditKeyCode"), SinError5());
}

void FrmTolvario::BlanqueaFila(QTableView*, int fila, int primeraColumna)
{
    if (fila < 0 || fila >= Planilla::Filas)
        return;
    for (int c = qMax(0, primeraColumna); c < Planilla::Columnas; ++c)
        m_modelo->PonerTexto(fila, c, QString());
}

void FrmTolvario::entrarEnRejilla()
{
    MSFlexGrid->setFocus(Qt::TabFocusReason);
    IrACelda(Planilla::PrimeraFilaDia, Planilla::ColEntradas);
}

bool FrmTolvario::eventoDelEditor(QEvent* evento)
{
    switch (evento->type()) {
    case QEvent::FocusIn:
        m_controlActivo = txtEdit;
        EditorDeCelda::TextPropiedades(txtEdit, m_editor->Celda().column());
        return false;
    case QEvent::KeyPress: {
        auto* tecla = static_cast<QKeyEvent*>(evento);
        int codigo = Teclas::Codigo(tecla);
        // Escape abandons the edit without validating: the cell keeps what it had.
        if (codigo == Teclas::Escape) {
            EditKeyCode(MSFlexGrid, txtEdit, codigo, 0);
            return true;
        }
        // Paging would move the grid's cursor under the editor; the editor ends by its keys.
        if (tecla->key() == Qt::Key_PageUp || tecla->key() == Qt::Key_PageDown)
            return true;
        if (SuiteForms::IsAdvanceKey(codigo)) {
            CampoValida(txtEdit);
            if (m_validacionFallida)
                return true;
            if (tecla->key() == Qt::Key_Backtab) {
                // Shift+Tab finishes the cell and goes back to the one before in the row.
                static const int anterior[] = {Planilla::ColDia, Planilla::ColEntradas, Planilla::ColEntradas,
                                               Planilla::ColSalidas, Planilla::ColSalidas};
                const int fila = FilaActual();
                const int columna = anterior[qBound(0, ColumnaActual(), Planilla::Columnas - 1)];
                MSFlexGrid->setFocus();
                confirmarEdicion();
                IrACelda(fila, columna);
                return true;
            }
            // Tab in the editor finishes the cell as Enter does.
            EditKeyCode(MSFlexGrid, txtEdit, codigo == Teclas::Tab ? int(Teclas::Enter) : codigo, 0);
            return true;
        }
        const QString texto = tecla->text();
        if (texto.size() == 1 && texto[0].isPrint() && SuiteForms::FilterKey(txtEdit, texto[0].unicode()) == 0)
            return true;
        return false;
    }
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(evento)->button() == Qt::RightButton) {
            m_controlActivo = txtEdit;
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
    if (objeto == MSFlexGrid) {
        if (evento->type() == QEvent::FocusIn || evento->type() == QEvent::FocusOut) {
            if (evento->type() == QEvent::FocusIn) {
                // Arriving by keyboard, the cursor starts on the first day; a click places it
                // itself, and scrolling back to the top first would put it on another day.
                if (!MSFlexGrid->currentIndex().isValid() && static_cast<QFocusEvent*>(evento)->reason() != Qt::MouseFocusReason)
                    IrACelda(Planilla::PrimeraFilaDia, Planilla::ColEntradas);
                m_controlActivo = txtEdit;
                confirmarEdicion();
                EditorDeCelda::TextPropiedades(txtEdit, ColumnaActual());
            }
            // The view would repaint all its cells each time the focus goes to the editor
            // and back, once per value typed; only the cursor's cell looks different.
            MSFlexGrid->viewport()->update(MSFlexGrid->visualRect(MSFlexGrid->currentIndex()));
            return true;
        }
        if (evento->type() == QEvent::KeyPress) {
            auto* tecla = static_cast<QKeyEvent*>(evento);
            m_controlActivo = txtEdit;
            EditorDeCelda::TextPropiedades(txtEdit, ColumnaActual());
            // Enter on a cell moves on as it would after typing in it: empty days are skipped
            // without opening anything.
            if (tecla->key() == Qt::Key_Return || tecla->key() == Qt::Key_Enter) {
                IrACelda(FilaActual(), Planilla::ColumnaSiguiente(ColumnaActual()));
                return true;
            }
            // Space and F2 open the cell with its text, to amend it.
            if (tecla->key() == Qt::Key_Space || tecla->key() == Qt::Key_F2) {
                MsflexGridEdt(MSFlexGrid, txtEdit, Teclas::Espacio);
                return true;
            }
            // Delete or Backspace clears the cell, validated as an empty value typed in it.
            if ((tecla->key() == Qt::Key_Delete || tecla->key() == Qt::Key_Backspace) && !(tecla->modifiers() & ~Qt::KeypadModifier)) {
                MsflexGridEdt(MSFlexGrid, txtEdit, Teclas::Espacio);
                if (txtEdit->isVisible()) {
                    m_editor->Vaciar();
                    terminarEdicion();
                }
                return true;
            }
            const QString texto = tecla->text();
            const bool caracter = texto.size() == 1 && texto[0].isPrint() && texto[0] != u' '
                                  && !(tecla->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
            // The day column takes nothing: the value starts in Entradas of the same day.
            if (caracter && ColumnaActual() == Planilla::ColDia && Planilla::EsFilaDeDia(FilaActual()))
                IrACelda(FilaActual(), Planilla::ColEntradas);
            if (caracter) {
                // A character the column does not take opens the cell on its own text, all of
                // it selected: the next figure replaces it, Enter keeps it. Never an emptied
                // cell from a slip of the finger.
                EditorDeCelda::TextPropiedades(txtEdit, ColumnaActual());
                if (!SuiteForms::TextoAdmitido(txtEdit, texto)) {
                    MsflexGridEdt(MSFlexGrid, txtEdit, Teclas::Espacio);
                    if (txtEdit->isVisible())
                        txtEdit->selectAll();
                    return true;
                }
                MsflexGridEdt(MSFlexGrid, txtEdit, texto[0].unicode());
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
        if (MSFlexGrid->indexAt(static_cast<QMouseEvent*>(evento)->position().toPoint()) == MSFlexGrid->currentIndex())
            MsflexGridEdt(MSFlexGrid, txtEdit, Teclas::Espacio);
        return true;
    case QEvent::MouseButtonPress:
        if (static_cast<QMouseEvent*>(evento)->button() == Qt::RightButton) {
            CmdConsultar();
            return true;
        }
        return false;
    case QEvent::Resize:
        m_editor->Ajustar();
        return false;
    default:
        return false;
    }
}
