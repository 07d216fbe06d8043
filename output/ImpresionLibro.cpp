#include "output/ImpresionLibro.h"

#include "output/Hoja.h"
#include "platform/ErrorVB.h"

#include <QFileInfo>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <vector>

namespace {

// A spreadsheet width unit is about one digit of the default font: 5.25 points.
constexpr double PuntosPorAncho = 5.25;
constexpr double AnchoPorDefecto = 8.43;

struct Medidas {
    std::vector<double> x;     // left edge of each column (index 1..n), in points
    std::vector<double> altos; // height of each row (index 1..m), in points
    double ancho = 0;
};

Medidas medir(const Hoja& hoja)
{
    Medidas m;
    const int columnas = qMax(1, hoja.UltimaColumna());
    m.x.assign(size_t(columnas + 2), 0);
    for (int c = 1; c <= columnas + 1; ++c) {
        const double ancho = hoja.Ancho(c - 1 >= 1 ? c - 1 : 1);
        m.x[size_t(c)] = c == 1 ? 0 : m.x[size_t(c - 1)] + (ancho > 0 ? ancho : AnchoPorDefecto) * PuntosPorAncho;
    }
    m.ancho = m.x[size_t(columnas + 1)];
    m.altos.assign(size_t(hoja.UltimaFila() + 1), 12);
    for (auto it = hoja.Celdas().cbegin(); it != hoja.Celdas().cend(); ++it)
        m.altos[size_t(it.key().first)] = qMax(m.altos[size_t(it.key().first)], it->estilo.tamano * 1.45);
    return m;
}

void dibujarFila(QPainter& p, const Hoja& hoja, const Medidas& m, int fila, double y, double dpi)
{
    const double alto = m.altos[size_t(fila)];
    for (int c = 1; c <= hoja.UltimaColumna(); ++c) {
        const Celda* celda = hoja.En(fila, c);
        if (!celda)
            continue;
        const QRectF caja(m.x[size_t(c)], y, m.x[size_t(c + 1)] - m.x[size_t(c)], alto);
        if (celda->estilo.borde) {
            p.setPen(QPen(Qt::black, 0.3));
            p.drawRect(caja);
        }
        if (celda->texto.isEmpty())
            continue;
        QFont f = p.font();
        // The painter already draws in points; the font must not be scaled a second time.
        f.setPointSizeF(celda->estilo.tamano * 72.0 / dpi);
        f.setBold(celda->estilo.negrita);
        f.setItalic(celda->estilo.cursiva);
        p.setFont(f);
        p.setPen(Qt::black);
        // A framed cell keeps its text inside; titles run on over the empty cells beside them.
        const QRectF texto = celda->estilo.borde ? caja.adjusted(1.5, 0, -1.5, 0)
                                                 : QRectF(caja.left() + 1.5, y, m.ancho - caja.left(), alto);
        p.save();
        if (celda->estilo.borde)
            p.setClipRect(caja);
        p.drawText(texto, Qt::AlignLeft | Qt::AlignVCenter, celda->texto);
        p.restore();
    }
}

} // namespace

void DibujarHoja(const Hoja& hoja, QPagedPaintDevice& dispositivo)
{
    const Medidas m = medir(hoja);
    QPageLayout disposicion = dispositivo.pageLayout();
    disposicion.setUnits(QPageLayout::Point);
    disposicion.setMargins(QMarginsF(28, 28, 28, 28));
    // Wide books go across the page.
    const QSizeF vertical = QPageSize(QPageSize::A4).size(QPageSize::Point);
    disposicion.setOrientation(m.ancho > vertical.width() - 56 ? QPageLayout::Landscape : QPageLayout::Portrait);
    dispositivo.setPageLayout(disposicion);

    QPainter p(&dispositivo);
    const QRectF util = disposicion.paintRect(QPageLayout::Point);
    // Points to device units, shrunk when the book is wider than the page.
    const double escala = (dispositivo.logicalDpiX() / 72.0) * qMin(1.0, util.width() / qMax(1.0, m.ancho));
    p.scale(escala, escala);
    const double altoPagina = util.height() * (dispositivo.logicalDpiX() / 72.0) / escala;

    double y = 0;
    int fila = 1;
    const int ultima = hoja.UltimaFila();
    while (fila <= ultima) {
        if (y + m.altos[size_t(fila)] > altoPagina && y > 0) {
            dispositivo.newPage();
            y = 0;
            // The title block and the headings on top of every page.
            for (int t = 1; t <= hoja.FilasDeTitulo && t <= ultima; ++t) {
                dibujarFila(p, hoja, m, t, y, dispositivo.logicalDpiY());
                y += m.altos[size_t(t)];
            }
        }
        dibujarFila(p, hoja, m, fila, y, dispositivo.logicalDpiY());
        y += m.altos[size_t(fila)];
        ++fila;
    }
}

void GuardarPdf(const Hoja& hoja, const QString& ruta)
{
    QPdfWriter pdf(ruta);
    pdf.setResolution(300);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setTitle(QStringLiteral("LIBRO DE EXISTENCIA DE HARINAS"));
    DibujarHoja(hoja, pdf);
    if (!QFileInfo(ruta).isFile() || QFileInfo(ruta).size() == 0)
        throw ErrorVB(75, QStringLiteral("No se pudo guardar el libro en %1.").arg(ruta), QStringLiteral("Tolvario"));
}

void VistaPreviaEImprimir(const Hoja& hoja, QWidget* padre)
{
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setDocName(QStringLiteral("LIBRO DE EXISTENCIA DE HARINAS"));
    QPrintPreviewDialog vista(&impresora, padre);
    vista.setWindowTitle(QStringLiteral("Vista previa del libro"));
    QObject::connect(&vista, &QPrintPreviewDialog::paintRequested, &vista, [&hoja](QPrinter* destino) { DibujarHoja(hoja, *destino); });
    vista.exec();
}
