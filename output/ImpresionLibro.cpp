#include "output/ImpresionLibro.h"

#include "output/Hoja.h"
#include "output/PaginadoLibro.h"
#include "platform/ErrorVB.h"

#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QMap>
#include <QSet>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <vector>

namespace {

// Everything below is in points, turned into device units only when drawn.
constexpr double Margen = 20;
constexpr double Relleno = 2.5;       // inside a cell, on each side: figures never touch
constexpr double AltoPorPunto = 1.25; // a row's height for the size of its largest text
constexpr double TamanoPie = 7;

// Where a cell's text may go: its own cell, or, for a text followed in its row by empty
// cells of the same kind (a group's title over its three columns, a title line), those too.
struct Tramo {
    int desde = 0;
    int hasta = 0;
};

class Plano
{
public:
    Plano(const Hoja& hoja, QPaintDevice& dispositivo)
        : m_hoja(hoja)
        , m_dispositivo(dispositivo)
        , m_puntos(dispositivo.logicalDpiX() / 72.0)
    {
        calcularTramos();
        medirColumnas();
    }

    // One font (and its measures) per look, made once: every cell asks for one.
    const QFont& fuente(const EstiloCelda& e) const
    {
        const QString clave = ClaveDeFuente(e);
        auto it = m_fuentes.find(clave);
        if (it == m_fuentes.end()) {
            const QFont f = FuenteDeCelda(e);
            it = m_fuentes.insert(clave, {f, QFontMetricsF(f, &m_dispositivo)});
        }
        return it->first;
    }
    // The width of a text in its font, in points.
    double anchoDe(const QString& texto, const EstiloCelda& e) const
    {
        fuente(e);
        return m_fuentes.find(ClaveDeFuente(e))->second.horizontalAdvance(texto) / m_puntos;
    }

    // The cells a text covers to its right, and whether a cell lies under an earlier text.
    Tramo tramo(int fila, int columna) const { return m_tramos.value({fila, columna}, Tramo{columna, columna}); }
    bool cubierta(int fila, int columna) const { return m_cubiertas.contains({fila, columna}); }

private:
    Tramo calcularTramo(int fila, int columna) const
    {
        const Celda* c = m_hoja.En(fila, columna);
        Tramo t{columna, columna};
        if (!c || c->numero || c->texto.isEmpty())
            return t;
        for (int sig = columna + 1; sig <= m_hoja.UltimaColumna(); ++sig) {
            const Celda* s = m_hoja.En(fila, sig);
            const bool vacia = !s || (s->texto.isEmpty() && !s->numero);
            if (!vacia || (s ? s->estilo.borde : false) != c->estilo.borde)
                break;
            t.hasta = sig;
        }
        return t;
    }

public:
    // A frameless text that runs on to the end of the row (a title line): it takes the page's
    // width, wrapped when longer, instead of widening columns.
    bool corrido(const EstiloCelda& e, const Tramo& t) const { return !e.borde && t.hasta >= m_hoja.UltimaColumna(); }

    // Heights once the page's width is known: a title line longer than the page wraps.
    void medirFilas(double anchoUtil)
    {
        m_altos.assign(size_t(m_hoja.UltimaFila() + 1), 10 * AltoPorPunto);
        for (auto it = m_hoja.Celdas().cbegin(); it != m_hoja.Celdas().cend(); ++it) {
            const auto [fila, columna] = it.key();
            double alto = it->estilo.tamano * AltoPorPunto;
            if (!it->texto.isEmpty() && !it->numero && corrido(it->estilo, tramo(fila, columna))) {
                double x = 0;
                for (int c = 1; c < columna; ++c)
                    x += ancho(c);
                const double disponible = qMax(20.0, anchoUtil - x - 2 * Relleno) * m_puntos;
                const QRectF caja = QFontMetricsF(fuente(it->estilo), &m_dispositivo)
                                        .boundingRect(QRectF(0, 0, disponible, 1e9), Qt::TextWordWrap, it->texto);
                alto = qMax(alto, caja.height() / m_puntos + it->estilo.tamano * (AltoPorPunto - 1));
            }
            m_altos[size_t(fila)] = qMax(m_altos[size_t(fila)], alto);
        }
    }

    double ancho(int columna) const { return m_anchos[size_t(columna)]; }
    double alto(int fila) const { return m_altos[size_t(fila)]; }
    double puntos() const { return m_puntos; }
    const Hoja& hoja() const { return m_hoja; }

private:
    void calcularTramos()
    {
        for (auto it = m_hoja.Celdas().cbegin(); it != m_hoja.Celdas().cend(); ++it) {
            const auto [fila, columna] = it.key();
            if (m_cubiertas.contains({fila, columna}))
                continue;
            const Tramo t = calcularTramo(fila, columna);
            if (t.hasta == t.desde)
                continue;
            m_tramos.insert({fila, columna}, t);
            for (int c = t.desde + 1; c <= t.hasta; ++c)
                m_cubiertas.insert({fila, c});
        }
    }

    void medirColumnas()
    {
        const int columnas = qMax(1, m_hoja.UltimaColumna());
        m_anchos.assign(size_t(columnas + 1), 0);
        for (int c = 1; c <= columnas; ++c)
            m_anchos[size_t(c)] = 12;
        // Each column as wide as its widest text in its own font; a text spread over empty
        // cells widens the last of them when they are not enough. A frameless text (a title
        // line) runs over the page instead.
        std::vector<std::pair<Tramo, double>> tramos;
        for (auto it = m_hoja.Celdas().cbegin(); it != m_hoja.Celdas().cend(); ++it) {
            if (it->texto.isEmpty())
                continue;
            const auto [fila, columna] = it.key();
            const double necesario = anchoDe(it->texto, it->estilo) + 2 * Relleno;
            const Tramo t = tramo(fila, columna);
            if (t.hasta == t.desde)
                m_anchos[size_t(columna)] = qMax(m_anchos[size_t(columna)], necesario);
            else if (!corrido(it->estilo, t))
                tramos.push_back({t, necesario});
        }
        for (const auto& [t, necesario] : tramos) {
            double hay = 0;
            for (int c = t.desde; c <= t.hasta; ++c)
                hay += m_anchos[size_t(c)];
            if (hay < necesario)
                m_anchos[size_t(t.hasta)] += necesario - hay;
        }
    }

    const Hoja& m_hoja;
    QPaintDevice& m_dispositivo;
    double m_puntos; // device units per point
    std::vector<double> m_anchos;
    std::vector<double> m_altos;
    QMap<std::pair<int, int>, Tramo> m_tramos;
    QSet<std::pair<int, int>> m_cubiertas;
    mutable QHash<QString, std::pair<QFont, QFontMetricsF>> m_fuentes;
};

// The columns one page across shows: the day column, then whole groups of three.
std::vector<std::vector<int>> columnasPorPagina(const Plano& plano, double anchoUtil)
{
    const int ultima = qMax(1, plano.hoja().UltimaColumna());
    std::vector<std::vector<int>> paginas;
    std::vector<int> actual{1};
    double ancho = plano.ancho(1);
    for (int c = 2; c <= ultima;) {
        const int hasta = qMin(ultima, c + 2);
        double grupo = 0;
        for (int k = c; k <= hasta; ++k)
            grupo += plano.ancho(k);
        if (ancho + grupo > anchoUtil && actual.size() > 1) {
            paginas.push_back(actual);
            actual = {1};
            ancho = plano.ancho(1);
        }
        for (int k = c; k <= hasta; ++k)
            actual.push_back(k);
        ancho += grupo;
        c = hasta + 1;
    }
    paginas.push_back(actual);
    return paginas;
}

void dibujarFila(QPainter& p, const Plano& plano, const std::vector<int>& columnas, const std::vector<double>& x, int fila,
                 double y, double anchoUtil)
{
    const Hoja& hoja = plano.hoja();
    const double k = plano.puntos();
    const double alto = plano.alto(fila);
    for (size_t i = 0; i < columnas.size(); ++i) {
        const Celda* c = hoja.En(fila, columnas[i]);
        // A text spread over the empty cells after it is one frame; those cells draw nothing.
        if (!c || plano.cubierta(fila, columnas[i]))
            continue;
        const Tramo t = plano.tramo(fila, columnas[i]);
        size_t fin = i;
        while (fin + 1 < columnas.size() && columnas[fin + 1] <= t.hasta)
            ++fin;
        double derecha = x[fin + 1];
        if (!c->estilo.borde && !c->numero && t.hasta >= hoja.UltimaColumna())
            derecha = qMax(derecha, anchoUtil);
        const QRectF marco(x[i] * k, y * k, (derecha - x[i]) * k, alto * k);
        if (c->estilo.borde) {
            p.setPen(QPen(Qt::black, 0.3 * k));
            p.drawRect(marco);
        }
        if (c->texto.isEmpty())
            continue;
        p.setFont(plano.fuente(c->estilo));
        p.setPen(Qt::black);
        // Figures to the right of their cells, as a spreadsheet shows numbers; a text never
        // leaves its frame.
        const int alineacion = (c->numero ? Qt::AlignRight : Qt::AlignLeft) | Qt::AlignVCenter
                               | (plano.corrido(c->estilo, t) ? Qt::TextWordWrap : 0);
        p.drawText(marco.adjusted(Relleno * k, 0, -Relleno * k, 0), alineacion, c->texto);
    }
}

void dibujarPie(QPainter& p, const Plano& plano, double y, double anchoUtil, int pagina, int paginas)
{
    const double k = plano.puntos();
    EstiloCelda e;
    e.tamano = TamanoPie;
    p.setFont(plano.fuente(e));
    p.setPen(Qt::black);
    const QRectF caja(0, y * k, anchoUtil * k, TamanoPie * AltoPorPunto * k);
    const Hoja& hoja = plano.hoja();
    p.drawText(caja, Qt::AlignLeft | Qt::AlignVCenter, hoja.PieIzquierdo);
    p.drawText(caja, Qt::AlignHCenter | Qt::AlignVCenter, QStringLiteral("Página %1 de %2").arg(pagina).arg(paginas));
    p.drawText(caja, Qt::AlignRight | Qt::AlignVCenter, hoja.PieDerecho);
}

} // namespace

QFont FuenteDeCelda(const EstiloCelda& estilo)
{
    QFont f(QStringLiteral("DejaVu Sans"));
    f.setPointSizeF(estilo.tamano);
    f.setBold(estilo.negrita);
    f.setItalic(estilo.cursiva);
    return f;
}

QString ClaveDeFuente(const EstiloCelda& estilo)
{
    return QStringLiteral("%1|%2%3").arg(estilo.tamano).arg(estilo.negrita).arg(estilo.cursiva);
}

void DibujarHoja(const Hoja& hoja, QPagedPaintDevice& dispositivo, const PaginaFinal& paginaFinal)
{
    // Sizes as written, never shrunk: a month too wide for the page goes on across pages,
    // each with the day column and the titles.
    QPageLayout disposicion = dispositivo.pageLayout();
    disposicion.setUnits(QPageLayout::Point);
    disposicion.setPageSize(QPageSize(QPageSize::A4));
    disposicion.setMargins(QMarginsF(Margen, Margen, Margen, Margen));
    disposicion.setOrientation(QPageLayout::Portrait);
    dispositivo.setPageLayout(disposicion);

    Plano plano(hoja, dispositivo);
    double total = 0;
    for (int c = 1; c <= qMax(1, hoja.UltimaColumna()); ++c)
        total += plano.ancho(c);
    if (hoja.Apaisada || total > disposicion.paintRect(QPageLayout::Point).width()) {
        disposicion.setOrientation(QPageLayout::Landscape);
        dispositivo.setPageLayout(disposicion);
    }
    const QRectF util = disposicion.paintRect(QPageLayout::Point);
    plano.medirFilas(util.width());
    const double altoPie = TamanoPie * AltoPorPunto + 4;
    const double altoUtil = util.height() - altoPie;
    const std::vector<std::vector<int>> across = columnasPorPagina(plano, util.width());

    // The rows of each page down, the title block and headings repeated on top of the next
    // ones. The blank rows above the title are the first page's top margin, never more than
    // leaves room for the titles and a line.
    const int ultima = hoja.UltimaFila();
    const int primeraTitulo = qBound(1, hoja.PrimeraFilaDeTitulo, qMax(1, ultima));
    const int titulos = qMin(hoja.FilasDeTitulo, ultima);
    double altoTitulos = 0;
    for (int t = primeraTitulo; t <= titulos; ++t)
        altoTitulos += plano.alto(t);
    double arriba = 0;
    for (int f = 1; f < primeraTitulo; ++f)
        arriba += plano.alto(f);
    const double lineaSiguiente = titulos + 1 <= ultima ? plano.alto(titulos + 1) : 0;
    arriba = qBound(0.0, arriba, qMax(0.0, altoUtil - altoTitulos - lineaSiguiente));
    FilasDelLibro filas;
    filas.altos.resize(size_t(ultima + 1), 0);
    for (int f = 1; f <= ultima; ++f)
        filas.altos[size_t(f)] = plano.alto(f);
    filas.primeraTitulo = primeraTitulo;
    filas.titulos = titulos;
    filas.ultima = ultima;
    filas.arriba = arriba;
    filas.altoUtil = altoUtil;
    filas.conCifras = [&hoja](int f) {
        for (auto it = hoja.Celdas().lowerBound({f, 0}); it != hoja.Celdas().cend() && it.key().first == f; ++it)
            if (it->numero)
                return true;
        return false;
    };
    const std::vector<PaginaAbajo> abajo = RepartirFilas(filas);

    QPainter p(&dispositivo);
    const int paginas = int(across.size() * abajo.size());
    int pagina = 0;
    for (const std::vector<int>& columnas : across) {
        std::vector<double> x(columnas.size() + 1, 0);
        for (size_t i = 0; i < columnas.size(); ++i)
            x[i + 1] = x[i] + plano.ancho(columnas[i]);
        for (size_t v = 0; v < abajo.size(); ++v) {
            if (pagina++ > 0)
                dispositivo.newPage();
            double y = abajo[v].conTitulos ? 0 : arriba;
            if (abajo[v].conTitulos)
                for (int t = primeraTitulo; t <= titulos; ++t) {
                    dibujarFila(p, plano, columnas, x, t, y, util.width());
                    y += plano.alto(t);
                }
            for (int fila = abajo[v].desde; fila <= abajo[v].hasta; ++fila) {
                dibujarFila(p, plano, columnas, x, fila, y, util.width());
                y += plano.alto(fila);
            }
            dibujarPie(p, plano, util.height() - TamanoPie * AltoPorPunto, util.width(), pagina, paginas);
        }
    }
    if (paginaFinal) {
        dispositivo.newPage();
        const double puntos = dispositivo.logicalDpiX() / 72.0;
        paginaFinal(p, QRectF(0, 0, util.width() * puntos, util.height() * puntos));
    }
}

void GuardarPdf(const Hoja& hoja, const QString& ruta, const PaginaFinal& paginaFinal)
{
    // An older file that stays would look like this one written.
    if (QFileInfo::exists(ruta) && !QFile::remove(ruta))
        throw ErrorVB(75, QStringLiteral("No se pudo guardar el libro en %1: el archivo anterior está en uso o no se puede reemplazar.").arg(ruta),
                      QStringLiteral("Tolvario"));
    QPdfWriter pdf(ruta);
    pdf.setResolution(300);
    pdf.setPageSize(QPageSize(QPageSize::A4));
    pdf.setTitle(QStringLiteral("LIBRO DE EXISTENCIA DE HARINAS"));
    DibujarHoja(hoja, pdf, paginaFinal);
    if (!QFileInfo(ruta).isFile() || QFileInfo(ruta).size() == 0)
        throw ErrorVB(75, QStringLiteral("No se pudo guardar el libro en %1.").arg(ruta), QStringLiteral("Tolvario"));
}

void VistaPreviaEImprimir(const Hoja& hoja, QWidget* padre, const PaginaFinal& paginaFinal)
{
    QPrinter impresora(QPrinter::HighResolution);
    impresora.setDocName(QStringLiteral("LIBRO DE EXISTENCIA DE HARINAS"));
    QPrintPreviewDialog vista(&impresora, padre);
    vista.setWindowTitle(QStringLiteral("Vista previa del libro"));
    QObject::connect(&vista, &QPrintPreviewDialog::paintRequested, &vista,
                     [&](QPrinter* destino) { DibujarHoja(hoja, *destino, paginaFinal); });
    vista.exec();
}
