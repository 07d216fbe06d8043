#include "register/TablasDelRegistro.h"

#include "data/DB_Dll.h"
#include "data/TextoSQL.h"
#include "register/Periodo.h"
#include "register/Planilla.h"

#include <QHash>
#include <algorithm>

using TextoSQL::Comillas;

namespace RegistroTolvario {

QString Literal(const QString& t)
{
    return u'\'' + Comillas(Planilla::ObservacionGuardable(t)) + u'\'';
}

bool TablasPresentes(const QStringList& tablas, bool preguntar)
{
    DB_Dll& db = DB_Dll::Instancia();
    // The catalogue is asked of each database once (again with `preguntar`): the answer
    // changes only when the schema tool runs.
    static QHash<QString, QStringList> vistas;
    const QString clave = db.gServidor + u'|' + db.gDBName;
    auto it = vistas.find(clave);
    if (it == vistas.end() || preguntar)
        it = vistas.insert(clave, db.TablasDB());
    return std::all_of(tablas.cbegin(), tablas.cend(), [&](const QString& t) { return it->contains(t, Qt::CaseInsensitive); });
}

bool ConHistoria(bool preguntar)
{
    return TablasPresentes({QStringLiteral("EM_TolvarioHistoria")}, preguntar);
}

bool ConEntregas(bool preguntar)
{
    return TablasPresentes({QStringLiteral("EM_TolvarioEntrega"), QStringLiteral("EM_TolvarioEntregaCuenta")}, preguntar);
}

QString MarcasDeAlterados(const QString& periodo, const QString& cuenta, const std::vector<LineaRegistro>& antes,
                          const std::vector<LineaRegistro>& despues)
{
    if (!ConEntregas() || antes == despues)
        return {};
    const QString propio = QStringLiteral("Periodo = '") + Comillas(periodo) + u'\'';
    if ((NetoDe(despues) - NetoDe(antes)).esCero())
        return QStringLiteral("UPDATE EM_TolvarioEntrega SET Modificado = 1 WHERE ") + propio;
    // Later delivered books of the account carried this balance in.
    return QStringLiteral("UPDATE EM_TolvarioEntrega SET Modificado = 1 WHERE ") + propio
           + QStringLiteral(" OR (Periodo IN (SELECT Periodo FROM EM_TolvarioEntregaCuenta WHERE Cuenta = '") + Comillas(cuenta)
           + QStringLiteral("') AND SUBSTRING(Periodo,4,4) + SUBSTRING(Periodo,1,2) > '") + Comillas(AnioMes(periodo))
           + QStringLiteral("')");
}

void MarcarHojaAlterada(const QString& periodo, const QString& hoja)
{
    if (!ConEntregas())
        return;
    DB_Dll::Instancia().EjecutaSentenciaSQL(QStringLiteral("UPDATE EM_TolvarioEntrega SET Modificado = 1 WHERE Periodo = '")
                                            + Comillas(periodo) + QStringLiteral("' AND Hoja <> ")
                                            + Literal(hoja.trimmed().left(50)));
}

} // namespace RegistroTolvario
