#pragma once

#include <QString>
#include <vector>

// The suite's SQL Server text as an Oracle connection reads it: fixed textual rewrites,
// nothing parsed.
namespace Oracle {

QString Dicc(const QString& sql);

// Empty for statements only SQL Server understands (SET NOCOUNT, IF NOT EXIST...).
QString SoloSqlServer(const QString& sentencia);

// A SQL Server batch cut into the steps the Oracle path runs one by one.
struct Paso {
    enum Tipo { Iniciar, Confirmar, Deshacer, Ejecutar } tipo;
    QString texto; // the statement, for Ejecutar
    bool operator==(const Paso&) const = default;
};
std::vector<Paso> Partir(const QString& lote);

} // namespace Oracle
