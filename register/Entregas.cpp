#include "register/Entregas.h"

#include "data/DB_Dll.h"
#include "data/TextoSQL.h"
#include "data/Transaccion.h"
#include "platform/ErrorVB.h"
#include "register/Periodo.h"
#include "register/Planilla.h"
#include "register/RegistroTolvario.h"
#include "startup/Globales.h"
#include "suite/SuiteUtil.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <algorithm>
#include <map>

using TextoSQL::Comillas;

namespace RegistroTolvario {

namespace {

QString hex(const QString& contenido)
{
    return QString::fromLatin1(QCryptographicHash::hash(contenido.toUtf8(), QCryptographicHash::Sha256).toHex());
}

// An account's page: its exact amounts, what it carried in, and its remarks. Rounding and
// layout come from the header, fingerprinted apart.
QString huellaCuenta(const QString& cuenta, Importe saldo, const std::vector<LineaRegistro>& lineas)
{
    QString t = cuenta.trimmed().toUpper() + u'\n' + saldo.texto();
    for (const LineaRegistro& l : lineas)
        t += QStringLiteral("\n%1\t%2\t%3\t%4").arg(l.dia).arg(l.entradas.texto(), l.salidas.texto(), l.observaciones);
    return hex(t);
}

QString huellaEncabezado(const EncabezadoLibro& e)
{
    return hex(QStringList{e.periodo, e.hoja.trimmed(), e.titulo, e.empresa, e.oncca, e.medida, QString::number(e.decimales),
                           QString::number(e.lineaInicial), e.bordes ? QStringLiteral("1") : QStringLiteral("0")}
                   .join(u'\n'));
}

Entrega entregaDe(const Recordset& rs)
{
    const auto campo = [&](const char* c) { return SuiteUtil::NullSafe(rs.Field(QString::fromLatin1(c))); };
    const auto numero = [&](const char* c) { return int(SuiteUtil::VariantToAmount(rs.Field(QString::fromLatin1(c))).entero()); };
    Entrega e;
    e.periodo = campo("Periodo").trimmed();
    e.momento = campo("Momento").trimmed();
    e.usuario = campo("Usuario").trimmed();
    e.caja = campo("Caja").trimmed();
    e.encabezado.periodo = e.periodo;
    e.encabezado.titulo = campo("Titulo");
    e.encabezado.empresa = campo("Empresa");
    e.encabezado.oncca = campo("Oncca");
    e.encabezado.medida = campo("Medida");
    e.encabezado.hoja = campo("Hoja").trimmed();
    e.encabezado.decimales = numero("Decimales");
    e.encabezado.lineaInicial = numero("LineaInicial");
    e.encabezado.bordes = numero("Bordes") != 0;
    e.modificado = numero("Modificado") != 0;
    return e;
}

std::map<QString, Entrega> todasLasEntregas()
{
    std::map<QString, Entrega> entregas;
    if (!ConEntregas())
        return entregas;
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(QStringLiteral("SELECT * FROM EM_TolvarioEntrega"), rs);
    for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext()) {
        Entrega e = entregaDe(rs);
        entregas.emplace(e.periodo, std::move(e));
    }
    return entregas;
}

QString periodoDe(const QString& anioMes)
{
    return anioMes.right(2) + u'/' + anioMes.left(4);
}

// The first stored months after `periodo` where the account has lines (their opening
// balance carries this one's), at most `cuantos`; `ultimo` gets the latest of all when there
// are more. Read through the year-month index: a handful of months, never thirty years.
QStringList posterioresCon(const QString& periodo, const QString& cuenta, int cuantos, QString& ultimo)
{
    DB_Dll& db = DB_Dll::Instancia();
    Recordset rs;
    const QString anioMes = QStringLiteral("SUBSTRING(Periodo,4,4) + SUBSTRING(Periodo,1,2)");
    db.AbrirConsulta(QStringLiteral("Select DISTINCT TOP %1 %2 AS AnioMes from EM_Tolvario where Cuenta = '").arg(cuantos + 1).arg(anioMes)
                         + Comillas(cuenta) + QStringLiteral("' and %1 > '").arg(anioMes) + Comillas(AnioMes(periodo))
                         + QStringLiteral("' order by AnioMes"),
                     rs);
    QStringList periodos;
    for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext())
        periodos << periodoDe(SuiteUtil::NullSafe(rs.Field(QStringLiteral("AnioMes"))).trimmed());
    if (periodos.size() <= cuantos)
        return periodos;
    periodos.removeLast();
    db.AbrirConsulta(QStringLiteral("Select MAX(%1) AS Ultimo from EM_Tolvario where Cuenta = '").arg(anioMes) + Comillas(cuenta)
                         + u'\'',
                     rs);
    const QString u = periodoDe(SuiteUtil::NullSafe(rs.Field(QStringLiteral("Ultimo"))).trimmed());
    if (ultimo.isEmpty() || AnioMes(u) > AnioMes(ultimo))
        ultimo = u;
    return periodos;
}

// The delivered books after `periodo` that carry the account's balance.
QStringList entregadosPosterioresCon(const QString& periodo, const QString& cuenta)
{
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(QStringLiteral("SELECT Periodo FROM EM_TolvarioEntregaCuenta WHERE Cuenta = '") + Comillas(cuenta)
                                          + QStringLiteral("' AND SUBSTRING(Periodo,4,4) + SUBSTRING(Periodo,1,2) > '")
                                          + Comillas(AnioMes(periodo)) + u'\'',
                                      rs);
    QStringList periodos;
    for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext())
        periodos << SuiteUtil::NullSafe(rs.Field(QStringLiteral("Periodo"))).trimmed();
    return periodos;
}

void ordenar(QStringList& periodos)
{
    periodos.removeDuplicates();
    std::sort(periodos.begin(), periodos.end(), [](const QString& a, const QString& b) { return AnioMes(a) < AnioMes(b); });
}

} // namespace

std::optional<Entrega> EntregaDe(const QString& periodo)
{
    ExigirPeriodo(periodo);
    if (!ConEntregas())
        return std::nullopt;
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(QStringLiteral("SELECT * FROM EM_TolvarioEntrega WHERE Periodo = '") + Comillas(periodo)
                                          + u'\'',
                                      rs);
    if (rs.State() == 0 || rs.BOF() || rs.Eof())
        return std::nullopt;
    return entregaDe(rs);
}

QString TextoDeEntrega(const Entrega& e)
{
    const QDateTime cuando = QDateTime::fromString(e.momento.left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    QString t = QStringLiteral("Entregado a ONCCA el ") + (cuando.isValid() ? cuando.toString(QStringLiteral("dd/MM/yyyy")) : e.momento);
    if (e.modificado)
        t += QStringLiteral(", modificado después de la entrega");
    return t;
}

Huellas TomarHuellas(const QString& periodo)
{
    ExigirPeriodo(periodo);
    Huellas h;
    for (const CuentaDelLibro& c : CuentasDelLibro(periodo))
        h[c.codigo.toUpper()] = huellaCuenta(c.codigo, SaldoAnterior(periodo, c.codigo), Lineas(periodo, c.codigo));
    return h;
}

void AnotarEntrega(const EncabezadoLibro& encabezado, const Huellas& alArmar)
{
    const QString periodo = encabezado.periodo;
    ExigirPeriodo(periodo);
    if (!ConEntregas())
        return;
    DB_Dll& db = DB_Dll::Instancia();
    const QString p = Comillas(periodo);
    EnTransaccion(db.gCnn, [&] {
        db.EjecutaSentenciaSQL(QStringLiteral("DELETE FROM EM_TolvarioEntregaCuenta WHERE Periodo = '") + p + u'\'');
        db.EjecutaSentenciaSQL(QStringLiteral("DELETE FROM EM_TolvarioEntrega WHERE Periodo = '") + p + u'\'');
        for (const auto& [cuenta, huella] : alArmar)
            db.EjecutaSentenciaSQL(QStringLiteral("INSERT INTO EM_TolvarioEntregaCuenta (Periodo, Cuenta, Huella) VALUES (")
                                   + Literal(periodo) + u',' + Literal(cuenta) + u',' + Literal(huella) + u')');
        // Another station's save while the disk was being prepared: what was handed in is
        // already not what is stored.
        const bool cambio = TomarHuellas(periodo) != alArmar;
        const EncabezadoLibro& e = encabezado;
        db.EjecutaSentenciaSQL(
            QStringLiteral("INSERT INTO EM_TolvarioEntrega (Periodo, Momento, Usuario, Caja, Titulo, Empresa, Oncca, Medida, "
                           "Hoja, Decimales, LineaInicial, Bordes, Huella, Modificado) VALUES (")
            + QStringList{Literal(periodo), Literal(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"))),
                          Literal(UsuarioQueOpera().left(50)), Literal(gCaja.left(10)), Literal(e.titulo.left(255)),
                          Literal(e.empresa.left(255)), Literal(e.oncca.left(255)), Literal(e.medida.left(255)),
                          Literal(e.hoja.trimmed().left(50)), QString::number(e.decimales), QString::number(e.lineaInicial),
                          QString::number(e.bordes ? 1 : 0), QStringLiteral("''"), cambio ? QStringLiteral("1") : QStringLiteral("0")}
                  .join(u',')
            + u')');
        // The header's fingerprint over what the database gives back, as a check reads it.
        const std::optional<Entrega> guardada = EntregaDe(periodo);
        if (!guardada)
            throw ErrorVB(ErrorVB::LlamadaInvalida, QStringLiteral("La entrega de %1 no quedó registrada.").arg(periodo));
        db.EjecutaSentenciaSQL(QStringLiteral("UPDATE EM_TolvarioEntrega SET Huella = ") + Literal(huellaEncabezado(guardada->encabezado))
                               + QStringLiteral(" WHERE Periodo = '") + p + u'\'');
    }, true);
}

Verificacion Verificar(const QString& periodo)
{
    Verificacion v;
    const std::optional<Entrega> entrega = EntregaDe(periodo);
    if (!entrega)
        return v;
    v.entregado = true;
    // The header as delivered, on the sheet number the period has now.
    EncabezadoLibro ahora = entrega->encabezado;
    ahora.hoja = HojaComoEsta(periodo);
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(QStringLiteral("SELECT Huella FROM EM_TolvarioEntrega WHERE Periodo = '") + Comillas(periodo)
                                          + u'\'',
                                      rs);
    v.encabezado = SuiteUtil::NullSafe(rs.Field(QStringLiteral("Huella"))).trimmed() != huellaEncabezado(ahora);
    Huellas entregadas;
    DB_Dll::Instancia().AbrirConsulta(QStringLiteral("SELECT Cuenta, Huella FROM EM_TolvarioEntregaCuenta WHERE Periodo = '")
                                          + Comillas(periodo) + u'\'',
                                      rs);
    for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext())
        entregadas[SuiteUtil::NullSafe(rs.Field(QStringLiteral("Cuenta"))).trimmed().toUpper()] =
            SuiteUtil::NullSafe(rs.Field(QStringLiteral("Huella"))).trimmed();
    for (const auto& [cuenta, huella] : TomarHuellas(periodo)) {
        const auto it = entregadas.find(cuenta);
        if (it == entregadas.end() || it->second != huella)
            v.cuentas << cuenta;
        if (it != entregadas.end())
            entregadas.erase(it);
    }
    // Delivered accounts the period no longer has.
    for (const auto& [cuenta, huella] : entregadas)
        v.cuentas << cuenta;
    return v;
}

Deriva DerivaDe(const QString& periodo, const std::vector<CambioPrevisto>& cambios, const QString* hoja)
{
    ExigirPeriodo(periodo);
    Deriva d;
    const bool conEntregas = ConEntregas();
    bool alteraElPropio = false;
    QStringList entregadosDespues;
    for (const CambioPrevisto& c : cambios) {
        const std::vector<LineaRegistro> antes = Lineas(periodo, c.cuenta);
        const std::vector<LineaRegistro> despues = c.lineas ? *c.lineas : std::vector<LineaRegistro>();
        if (antes == despues)
            continue;
        alteraElPropio = true;
        if ((NetoDe(despues) - NetoDe(antes)).esCero())
            continue;
        d.posteriores << posterioresCon(periodo, c.cuenta, Deriva::Nombrados, d.ultimoPosterior);
        if (conEntregas)
            entregadosDespues << entregadosPosterioresCon(periodo, c.cuenta);
    }
    ordenar(d.posteriores);
    // The first ones of every account are the first ones of all.
    while (d.posteriores.size() > Deriva::Nombrados) {
        const QString sobra = d.posteriores.takeLast();
        if (d.ultimoPosterior.isEmpty() || AnioMes(sobra) > AnioMes(d.ultimoPosterior))
            d.ultimoPosterior = sobra;
    }
    if (d.posteriores.contains(d.ultimoPosterior))
        d.ultimoPosterior.clear();
    if (!conEntregas)
        return d;
    ordenar(entregadosDespues);
    if (!alteraElPropio && !hoja && entregadosDespues.isEmpty())
        return d;
    std::map<QString, Entrega> entregas = todasLasEntregas();
    const auto propia = entregas.find(periodo);
    if (propia != entregas.end() && hoja && hoja->trimmed() != propia->second.encabezado.hoja)
        alteraElPropio = true;
    if (alteraElPropio && propia != entregas.end())
        d.entregados.push_back(propia->second);
    for (const QString& p : std::as_const(entregadosDespues))
        if (const auto it = entregas.find(p); it != entregas.end())
            d.entregados.push_back(it->second);
    return d;
}

Deriva DerivaDeBorrar(const QString& periodo)
{
    std::vector<CambioPrevisto> cambios;
    for (const QString& cuenta : CuentasDelPeriodo(periodo))
        cambios.push_back({cuenta, std::nullopt});
    return DerivaDe(periodo, cambios);
}

} // namespace RegistroTolvario
