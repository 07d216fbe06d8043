#include "register/SaldoAnterior.h"

#include "data/DB_Dll.h"
#include "data/TextoSQL.h"
#include "suite/SuiteUtil.h"

Importe SaldoAnterior(const QString& periodo, const QString& cuenta)
{
    using TextoSQL::Comillas;
    const QString anioMes = periodo.mid(3, 4) + periodo.left(2);
    // Year then month as text: the statement's expression is the one the index is built on.
    const QString condicion = QStringLiteral(" from EM_Tolvario where SUBSTRING(Periodo,4,4) + SUBSTRING(Periodo,1,2)  < '")
                              + Comillas(anioMes) + QStringLiteral("' and Cuenta = '") + Comillas(cuenta) + QStringLiteral("' ");
    DB_Dll& db = DB_Dll::Instancia();
    Recordset rs;
    Importe saldo;
    db.AbrirConsulta(QStringLiteral("Select sum(Entradas) as Ent") + condicion, rs);
    if (!rs.BOF())
        saldo = SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Ent")));
    db.AbrirConsulta(QStringLiteral("Select sum(Salidas) as Sal") + condicion, rs);
    if (!rs.BOF())
        saldo -= SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Sal")));
    return saldo;
}
