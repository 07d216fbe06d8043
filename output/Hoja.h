#pragma once

#include "platform/Importe.h"

#include <QMap>
#include <QString>
#include <optional>
#include <utility>

// One worksheet as the book needs it: texts in cells with their look, and column widths.
// Rows and columns count from 1, as the book's layout is written.
struct EstiloCelda {
    double tamano = 10;
    bool negrita = false;
    bool cursiva = false;
    bool sombra = false;
    bool borde = false;
    bool operator==(const EstiloCelda&) const = default;
};

struct Celda {
    QString texto; // as shown
    EstiloCelda estilo;
    // A figure: the value as shown (already rounded to its decimals) and how many decimals
    // it shows; a reader sums and aligns it as a number.
    std::optional<Importe> numero;
    int decimales = 0;
};

class Hoja
{
public:
    void Escribir(int fila, int columna, const QString& texto, const EstiloCelda& estilo);
    // A figure shown with `decimales` (-2: whole numbers), rounded as the quantity formatter
    // rounds it, so what is shown and what is summed agree.
    void EscribirNumero(int fila, int columna, Importe valor, int decimales, const EstiloCelda& estilo);
    // Gives the cell a look without a value.
    void Estilo(int fila, int columna, const EstiloCelda& estilo);
    void AnchoColumna(int columna, double ancho) { m_anchos[columna] = ancho; }

    const Celda* En(int fila, int columna) const;
    QString Texto(int fila, int columna) const;
    double Ancho(int columna) const { return m_anchos.value(columna, 0); } // 0: not set
    int UltimaFila() const { return m_ultimaFila; }
    int UltimaColumna() const { return m_ultimaColumna; }
    const QMap<std::pair<int, int>, Celda>& Celdas() const { return m_celdas; }
    const QMap<int, double>& Anchos() const { return m_anchos; }
    // Every column at least as wide as its widest figure in its own font, so a spreadsheet
    // never shows "###" where the book has a number.
    void AnchosParaCifras();

    // How many decimals the quantity formatter shows for a count of decimals in force (-1
    // takes the configured count, 0 the workstation's, -2 none).
    static int DecimalesMostrados(int decimales);

    // The rows that repeat on top of every printed page: the title block and the headings,
    // from PrimeraFilaDeTitulo to FilasDeTitulo. Rows above the first are the blank top of
    // the first page only.
    int PrimeraFilaDeTitulo = 1;
    int FilasDeTitulo = 0;
    // Printed across the page even when it would fit upright (the year's months).
    bool Apaisada = false;
    // The worksheet's name and the printed page's footer.
    QString Nombre;
    QString PieIzquierdo;
    QString PieDerecho;

private:
    QMap<std::pair<int, int>, Celda> m_celdas;
    QMap<int, double> m_anchos;
    int m_ultimaFila = 0;
    int m_ultimaColumna = 0;
};
