#include "output/LibroDelRegistro.h"

#include "output/DiscoOncca.h"
#include "output/ExportaLibro.h"
#include "output/ImpresionLibro.h"
#include "platform/Carpetas.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "register/Entregas.h"
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
                // What the copy for ONCCA holds is recorded as read for the book, not later.
                if (Exportar && RegistroTolvario::ConEntregas())
                    m_huellas = RegistroTolvario::TomarHuellas(pedido.encabezado.periodo);
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
    // A book handed in and changed since is handed in again only when the clerk says so.
    std::optional<RegistroTolvario::Entrega> entrega;
    if (!Pasos::Ejecutar({[&] { entrega = RegistroTolvario::EntregaDe(pedido.encabezado.periodo); }},
                         [](const ErrorVB& e) { return SuiteUtil::ReportError(e, QStringLiteral("ArchivoOncca")); }))
        return;
    if (entrega && entrega->modificado
        && operador().Mensaje(QStringLiteral("El libro de %1 fue entregado a ONCCA y modificado después de la entrega (%2).\n\n"
                                             "¿Generar el archivo ONCCA otra vez, con los datos de ahora?")
                                  .arg(entrega->periodo, RegistroTolvario::TextoDeEntrega(*entrega)),
                              Operador::SiNo + Operador::Exclamacion + Operador::SegundoBoton, QStringLiteral("Atención!"))
               != Operador::Si)
        return;
    if (operador().Mensaje(QStringLiteral("Inserte un disquete en la unidad ") + unidad, Operador::SiNo + Operador::Informacion,
                           QStringLiteral("Atención"))
        != Operador::Si)
        return;
    QString destino;
    // Only a copy written and read back is finished; otherwise the failure's own message,
    // already shown, is the last word.
    if (!ExportaExcel(pedido, false, true, destino))
        return;
    EncabezadoLibro entregado = pedido.encabezado;
    entregado.empresa = LeerConfiguracion(QStringLiteral("NOMBRE")).trimmed();
    if (!Pasos::Ejecutar({[&] { RegistroTolvario::AnotarEntrega(entregado, m_huellas); }}, [](const ErrorVB& e) {
            ErrorVB dicho = e;
            dicho.Description = QStringLiteral("El archivo quedó copiado en el disco, pero no se pudo registrar la entrega: ")
                                + e.Description;
            return SuiteUtil::ReportError(dicho, QStringLiteral("ArchivoOncca"));
        }))
        return;
    operador().Mensaje(QStringLiteral("FINALIZADO"), Operador::SoloAceptar, QStringLiteral("Tolvario"));
}
