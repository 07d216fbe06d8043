#include "register/ModeloRegistro.h"

#include <QBrush>
#include <QColor>
#include <QFont>
#include <QPalette>
#include <array>

ModeloRegistro::ModeloRegistro(Planilla& planilla, QObject* padre)
    : QAbstractTableModel(padre)
    , m_planilla(planilla)
    , m_fondo(QPalette().brush(QPalette::AlternateBase))
    , m_rojo(QBrush(QColor(0xC0, 0, 0)))
{
    QFont negrita;
    negrita.setBold(true);
    m_negrita = negrita;
}

void ModeloRegistro::PonerTexto(int filaGrilla, int columna, const QString& texto)
{
    m_planilla.PonerTexto(filaGrilla, columna, texto);
    const QModelIndex i = index(FilaDeVista(filaGrilla), columna);
    emit dataChanged(i, i);
}

bool ModeloRegistro::PonerCantidad(int filaGrilla, int columna, const QString& texto, int decimales)
{
    if (!m_planilla.PonerCantidad(filaGrilla, columna, texto, decimales))
        return false;
    const QModelIndex i = index(FilaDeVista(filaGrilla), columna);
    emit dataChanged(i, i);
    return true;
}

void ModeloRegistro::Inicializar()
{
    m_planilla.Inicializar();
    todoCambio();
}

void ModeloRegistro::BlanqueaFila(int filaGrilla, int primeraColumna)
{
    if (filaGrilla < 0 || filaGrilla >= Planilla::Filas)
        return;
    for (int c = qMax(0, primeraColumna); c < Planilla::Columnas; ++c)
        PonerTexto(filaGrilla, c, QString());
}

void ModeloRegistro::Totalizar(int decimales)
{
    // Only the stock and totals cells whose text changed are repainted: after one value
    // typed that is the stock from its day on, not the whole grid.
    std::array<QString, Planilla::Filas> antes;
    for (int f = Planilla::FilaSaldoAnterior; f < Planilla::Filas; ++f)
        antes[size_t(f)] = m_planilla.Texto(f, Planilla::ColSaldo);
    struct Aviso {
        ModeloRegistro* m;
        const std::array<QString, Planilla::Filas>& antes;
        ~Aviso()
        {
            int primera = -1;
            int ultima = -1;
            for (int f = Planilla::FilaSaldoAnterior; f < Planilla::Filas; ++f)
                if (m->m_planilla.Texto(f, Planilla::ColSaldo) != antes[size_t(f)]) {
                    if (primera < 0)
                        primera = f;
                    ultima = f;
                }
            if (primera >= 0)
                emit m->dataChanged(m->index(FilaDeVista(primera), Planilla::ColSaldo),
                                    m->index(FilaDeVista(ultima), Planilla::ColSaldo));
            const int totales = FilaDeVista(Planilla::FilaTotales);
            emit m->dataChanged(m->index(totales, Planilla::ColEntradas), m->index(totales, Planilla::ColSaldo));
        }
    } aviso{this, antes};
    m_planilla.Totalizar(decimales);
}

void ModeloRegistro::todoCambio()
{
    emit dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int ModeloRegistro::rowCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : Planilla::Filas - 1;
}

int ModeloRegistro::columnCount(const QModelIndex& padre) const
{
    return padre.isValid() ? 0 : Planilla::Columnas;
}

QVariant ModeloRegistro::data(const QModelIndex& indice, int rol) const
{
    if (!indice.isValid())
        return {};
    const int fila = FilaDeGrilla(indice.row());
    const int columna = indice.column();
    switch (rol) {
    case Qt::DisplayRole:
    case Qt::EditRole:
        return m_planilla.Texto(fila, columna);
    case Qt::TextAlignmentRole:
        return columna == Planilla::ColObservaciones ? QVariant(Qt::AlignLeft | Qt::AlignVCenter)
                                                     : QVariant(Qt::AlignRight | Qt::AlignVCenter);
    case Qt::FontRole:
        return Planilla::EsFilaDeDia(fila) ? QVariant() : m_negrita;
    case Qt::ForegroundRole:
        // A stock below zero stands out wherever it shows.
        return columna == Planilla::ColSaldo && fila > 0 && m_planilla.Negativa(fila) ? m_rojo : QVariant();
    case Qt::BackgroundRole:
        if (!Planilla::EsFilaDeDia(fila) || columna == Planilla::ColDia || columna == Planilla::ColSaldo)
            return m_fondo;
        return {};
    default:
        return {};
    }
}

QVariant ModeloRegistro::headerData(int seccion, Qt::Orientation orientacion, int rol) const
{
    if (orientacion == Qt::Horizontal && rol == Qt::DisplayRole && seccion >= 0 && seccion < Planilla::Columnas)
        return m_planilla.Texto(0, seccion);
    return QAbstractTableModel::headerData(seccion, orientacion, rol);
}

Qt::ItemFlags ModeloRegistro::flags(const QModelIndex& indice) const
{
    if (!indice.isValid())
        return Qt::NoItemFlags;
    // Cells are typed through the window's own editor, never by the view's.
    return Qt::ItemIsEnabled | Qt::ItemIsSelectable;
}
