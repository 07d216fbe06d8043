#pragma once

#include "output/Hoja.h"
#include "platform/Importe.h"

#include <QString>
#include <functional>
#include <vector>

// What the book of one period is made from: the header as the clerk left it, the accounts
// of the period with their names, and its stored rows.
struct DatosLibro {
    int decimales = -2; // in force, as the formatter takes them
    int lineaInicial = 4;
    QString titulo;
    QString empresa;
    QString oncca;
    QString periodo;
    QString hoja;
    QString medida;
    bool bordes = true;

    struct Cuenta {
        QString codigo;
        QString descripcion;
    };
    struct Fila {
        QString cuenta;
        int dia = 0;
        Importe entradas;
        Importe salidas;
        QString observaciones;
    };
    std::vector<Cuenta> cuentas; // in the book's order
    std::vector<Fila> filas;     // grouped by account, in the same order
    std::function<Importe(const QString& cuenta)> saldoAnterior;
};

// The header boxes' rules: the decimals' text as a number rounded, 0 meaning whole numbers
// (-2); the first line's, 0 (or no number) meaning 4.
int DecimalesDelLibro(const QString& texto);
int LineaInicialDelLibro(const QString& texto);

// The worksheet of the book: title block, one group of three columns per account, the day
// totals, the remarks, each account's totals and the grand totals on the row after day 31,
// and the closing line. Raises ErrorVB 6 when a sum leaves the amounts' range.
Hoja ArmarLibro(const DatosLibro& datos);

// The group of columns of account group g (1-based): the first column after Start(g).
int InicioDeGrupo(int grupo);
