#pragma once

#include "register/LineaRegistro.h"

#include <QString>
#include <QStringList>
#include <vector>

// The store's ground floor: which of the module's tables this database has, the quoting of
// its texts, and the delivery marks its writes leave inside their own transactions. The
// register's reads and writes and the deliveries both stand on it; it calls neither.
namespace RegistroTolvario {

// A text between quotes for the store's statements, as it can be stored anywhere (control
// characters blank, trimmed, quotes doubled).
QString Literal(const QString& t);

// Whether this database has every one of the tables; asked of each database once, or again
// with `preguntar` (at start).
bool TablasPresentes(const QStringList& tablas, bool preguntar = false);
// Whether this database keeps the history (the schema tool's table).
bool ConHistoria(bool preguntar = false);
// Whether this database records deliveries (the schema tool's two tables).
bool ConEntregas(bool preguntar = false);

// The one statement that, inside the transaction that replaces an account's lines, marks the
// delivered books the change alters; empty when there is nothing to mark.
QString MarcasDeAlterados(const QString& periodo, const QString& cuenta, const std::vector<LineaRegistro>& antes,
                          const std::vector<LineaRegistro>& despues);
// A sheet number stored for the period: its delivered book is marked when it differs.
void MarcarHojaAlterada(const QString& periodo, const QString& hoja);

} // namespace RegistroTolvario
