#include "register/EditorDeCelda.h"

#include "platform/AlSalir.h"
#include "register/ModeloRegistro.h"
#include "register/Planilla.h"
#include "suite/SuiteForms.h"

#include <QHeaderView>
#include <QLineEdit>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>

namespace {

bool esColumnaDeCantidad(int columna)
{
    return columna == Planilla::ColEntradas || columna == Planilla::ColSalidas;
}

} // namespace

EditorDeCelda::EditorDeCelda(QTableView* vista, ModeloRegistro* modelo)
    : QObject(vista), m_vista(vista), m_modelo(modelo), m_caja(new QLineEdit(vista->viewport()))
{
    m_caja->setObjectName(QStringLiteral("txtEdit"));
    m_caja->setProperty("DataField", QString());
    m_caja->setProperty("Tag", QString());
    // Laid over its cell as Qt's own item editors are: the cell's grid lines are its frame.
    m_caja->setFrame(m_caja->style()->styleHint(QStyle::SH_ItemView_DrawDelegateFrame, nullptr, m_caja));
    m_caja->setFocusPolicy(Qt::ClickFocus);
    m_caja->hide();
    SuiteForms::FiltrarEntrada(m_caja);
    // The box stays on its cell whatever moves under it.
    connect(vista->verticalScrollBar(), &QScrollBar::valueChanged, this, &EditorDeCelda::Ajustar);
    connect(vista->horizontalScrollBar(), &QScrollBar::valueChanged, this, &EditorDeCelda::Ajustar);
    connect(vista->horizontalHeader(), &QHeaderView::sectionResized, this, &EditorDeCelda::Ajustar);
    // Only the clerk's keys edit it: the program's own setText does not count.
    connect(m_caja, &QLineEdit::textEdited, this, [this] { m_editado = true; });
}

bool EditorDeCelda::Abierto() const
{
    return m_caja->isVisible();
}

QModelIndex EditorDeCelda::Celda() const
{
    return m_celda.isValid() ? QModelIndex(m_celda) : m_vista->currentIndex();
}

void EditorDeCelda::Abrir(const QModelIndex& celda, bool conSuTexto, QChar tecla)
{
    m_vista->scrollTo(celda);
    m_celda = celda;
    m_caja->setGeometry(m_vista->visualRect(celda));
    m_caja->show();
    m_caja->raise();
    TextPropiedades(m_caja, celda.column());
    // Opened on the cell's own text, it keeps the exact amount until the clerk edits it; a
    // value typed is the clerk's, even when it reads as the cell did.
    m_conSuTexto = conSuTexto;
    m_editado = false;
    if (conSuTexto) {
        m_caja->setText(m_modelo->Texto(ModeloRegistro::FilaDeGrilla(celda.row()), celda.column()));
        m_caja->setCursorPosition(int(m_caja->text().size()));
    } else {
        m_caja->setText(QString(tecla));
        m_caja->setCursorPosition(1);
    }
    m_caja->setFocus(Qt::OtherFocusReason);
}

bool EditorDeCelda::Confirmar(int decimales)
{
    // The grid takes the focus and the cursor moves in one key: this runs once for both.
    if (m_confirmando || !m_caja->isVisible())
        return false;
    m_confirmando = true;
    const AlSalir fin([this] { m_confirmando = false; });
    const QPersistentModelIndex celda = m_celda;
    const QString texto = m_caja->text();
    // Hidden while it has the focus, the box would hand it to the next box of the window.
    if (m_caja->hasFocus())
        m_vista->setFocus();
    m_caja->hide();
    m_celda = QPersistentModelIndex();
    const AlSalir cerrado([this] { m_conSuTexto = false; });
    if (!celda.isValid())
        return false;
    const int fila = ModeloRegistro::FilaDeGrilla(celda.row());
    // A quantity that is not one never reaches the cell, even when the clerk clicks away
    // instead of pressing Enter.
    if (esColumnaDeCantidad(celda.column())) {
        if ((!texto.trimmed().isEmpty() && !Planilla::EsCantidad(texto)) || !CantidadEditada())
            return false;
        m_modelo->PonerCantidad(fila, celda.column(), texto, decimales);
    } else {
        if (m_modelo->Texto(fila, celda.column()) == texto)
            return false;
        m_modelo->PonerTexto(fila, celda.column(), texto);
    }
    if (m_alConfirmar)
        m_alConfirmar(fila);
    return true;
}

bool EditorDeCelda::ConfirmarYMover(int fila, int columna, int decimales)
{
    m_vista->setFocus();
    const bool cambio = Confirmar(decimales);
    IrACelda(fila, columna);
    return cambio;
}

int EditorDeCelda::FilaActual() const
{
    const QModelIndex i = m_vista->currentIndex();
    return i.isValid() ? ModeloRegistro::FilaDeGrilla(i.row()) : Planilla::FilaSaldoAnterior;
}

int EditorDeCelda::ColumnaActual() const
{
    const QModelIndex i = m_vista->currentIndex();
    return i.isValid() ? i.column() : 0;
}

void EditorDeCelda::IrACelda(int fila, int columna)
{
    const QModelIndex i = m_modelo->index(ModeloRegistro::FilaDeVista(fila), columna);
    m_vista->setCurrentIndex(i);
    m_vista->scrollTo(i);
}

void EditorDeCelda::Descartar()
{
    m_celda = QPersistentModelIndex();
    m_vista->setFocus();
    m_caja->hide();
}

void EditorDeCelda::Vaciar()
{
    m_caja->clear();
    m_editado = true;
}

bool EditorDeCelda::CantidadEditada() const
{
    return !m_conSuTexto || m_editado;
}

void EditorDeCelda::Ajustar()
{
    if (m_caja->isVisible() && m_celda.isValid())
        m_caja->setGeometry(m_vista->visualRect(m_celda));
}

void EditorDeCelda::TextPropiedades(QLineEdit* Texto, int Columna)
{
    if (!Texto)
        return;
    // The limit is set once, to its final value: a shorter one on the way would cut the
    // text being edited.
    int largo = 25;
    if (Texto->objectName().trimmed().compare(QStringLiteral("TxtEdit"), Qt::CaseInsensitive) == 0) {
        switch (Columna) {
        case Planilla::ColEntradas:
        case Planilla::ColSalidas:
            Texto->setProperty("DataField", Columna == Planilla::ColEntradas ? QStringLiteral("Entradas") : QStringLiteral("Salidas"));
            Texto->setProperty("Tag", QString());
            Texto->setProperty("Numerico", true);
            Texto->setAlignment(Qt::AlignRight);
            largo = 32767; // no limit of its own
            break;
        case Planilla::ColObservaciones:
            Texto->setProperty("DataField", QStringLiteral("Observaciones"));
            Texto->setProperty("Tag", QString());
            Texto->setProperty("Numerico", false);
            Texto->setAlignment(Qt::AlignLeft);
            largo = 255; // the column's size: a stored remark opens whole
            break;
        default:
            Texto->setProperty("DataField", QString());
            Texto->setProperty("Numerico", false);
            break;
        }
    }
    Texto->setMaxLength(largo);
}
