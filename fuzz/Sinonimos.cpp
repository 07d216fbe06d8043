// The synonym translation on any statement: for an administrator only "@Admin_" goes.
#include "data/Sinonimos.h"
#include "fuzz/Objetivos.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const QString sql = TextoDe(datos, largo);
    const QString admin = Sinonimos::Aplicar(sql, true);
    EXIGIR(!admin.contains(QStringLiteral("@Admin_"), Qt::CaseInsensitive));
    const QString usuario = Sinonimos::Aplicar(sql, false);
    EXIGIR(!usuario.contains(QStringLiteral("@Admin_"), Qt::CaseInsensitive));
    return 0;
}
