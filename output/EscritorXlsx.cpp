#include "output/EscritorXlsx.h"

#include "output/Hoja.h"
#include "platform/ErrorVB.h"
#include "platform/NumerosC.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QRegularExpression>
#include <filesystem>
#include <memory>
#include <xlsxwriter.h>

namespace {

[[noreturn]] void fallo(const QString& ruta, const QString& motivo)
{
    throw ErrorVB(75, QStringLiteral("No se pudo guardar el libro en %1: %2").arg(ruta, motivo), QStringLiteral("Tolvario"));
}

QString textoDe(lxw_error e)
{
    switch (e) {
    case LXW_ERROR_CREATING_XLSX_FILE:
    case LXW_ERROR_CREATING_TMPFILE:
        return QStringLiteral("no se puede crear el archivo (carpeta inexistente o sin permiso de escritura)");
    case LXW_ERROR_ZIP_FILE_OPERATION:
    case LXW_ERROR_ZIP_FILE_ADD:
    case LXW_ERROR_ZIP_CLOSE:
        return QStringLiteral("no se pudo terminar de escribir el archivo (¿disco lleno?)");
    case LXW_ERROR_MEMORY_MALLOC_FAILED:
        return QStringLiteral("no hay memoria suficiente");
    default:
        return QStringLiteral("error %1 al escribir el libro").arg(int(e));
    }
}

// One format per distinct look (and, for figures, per number of decimals): libxlsxwriter
// keeps them for the workbook's life.
class Formatos
{
public:
    explicit Formatos(lxw_workbook* libro)
        : m_libro(libro)
    {
    }
    lxw_format* de(const Celda& c)
    {
        const EstiloCelda& e = c.estilo;
        const int decimales = c.numero ? c.decimales : -1;
        const QString clave = QStringLiteral("%1|%2%3%4%5|%6").arg(e.tamano).arg(e.negrita).arg(e.cursiva).arg(e.sombra).arg(e.borde).arg(decimales);
        if (auto it = m_formatos.constFind(clave); it != m_formatos.cend())
            return *it;
        lxw_format* f = workbook_add_format(m_libro);
        format_set_font_size(f, e.tamano);
        format_set_font_color(f, LXW_COLOR_BLACK);
        if (e.negrita)
            format_set_bold(f);
        if (e.cursiva)
            format_set_italic(f);
        if (e.sombra)
            format_set_font_shadow(f);
        if (e.borde) {
            format_set_border(f, LXW_BORDER_HAIR);
            format_set_border_color(f, LXW_COLOR_BLACK);
        }
        // The same digits the book's formatter shows: "0" for whole numbers, "0.00" for two.
        if (decimales >= 0) {
            const QByteArray codigo = decimales == 0 ? QByteArray("0") : "0." + QByteArray(decimales, '0');
            format_set_num_format(f, codigo.constData());
        }
        m_formatos.insert(clave, f);
        return f;
    }

private:
    lxw_workbook* m_libro;
    QMap<QString, lxw_format*> m_formatos;
};

// A sheet name the spreadsheets accept: none of []:*?/\ and at most 31 characters.
QByteArray nombreDeHoja(const QString& nombre)
{
    QString n = nombre;
    n.remove(QRegularExpression(QStringLiteral("[\\[\\]:*?/\\\\]")));
    return n.trimmed().left(31).toUtf8();
}

// A footer's own text: "&" starts a code there.
QByteArray textoDePie(const QString& texto)
{
    return QString(texto).replace(u'&', QStringLiteral("&&")).toUtf8();
}

// Points a column of the given spreadsheet width takes on paper (one digit of the default
// font is about 5.25 points); columns with no width of their own take the default 8.43.
double anchoEnPuntos(const Hoja& hoja)
{
    double puntos = 0;
    for (int c = 1; c <= hoja.UltimaColumna(); ++c)
        puntos += (hoja.Ancho(c) > 0 ? hoja.Ancho(c) : 8.43) * 5.25;
    return puntos;
}

// A4, across the page when the month does not fit upright, on one page, the title block
// and the headings on every page, narrow margins, the period and the sheet in the footer.
void prepararPagina(lxw_worksheet* hoja, const Hoja& modelo)
{
    constexpr double MargenLateral = 0.25; // inches
    worksheet_set_paper(hoja, 9);
    const double utilVertical = 595.0 - 2 * 72 * MargenLateral;
    if (anchoEnPuntos(modelo) > utilVertical)
        worksheet_set_landscape(hoja);
    else
        worksheet_set_portrait(hoja);
    // A month is one sheet of paper: one page wide and one high.
    worksheet_fit_to_pages(hoja, 1, 1);
    worksheet_set_margins(hoja, MargenLateral, MargenLateral, 0.4, 0.5);
    if (modelo.FilasDeTitulo >= modelo.PrimeraFilaDeTitulo && modelo.PrimeraFilaDeTitulo >= 1)
        worksheet_repeat_rows(hoja, lxw_row_t(modelo.PrimeraFilaDeTitulo - 1), lxw_row_t(modelo.FilasDeTitulo - 1));
    if (!modelo.PieIzquierdo.isEmpty() || !modelo.PieDerecho.isEmpty()) {
        const QByteArray pie = "&L" + textoDePie(modelo.PieIzquierdo) + "&R" + textoDePie(modelo.PieDerecho);
        worksheet_set_footer(hoja, pie.left(250).constData());
    }
}

} // namespace

void GuardarXlsx(const Hoja& hoja, const QString& ruta)
{
    // Written next to it and put in its place at the end: a failure never leaves half a
    // workbook under the period's name, nor takes the older one away.
    const QString temporal = ruta + QStringLiteral(".tmp");
    QFile::remove(temporal);
    // The library prints cells, widths and margins with the C library, up to the close.
    const NumerosC numeros;
    const QByteArray nombre = QFile::encodeName(temporal);
    lxw_workbook* libro = workbook_new(nombre.constData());
    if (!libro)
        fallo(ruta, QStringLiteral("no se puede crear el archivo (carpeta inexistente o sin permiso de escritura)"));
    const QByteArray nombreHoja = nombreDeHoja(hoja.Nombre);
    lxw_worksheet* hojaXlsx = workbook_add_worksheet(libro, nombreHoja.isEmpty() ? nullptr : nombreHoja.constData());
    if (!hojaXlsx)
        hojaXlsx = workbook_add_worksheet(libro, nullptr);
    prepararPagina(hojaXlsx, hoja);
    Formatos formatos(libro);
    for (auto it = hoja.Anchos().cbegin(); it != hoja.Anchos().cend(); ++it)
        worksheet_set_column(hojaXlsx, lxw_col_t(it.key() - 1), lxw_col_t(it.key() - 1), it.value(), nullptr);
    for (auto it = hoja.Celdas().cbegin(); it != hoja.Celdas().cend(); ++it) {
        const lxw_row_t fila = lxw_row_t(it.key().first - 1);
        const lxw_col_t columna = lxw_col_t(it.key().second - 1);
        lxw_format* f = formatos.de(*it);
        if (it->numero)
            worksheet_write_number(hojaXlsx, fila, columna, double(it->numero->diezmilesimos()) / double(Importe::Escala), f);
        else if (it->texto.isEmpty())
            worksheet_write_blank(hojaXlsx, fila, columna, f);
        else if (worksheet_write_string(hojaXlsx, fila, columna, it->texto.toUtf8().constData(), f) != LXW_NO_ERROR) {
            workbook_close(libro);
            QFile::remove(temporal);
            fallo(ruta, QStringLiteral("la celda de la fila %1, columna %2 no cabe en la hoja").arg(it.key().first).arg(it.key().second));
        }
    }
    const lxw_error cierre = workbook_close(libro);
    if (cierre != LXW_NO_ERROR) {
        QFile::remove(temporal);
        fallo(ruta, textoDe(cierre));
    }
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(temporal).toStdString(), QFile::encodeName(ruta).toStdString(), error);
    if (error) {
        QFile::remove(temporal);
        fallo(ruta, QStringLiteral("el archivo anterior está en uso o no se puede reemplazar"));
    }
}
