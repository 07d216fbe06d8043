#include "output/ImpresionLibro.h"

#include "output/Hoja.h"
#include "platform/ErrorVB.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
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
    const int ultima = hoja.UltimaColumna();
    // The frames first, so a text running on over empty cells is not crossed by them.
    p.setPen(QPen(Qt::black, 0.3));
    for (int c = 1; c <= ultima; ++c)
        if (const Celda* celda = hoja.En(fila, c); celda && celda->estilo.borde)
            p.drawRect(QRectF(m.x[size_t(c)], y, m.x[size_t(c + 1)] - m.x[size_t(c)], alto));
    for (int c = 1; c <= ultima; ++c) {
        const Celda* celda = hoja.En(fila, c);
        if (!celda || celda->texto.isEmpty())
            continue;
        // As in the spreadsheet, a text runs on over the empty cells to its right; titles
        // without a frame may run to the end of the page.
        int hasta = c;
        while (hasta < ultima && hoja.Texto(fila, hasta + 1).isEmpty())
            ++hasta;
        const double derecha = celda->estilo.borde || hasta < ultima ? m.x[size_t(hasta + 1)] : qMax(m.ancho, m.x[size_t(c)] + 2000);
        const QRectF caja(m.x[size_t(c)] + 1.5, y, derecha - m.x[size_t(c)] - 3, alto);
        QFont f = p.font();
        // The painter already draws in points; the font must not be scaled a second time.
        double tamano = celda->estilo.tamano;
        f.setBold(celda->estilo.negrita);
        f.setItalic(celda->estilo.cursiva);
        f.setPointSizeF(tamano * 72.0 / dpi);
        // A figure wider than its column is drawn smaller rather than cut.
        while (tamano > 4 && QFontMetricsF(f, p.device()).horizontalAdvance(celda->texto) > caja.width() * dpi / 72.0) {
            tamano -= 0.5;
            f.setPointSizeF(tamano * 72.0 / dpi);
        }
        p.setFont(f);
        p.setPen(Qt::black);
        p.drawText(caja, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextDontClip, celda->texto);
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
    // An older file that stays would look like this one written.
    if (QFileInfo::exists(ruta) && !QFile::remove(ruta))
        throw ErrorVB(75, QStringLiteral("No se pudo guardar el libro en %1: el archivo anterior está en uso o no se puede reemplazar.").arg(ruta),
                      QStringLiteral("Tolvario"));
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
