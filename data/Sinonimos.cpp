#include "data/Sinonimos.h"

#include "data/TextoSQL.h"

#include <QList>
#include <QPair>

namespace Sinonimos {

namespace {
struct Objeto {
    const char* nombre;
    const char* sinonimo;
};
const Objeto Objetos[] = {
    {"MA_CUENTAS", "SS_MA_CUENTAS"},
    {"V_TA_DEPOSITO", "SS_V_TA_DEPOSITO"},
    {"MV_ASIENTOS", "SS_MV_ASIENTOS"},
    {"V_TA_FAMILIAS", "SS_V_TA_FAMILIAS"},
    {"V_TA_CAJAS", "SS_V_TA_CAJAS"},
    {"AC_CUENTASDIARIO", "SS_AC_CUENTASDIARIO"},
    {"AC_CUENTASDIARIO_CCOSTO", "SS_AC_CUENTAS_DIARIO_CCOSTO"},
};
} // namespace

QString Aplicar(const QString& sentencia, bool esAdministrador)
{
    const QString admin = QStringLiteral("@Admin_");
    if (esAdministrador)
        return TextoSQL::Quitar(sentencia, admin);
    QString r = sentencia;
    for (const Objeto& o : Objetos) {
        const QString nombre = QString::fromLatin1(o.nombre);
        const QString sinonimo = QString::fromLatin1(o.sinonimo);
        // Surroundings in which a name is the object: before it, after it.
        QList<QPair<QChar, QChar>> entornos = {{u' ', u' '}, {u'(', u' '}, {u' ', u'.'}, {u'(', u'.'}, {u',', u'.'}};
        if (nombre == QStringLiteral("MA_CUENTAS"))
            entornos.append({u'{', u'.'});
        for (const auto& [antes, despues] : entornos)
            r = TextoSQL::Reemplazar(r, antes + nombre + despues, antes + sinonimo + despues);
        if (nombre == QStringLiteral("MA_CUENTAS"))
            r = TextoSQL::Reemplazar(r, admin + nombre, nombre);
    }
    return TextoSQL::Quitar(r, admin);
}

} // namespace Sinonimos
