// Loading and unloading the window: start-up, connection, the register table check, and
// the end of the run.
#include "register/FrmTolvario.h"

#include "data/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "startup/Inicio.h"
#include "startup/Sesion.h"
#include "suite/SuiteUtil.h"

#include <QCloseEvent>
#include <QCoreApplication>

namespace {
int informarCarga(const ErrorVB& e)
{
    return SuiteUtil::ReportError(e, QStringLiteral("Form_Load"));
}
} // namespace

void FrmTolvario::Form_Load()
{
    EstablecerEnlaceConsultas(&Lib_ClsCons3::Instancia());
    DB_Dll& db = DB_Dll::Instancia();
    Pasos::Ejecutar({
        [&] {
            QString conexion;
            IniciarSesion(false, QString(), conexion);
            AplicarEstiloVentana(this);
        },
        [&] { m_tabla = QStringLiteral("EM_Tolvario"); },
        [&] {
            if (!db.ExisteTablaDB(m_tabla)) {
                operador().Mensaje(QStringLiteral("La base de Datos se Encuentra desactualizada, por favor ejecute el "
                                                  "proceso RevisaTablas.EXE, y actualice las Tablas y Campos"),
                                   Operador::Informacion + Operador::SoloAceptar, QStringLiteral("Aviso al Operador"));
                operador().Terminar(1);
            }
        },
    }, informarCarga);
}

void FrmTolvario::Form_Unload(int& Cancel)
{
    if (m_descargada || Cancel != 0)
        return;
    m_descargada = true;
    Pasos::Ejecutar({
        // The local settings are written here once the window has its configuration fields.
        [&] { CerrarSesion(); },
        [&] {
            hide();
            QCoreApplication::quit();
        },
    }, [](const ErrorVB& e) { return SuiteUtil::ReportError(e, QStringLiteral("Form_Unload")); });
}

void FrmTolvario::closeEvent(QCloseEvent* e)
{
    int cancelar = 0;
    Form_Unload(cancelar);
    QMainWindow::closeEvent(e);
}
