#pragma once

#include <memory>

class FrmTolvario;

// What the register asks of the book of a period. The output library provides it; the window
// saves first and calls it only when the save completed.
class Libro
{
public:
    virtual ~Libro() = default;
    // The toolbar's report: build the book of the period on screen and print it.
    virtual void Reporte(FrmTolvario& ventana) = 0;
    // The ONCCA button: build the book and copy it to the chosen removable disk.
    virtual void ArchivoOncca(FrmTolvario& ventana) = 0;
};
