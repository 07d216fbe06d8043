#pragma once

#include <QString>

#include <QFont>

class Hoja;
struct EstiloCelda;
class QPagedPaintDevice;
class QWidget;

// The face a cell is printed in (size, bold, italic), and the key of that look.
QFont FuenteDeCelda(const EstiloCelda& estilo);
QString ClaveDeFuente(const EstiloCelda& estilo);

// The book on paper: the worksheet drawn with its fonts, borders and column widths, across
// the page when it is wide (landscape), the title rows repeated on every page.
void DibujarHoja(const Hoja& hoja, QPagedPaintDevice& dispositivo);
// The same pages as a PDF file; raises ErrorVB when it cannot be written.
void GuardarPdf(const Hoja& hoja, const QString& ruta);
// The print preview on the system's default printer, from which the clerk prints or saves.
void VistaPreviaEImprimir(const Hoja& hoja, QWidget* padre);
