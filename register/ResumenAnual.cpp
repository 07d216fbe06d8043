#include "register/ResumenAnual.h"

#include "data/DB_Dll.h"
#include "data/TextoSQL.h"
#include "suite/SuiteUtil.h"

#include <algorithm>
#include <array>
#include <map>

using TextoSQL::Comillas;

namespace RegistroTolvario {

namespace {

// Year then month as text: the expression the year-month index is built on.
const QString AnioMes = QStringLiteral("SUBSTRING(Periodo,4,4) + SUBSTRING(Periodo,1,2)");

// The exact amount as stored, whatever the locale: four decimals, a point.
QString exacto(Importe i)
{
    return i.texto(4, u'.');
}

} // namespace

Importe CuentaDelAnio::Entradas() const
{
    Importe t;
    for (const MesDelAnio& m : meses)
        t += m.entradas;
    return t;
}

Importe CuentaDelAnio::Salidas() const
{
    Importe t;
    for (const MesDelAnio& m : meses)
        t += m.salidas;
    return t;
}

std::vector<CuentaDelAnio> LeerAnio(int anio)
{
    DB_Dll& db = DB_Dll::Instancia();
    const QString desde = QStringLiteral("%1").arg(anio, 4, 10, QLatin1Char('0'));
    Recordset rs;
    // The year's rows, grouped: one line per account and month.
    db.AbrirConsulta(QStringLiteral("SELECT Cuenta, %1 AS AnioMes, SUM(Entradas) AS Ent, SUM(Salidas) AS Sal FROM EM_Tolvario "
                                    "WHERE %1 >= '%2' AND %1 <= '%3' GROUP BY Cuenta, %1")
                         .arg(AnioMes, desde + QStringLiteral("01"), desde + QStringLiteral("12")),
                     rs);
    std::map<QString, std::array<std::pair<Importe, Importe>, 12>> movimientos;
    std::map<QString, std::array<bool, 12>> conFilas;
    QStringList cuentas;
    for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext()) {
        const QString cuenta = SuiteUtil::NullSafe(rs.Field(QStringLiteral("Cuenta"))).trimmed().toUpper();
        const int mes = SuiteUtil::NullSafe(rs.Field(QStringLiteral("AnioMes"))).trimmed().right(2).toInt();
        if (mes < 1 || mes > 12)
            continue;
        if (!cuentas.contains(cuenta))
            cuentas << cuenta;
        // Codes the database tells apart (trailing blanks, letters its collation does not
        // fold) are one account here: added, never one over the other.
        auto& [entradas, salidas] = movimientos[cuenta][size_t(mes - 1)];
        entradas += SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Ent")));
        salidas += SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Sal")));
        conFilas[cuenta][size_t(mes - 1)] = true;
    }
    // Every account's stock before the year, in one.
    std::map<QString, Importe> antes;
    if (!cuentas.isEmpty()) {
        db.AbrirConsulta(QStringLiteral("SELECT Cuenta, SUM(Entradas) AS Ent, SUM(Salidas) AS Sal FROM EM_Tolvario WHERE %1 < '%2' "
                                        "GROUP BY Cuenta")
                             .arg(AnioMes, desde + QStringLiteral("01")),
                         rs);
        for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext())
            antes[SuiteUtil::NullSafe(rs.Field(QStringLiteral("Cuenta"))).trimmed().toUpper()] +=
                SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Ent"))) - SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Sal")));
    }
    // The mill first, then the codes in order.
    std::sort(cuentas.begin(), cuentas.end(), [](const QString& a, const QString& b) {
        const bool molinoA = a == QLatin1String("MOLINO"), molinoB = b == QLatin1String("MOLINO");
        return molinoA != molinoB ? molinoA : a < b;
    });
    // The customers' names, in one.
    std::map<QString, QString> nombres;
    QStringList codigos;
    for (const QString& c : std::as_const(cuentas))
        if (c != QLatin1String("MOLINO"))
            codigos << u'\'' + Comillas(c) + u'\'';
    if (!codigos.isEmpty()) {
        db.AbrirConsulta(QStringLiteral("SELECT CODIGO, Razon_Social FROM Vt_Clientes WHERE CODIGO IN (%1)").arg(codigos.join(u',')), rs);
        for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext())
            nombres[SuiteUtil::NullSafe(rs.Field(QStringLiteral("CODIGO"))).trimmed().toUpper()] =
                SuiteUtil::NullSafe(rs.Field(QStringLiteral("Razon_Social"))).trimmed();
    }
    std::vector<CuentaDelAnio> resultado;
    for (const QString& cuenta : std::as_const(cuentas)) {
        CuentaDelAnio c{cuenta, nombres[cuenta], {}};
        Importe saldo = antes[cuenta];
        for (int mes = 1; mes <= 12; ++mes) {
            const auto& [e, s] = movimientos[cuenta][size_t(mes - 1)];
            MesDelAnio m{QStringLiteral("%1/%2").arg(mes, 2, 10, QLatin1Char('0')).arg(desde), saldo, e, s, saldo + e - s,
                         conFilas[cuenta][size_t(mes - 1)]};
            saldo = m.saldo;
            c.meses.push_back(m);
        }
        resultado.push_back(std::move(c));
    }
    return resultado;
}

QString CsvDelAnio(const std::vector<CuentaDelAnio>& cuentas)
{
    QString texto = QStringLiteral("Cuenta;Periodo;SaldoAnterior;Entradas;Salidas;Saldo\n");
    for (const CuentaDelAnio& c : cuentas)
        for (const MesDelAnio& m : c.meses)
            if (m.conFilas)
                texto += QStringLiteral("%1;%2;%3;%4;%5;%6\n")
                             .arg(c.cuenta, m.periodo, exacto(m.saldoAnterior), exacto(m.entradas), exacto(m.salidas), exacto(m.saldo));
    return texto;
}

} // namespace RegistroTolvario
