#include "output/LibroDelRegistro.h"

#include "output/DiscoOncca.h"
#include "output/ExportaLibro.h"
#include "output/ImpresionLibro.h"
#include "platform/Carpetas.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "register/FrmTolvario.h"
#include "startup/Configuracion.h"
#include "suite/SuiteUtil.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QStatusBar>

namespace {

QString texto(FrmTolvario& v, const char* campo)
{
    QLineEdit* c = v.CampoDe(QString::fromLatin1(campo));
    return c ? c->text() : QString();
}

// The status text and the busy pointer, whichever way the export ends.
struct Ocupado {
    QStatusBar* estado;
    Ocupado(QStatusBar* e)
        : estado(e)
    {
        estado->showMessage(QStringLiteral("Creando hojas excel..."));
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
    ~Ocupado()
    {
        QApplication::restoreOverrideCursor();
        estado->clearMessage();
    }
};

} // namespace

bool LibroDelRegistro::ExportaExcel(FrmTolvario& ventana, bool, bool Exportar, QString& Destino)
{
    bool guardado = false;
    QString ruta;
    {
        Ocupado ocupado(ventana.BStat);
        DatosLibro datos;
        Pasos::Ejecutar({
            [&] {
                ventana.TomarDecimales();
                datos.decimales = ventana.DecimalesVigentes();
                datos.lineaInicial = LineaInicialDelLibro(texto(ventana, "linea"));
                datos.titulo = texto(ventana, "TITULO");
                datos.empresa = LeerConfiguracion(QStringLiteral("NOMBRE")).trimmed();
                datos.oncca = texto(ventana, "ONCCA");
                datos.periodo = texto(ventana, "PERIODO").trimmed();
                datos.hoja = texto(ventana, "HOJA");
                datos.medida = texto(ventana, "MEDIDA");
                datos.bordes = ventana.chk->isChecked();
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
    if (Exportar)
        CopiarLibroAlDisco(ventana.CmbLetra->currentText(), texto(ventana, "PERIODO"), ruta, &ventana, ventana.BStat);
    Destino = ruta;
    return true;
}

void LibroDelRegistro::Reporte(FrmTolvario& ventana)
{
    QString destino;
    if (!ExportaExcel(ventana, false, false, destino))
        return;
    if (Imprimir)
        Imprimir(m_hoja, &ventana);
    else
        VistaPreviaEImprimir(m_hoja, &ventana);
}

void LibroDelRegistro::ArchivoOncca(FrmTolvario& ventana)
{
    ventana.ActualizarUnidades();
    const QString unidad = ventana.CmbLetra->currentText();
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
    ExportaExcel(ventana, false, true, destino);
    operador().Mensaje(QStringLiteral("FINALIZADO"), Operador::SoloAceptar, QStringLiteral("Tolvario"));
}
