#include "output/Hoja.h"

#include "startup/Formatos.h"

#include <cmath>

void Hoja::Escribir(int fila, int columna, const QString& texto, const EstiloCelda& estilo)
{
    Celda& c = m_celdas[{fila, columna}];
    c = Celda();
    c.texto = texto;
    c.estilo = estilo;
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

int Hoja::DecimalesMostrados(int decimales)
{
    // As the formatter shows them: the digits after its separator in a figure it formats.
    const QString muestra = FormatoCantidad(QStringLiteral("1"), decimales);
    const int separador = int(qMax(muestra.lastIndexOf(u'.'), muestra.lastIndexOf(u',')));
    return separador < 0 ? 0 : int(muestra.size()) - separador - 1;
}

void Hoja::EscribirNumero(int fila, int columna, Importe valor, int decimales, const EstiloCelda& estilo)
{
    const int d = DecimalesMostrados(decimales);
    Escribir(fila, columna, FormatoCantidad(valor.texto(), decimales), estilo);
    Celda& c = m_celdas[{fila, columna}];
    // An amount holds four decimals: more shown are zeros, as the formatter pads them.
    c.numero = valor.redondeado(qMin(d, 4));
    c.decimales = d;
}

void Hoja::AnchosParaCifras()
{
    for (auto it = m_celdas.cbegin(); it != m_celdas.cend(); ++it) {
        if (!it->numero)
            continue;
        // A spreadsheet's width unit is one digit of its 11-point font; bold digits are a
        // little wider, and a cell keeps some room on each side.
        const double ancho = std::ceil((it->texto.size() * it->estilo.tamano / 11.0 * (it->estilo.negrita ? 1.1 : 1.0) + 1.5) * 4) / 4;
        const int columna = it.key().second;
        if (ancho > m_anchos.value(columna, 0))
            m_anchos[columna] = ancho;
    }
}
