#include "register/VistaConFilasFijas.h"

#include <QHeaderView>
#include <QScrollBar>

VistaConFilasFijas::VistaConFilasFijas(QWidget* padre)
    : QTableView(padre)
{
}

QTableView* VistaConFilasFijas::nuevaFija(int fila)
{
    auto* fija = new QTableView(this);
    fija->setObjectName(fila == 0 ? QStringLiteral("FilaFijaArriba") : QStringLiteral("FilaFijaAbajo"));
    fija->setModel(model());
    fija->setSelectionModel(selectionModel());
    fija->setItemDelegate(itemDelegate());
    fija->setFocusPolicy(Qt::NoFocus);
    fija->setEditTriggers(QAbstractItemView::NoEditTriggers);
    fija->setWordWrap(false);
    fija->setFrameShape(QFrame::NoFrame);
    fija->horizontalHeader()->hide();
    fija->verticalHeader()->hide();
    fija->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fija->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    fija->horizontalHeader()->setStretchLastSection(horizontalHeader()->stretchLastSection());
    for (int f = 0; f < model()->rowCount(); ++f)
        fija->setRowHidden(f, f != fila);
    for (int c = 0; c < model()->columnCount(); ++c)
        fija->setColumnWidth(c, columnWidth(c));
    // Its columns and its sideways scroll are the table's.
    connect(horizontalHeader(), &QHeaderView::sectionResized, fija, [fija](int c, int, int ancho) { fija->setColumnWidth(c, ancho); });
    connect(horizontalScrollBar(), &QScrollBar::valueChanged, fija->horizontalScrollBar(), &QScrollBar::setValue);
    // A click there is a click on the table: its cell current, the keys the table's.
    connect(fija, &QAbstractItemView::pressed, this, [this] { setFocus(Qt::MouseFocusReason); });
    fija->show();
    return fija;
}

void VistaConFilasFijas::FijarFilas()
{
    const int ultima = model()->rowCount() - 1;
    if (!m_arriba) {
        m_arriba = nuevaFija(0);
        m_abajo = nuevaFija(ultima);
        setRowHidden(0, true);
        setRowHidden(ultima, true);
    }
    const int alto = verticalHeader()->defaultSectionSize();
    for (QTableView* fija : {m_arriba, m_abajo}) {
        fija->verticalHeader()->setDefaultSectionSize(alto);
        fija->setFixedHeight(alto);
    }
    updateGeometries();
}

void VistaConFilasFijas::ubicar()
{
    if (!m_arriba)
        return;
    const QRect v = viewport()->geometry();
    const int alto = m_arriba->height();
    m_arriba->setGeometry(v.x(), v.y() - alto, v.width(), alto);
    m_abajo->setGeometry(v.x(), v.y() + v.height(), v.width(), alto);
    m_arriba->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
    m_abajo->horizontalScrollBar()->setValue(horizontalScrollBar()->value());
}

QModelIndex VistaConFilasFijas::moveCursor(CursorAction accion, Qt::KeyboardModifiers teclas)
{
    const QModelIndex i = currentIndex();
    const int ultima = model() ? model()->rowCount() - 1 : 0;
    if (m_arriba && i.isValid()) {
        const auto a = [&](int fila) { return model()->index(fila, i.column()); };
        if (accion == MoveUp && (i.row() == 1 || i.row() == ultima))
            return a(i.row() - 1);
        if (accion == MoveDown && (i.row() == 0 || i.row() == ultima - 1))
            return a(i.row() + 1);
        // Along a frozen row, which the table itself has hidden.
        if (isRowHidden(i.row()) && (accion == MoveLeft || accion == MoveRight)) {
            const int columna = qBound(0, i.column() + (accion == MoveLeft ? -1 : 1), model()->columnCount() - 1);
            return model()->index(i.row(), columna);
        }
    }
    return QTableView::moveCursor(accion, teclas);
}

void VistaConFilasFijas::resizeEvent(QResizeEvent* evento)
{
    QTableView::resizeEvent(evento);
    ubicar();
}

void VistaConFilasFijas::updateGeometries()
{
    // The table keeps its margins for its headers; the frozen rows take theirs below the
    // column titles and above the bottom edge.
    QTableView::updateGeometries();
    if (!m_arriba || m_ubicando)
        return;
    m_ubicando = true;
    const int alto = m_arriba->height();
    const int titulos = horizontalHeader()->isHidden() ? 0 : horizontalHeader()->height();
    setViewportMargins(verticalHeader()->isHidden() ? 0 : verticalHeader()->width(), titulos + alto, 0, alto);
    const QRect v = viewport()->geometry();
    horizontalHeader()->setGeometry(v.x(), v.y() - alto - titulos, v.width(), titulos);
    ubicar();
    m_ubicando = false;
}
