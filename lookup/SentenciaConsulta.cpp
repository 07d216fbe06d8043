#include "lookup/SentenciaConsulta.h"

#include "data/TextoSQL.h"
#include "platform/ErrorVB.h"
#include "suite/SuiteUtil.h"

#include <limits>

namespace SentenciaConsulta {

using TextoSQL::Contiene;

QString PrepararWhere(const QString& where)
{
    if (where.trimmed().size() > 1 && !where.startsWith(u'('))
        return QStringLiteral(" (") + where + QStringLiteral(") ");
    return where;
}

long long LimiteFilas(const QString& topConsArt)
{
    long long n = 0;
    try {
        n = SuiteUtil::TextToAmount(topConsArt.trimmed()).entero();
    } catch (const ErrorVB&) {
        // More rows than any amount: as good as no limit.
        n = topConsArt.trimmed().startsWith(u'-') ? 0 : std::numeric_limits<int>::max();
    }
    // None, or a count that is no count of rows, is the usual thousand.
    return n <= 0 ? 1000 : n;
}

std::optional<QString> ConMascara(const MascaraConsulta& m, long long limite, QString& campoBusqueda,
                                  const QString& where)
{
    QString tabla = Def_QConsulta::Limpio(m.Tabla);
    QString columnas = SuiteUtil::ReplaceText(m.Campos, QStringLiteral("|"), QStringLiteral(",")).trimmed();
    if (columnas.startsWith(u','))
        columnas.remove(0, 1);
    if (columnas.endsWith(u','))
        columnas.chop(1);
    if (columnas.isEmpty())
        columnas = QStringLiteral("*");
    if (campoBusqueda.isEmpty()) {
        const qsizetype coma = columnas.indexOf(u',');
        if (coma < 0)
            return std::nullopt;
        campoBusqueda = columnas.left(coma);
    }
    QString filtro = Def_QConsulta::Limpio(m.Filtro);
    if (filtro.isEmpty() && !where.trimmed().isEmpty())
        filtro = where;
    const auto es = [&](const char* t) { return tabla.compare(QLatin1String(t), Qt::CaseInsensitive) == 0; };
    if (es("VT_PROVEEDORES") || es("VT_CLIENTES")) {
        if (filtro.isEmpty())
            filtro = QStringLiteral("Dada_De_Baja = 0");
    } else if (es("V_MA_ARTICULOS")) {
        tabla = QStringLiteral("VT_MA_ARTICULOS");
        if (filtro.isEmpty())
            filtro = QStringLiteral("SUSPENDIDO = 0");
    }
    QString sql = QStringLiteral("SELECT TOP %1 %2 FROM %3").arg(limite).arg(columnas, tabla);
    if (!filtro.trimmed().isEmpty())
        sql += QStringLiteral(" WHERE ") + filtro;
    if (!campoBusqueda.isEmpty())
        sql += QStringLiteral(" ORDER BY ") + campoBusqueda;
    return sql;
}

QString ListaAutomatica(const QStringList& campos, QString& campoBusqueda)
{
    QString lista;
    bool primero = true;
    for (const QString& c : campos) {
        const QString n = c.toUpper();
        if (n == QLatin1String("ID") || n == QLatin1String("FECHAHORA_MODIFICACION") || n == QLatin1String("FECHAHORA_GRABACION"))
            continue;
        lista = c + u',' + lista;
        if (primero || n == QLatin1String("DESCRIPCION") || n == QLatin1String("NOMBRE") || n == QLatin1String("DETALLE"))
            campoBusqueda = c;
        primero = false;
    }
    if (lista.endsWith(u','))
        lista.chop(1);
    return lista.isEmpty() ? QStringLiteral(" * ") : lista;
}

QString Automatica(const QString& tabla, const QString& lista, long long limite, const QString& campoBusqueda)
{
    return QStringLiteral("SELECT TOP %1 %2 FROM %3 ORDER BY %4").arg(limite).arg(lista, tabla, campoBusqueda);
}

QString TablaDe(const QString& sql)
{
    const qsizetype from = sql.indexOf(QLatin1String("from"), 0, Qt::CaseInsensitive);
    if (from < 0)
        return {};
    const qsizetype desde = from + 4;
    const qsizetype blanco = sql.indexOf(u' ', desde + 1);
    return sql.mid(desde, blanco < 0 ? -1 : blanco - desde).trimmed();
}

qsizetype InicioOrden(const QString& sql)
{
    bool enComillas = false;
    qsizetype encontrado = -1;
    for (qsizetype i = 0; i < sql.size(); ++i) {
        if (sql[i] == u'\'') {
            enComillas = !enComillas;
            continue;
        }
        if (!enComillas && sql.mid(i, 8).compare(QLatin1String("order by"), Qt::CaseInsensitive) == 0)
            encontrado = i;
    }
    return encontrado;
}

QString ConBusqueda(const QString& sql, QString& base, const QString& prefijo, const QString& columna,
                    const QString& texto, bool ambosLados)
{
    QString orden;
    const qsizetype inicio = InicioOrden(sql);
    if (inicio >= 0) {
        orden = sql.mid(inicio);
        base = sql.left(inicio);
    }
    // The WHERE the statement already has, seen outside quoted text.
    bool tieneWhere = false;
    {
        bool enComillas = false;
        for (qsizetype i = 0; i < base.size() && !tieneWhere; ++i) {
            if (base[i] == u'\'')
                enComillas = !enComillas;
            else if (!enComillas && base.mid(i, 5).compare(QLatin1String("where"), Qt::CaseInsensitive) == 0)
                tieneWhere = true;
        }
    }
    const QString union_ = tieneWhere ? QStringLiteral(" and ") : QStringLiteral(" where ");
    const QString valor = TextoSQL::Comillas(texto);
    const QString patron = ambosLados ? u'%' + valor + u'%' : valor + u'%';
    return base + union_ + prefijo + columna + QStringLiteral(" like '") + patron + QStringLiteral("' ") + orden;
}

QString PrefijoArticulos(const QString& base)
{
    QString prefijo;
    if (Contiene(base, QStringLiteral("stk_ma_articulos.")))
        prefijo = QStringLiteral("stk_ma_articulos.");
    if (Contiene(base, QStringLiteral("v_ma_articulos.")))
        prefijo = QStringLiteral("v_ma_articulos.");
    return prefijo;
}

} // namespace SentenciaConsulta
