#pragma once

#include <QString>

#include <QFont>
#include <functional>

class Hoja;
class QPainter;
class QRectF;
struct EstiloCelda;
class QPagedPaintDevice;
class QWidget;

// The face a cell is printed in (size, bold, italic), and the key of that look.
QFont FuenteDeCelda(const EstiloCelda& estilo);
QString ClaveDeFuente(const EstiloCelda& estilo);

// The book on paper: the worksheet drawn with its fonts, borders and column widths, across
// the page when it is wide (landscape), the title rows repeated on every page.
// `paginaFinal`, when given, draws one more page of its own within the printable area (in
// the device's own units).
using PaginaFinal = std::function<void(QPainter&, const QRectF& util)>;
void DibujarHoja(const Hoja& hoja, QPagedPaintDevice& dispositivo, const PaginaFinal& paginaFinal = {});
// The same pages as a PDF file; raises ErrorVB when it cannot be written.
void GuardarPdf(const Hoja& hoja, const QString& ruta, const PaginaFinal& paginaFinal = {});
// The print preview on the system's default printer, from which the clerk prints or saves.
void VistaPreviaEImprimir(const Hoja& hoja, QWidget* padre, const PaginaFinal& paginaFinal = {});
