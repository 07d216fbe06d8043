#pragma once

#include "data/Dialecto.h"

#include <QMap>
#include <QString>

// A connection text of the suite ("Provider=...;Key=value;...") read into what the Qt SQL
// driver needs.
struct DestinoConexion {
    QString driver;      // QSQLITE, QPSQL, QODBC, QOCI
    Dialecto dialecto = Dialecto::SqlServer;
    QString origen;      // name of the provider as errors carry it
    QString base;        // database name, file path (SQLite) or ODBC text
    QString servidor;
    int puerto = -1;
    QString usuario;
    QString clave;
    QString opciones;
};

namespace TextoConexion {

// Keys without regard to case or surrounding blanks; a value may be "quoted" ("" inside).
QMap<QString, QString> Pares(const QString& texto);
// A value written so that Pares reads it back whole.
QString Valor(const QString& valor);

// True when the text's provider is Oracle's; other keys and values are never looked at.
bool EsProveedorOracle(const QString& texto);

// Raises ErrorVB when the provider is unknown.
DestinoConexion Interpretar(const QString& texto);

} // namespace TextoConexion
