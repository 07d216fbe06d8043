#pragma once

#include "lookup/Def_QConsulta.h"

#include <QString>
#include <QStringList>
#include <optional>

// How a lookup's statement is put together and changed by searching; text work only.
namespace SentenciaConsulta {

// A condition longer than one character is wrapped as " (cond) " unless it already opens
// with a parenthesis.
QString PrepararWhere(const QString& where);

// The row limit from the "TopConsArt" setting: its whole value, 1000 when it is 0.
long long LimiteFilas(const QString& topConsArt);

// The statement of a masked table; nothing when the mask names fewer than two columns and
// no search column was given. May fill `campoBusqueda` with the mask's first column.
std::optional<QString> ConMascara(const MascaraConsulta& m, long long limite, QString& campoBusqueda,
                                  const QString& where);

// The column list of a table without a mask, from its field names in table order: the
// names in reverse order, without ID and the two time stamps; `campoBusqueda` becomes the
// first name taken, or the last DESCRIPCION / NOMBRE / DETALLE.
QString ListaAutomatica(const QStringList& campos, QString& campoBusqueda);
QString Automatica(const QString& tabla, const QString& lista, long long limite, const QString& campoBusqueda);

// The word after the first "from".
QString TablaDe(const QString& sql);

// Where "order by" starts outside quoted text, or -1.
qsizetype InicioOrden(const QString& sql);

// A LIKE condition on `columna` added to `sql` (kept in `base`, with its ORDER BY moved to
// the end). The text is quoted as SQL text; `ambosLados` puts '%' before it as well,
// otherwise every '*' becomes '%'.
QString ConBusqueda(const QString& sql, QString& base, const QString& prefijo, const QString& columna,
                    const QString& texto, bool ambosLados);

// The table prefix the article views need in a searched column.
QString PrefijoArticulos(const QString& base);

} // namespace SentenciaConsulta
