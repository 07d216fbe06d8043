#include "startup/Sesion.h"

#include "data/DB_Dll.h"
#include "platform/Operador.h"
#include "startup/Formatos.h"
#include "suite/SuiteContext.h"
#include "suite/SuitePaths.h"

#include <QDateTime>

void RegistrarEgreso()
{
    try {
        const QString momento = ConPatron(QDateTime::currentDateTime(), FormatoFecha() + u' ' + FormatoHora());
        QString sql = QStringLiteral("UPDATE CONTROL_ACCESO ") + QStringLiteral(" SET EGRESO = '") + momento + u'\''
                      + QStringLiteral(" WHERE EGRESO IS NULL AND ") + QStringLiteral(" ID = ") + QString::number(gIdAcceso);
        // A connection the server dropped while the window stood idle is opened again first,
        // as before any other statement. The access log's write must not fail unseen.
        DB_Dll::Instancia().gCnn.Comprobar();
        DB_Dll::Instancia().EjecutaSentenciaSQL(sql);
    } catch (const ErrorVB& e) {
        operador().Mensaje(e.Description, Operador::SoloAceptar, QString());
    } catch (const std::exception& e) {
        operador().Mensaje(QString::fromLocal8Bit(e.what()), Operador::SoloAceptar, QString());
    }
}

void CerrarSesion()
{
    RegistrarEgreso();
    // The connection goes with the data object.
    DB_Dll::Liberar();
    SuiteContext::Release();
    SuitePaths::SetFolder({});
}
