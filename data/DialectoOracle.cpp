#include "data/DialectoOracle.h"

#include "data/TextoSQL.h"
#include "suite/SuiteUtil.h"

#include <QDate>
#include <QStringList>

namespace Oracle {

namespace {

constexpr auto SinCaso = Qt::CaseInsensitive;

QString reemplazar(QString texto, const char* de, const char* por)
{
    return texto.replace(QString::fromLatin1(de), QString::fromLatin1(por), SinCaso);
}

const QStringList ColumnasFecha = {
    "FECHA", "FECHAD", "FECHAH", "VENCIMIENTO", "FECHASUBDIARIO", "FECHAENTREGA", "FECHA_A_VENCER", "FECHA_DMR",
    "INGRESO", "EGRESO", "FECHAHORA_GRABACION", "FECHAHORA_MODIFICACION", "FECHA_COMPRA", "FECHA_REVALUACION",
    "VENCIMIENTO_REGISTRO", "VENCIMIENTO_SEGURO", "VTO_VTV", "VTO_C_VERDE", "VTO_SEGURO", "FECHAAVISO", "FECHAALARMA",
    "FECHALEIDO", "FECHAPRESENTACION", "FECHAVTOPRESENTACION", "FECHA_CIERRE", "FECHAMOV", "FECHA_DESDE",
    "FECHA_HASTA", "FECHA_ALTA", "FECHA_MODIFICACION", "FECHA_INICIO", "FECHA_FINALIZACION", "FECHA_RENDICION",
    "ACARGODESDE", "FECHACASAMIENTO", "FECHAINGRESO", "FECHANACIMIENTO", "FECHAINGRESOANTERIOR", "FECHAEGRESO",
    "VENCECONTRATO", "FECHAALTA", "PDESDE", "PHASTA", "FECHAPROCESO", "FECHAHORAENTREVISTA", "FECHAOPERATIVA",
    "FECHAPAGO", "FECHAHORA", "FECHASOLICITUD", "FECHACARGA", "FECHACOMPROMETIDO", "FECHAORDENCPRA", "VENCEM",
    "VENCER", "FECHA_GRABACION", "FHOFERTADESDE", "FHOFERTAHASTA", "FHOPERATIVA", "FHALTA", "FHCIERRE", "COT_FECHA",
    "FECHAESTINCIO", "FECHAESTFIN", "FECHAFINALIZACION", "FECHAENTREGA", "FECHAENCPTE", "FECHAINCIO", "FECHAFIN",
    "FECHAREALINICIO", "FECHAREALFIN", "FECHAINVIADO", "FECHARECIBIDO", "ACTUALIZADO", "FECHA_ANULACION",
    "DIAMOLIENDA", "DIAMEZCLA", "FECHAEMISION", "FINALIZADO", "SINCRONIZADO", "VENCEA", "VENCEB", "VENCEC",
    "VENCEE", "VENCEX",
};

// 1. SELECT top n ... -> the row limit as a ROWNUM condition before GROUP BY / ORDER BY.
QString limiteFilas(const QString& t)
{
    const int top = t.indexOf(QStringLiteral("top "), 0, SinCaso);
    if (top < 0)
        return t;
    const QString prefijo = t.left(top);
    const QString despues = t.mid(top + 3).trimmed();
    const int blanco = despues.indexOf(u' ');
    const QString n = blanco < 0 ? despues : despues.left(blanco);
    QString cuerpo = blanco < 0 ? QString() : despues.mid(blanco + 1);
    QString grupo, orden;
    if (const int g = cuerpo.indexOf(QStringLiteral(" GROUP BY "), 0, SinCaso); g >= 0) {
        const int o = cuerpo.indexOf(QStringLiteral("ORDER BY "), g, SinCaso);
        grupo = o < 0 ? cuerpo.mid(g) : cuerpo.mid(g, o - g);
    }
    if (const int o = cuerpo.indexOf(QStringLiteral("ORDER BY "), 0, SinCaso); o >= 0)
        orden = cuerpo.mid(o);
    const QString condicion = (cuerpo.contains(QStringLiteral(" WHERE "), SinCaso) ? QStringLiteral(" AND ROWNUM <= ")
                                                                                  : QStringLiteral(" WHERE ROWNUM <= "))
                              + n;
    if (!grupo.trimmed().isEmpty())
        cuerpo.replace(grupo.trimmed(), QStringLiteral(" "), SinCaso);
    if (!orden.trimmed().isEmpty())
        cuerpo.replace(orden.trimmed(), QStringLiteral(" "), SinCaso);
    return prefijo + u' ' + cuerpo + u' ' + condicion + u' ' + grupo + u' ' + orden;
}

bool esDelimitador(QChar c)
{
    return c == u' ' || c == u'<' || c == u'>' || c == u'=' || c == u'(' || c == u')';
}

// 3. Date columns after WHERE compared as dates; quoted pieces are left alone.
QString columnasFecha(const QString& t)
{
    const int w = t.indexOf(QStringLiteral(" WHERE "), 0, SinCaso);
    if (w < 0)
        return t;
    const int desde = w + 7;
    QString r = t.left(desde);
    QString palabra;
    const auto cerrarPalabra = [&] {
        if (ColumnasFecha.contains(palabra, SinCaso))
            r += QStringLiteral("TO_DATE(TO_CHAR(") + palabra + QStringLiteral(",'DD/MM/YYYY'),'DD/MM/YYYY')");
        else
            r += palabra;
        palabra.clear();
    };
    for (int i = desde; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'\'' || c == u'"') {
            cerrarPalabra();
            const int fin = t.indexOf(c, i + 1);
            const int hasta = fin < 0 ? int(t.size()) : fin + 1;
            r += t.mid(i, hasta - i);
            i = hasta - 1;
        } else if (esDelimitador(c)) {
            cerrarPalabra();
            r += c;
        } else {
            palabra += c;
        }
    }
    cerrarPalabra();
    return r;
}

QDate comoFecha(const QString& texto)
{
    for (const char* f : {"dd/MM/yyyy", "d/M/yyyy", "dd/MM/yy", "d/M/yy", "yyyy-MM-dd", "dd-MM-yyyy", "yyyy/MM/dd"}) {
        QDate d = QDate::fromString(texto.trimmed(), QString::fromLatin1(f));
        if (d.isValid()) {
            if (QString::fromLatin1(f).endsWith(QLatin1String("yy")) && !QString::fromLatin1(f).endsWith(QLatin1String("yyyy")) && d.year() < 1950)
                d = d.addYears(100);
            return d;
        }
    }
    return {};
}

// 4. '01/03/2006' -> TO_DATE('01/03/2006','DD/MM/YYYY').
QString literalesFecha(const QString& t)
{
    QString r;
    for (int i = 0; i < t.size(); ++i) {
        if (t[i] != u'\'') {
            r += t[i];
            continue;
        }
        const int fin = t.indexOf(u'\'', i + 1);
        if (fin < 0) {
            r += t.mid(i);
            break;
        }
        const QString dentro = t.mid(i + 1, fin - i - 1);
        const QDate d = comoFecha(dentro);
        if (d.isValid())
            r += QStringLiteral("TO_DATE('") + d.toString(QStringLiteral("dd/MM/yyyy")) + QStringLiteral("','DD/MM/YYYY')");
        else
            r += t.mid(i, fin - i + 1);
        i = fin;
    }
    while (r.contains(QStringLiteral("TO_DATE(TO_DATE("), SinCaso)) {
        r = reemplazar(r, "TO_DATE(TO_DATE(", "TO_DATE(");
        r = reemplazar(r, "'DD/MM/YYYY'),'DD/MM/YYYY')", "'DD/MM/YYYY')");
    }
    return r;
}

// 7. = '' -> IS NULL, from the first WHERE on.
QString vaciosNulos(const QString& t)
{
    const int w = t.indexOf(QStringLiteral("WHERE "), 0, SinCaso);
    if (w < 0)
        return t;
    QString resto = t.mid(w);
    resto = reemplazar(resto, "= ''", " IS NULL ");
    resto = reemplazar(resto, "=''", " IS NULL ");
    return t.left(w) + resto;
}

// 8. TO_CHAR(x, 103) -> TO_CHAR(x, 'DD/MM/YYYY').
QString estilo103(QString t)
{
    const QString formato = QStringLiteral("'DD/MM/YYYY'");
    int pos = t.indexOf(QStringLiteral("103"));
    while (pos >= 0) {
        int siguiente = pos + 3;
        const int parentesis = t.lastIndexOf(u'(', pos);
        if (parentesis >= 7 && t.mid(parentesis - 7, 8).compare(QStringLiteral("TO_CHAR("), SinCaso) == 0) {
            t = t.left(pos) + formato + t.mid(pos + 3);
            siguiente = pos + int(formato.size());
        }
        pos = t.indexOf(QStringLiteral("103"), siguiente);
    }
    return t;
}

} // namespace

QString Dicc(const QString& sql)
{
    if (SuiteUtil::WordCount(sql) <= 1)
        return sql.trimmed().compare(QStringLiteral("LEN"), SinCaso) == 0 ? QStringLiteral("LENGTH") : sql;
    QString t = limiteFilas(sql);
    for (const char* len : {" LEN(", " LEN (", " LEN  (", " LEN   (", " LEN    ("})
        t = reemplazar(t, len, " LENGTH(");
    t.remove(u'[');
    t.remove(u']');
    t = columnasFecha(t);
    t = literalesFecha(t);
    t = reemplazar(t, "Charindex", "InStr");
    t = reemplazar(t, "CONVERT(NVARCHAR,", "TO_CHAR(");
    t = reemplazar(t, "CONVERT(INT,", "TO_NUMBER(");
    t = vaciosNulos(t);
    t = estilo103(t);
    t = reemplazar(t, "SUBSTRING(", "SUBSTR(");
    t = reemplazar(t, "ISNULL(", "NVL(");
    return t;
}

QString SoloSqlServer(const QString& sentencia)
{
    if (TextoSQL::Contiene(sentencia, QStringLiteral("SET NOCOUNT")) || TextoSQL::Contiene(sentencia, QStringLiteral("IF NOT EXIST")))
        return {};
    return sentencia;
}

std::vector<Paso> Partir(const QString& lote)
{
    QString t = lote;
    t = reemplazar(t, "SET NOCOUNT ON", "");
    t = reemplazar(t, "SET NOCOUNT OFF", "");
    t = reemplazar(t, " GO ", " ");
    t = reemplazar(t, "GO\r\n", " ");
    t = reemplazar(t, "GO\r\n", " ");
    t = reemplazar(t, "\r\nGO\r\n", " ");
    t = reemplazar(t, "\r", " ");
    t = reemplazar(t, "\r\n", " ");
    t = reemplazar(t, "BEGIN TRANSACTION", "SET TRANSACTION");
    t = reemplazar(t, "BEGIN TRANS", "SET TRANSACTION");
    t = reemplazar(t, "COMMIT TRANSACTION", "COMMIT");
    t = reemplazar(t, "COMMIT TRANS", "COMMIT");
    t = reemplazar(t, "ROLLBACK TRANSACTION", "ROLLBACK");
    t = reemplazar(t, "ROLLBACK TRANS", "ROLLBACK");

    static const QStringList inicios = {"INSERT ", "DELETE ", "UPDATE ", "CREATE ", "DROP ", "ALTER ", "SET TRANSACTION",
                                        "COMMIT", "ROLLBACK", "IF NOT EXISTS", "IF NOT EXIST",
                                        "IF EXISTS", "IF EXIST", "GRANT "};
    // Where statements begin: a keyword standing as a word, outside quoted text. The longer
    // forms come first, since the shorter would not stand as a whole word before their "S".
    std::vector<int> cortes;
    bool enLiteral = false;
    for (int i = 0; i < t.size(); ++i) {
        if (t[i] == u'\'') {
            enLiteral = !enLiteral;
            continue;
        }
        if (enLiteral || (i > 0 && (t[i - 1].isLetterOrNumber() || t[i - 1] == u'_')))
            continue;
        for (const QString& k : inicios) {
            if (t.mid(i, k.size()).compare(k, SinCaso) != 0)
                continue;
            const int tras = i + int(k.size());
            if (!k.endsWith(u' ') && tras < t.size() && (t[tras].isLetterOrNumber() || t[tras] == u'_'))
                continue;
            cortes.push_back(i);
            break;
        }
    }
    std::vector<Paso> pasos;
    for (size_t n = 0; n < cortes.size(); ++n) {
        const int desde = cortes[n];
        const int hasta = n + 1 < cortes.size() ? cortes[n + 1] : int(t.size());
        const QString s = t.mid(desde, hasta - desde).trimmed();
        if (s.startsWith(QStringLiteral("SET TRANSACTION"), SinCaso))
            pasos.push_back({Paso::Iniciar, {}});
        else if (s.startsWith(QStringLiteral("COMMIT"), SinCaso))
            pasos.push_back({Paso::Confirmar, {}});
        else if (s.startsWith(QStringLiteral("ROLLBACK"), SinCaso))
            pasos.push_back({Paso::Deshacer, {}});
        else
            pasos.push_back({Paso::Ejecutar, s});
    }
    return pasos;
}

} // namespace Oracle
