#pragma once

#include "output/Hoja.h"
#include "register/Libro.h"

#include <QString>
#include <functional>

class FrmTolvario;
class QWidget;

// The book as the register window asks for it: built from the window's header and the
// stored register, saved in the application folder, then printed or copied to the disk.
class LibroDelRegistro : public Libro
{
public:
    void Reporte(FrmTolvario& ventana) override;
    void ArchivoOncca(FrmTolvario& ventana) override;

    // Builds and saves the book; with `Exportar` the disk procedure follows. False when it
    // was not saved (the clerk was told why).
    bool ExportaExcel(FrmTolvario& ventana, bool Mostrar, bool Exportar, QString& Destino);

    // How a built book reaches paper; the print preview unless a test puts its own.
    std::function<void(const Hoja&, QWidget*)> Imprimir;

private:
    Hoja m_hoja;
};
