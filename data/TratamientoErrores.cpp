#include "data/DB_Dll.h"

#include "platform/Carpetas.h"
#include "platform/Operador.h"
#include "suite/SuiteUtil.h"

#include <QDateTime>
#include <QFile>

QString DB_Dll::PalabraDeRespuesta(int respuesta)
{
    switch (respuesta) {
    case Operador::Reintentar: return QStringLiteral("Reintentar");
    case Operador::Ignorar: return QStringLiteral("Ignorar");
    case Operador::Abortar: return QStringLiteral("Abortar");
    case Operador::Cancelar: return QStringLiteral("Cancelar");
    case Operador::Si: return QStringLiteral("Sí");
    case Operador::No: return QStringLiteral("No");
    default: return {};
    }
}

namespace {

// The password never reaches the screen or the log, whatever the driver said.
QString mensajeDe(const ErrorVB& e, const QString& clave)
{
    QString descripcion = e.Description.trimmed();
    if (clave.size() >= 3)
        descripcion.replace(clave, QStringLiteral("****"));
    return QStringLiteral("Ha ocurrido el Siguiente Error (") + QString::number(e.Number) + QStringLiteral(") ") + descripcion;
}

} // namespace

int DB_Dll::TratamientoErrores(const ErrorVB& CodErr, std::optional<int> Botones, const QString& Rutina)
{
    if (CodErr.Number == 0)
        return 0;
    const QString mensaje = mensajeDe(CodErr, gUserPassWord);
    const QString parteRutina = Rutina.isEmpty() ? QString() : QStringLiteral(" - ") + Rutina;
    const QString titulo = CodErr.Source + parteRutina + QStringLiteral(" Aviso al operador!!! ");

    const int respuesta = operador().Mensaje(mensaje, Botones.value_or(Operador::AbortarReintentarIgnorar + Operador::Critico), titulo);

    AnotarError(CodErr, Rutina, PalabraDeRespuesta(respuesta));
    return respuesta;
}

void DB_Dll::AnotarError(const ErrorVB& CodErr, const QString& Rutina, const QString& Respuesta)
{
    anotar(CodErr, Rutina, QStringLiteral(" Respondió : ") + Respuesta);
}

void DB_Dll::AnotarSinAviso(const ErrorVB& CodErr, const QString& Rutina, const QString& Detalle)
{
    // Nobody was asked: the line says so instead of recording an answer never given.
    anotar(CodErr, Rutina, QStringLiteral(" Sin aviso al operador: ") + Detalle);
}

void DB_Dll::anotar(const ErrorVB& CodErr, const QString& Rutina, const QString& final)
{
    const QString ruta = gLogErr.isEmpty() ? SuiteUtil::FolderPath(Carpetas::Aplicacion()) + QStringLiteral("VMERR.LOG") : gLogErr;
    const QString parteRutina = Rutina.isEmpty() ? QString() : QStringLiteral(" - ") + Rutina;
    const QDateTime ahora = QDateTime::currentDateTime();
    // One line per error, ended as every other: a driver's message of several lines is
    // joined into one.
    QString mensaje = mensajeDe(CodErr, gUserPassWord) + final;
    mensaje.replace(u'\r', u' ').replace(u'\n', u' ');
    const QString linea = ahora.toString(QStringLiteral("MM-dd-yyyy")) + u' ' + ahora.toString(QStringLiteral("HH:mm:ss"))
                          + QStringLiteral(" Rutina: ") + parteRutina.trimmed() + QStringLiteral(" Mensaje ")
                          + mensaje.simplified() + QStringLiteral("\r\n");
    // One open-append-close per line; a log that cannot be written loses only its line.
    QFile log(ruta);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append))
        log.write(linea.toUtf8());
}
