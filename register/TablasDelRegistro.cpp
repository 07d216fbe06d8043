#include "register/TablasDelRegistro.h"

#include "data/DB_Dll.h"
#include "data/TextoSQL.h"
#include "register/Periodo.h"
#include "register/Planilla.h"

#include <QHash>

using TextoSQL::Comillas;

namespace RegistroTolvario {

QString Literal(const QString& t)
{
    return u'\'' + Comillas(Planilla::ObservacionGuardable(t)) + u'\'';
}

bool TablasPresentes(const QStringList& tablas, bool preguntar)
{
    DB_Dll& db = DB_Dll::Instancia();
    // Asked of each database once: the answer changes only when the schema tool runs.
    static QHash<QString, bool> vistas;
    const QString clave = db.gServidor + u'|' + db.gDBName + u'|' + tablas.join(u',');
    const auto it = vistas.constFind(clave);
    if (it != vistas.constEnd() && !preguntar)
        return *it;
    bool hay = true;
    for (const QString& t : tablas)
        hay = hay && db.ExisteTablaDB(t);
    vistas.insert(clave, hay);
    return hay;
}

bool ConHistoria(bool preguntar)
{
    return TablasPresentes({QStringLiteral("EM_TolvarioHistoria")}, preguntar);
}

bool ConEntregas(bool preguntar)
{
    return TablasPresentes({QStringLiteral("EM_TolvarioEntrega"), QStringLiteral("EM_TolvarioEntregaCuenta")}, preguntar);
}

void MarcarAlterados(const QString& periodo, const QString& cuenta, const std::vector<LineaRegistro>& antes,
                     const std::vector<LineaRegistro>& despues)
{
    if (!ConEntregas() || antes == despues)
        return;
    DB_Dll& db = DB_Dll::Instancia();
    db.EjecutaSentenciaSQL(QStringLiteral("UPDATE EM_TolvarioEntrega SET Modificado = 1 WHERE Periodo = '") + Comillas(periodo)
                           + u'\'');
    if ((NetoDe(despues) - NetoDe(antes)).esCero())
        return;
    // Later delivered books of the account carried this balance in.
    db.EjecutaSentenciaSQL(QStringLiteral("UPDATE EM_TolvarioEntrega SET Modificado = 1 WHERE Periodo IN (SELECT Periodo FROM "
                                          "EM_TolvarioEntregaCuenta WHERE Cuenta = '")
                           + Comillas(cuenta) + QStringLiteral("') AND SUBSTRING(Periodo,4,4) + SUBSTRING(Periodo,1,2) > '")
                           + Comillas(AnioMes(periodo)) + u'\'');
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
