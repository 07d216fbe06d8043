// The synonym translation on any statement: for an administrator only "@Admin_" goes (each
// once: a nested "@Adm@Admin_in_" leaves one behind); for anyone else it never fails.
#include "data/Sinonimos.h"
#include "fuzz/Objetivos.h"

#include <QRegularExpression>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    static const QRegularExpression prefijo(QStringLiteral("@Admin_"), QRegularExpression::CaseInsensitiveOption);
    const QString sql = TextoDe(datos, largo);
    EXIGIR(Sinonimos::Aplicar(sql, true) == QString(sql).remove(prefijo));
    Sinonimos::Aplicar(sql, false);
    return 0;
}
