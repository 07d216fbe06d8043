#pragma once

#include <QString>

class QStatusBar;
class QWidget;

// The header of a period's book as the clerk left it on screen for the loaded period.
struct EncabezadoLibro {
    int decimales = -2; // in force, as the formatter takes them
    int lineaInicial = 4;
    QString titulo;
    QString empresa;
    QString oncca;
    QString periodo;
    QString hoja;
    QString medida;
    bool bordes = true;
};

// The header boxes' rules: the decimals' text as a number rounded, 0 meaning whole numbers
// (-2); the first line's, 0 (or no number) meaning 4.
int DecimalesDelLibro(const QString& texto);
int LineaInicialDelLibro(const QString& texto);

// What the register asks of the book of a period. The output library provides it; the window
// saves first and calls it only when the save completed. The book is read from what is
// stored, with the header handed to it: the window's boxes are never read from here.
class Libro
{
public:
    struct Pedido {
        EncabezadoLibro encabezado;
        QString unidad;               // the removable disk chosen, for the ONCCA copy
        QWidget* ventana = nullptr;   // parent of dialogs and the print preview
        QStatusBar* estado = nullptr; // where the work in progress is told
    };
    virtual ~Libro() = default;
    // The toolbar's report: build the book of the period and print it.
    virtual void Reporte(const Pedido& pedido) = 0;
    // The ONCCA button: build the book and copy it to the chosen removable disk.
    virtual void ArchivoOncca(const Pedido& pedido) = 0;
};
