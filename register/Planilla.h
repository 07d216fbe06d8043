#pragma once

#include "platform/Importe.h"
#include "register/LineaRegistro.h"

#include <QString>
#include <array>
#include <optional>
#include <vector>

// The register's grid as the clerk sees it, as texts: row 0 the titles, row 1 the opening
// balance, rows 2 to 32 the days, row 33 the totals. The running stock is computed here, from
// the rows, and nowhere else; the window only shows it.
class Planilla
{
public:
    static constexpr int Filas = 34;
    static constexpr int Columnas = 5;
    static constexpr int FilaSaldoAnterior = 1;
    static constexpr int PrimeraFilaDia = 2;
    static constexpr int UltimaFilaDia = 32;
    static constexpr int FilaTotales = 33;
    enum Columna { ColDia = 0, ColEntradas = 1, ColSalidas = 2, ColSaldo = 3, ColObservaciones = 4 };

    using Linea = LineaRegistro;

    Planilla() { Inicializar(); }

    // Titles and day numbers 1 to 31; everything else empty.
    void Inicializar();

    const QString& Texto(int fila, int columna) const { return m_celdas[size_t(fila)][size_t(columna)]; }
    // A text the clerk put: a quantity is then read from it.
    void PonerTexto(int fila, int columna, const QString& texto);
    // A quantity the clerk typed ("2450,5"): kept exact and shown as a loaded one is
    // ("2450.50"; 0 empty), even when it reads as the cell did. False, and nothing changed,
    // when the text is no quantity.
    bool PonerCantidad(int fila, int columna, const QString& texto, int decimales);
    // Where Enter goes from a column: Entradas, Salidas, Observaciones (the stock skipped),
    // then back to the same line's Entradas.
    static int ColumnaSiguiente(int columna);
    static bool EsFilaDeDia(int fila) { return fila >= PrimeraFilaDia && fila <= UltimaFilaDia; }

    // The stored register of one account: the opening balance and each line on the row of its
    // day (a day outside 1 to 31 has no row), quantities shown formatted, 0 shown empty, yet
    // kept exact: browsing never rounds a stored figure. Then the totals.
    void Asignar(Importe saldoAnterior, const std::vector<Linea>& lineas, int decimales);

    // Running stock on every day line from the opening balance and the quantities (the stored
    // amounts, or what the clerk typed), and the totals line. Raises ErrorVB 6 when a sum leaves the amounts' range.
    void Totalizar(int decimales);

    // A quantity the clerk may type: an optional sign, digits and at most one decimal
    // separator (point or comma), no grouping, below a thousand million.
    static bool EsCantidad(const QString& texto);

    // The decimals a box's text asks for: its number rounded, kept to -2..4; 0, no number or
    // a number beyond any amount mean whole numbers (-2), never the workstation's digits.
    static int Decimales(const QString& texto);

    // A remark as it can be stored anywhere: control characters (a NUL, a tab) become
    // blanks, as the clerk sees them; then trimmed.
    static QString ObservacionGuardable(const QString& texto);

    // The lines to store: every row with a day number, quantities read from their texts.
    std::vector<Linea> LineasDeDia() const;

    // The amount of a quantity cell: exact as loaded, else read from its text.
    Importe Cantidad(int fila, int columna) const;

    // The stock on a row as the last Totalizar left it: below zero on a day line, the opening
    // balance or the closing stock is flour that cannot have left a silo holding none.
    bool Negativa(int fila) const { return m_saldos[size_t(fila)] < Importe(); }
    // The first day line whose stock is below zero (its grid row), or 0; and that day named
    // for the clerk ("Existencia negativa desde el día 3: -104037,72."), or nothing.
    int PrimeraNegativa() const;
    QString AvisoDeNegativa() const;
    Importe SaldoDe(int fila) const { return m_saldos[size_t(fila)]; }

private:
    std::array<std::array<QString, Columnas>, Filas> m_celdas;
    // Entradas and Salidas as loaded, until the clerk types over them.
    std::array<std::array<std::optional<Importe>, 2>, Filas> m_exactos;
    Importe m_saldoAnterior;
    std::array<Importe, Filas> m_saldos{};
};
