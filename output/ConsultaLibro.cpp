#include "output/ConsultaLibro.h"

#include "data/DB_Dll.h"
#include "data/TextoSQL.h"
#include "output/ArmadoLibro.h"
#include "register/SaldoAnterior.h"
#include "suite/SuiteUtil.h"

void LeerRegistroDelLibro(const QString& periodo, DatosLibro& datos)
{
    using TextoSQL::Comillas;
    DB_Dll& db = DB_Dll::Instancia();
    const QString p = Comillas(periodo);
    Recordset cuentas;
    // The period is chosen before grouping (WHERE, not HAVING on the grouped period: the same
    // rows), so the database reads one period's rows through the key instead of grouping
    // every period ever stored.
    db.AbrirConsulta(QStringLiteral("SELECT EM_Tolvario.Periodo, EM_Tolvario.Cuenta,")
                         + QStringLiteral("MA_CUENTAS.Descripcion FROM EM_Tolvario LEFT OUTER JOIN MA_CUENTAS ON ")
                         + QStringLiteral("EM_Tolvario.Cuenta = MA_CUENTAS.CODIGO WHERE (EM_Tolvario.Periodo = N'") + p
                         + QStringLiteral("') GROUP BY EM_Tolvario.Periodo, EM_Tolvario.Cuenta, MA_CUENTAS.Descripcion ")
                         + QStringLiteral("order by cuenta desc"),
                     cuentas);
    datos.cuentas.clear();
    for (; cuentas.State() != 0 && !cuentas.Eof(); cuentas.MoveNext())
        datos.cuentas.push_back({SuiteUtil::NullSafe(cuentas.Field(QStringLiteral("Cuenta"))).trimmed(),
                                 SuiteUtil::NullSafe(cuentas.Field(QStringLiteral("Descripcion")))});
    Recordset filas;
    db.AbrirConsulta(QStringLiteral("SELECT * From EM_Tolvario WHERE (Periodo = N'") + p + QStringLiteral("') ")
                         + QStringLiteral("ORDER BY cuenta DESC, dia ASC"),
                     filas);
    datos.filas.clear();
    for (; filas.State() != 0 && !filas.Eof(); filas.MoveNext())
        datos.filas.push_back({SuiteUtil::NullSafe(filas.Field(QStringLiteral("Cuenta"))).trimmed(),
                               int(SuiteUtil::VariantToAmount(filas.Field(QStringLiteral("DIA"))).entero()),
                               SuiteUtil::VariantToAmount(filas.Field(QStringLiteral("Entradas"))),
                               SuiteUtil::VariantToAmount(filas.Field(QStringLiteral("Salidas"))),
                               SuiteUtil::NullSafe(filas.Field(QStringLiteral("Observaciones")))});
    datos.saldoAnterior = [periodo](const QString& cuenta) { return SaldoAnterior(periodo, cuenta); };
}
