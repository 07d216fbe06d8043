#pragma once

#include "output/ArmadoLibro.h"
#include "output/Hoja.h"

#include <QString>

// The book's file of a period in a folder: month + year + ".xlsx".
QString NombreDelLibro(const QString& carpeta, const QString& periodo);

// The header as the window writes it to the settings, for a book made without the window;
// the sheet number as validating the period gives it (the stored one, else the next one),
// and nothing is written.
DatosLibro EncabezadoDesdeAjustes(const QString& periodo);

struct LibroExportado {
    Hoja hoja;
    QString ruta;
};

// Reads the period's register into `datos`, lays the book out and saves it in `carpeta`,
// replacing an older one. Raises ErrorVB on any failure; nothing is passed as done.
LibroExportado ExportarLibro(DatosLibro datos, const QString& carpeta);
