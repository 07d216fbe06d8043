#pragma once

#include "output/Hoja.h"
#include "register/Libro.h"

#include <QString>
#include <functional>
#include <map>

class QWidget;

// The book as the register window asks for it: built from the header it is handed and the
// stored register, saved in the application folder, then printed or copied to the disk.
class LibroDelRegistro : public Libro
{
public:
    void Reporte(const Pedido& pedido) override;
    void ArchivoOncca(const Pedido& pedido) override;

    // Builds and saves the book; with `Exportar` the disk procedure follows. False when it
    // was not saved, or not copied to the disk (the clerk was told why).
    bool ExportaExcel(const Pedido& pedido, bool Mostrar, bool Exportar, QString& Destino);

    // How a built book reaches paper; the print preview unless a test puts its own.
    std::function<void(const Hoja&, QWidget*)> Imprimir;

private:
    Hoja m_hoja;
    std::map<QString, QString> m_huellas; // of the book built for the ONCCA copy
};
