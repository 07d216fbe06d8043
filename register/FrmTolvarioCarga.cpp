// Loading the window: start-up, connection and the register table check.
#include "register/FrmTolvario.h"

#include "data/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "startup/Inicio.h"
#include "startup/suite/SuiteUtil.h"

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
