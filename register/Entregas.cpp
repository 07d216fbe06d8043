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
#include <array>
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

// Every delivered book; `llevan` gets those whose pages carry any of `cuentas`. One statement.
std::map<QString, Entrega> todasLasEntregas(const QStringList& cuentas = {}, QStringList* llevan = nullptr)
{
    std::map<QString, Entrega> entregas;
    if (!ConEntregas())
        return entregas;
    QStringList lista;
    for (const QString& c : cuentas)
        lista << u'\'' + Comillas(c) + u'\'';
    const QString lleva = lista.isEmpty() ? QStringLiteral("0")
                                          : QStringLiteral("CASE WHEN EXISTS (SELECT 1 FROM EM_TolvarioEntregaCuenta c WHERE "
                                                           "c.Periodo = e.Periodo AND c.Cuenta IN (%1)) THEN 1 ELSE 0 END")
                                                .arg(lista.join(u','));
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(QStringLiteral("SELECT e.*, %1 AS Lleva FROM EM_TolvarioEntrega e").arg(lleva), rs);
    for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext()) {
        Entrega e = entregaDe(rs);
        if (llevan && !SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Lleva"))).esCero())
            *llevan << e.periodo;
        entregas.emplace(e.periodo, std::move(e));
    }
    return entregas;
}

// Every later month of the account, in time order, with what it received and delivered: one
// statement through the year-month index, grouped in its order, however many years follow.
struct MesPosterior {
    QString periodo;
    Importe entradas;
    Importe salidas;
    Importe baja; // all it could take off the stock: the deliveries and any negative receipt
    Importe Neto() const { return entradas - salidas; }
};
std::vector<MesPosterior> mesesPosteriores(const QString& periodo, const QString& cuenta)
{
    const QString anioMes = QStringLiteral("SUBSTRING(Periodo,4,4) + SUBSTRING(Periodo,1,2)");
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(QStringLiteral("SELECT %1 AS AnioMes, SUM(Entradas) AS Ent, SUM(Salidas) AS Sal, "
                                                     "SUM(CASE WHEN Salidas > 0 THEN Salidas ELSE 0 END) - "
                                                     "SUM(CASE WHEN Entradas < 0 THEN Entradas ELSE 0 END) AS Baja FROM EM_Tolvario "
                                                     "WHERE Cuenta = '")
                                              .arg(anioMes)
                                          + Comillas(cuenta) + QStringLiteral("' AND %1 > '").arg(anioMes) + Comillas(AnioMes(periodo))
                                          + QStringLiteral("' GROUP BY %1 ORDER BY AnioMes").arg(anioMes),
                                      rs);
    std::vector<MesPosterior> meses;
    for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext())
        meses.push_back({PeriodoDeAnioMes(SuiteUtil::NullSafe(rs.Field(QStringLiteral("AnioMes"))).trimmed()),
                         SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Ent"))),
                         SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Sal"))),
                         SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Baja")))});
    return meses;
}

// The lowest the running stock goes within each of `periodos`, from its opening balance (0
// when it never goes below it): only for months that could go below zero at all.
std::map<QString, Importe> minimosDe(const QString& cuenta, const QStringList& periodos)
{
    std::map<QString, Importe> minimos;
    if (periodos.isEmpty())
        return minimos;
    QStringList lista;
    for (const QString& p : periodos)
        lista << u'\'' + Comillas(p) + u'\'';
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(
        QStringLiteral("SELECT Periodo, MIN(Acumulado) AS Minimo FROM (SELECT Periodo, SUM(Entradas - Salidas) OVER (PARTITION BY Periodo "
                       "ORDER BY DIA) AS Acumulado FROM EM_Tolvario WHERE Cuenta = '")
            + Comillas(cuenta) + QStringLiteral("' AND Periodo IN (") + lista.join(u',') + QStringLiteral(")) t GROUP BY Periodo"),
        rs);
    for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext())
        minimos[SuiteUtil::NullSafe(rs.Field(QStringLiteral("Periodo"))).trimmed()] =
            std::min(Importe(), SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Minimo"))));
    return minimos;
}

// The running stock at the end of each day 1 to 31, from `inicial`.
std::array<Importe, 32> saldosDiarios(Importe inicial, const std::vector<LineaRegistro>& lineas)
{
    std::array<Importe, 32> netos{};
    for (const LineaRegistro& l : lineas)
        if (l.dia >= 1 && l.dia <= 31)
            netos[size_t(l.dia)] += l.entradas - l.salidas;
    std::array<Importe, 32> saldos{};
    Importe s = inicial;
    for (int d = 1; d <= 31; ++d)
        saldos[size_t(d)] = s += netos[size_t(d)];
    return saldos;
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
    // Three statements however many accounts: the accounts, their lines, their balances.
    const std::vector<LineaRegistro> todas = LineasDelPeriodo(periodo);
    const QHash<QString, Importe> saldos = SaldosAnteriores(periodo);
    for (const CuentaDelLibro& c : CuentasDelLibro(periodo)) {
        std::vector<LineaRegistro> lineas;
        for (const LineaRegistro& l : todas)
            if (l.cuenta.compare(c.codigo, Qt::CaseInsensitive) == 0)
                lineas.push_back(l);
        h[c.codigo.toUpper()] = huellaCuenta(c.codigo, saldos.value(c.codigo.toUpper()), lineas);
    }
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
    QStringList mueven; // accounts whose later months move
    for (const CambioPrevisto& c : cambios) {
        const std::vector<LineaRegistro> antes = c.antes ? *c.antes : Lineas(periodo, c.cuenta);
        const std::vector<LineaRegistro> despues = c.lineas ? *c.lineas : std::vector<LineaRegistro>();
        if (antes == despues)
            continue;
        alteraElPropio = true;
        const Importe delta = NetoDe(despues) - NetoDe(antes);
        // A day that turns negative, or goes lower than it was stored: the first one.
        const Importe inicial = c.saldoAnterior ? *c.saldoAnterior : SaldoAnterior(periodo, c.cuenta);
        if (c.lineas) {
            const std::array<Importe, 32> viejo = saldosDiarios(inicial, antes), nuevo = saldosDiarios(inicial, despues);
            for (int dia = 1; dia <= 31; ++dia)
                if (nuevo[size_t(dia)] < std::min(Importe(), viejo[size_t(dia)])) {
                    d.negativas.push_back({c.cuenta, periodo, dia, nuevo[size_t(dia)], {}});
                    break;
                }
        }
        if (delta.esCero())
            continue;
        // Every later month moves by the same amount: when it is less stock, the months it
        // takes below zero. A month cannot go lower than its opening less all it delivered:
        // only those that could are read day by day.
        const std::vector<MesPosterior> meses = mesesPosteriores(periodo, c.cuenta);
        if (delta < Importe()) {
            std::vector<Importe> aperturas;
            QStringList posibles;
            Importe apertura = inicial + NetoDe(antes);
            for (const MesPosterior& m : meses) {
                aperturas.push_back(apertura);
                if (apertura - m.baja + delta < Importe())
                    posibles << m.periodo;
                apertura += m.Neto();
            }
            const std::map<QString, Importe> minimos = minimosDe(c.cuenta, posibles);
            int nombrados = 0;
            for (size_t i = 0; i < meses.size(); ++i) {
                const auto minimo = minimos.find(meses[i].periodo);
                if (minimo == minimos.end() || aperturas[i] + minimo->second + delta >= Importe())
                    continue;
                if (nombrados++ < Deriva::Nombrados)
                    d.negativas.push_back({c.cuenta, meses[i].periodo, 0, aperturas[i] + minimo->second + delta, {}});
                else
                    d.negativas.back().hasta = meses[i].periodo;
            }
        }
        // The months it moves, named as before: the first ones and the latest.
        for (size_t i = 0; i < meses.size() && i < size_t(Deriva::Nombrados); ++i)
            d.posteriores << meses[i].periodo;
        if (meses.size() > size_t(Deriva::Nombrados)
            && (d.ultimoPosterior.isEmpty() || AnioMes(meses.back().periodo) > AnioMes(d.ultimoPosterior)))
            d.ultimoPosterior = meses.back().periodo;
        mueven << c.cuenta;
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
    // A later month moves only when the period itself changed.
    if (!alteraElPropio && !hoja)
        return d;
    QStringList llevan;
    std::map<QString, Entrega> entregas = todasLasEntregas(mueven, &llevan);
    // The later delivered books that carry a balance that moves.
    QStringList entregadosDespues;
    for (const QString& p : std::as_const(llevan))
        if (AnioMes(p) > AnioMes(periodo))
            entregadosDespues << p;
    ordenar(entregadosDespues);
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
