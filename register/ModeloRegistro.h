#pragma once

#include "register/Planilla.h"

#include <QAbstractTableModel>

// The register's grid for the view: the title row becomes the header, so view row r is grid
// row r + 1. Numbers are right-aligned; the opening-balance and totals lines stand out.
class ModeloRegistro : public QAbstractTableModel
{
    Q_OBJECT
public:
    // Over the session's lines: the view shows them, the session changes them.
    explicit ModeloRegistro(Planilla& planilla, QObject* padre = nullptr);

    static int FilaDeVista(int filaGrilla) { return filaGrilla - 1; }
    static int FilaDeGrilla(int filaVista) { return filaVista + 1; }

    QString Texto(int filaGrilla, int columna) const { return m_planilla.Texto(filaGrilla, columna); }
    void PonerTexto(int filaGrilla, int columna, const QString& texto);
    bool PonerCantidad(int filaGrilla, int columna, const QString& texto, int decimales);

    // Changes through the grid, then one repaint of what they touched.
    void Inicializar();
    // The row's cells from `primeraColumna` to the last, emptied. Nothing calls it today.
    void BlanqueaFila(int filaGrilla, int primeraColumna);
    void Totalizar(int decimales);
    // The lines changed under the model: every cell painted again.
    void Mostrar() { todoCambio(); }

    int rowCount(const QModelIndex& padre = {}) const override;
    int columnCount(const QModelIndex& padre = {}) const override;
    QVariant data(const QModelIndex& indice, int rol) const override;
    QVariant headerData(int seccion, Qt::Orientation orientacion, int rol) const override;
    Qt::ItemFlags flags(const QModelIndex& indice) const override;

private:
    void todoCambio();

    Planilla& m_planilla;
    // Asked for each cell at every paint: made once.
    QVariant m_negrita;
    QVariant m_fondo;
    QVariant m_rojo;
};
