// The dialect translations (SQLite, PostgreSQL, Oracle) and the Oracle batch cutting on any
// text: no crash, no hang, and quoted text is never rewritten.
#include "data/Dialecto.h"
#include "data/DialectoOracle.h"
#include "fuzz/Objetivos.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const QString sql = TextoDe(datos, largo);
    Dialectos::Traducir(sql, Dialecto::SQLite);
    Dialectos::Traducir(sql, Dialecto::PostgreSQL);
    EXIGIR(Dialectos::Traducir(sql, Dialecto::SqlServer) == sql);
    // A lone literal comes out as it went in.
    if (!sql.contains(u'\'')) {
        const QString literal = u'\'' + sql + u'\'';
        EXIGIR(Dialectos::Traducir(literal, Dialecto::SQLite) == literal);
    }
    Oracle::Dicc(sql);
    for (const Oracle::Paso& p : Oracle::Partir(sql))
        Oracle::SoloSqlServer(p.texto);
    return 0;
}
