#include "output/LibroDelRegistro.h"

#include "output/DiscoOncca.h"
#include "output/ExportaLibro.h"
#include "output/ImpresionLibro.h"
#include "platform/Carpetas.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "startup/Configuracion.h"
#include "suite/SuiteUtil.h"

#include <QApplication>
#include <QStatusBar>

namespace {

// The status text and the busy pointer, whichever way the export ends.
struct Ocupado {
    QStatusBar* estado;
    Ocupado(QStatusBar* e)
        : estado(e)
    {
        if (estado)
            estado->showMessage(QStringLiteral("Creando hojas excel..."));
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~Ocupado()
    {
        QApplication::restoreOverrideCursor();
        if (estado)
            estado->clearMessage();
    }
};

} // namespace

bool LibroDelRegistro::ExportaExcel(const Pedido& pedido, bool, bool Exportar, QString& Destino)
{
    bool guardado = false;
    QString ruta;
    {
        Ocupado ocupado(pedido.estado);
        DatosLibro datos;
        Pasos::Ejecutar({
            [&] {
                static_cast<EncabezadoLibro&>(datos) = pedido.encabezado;
                datos.empresa = LeerConfiguracion(QStringLiteral("NOMBRE")).trimmed();
            },
            [&] {
                LibroExportado libro = ExportarLibro(datos, Carpetas::Aplicacion());
                m_hoja = std::move(libro.hoja);
                ruta = libro.ruta;
                guardado = true;
            },
        }, [](const ErrorVB& e) {
            // The clerk answers with the ordinary pointer, then the work goes on busy.
            QApplication::restoreOverrideCursor();
            const int respuesta = SuiteUtil::ReportError(e, QString());
            QApplication::setOverrideCursor(Qt::WaitCursor);
            return respuesta;
        });
    }
    if (!guardado)
        return false;
    Destino = ruta;
    if (Exportar)
        return CopiarLibroAlDisco(pedido.unidad, pedido.encabezado.periodo, ruta, pedido.ventana, pedido.estado);
    return true;
}

void LibroDelRegistro::Reporte(const Pedido& pedido)
{
    QString destino;
    if (!ExportaExcel(pedido, false, false, destino))
        return;
    if (Imprimir)
        Imprimir(m_hoja, pedido.ventana);
    else
        VistaPreviaEImprimir(m_hoja, pedido.ventana);
}

void LibroDelRegistro::ArchivoOncca(const Pedido& pedido)
{
    const QString unidad = pedido.unidad;
    if (unidad.isEmpty()) {
        operador().Mensaje(QStringLiteral("No hay ningún disco extraíble conectado. Conecte el disco donde va el archivo "
                                          "ONCCA y vuelva a pulsar el botón."),
                           Operador::Informacion, QStringLiteral("Atención"));
        return;
    }
    if (operador().Mensaje(QStringLiteral("Inserte un disquete en la unidad ") + unidad, Operador::SiNo + Operador::Informacion,
                           QStringLiteral("Atención"))
        != Operador::Si)
        return;
    QString destino;
    // Only a copy written and read back is finished; otherwise the failure's own message,
    // already shown, is the last word.
    if (ExportaExcel(pedido, false, true, destino))
        operador().Mensaje(QStringLiteral("FINALIZADO"), Operador::SoloAceptar, QStringLiteral("Tolvario"));
}
