#include "output/EscritorXlsx.h"

#include "output/Hoja.h"
#include "platform/ErrorVB.h"

#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <memory>
#include <xlsxwriter.h>

namespace {

[[noreturn]] void fallo(const QString& ruta, const QString& motivo)
{
    throw ErrorVB(75, QStringLiteral("No se pudo guardar el libro en %1: %2").arg(ruta, motivo), QStringLiteral("Tolvario"));
}

QString textoDe(lxw_error e)
{
    return QString::fromUtf8(lxw_strerror(e));
}

// One format per distinct look: libxlsxwriter keeps them for the workbook's life.
class Formatos
{
public:
    explicit Formatos(lxw_workbook* libro)
        : m_libro(libro)
    {
    }
    lxw_format* de(const EstiloCelda& e)
    {
        const QString clave = QStringLiteral("%1|%2%3%4%5").arg(e.tamano).arg(e.negrita).arg(e.cursiva).arg(e.sombra).arg(e.borde);
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
        m_formatos.insert(clave, f);
        return f;
    }

private:
    lxw_workbook* m_libro;
    QMap<QString, lxw_format*> m_formatos;
};

} // namespace

void GuardarXlsx(const Hoja& hoja, const QString& ruta)
{
    // The older workbook of the period goes first; one that cannot go (open elsewhere,
    // read-only) is reported rather than left in place as if it were the new one.
    if (QFileInfo::exists(ruta) && !QFile::remove(ruta))
        fallo(ruta, QStringLiteral("el archivo anterior está en uso o no se puede reemplazar"));
    // Written next to it and renamed at the end: a failure never leaves half a workbook
    // under the period's name.
    const QString temporal = ruta + QStringLiteral(".tmp");
    QFile::remove(temporal);
    const QByteArray nombre = QFile::encodeName(temporal);
    lxw_workbook* libro = workbook_new(nombre.constData());
    if (!libro)
        fallo(ruta, QStringLiteral("no se puede crear el archivo (carpeta inexistente o sin permiso de escritura)"));
    lxw_worksheet* hojaXlsx = workbook_add_worksheet(libro, nullptr);
    Formatos formatos(libro);
    for (auto it = hoja.Anchos().cbegin(); it != hoja.Anchos().cend(); ++it)
        worksheet_set_column(hojaXlsx, lxw_col_t(it.key() - 1), lxw_col_t(it.key() - 1), it.value(), nullptr);
    for (auto it = hoja.Celdas().cbegin(); it != hoja.Celdas().cend(); ++it) {
        const lxw_row_t fila = lxw_row_t(it.key().first - 1);
        const lxw_col_t columna = lxw_col_t(it.key().second - 1);
        lxw_format* f = formatos.de(it->estilo);
        if (it->texto.isEmpty())
            worksheet_write_blank(hojaXlsx, fila, columna, f);
        else
            worksheet_write_string(hojaXlsx, fila, columna, it->texto.toUtf8().constData(), f);
    }
    const lxw_error cierre = workbook_close(libro);
    if (cierre != LXW_NO_ERROR) {
        QFile::remove(temporal);
        fallo(ruta, textoDe(cierre));
    }
    if (!QFile::rename(temporal, ruta)) {
        QFile::remove(temporal);
        fallo(ruta, QStringLiteral("no se puede dar al archivo su nombre"));
    }
}
