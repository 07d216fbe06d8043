#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// The SQL a connection speaks. Statements are written for SQL Server; on their way to a
// SQLite or PostgreSQL database they pass the rules below. Oracle has its own translation.
enum class Dialecto { SqlServer, Oracle, SQLite, PostgreSQL };

namespace Dialectos {

QString Traducir(const QString& sql, Dialecto d);

// One INSERT of every row in `filas` (SQL literals, in the order of `columnas`), in the form
// the database takes: VALUES (..),(..), or on Oracle INSERT ALL INTO .. SELECT 1 FROM DUAL.
QString InsertarFilas(Dialecto d, const QString& tabla, const QString& columnas, const QList<QStringList>& filas);

// The rules, each on its own so each can be checked. They never touch quoted literals.
QString LimiteTop(const QString& sql);          // SELECT TOP n ... -> SELECT ... LIMIT n
QString LiteralNacional(const QString& sql);    // N'..' -> '..'
QString DeleteSinFrom(const QString& sql);      // DELETE T WHERE -> DELETE FROM T WHERE
QString UnionSubstring(const QString& sql);     // SUBSTRING(..) + SUBSTRING(..) -> SUBSTR(..) || SUBSTR(..)
QString Funciones(const QString& sql);          // ISNULL -> COALESCE, LEN -> LENGTH, GETDATE -> CURRENT_TIMESTAMP
QString Corchetes(const QString& sql);          // [name] -> name, "name" when it has blanks
QString FechasAlmohadilla(const QString& sql);  // #31/12/2024# -> '2024-12-31'
QString RecortesSinCaso(const QString& sql);    // LTRIM(RTRIM(c)) = -> ... COLLATE NOCASE = (SQLite)
QString SinPropietario(const QString& sql);     // ALTER TABLE dbo.T -> ALTER TABLE T
// c LIKE 'x%' -> CAST(c AS TEXT) ILIKE 'x%' (PostgreSQL): without regard to case, as the
// suite's server compares, and on number columns too.
QString LikeSinCaso(const QString& sql);

} // namespace Dialectos
