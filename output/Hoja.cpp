#include "output/Hoja.h"

void Hoja::Escribir(int fila, int columna, const QString& texto, const EstiloCelda& estilo)
{
    m_celdas[{fila, columna}] = {texto, estilo};
    m_ultimaFila = qMax(m_ultimaFila, fila);
    m_ultimaColumna = qMax(m_ultimaColumna, columna);
}

void Hoja::Estilo(int fila, int columna, const EstiloCelda& estilo)
{
    Celda& c = m_celdas[{fila, columna}];
    c.estilo = estilo;
    m_ultimaFila = qMax(m_ultimaFila, fila);
    m_ultimaColumna = qMax(m_ultimaColumna, columna);
}

const Celda* Hoja::En(int fila, int columna) const
{
    const auto it = m_celdas.constFind({fila, columna});
    return it == m_celdas.cend() ? nullptr : &*it;
}

QString Hoja::Texto(int fila, int columna) const
{
    const Celda* c = En(fila, columna);
    return c ? c->texto : QString();
}
