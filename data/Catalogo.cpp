#include "data/Catalogo.h"

#include "data/TextoSQL.h"

namespace Catalogo {

QString Tablas(Dialecto d)
{
    switch (d) {
    case Dialecto::SQLite:
        return QStringLiteral("SELECT name AS TABLE_NAME FROM sqlite_master WHERE type IN ('table', 'view')");
    case Dialecto::PostgreSQL:
        return QStringLiteral("SELECT table_name AS TABLE_NAME FROM information_schema.tables "
                              "WHERE table_schema NOT IN ('pg_catalog', 'information_schema')");
    case Dialecto::Oracle:
        return QStringLiteral("SELECT TABLE_NAME FROM USER_TABLES UNION ALL SELECT VIEW_NAME AS TABLE_NAME FROM USER_VIEWS");
    case Dialecto::SqlServer:
        break;
    }
    return QStringLiteral("SELECT TABLE_NAME FROM INFORMATION_SCHEMA.TABLES");
}

QString Columnas(Dialecto d, const QString& base, const QString& tabla)
{
    const QString t = TextoSQL::Comillas(tabla.trimmed());
    const QString b = TextoSQL::Comillas(base.trimmed());
    switch (d) {
    case Dialecto::SQLite:
        return QStringLiteral("SELECT name AS COLUMN_NAME FROM pragma_table_info('%1')").arg(t);
    case Dialecto::PostgreSQL:
        // Unquoted names are kept in small letters there.
        return QStringLiteral("SELECT column_name AS COLUMN_NAME FROM information_schema.columns "
                              "WHERE lower(table_catalog) = lower('%1') AND lower(table_name) = lower('%2')")
            .arg(b, t);
    case Dialecto::Oracle:
        return QStringLiteral("SELECT COLUMN_NAME FROM USER_TAB_COLUMNS WHERE TABLE_NAME = UPPER('%1')").arg(t);
    case Dialecto::SqlServer:
        break;
    }
    return QStringLiteral("SELECT COLUMN_NAME FROM INFORMATION_SCHEMA.COLUMNS WHERE TABLE_CATALOG = '%1' AND TABLE_NAME = '%2'")
        .arg(b, t);
}

} // namespace Catalogo
