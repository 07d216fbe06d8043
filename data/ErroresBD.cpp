#include "data/ErroresBD.h"

#include <QSqlError>

namespace {

// SQLSTATE classes onto the numbers the suite's callers test for.
long numeroPostgres(const QString& estado)
{
    if (estado.startsWith(QStringLiteral("23")))
        return ErrorVB::ViolacionIntegridad;
    if (estado == QStringLiteral("42P01"))
        return ErrorVB::TablaInexistente;
    if (estado == QStringLiteral("42501"))
        return ErrorVB::PermisoDenegado;
    if (estado.startsWith(QStringLiteral("42")))
        return ErrorVB::ErrorEnComando;
    if (estado == QStringLiteral("22001") || estado == QStringLiteral("22003"))
        return ErrorVB::DatosDesbordados;
    if (estado.startsWith(QStringLiteral("22")))
        return ErrorVB::ConversionInvalida;
    if (estado.startsWith(QStringLiteral("08")) || estado.startsWith(QStringLiteral("57P")))
        return ErrorVB::ConexionInutilizable;
    if (estado.startsWith(QStringLiteral("40")) || estado == QStringLiteral("55P03") || estado == QStringLiteral("57014"))
        return ErrorVB::TiempoAgotado;
    if (estado.startsWith(QStringLiteral("25")) || estado.startsWith(QStringLiteral("53"))
        || estado.startsWith(QStringLiteral("58")) || estado.startsWith(QStringLiteral("XX")))
        return ErrorVB::ConexionInutilizable;
    return ErrorVB::FalloNoEspecificado;
}

// SQLite's primary result codes (the low byte of an extended one).
long numeroSQLite(qint64 codigo, const QString& texto)
{
    switch (codigo & 0xff) {
    case 19: return ErrorVB::ViolacionIntegridad;               // CONSTRAINT
    case 5: case 6: return ErrorVB::TiempoAgotado;              // BUSY, LOCKED
    case 3: case 8: case 23: return ErrorVB::PermisoDenegado;   // PERM, READONLY, AUTH
    case 18: return ErrorVB::DatosDesbordados;                  // TOOBIG
    case 20: return ErrorVB::ConversionInvalida;                // MISMATCH
    case 10: case 11: case 13: case 14: case 26:                // IOERR, CORRUPT, FULL, CANTOPEN, NOTADB
        return ErrorVB::ConexionInutilizable;
    default: break;
    }
    if (texto.contains(QStringLiteral("constraint"), Qt::CaseInsensitive))
        return ErrorVB::ViolacionIntegridad;
    if (texto.contains(QStringLiteral("no such table"), Qt::CaseInsensitive))
        return ErrorVB::TablaInexistente;
    if (texto.contains(QStringLiteral("syntax error"), Qt::CaseInsensitive)
        || texto.contains(QStringLiteral("no such column"), Qt::CaseInsensitive)
        || texto.contains(QStringLiteral("no such function"), Qt::CaseInsensitive))
        return ErrorVB::ErrorEnComando;
    if (texto.contains(QStringLiteral("locked"), Qt::CaseInsensitive))
        return ErrorVB::TiempoAgotado;
    return ErrorVB::FalloNoEspecificado;
}

// What the clerk reads first for the SQLite failures a station meets; the driver's own
// words follow.
QString causaSQLite(qint64 codigo)
{
    switch (codigo & 0xff) {
    case 5: case 6: return QStringLiteral("La base de datos está ocupada por otro puesto");
    case 8: return QStringLiteral("La base de datos es de sólo lectura: no se puede grabar en ella");
    case 10: return QStringLiteral("Falló la lectura o escritura del archivo de la base de datos");
    case 11: case 26: return QStringLiteral("El archivo de la base de datos está dañado o no es una base de datos");
    case 13: return QStringLiteral("No queda lugar en el disco de la base de datos");
    case 14: return QStringLiteral("No se puede abrir el archivo de la base de datos");
    case 19: return QStringLiteral("Los datos no cumplen una regla de la base de datos");
    default: return {};
    }
}

// The same for a server, by SQLSTATE alone: under a Spanish locale the client library may
// already have translated the server's words, so they are never matched.
QString causaPostgres(const QString& estado)
{
    if (estado == QStringLiteral("28P01") || estado == QStringLiteral("28000"))
        return QStringLiteral("El servidor rechazó el usuario o la contraseña");
    if (estado == QStringLiteral("3D000"))
        return QStringLiteral("La base de datos no existe en el servidor");
    if (estado.startsWith(QStringLiteral("57P")))
        return QStringLiteral("El servidor de la base de datos se está deteniendo o reiniciando");
    if (estado.startsWith(QStringLiteral("08")))
        return QStringLiteral("No hay conexión con el servidor de la base de datos: está apagado, inalcanzable o rechaza las conexiones");
    if (estado == QStringLiteral("55P03") || estado == QStringLiteral("40P01") || estado == QStringLiteral("40001"))
        return QStringLiteral("Otro puesto tiene tomados los mismos datos y no se pudo esperar más");
    if (estado == QStringLiteral("57014"))
        return QStringLiteral("El servidor tardó demasiado en responder y se canceló la operación");
    if (estado.startsWith(QStringLiteral("53")))
        return QStringLiteral("El servidor de la base de datos se quedó sin recursos (disco, memoria o conexiones)");
    return {};
}

// What the clerk reads first, the server's own words on a last line.
QString conDetalle(const QString& causa, const QString& descripcion)
{
    return causa.isEmpty() ? descripcion : causa + QStringLiteral(".\nDetalle: ") + descripcion;
}

long numeroSqlServer(const QString& estado, qint64 nativo)
{
    switch (nativo) {
    case 2627: case 2601: case 547: case 515: return ErrorVB::ViolacionIntegridad;
    case 208: return ErrorVB::TablaInexistente;
    case 102: case 156: case 207: return ErrorVB::ErrorEnComando;
    case 8152: case 2628: case 220: case 8115: return ErrorVB::DatosDesbordados;
    case 245: case 8114: case 241: case 242: return ErrorVB::ConversionInvalida;
    case 1205: case 1222: return ErrorVB::TiempoAgotado;
    case 229: case 230: case 262: return ErrorVB::PermisoDenegado;
    default: break;
    }
    if (estado.startsWith(QStringLiteral("08")))
        return ErrorVB::ConexionInutilizable;
    if (estado == QStringLiteral("HYT00") || estado == QStringLiteral("HYT01"))
        return ErrorVB::TiempoAgotado;
    return ErrorVB::FalloNoEspecificado;
}

} // namespace

ErrorVB ErrorDeBase(const QSqlError& error, Dialecto dialecto, const QString& origen)
{
    QString descripcion = error.databaseText().trimmed();
    if (descripcion.isEmpty())
        descripcion = error.driverText().trimmed();
    if (descripcion.isEmpty())
        descripcion = QStringLiteral("Error desconocido de la base de datos");
    const QString codigo = error.nativeErrorCode().trimmed();
    bool numerico = false;
    const qint64 nativo = codigo.toLongLong(&numerico);

    switch (dialecto) {
    case Dialecto::PostgreSQL: {
        // No SQLSTATE: the driver lost the server before it could answer.
        const QString estado = codigo.isEmpty() ? QStringLiteral("08001") : codigo;
        return ErrorVB(numeroPostgres(estado), conDetalle(causaPostgres(estado), descripcion), origen, estado, 0);
    }
    case Dialecto::SQLite: {
        const QString causa = numerico ? causaSQLite(nativo) : QString();
        return ErrorVB(numeroSQLite(numerico ? nativo : 0, descripcion), causa.isEmpty() ? descripcion : causa + QStringLiteral(" (") + descripcion + u')',
                       origen, QStringLiteral("HY000"), numerico ? nativo : 0);
    }
    default: {
        // ODBC gives the SQL state first; the native number may follow it.
        const QString estado = codigo.left(5);
        const qint64 numeroNativo = codigo.size() > 5 ? codigo.mid(5).trimmed().toLongLong() : (numerico ? nativo : 0);
        return ErrorVB(numeroSqlServer(estado, numeroNativo), descripcion, origen, estado, numeroNativo);
    }
    }
}
