#pragma once

#include <QTableView>

// A table whose first and last rows stay in view while the rows between them scroll, as a
// spreadsheet's frozen rows: two views over the same model, selection and delegate laid in
// margins kept at the top and bottom of the viewport, the table's own copies of those rows
// hidden. Keys and the editor stay with the table; a click on a frozen cell makes it current.
class VistaConFilasFijas : public QTableView
{
    Q_OBJECT
public:
    explicit VistaConFilasFijas(QWidget* padre = nullptr);
    // Once the model and the delegate are set, and whenever the row height changes.
    void FijarFilas();

protected:
    // Up from the first day reaches the frozen top row, Down from the last the bottom one,
    // and back, as when they scrolled with the rest.
    QModelIndex moveCursor(CursorAction accion, Qt::KeyboardModifiers teclas) override;
    void resizeEvent(QResizeEvent* evento) override;
    void updateGeometries() override;

private:
    QTableView* nuevaFija(int fila);
    void ubicar();

    QTableView* m_arriba = nullptr;
    QTableView* m_abajo = nullptr;
    bool m_ubicando = false; // the margins set here lay the table out again
};
