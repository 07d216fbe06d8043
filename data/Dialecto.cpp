#include "data/Dialecto.h"

#include <QDate>
#include <QRegularExpression>

#include <functional>
#include <vector>

namespace Dialectos {

namespace {

using RO = QRegularExpression;
constexpr auto SinCaso = QRegularExpression::CaseInsensitiveOption;

// The text cut into pieces of code and quoted literals ('it''s' stays one literal), so
// that rules rewrite only the code.
struct Pieza {
    bool literal;
    QString texto;
};

std::vector<Pieza> trocear(const QString& sql)
{
    std::vector<Pieza> piezas;
    QString actual;
    bool enLiteral = false;
    for (int i = 0; i < sql.size(); ++i) {
        const QChar c = sql[i];
        if (!enLiteral && c == u'\'') {
            piezas.push_back({false, actual});
            actual = c;
            enLiteral = true;
        } else if (enLiteral && c == u'\'') {
            actual += c;
            if (i + 1 < sql.size() && sql[i + 1] == u'\'') {
                actual += sql[++i];
            } else {
                piezas.push_back({true, actual});
                actual.clear();
                enLiteral = false;
            }
        } else {
            actual += c;
        }
    }
    piezas.push_back({enLiteral, actual});
    return piezas;
}

QString unir(const std::vector<Pieza>& piezas)
{
    QString r;
    for (const auto& p : piezas)
        r += p.texto;
    return r;
}

// Each match of `patron` in `t` replaced by what `por` makes of it.
QString cadaCoincidencia(const QString& t, const QRegularExpression& patron,
                         const std::function<QString(const QRegularExpressionMatch&)>& por)
{
    QString r;
    int desde = 0;
    auto it = patron.globalMatch(t);
    while (it.hasNext()) {
        const auto m = it.next();
        r += t.mid(desde, m.capturedStart(0) - desde) + por(m);
        desde = m.capturedEnd(0);
    }
    return r + t.mid(desde);
}

QString enCodigo(const QString& sql, const std::function<QString(const QString&)>& regla)
{
    auto piezas = trocear(sql);
    for (auto& p : piezas)
        if (!p.literal)
            p.texto = regla(p.texto);
    return unir(piezas);
}

} // namespace

QString LimiteTop(const QString& sql)
{
    static const RO top(QStringLiteral("^(\\s*SELECT\\s+(?:DISTINCT\\s+)?)TOP\\s+(\\d+)\\s+"), SinCaso);
    auto piezas = trocear(sql);
    if (piezas.empty() || piezas.front().literal)
        return sql;
    const auto m = top.match(piezas.front().texto);
    if (!m.hasMatch())
        return sql;
    piezas.front().texto.replace(0, m.capturedLength(0), m.captured(1));
    QString r = unir(piezas);
    while (!r.isEmpty() && (r.back().isSpace() || r.back() == u';'))
        r.chop(1);
    return r + QStringLiteral(" LIMIT ") + m.captured(2);
}

QString LiteralNacional(const QString& sql)
{
    auto piezas = trocear(sql);
    static const RO prefijo(QStringLiteral("(^|[^\\w])N$"), SinCaso);
    for (size_t i = 0; i + 1 < piezas.size(); ++i)
        if (!piezas[i].literal && piezas[i + 1].literal)
            piezas[i].texto.replace(prefijo, QStringLiteral("\\1"));
    return unir(piezas);
}

QString DeleteSinFrom(const QString& sql)
{
    static const RO del(QStringLiteral("^(\\s*DELETE)\\s+(?!FROM\\b)"), SinCaso);
    auto piezas = trocear(sql);
    if (!piezas.empty() && !piezas.front().literal)
        piezas.front().texto.replace(del, QStringLiteral("\\1 FROM "));
    return unir(piezas);
}

QString UnionSubstring(const QString& sql)
{
    return enCodigo(sql, [](const QString& t) {
        static const RO llamada(QStringLiteral("\\bSUBSTRING\\s*\\("), SinCaso);
        static const RO suma(QStringLiteral("(\\bSUBSTR\\s*\\([^()]*\\))\\s*\\+\\s*(?=SUBSTR\\b)"), SinCaso);
        QString r = t;
        r.replace(llamada, QStringLiteral("SUBSTR("));
        QString antes;
        do {
            antes = r;
            r.replace(suma, QStringLiteral("\\1 || "));
        } while (r != antes);
        return r;
    });
}

QString Funciones(const QString& sql)
{
    return enCodigo(sql, [](const QString& t) {
        static const RO isnull(QStringLiteral("\\bISNULL\\s*\\("), SinCaso);
        static const RO len(QStringLiteral("\\bLEN\\s*\\("), SinCaso);
        static const RO getdate(QStringLiteral("\\bGETDATE\\s*\\(\\s*\\)"), SinCaso);
        QString r = t;
        r.replace(isnull, QStringLiteral("COALESCE("));
        r.replace(len, QStringLiteral("LENGTH("));
        r.replace(getdate, QStringLiteral("CURRENT_TIMESTAMP"));
        return r;
    });
}

QString Corchetes(const QString& sql)
{
    return enCodigo(sql, [](const QString& t) {
        static const RO nombre(QStringLiteral("\\[([^\\]]*)\\]"));
        return cadaCoincidencia(t, nombre, [](const QRegularExpressionMatch& m) {
            const QString n = m.captured(1);
            return n.contains(u' ') ? u'"' + n + u'"' : n;
        });
    });
}

QString FechasAlmohadilla(const QString& sql)
{
    return enCodigo(sql, [](const QString& t) {
        static const RO fecha(QStringLiteral("#([^#]*)#"));
        return cadaCoincidencia(t, fecha, [](const QRegularExpressionMatch& m) {
            const QString valor = m.captured(1).trimmed();
            QDate d;
            for (const char* formato : {"dd/MM/yyyy", "d/M/yyyy", "yyyy-MM-dd", "dd/MM/yy"}) {
                d = QDate::fromString(valor, QString::fromLatin1(formato));
                if (d.isValid())
                    break;
            }
            return u'\'' + (d.isValid() ? d.toString(Qt::ISODate) : QString(valor).replace(u'\'', QStringLiteral("''")))
                   + u'\'';
        });
    });
}

QString RecortesSinCaso(const QString& sql)
{
    return enCodigo(sql, [](const QString& t) {
        static const RO recorte(
            QStringLiteral("(\\b[LR]TRIM\\s*\\(\\s*[LR]TRIM\\s*\\(\\s*[\\w.\"]+\\s*\\)\\s*\\))(\\s*(?:=|<>|LIKE\\b))"),
            SinCaso);
        QString r = t;
        return r.replace(recorte, QStringLiteral("\\1 COLLATE NOCASE\\2"));
    });
}

QString SinPropietario(const QString& sql)
{
    return enCodigo(sql, [](const QString& t) {
        static const RO dbo(QStringLiteral("(?<![\\w.])dbo\\."), SinCaso);
        QString r = t;
        return r.replace(dbo, QString());
    });
}

QString LikeSinCaso(const QString& sql)
{
    return enCodigo(sql, [](const QString& t) {
        static const RO like(QStringLiteral("((?<![\\w.\"])[A-Za-z_][\\w.]*|\"[^\"]+\")(\\s+NOT)?\\s+LIKE\\b"), SinCaso);
        return cadaCoincidencia(t, like, [](const QRegularExpressionMatch& m) {
            return QStringLiteral("CAST(") + m.captured(1) + QStringLiteral(" AS TEXT)") + m.captured(2) + QStringLiteral(" ILIKE");
        });
    });
}

QString Traducir(const QString& sql, Dialecto d)
{
    if (d == Dialecto::SqlServer || d == Dialecto::Oracle)
        return sql;
    QString r = LimiteTop(sql);
    r = LiteralNacional(r);
    r = DeleteSinFrom(r);
    r = UnionSubstring(r);
    r = Funciones(r);
    r = Corchetes(r);
    r = FechasAlmohadilla(r);
    r = SinPropietario(r);
    if (d == Dialecto::SQLite)
        r = RecortesSinCaso(r);
    else
        r = LikeSinCaso(r);
    return r;
}

QString InsertarFilas(Dialecto d, const QString& tabla, const QString& columnas, const QList<QStringList>& filas)
{
    QStringList valores;
    for (const QStringList& f : filas)
        valores << u'(' + f.join(u',') + u')';
    if (d == Dialecto::Oracle) {
        const QString into = QStringLiteral(" INTO ") + tabla + QStringLiteral(" (") + columnas + QStringLiteral(") VALUES ");
        return QStringLiteral("INSERT ALL") + into + valores.join(into) + QStringLiteral(" SELECT 1 FROM DUAL");
    }
    return QStringLiteral("INSERT INTO ") + tabla + QStringLiteral(" (") + columnas + QStringLiteral(") VALUES ")
           + valores.join(u',');
}

} // namespace Dialectos
