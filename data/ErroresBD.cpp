#include "data/ErroresBD.h"

#include <QSqlError>

namespace {

long numeroPostgres(const QString& estado)
{
    if (estado.startsWith(QStringLiteral("23")))
        return ErrorVB::ViolacionIntegridad;
    if (estado == QStringLiteral("42P01"))
        return ErrorVB::TablaInexistente;
    if (estado.startsWith(QStringLiteral("42")))
        return ErrorVB::ErrorEnComando;
    return ErrorVB::FalloNoEspecificado;
}

long numeroSQLite(qint64 codigo, const QString& texto)
{
    if ((codigo & 0xff) == 19 || texto.contains(QStringLiteral("constraint"), Qt::CaseInsensitive))
        return ErrorVB::ViolacionIntegridad;
    if (texto.contains(QStringLiteral("no such table"), Qt::CaseInsensitive))
        return ErrorVB::TablaInexistente;
    if (texto.contains(QStringLiteral("syntax error"), Qt::CaseInsensitive)
        || texto.contains(QStringLiteral("no such column"), Qt::CaseInsensitive))
        return ErrorVB::ErrorEnComando;
    return ErrorVB::FalloNoEspecificado;
}

long numeroSqlServer(qint64 nativo)
{
    switch (nativo) {
    case 2627: case 2601: case 547: case 515: return ErrorVB::ViolacionIntegridad;
    case 208: return ErrorVB::TablaInexistente;
    case 102: case 156: case 207: return ErrorVB::ErrorEnComando;
    default: return ErrorVB::FalloNoEspecificado;
    }
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
    case Dialecto::PostgreSQL:
        return ErrorVB(numeroPostgres(codigo), descripcion, origen, codigo.isEmpty() ? QStringLiteral("08001") : codigo, 0);
    case Dialecto::SQLite:
        return ErrorVB(numeroSQLite(nativo, descripcion), descripcion, origen, QStringLiteral("HY000"), numerico ? nativo : 0);
    default: {
        // ODBC gives the SQL state first; the native number may follow it.
        const QString estado = codigo.left(5);
        const qint64 numeroNativo = codigo.size() > 5 ? codigo.mid(5).trimmed().toLongLong() : (numerico ? nativo : 0);
        return ErrorVB(numeroSqlServer(numeroNativo), descripcion, origen, estado, numeroNativo);
    }
    }
}
