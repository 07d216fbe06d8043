#pragma once

#include <QObject>
#include <QPersistentModelIndex>
#include <functional>

class ModeloRegistro;
class QLineEdit;
class QTableView;

// The floating editor over the register grid: the box laid over a day's cell, the cell it
// was opened on and whether its text is the clerk's. It follows that cell when the grid
// scrolls or resizes; it commits into that cell only, once, and the window then moves.
class EditorDeCelda : public QObject
{
    Q_OBJECT
public:
    EditorDeCelda(QTableView* vista, ModeloRegistro* modelo);

    // The box itself (objectName "txtEdit").
    QLineEdit* Caja() const { return m_caja; }
    bool Abierto() const;
    // The cell it was opened on, or the grid's cursor when it is closed.
    QModelIndex Celda() const;

    // Opens on `celda`: on the cell's own text (to amend it) or on the key typed.
    void Abrir(const QModelIndex& celda, bool conSuTexto, QChar tecla);
    // The commit: the box's text into the cell it was opened on, as a loaded value is shown
    // (figures through the formatter, with `decimales`). A figure that is none never reaches
    // the cell. True when the cell changed. Closes the box.
    bool Confirmar(int decimales);
    // The commit, then the grid's cursor to `fila` (grid rows: 1 the opening balance, 2 to 32
    // the days) and `columna`: one step, so a value always lands in the cell it was typed
    // in. True when the cell changed.
    bool ConfirmarYMover(int fila, int columna, int decimales);
    // Whoever keeps the edit: told of each cell a commit changed (its grid row).
    void AlConfirmar(std::function<void(int filaGrilla)> f) { m_alConfirmar = std::move(f); }
    // Escape: closed, the cell keeps what it had.
    void Descartar();
    // Emptied by the clerk (Delete on the cell): an empty value typed.
    void Vaciar();
    // Whether the figure is the clerk's: typed, or opened on the cell and changed since.
    bool CantidadEditada() const;
    // The grid's cursor, in the grid's own rows.
    int FilaActual() const;
    int ColumnaActual() const;
    void IrACelda(int fila, int columna);
    // The box's limits and alignment for a column of the grid; other boxes get 25.
    static void TextPropiedades(QLineEdit* Texto, int Columna);
    void Ajustar();

private:
    QTableView* m_vista;
    ModeloRegistro* m_modelo;
    QLineEdit* m_caja;
    QPersistentModelIndex m_celda;
    bool m_conSuTexto = false; // opened on the cell's text
    bool m_editado = false;    // and the clerk's keys changed it since
    bool m_confirmando = false;
    std::function<void(int)> m_alConfirmar;
};
