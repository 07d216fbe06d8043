#include "register/RegistroTolvario.h"

#include "data/DB_Dll.h"
#include "data/Dialecto.h"
#include "data/TextoSQL.h"
#include "data/Transaccion.h"
#include "platform/ErrorVB.h"
#include "register/Periodo.h"
#include "register/Planilla.h"
#include "startup/Configuracion.h"
#include "startup/Globales.h"
#include "suite/SuiteUtil.h"

#include <QDateTime>
#include <QHash>

using TextoSQL::Comillas;

namespace RegistroTolvario {

const QString Tabla = QStringLiteral("EM_Tolvario");

namespace {

QString claveHoja(const QString& periodo)
{
    return QStringLiteral("TOLVARIO_HOJA_") + AnioMes(periodo);
}

void grabarAjuste(const QString& clave, const QString& valor)
{
    // Stored as the clerk sees them: a control character (a NUL) would make some databases
    // refuse the setting.
    GrabarConfiguracion(clave, Planilla::ObservacionGuardable(valor), QString(), false, QStringLiteral("DATOS"));
}

QString donde(const QString& periodo, const QString& cuenta)
{
    return QStringLiteral("where Periodo = '") + Comillas(periodo) + QStringLiteral("' and Cuenta = '") + Comillas(cuenta)
           + u'\'';
}

LineaRegistro lineaDe(const Recordset& rs, bool conCuenta)
{
    return {int(SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("DIA"))).entero()),
            SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Entradas"))),
            SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Salidas"))),
            SuiteUtil::NullSafe(rs.Field(QStringLiteral("Observaciones"))),
            conCuenta ? SuiteUtil::NullSafe(rs.Field(QStringLiteral("Cuenta"))).trimmed() : QString()};
}

// The accounts stored in the period, as the database groups them.
QStringList cuentasAgrupadas(const QString& periodo, const QString& condicion)
{
    ExigirPeriodo(periodo);
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(QStringLiteral("Select CUENTA from EM_Tolvario where Periodo = '") + Comillas(periodo)
                                          + u'\'' + condicion + QStringLiteral(" group by Cuenta"),
                                      rs);
    QStringList cuentas;
    for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext())
        cuentas << SuiteUtil::NullSafe(rs.Field(QStringLiteral("Cuenta"))).trimmed();
    return cuentas;
}

// Inside a transaction: one account of one period is saved by one station at a time. A row
// lock cannot guard an account that has no rows yet; PostgreSQL's advisory lock on the pair
// can, and goes with the transaction. SQLite's writer queue (BEGIN IMMEDIATE) does it there.
void esperarTurno(const QString& periodo, const QString& cuenta)
{
    DB_Dll& db = DB_Dll::Instancia();
    if (db.gCnn.dialecto() != Dialecto::PostgreSQL)
        return;
    const auto [clase, par] = ClaveDeTurno(periodo, cuenta);
    // Tried, not waited for inside the server: a wait there would end at the lock timeout,
    // and the window would stand still.
    const QString sql = QStringLiteral("SELECT pg_try_advisory_xact_lock(%1, %2) AS Turno").arg(clase).arg(par);
    const auto intentar = [&] {
        Recordset rs;
        db.AbrirConsulta(sql, rs);
        if (rs.State() == 0 || rs.BOF())
            return false;
        const QString turno = SuiteUtil::NullSafe(rs.Field(QStringLiteral("Turno"))).trimmed().toLower();
        return turno == QStringLiteral("true") || turno == QStringLiteral("t") || turno == QStringLiteral("1");
    };
    EsperarOtroPuesto(intentar);
}

} // namespace

std::pair<qint32, qint32> ClaveDeTurno(const QString& periodo, const QString& cuenta)
{
    // FNV-1a: the same number on every station, whatever build it runs.
    quint32 par = 2166136261u;
    for (const char c : (periodo + u'|' + cuenta.trimmed().toUpper()).toUtf8())
        par = (par ^ quint8(c)) * 16777619u;
    return {0x746f6c76, qint32(par)};
}

namespace {

bool conHistoria()
{
    return ConHistoria();
}

struct Totales {
    Importe entradas;
    Importe salidas;
};

Totales sumar(const std::vector<LineaRegistro>& lineas)
{
    Totales t;
    for (const LineaRegistro& l : lineas) {
        t.entradas += l.entradas;
        t.salidas += l.salidas;
    }
    return t;
}

// One row of history, inside the change's own transaction: both or neither are stored.
QString cambioAnotado(const QString& periodo, const QString& cuenta, const QString& accion, const Totales& antes, const Totales& despues)
{
    const auto importe = [](Importe v) { return DB_Dll::SQLValue(QVariant::fromValue(v), QStringLiteral("@")); };
    return QStringLiteral("INSERT INTO EM_TolvarioHistoria (Momento, Periodo, Cuenta, Usuario, Caja, Accion, EntradasAntes, "
                       "SalidasAntes, EntradasDespues, SalidasDespues) VALUES (")
        + Literal(QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd HH:mm:ss.zzz"))) + u',' + Literal(periodo) + u','
        + Literal(cuenta) + u',' + Literal(UsuarioQueOpera().left(50)) + u',' + Literal(gCaja.left(10)) + u',' + Literal(accion) + u','
        + importe(antes.entradas) + u',' + importe(antes.salidas) + u',' + importe(despues.entradas) + u','
        + importe(despues.salidas) + u')';
}

// A change's history row (where the database keeps history) and the delivered books it
// marks, inside its transaction; one statement on PostgreSQL, which runs an UPDATE inside a
// WITH to its end.
void anotarYMarcar(const QString& periodo, const QString& cuenta, const QString& accion, const std::vector<LineaRegistro>& antes,
                   const std::vector<LineaRegistro>& despues)
{
    DB_Dll& db = DB_Dll::Instancia();
    const QString cambio = conHistoria() ? cambioAnotado(periodo, cuenta, accion, sumar(antes), sumar(despues)) : QString();
    const QString marcas = MarcasDeAlterados(periodo, cuenta, antes, despues);
    if (!cambio.isEmpty() && !marcas.isEmpty() && db.gCnn.dialecto() == Dialecto::PostgreSQL) {
        db.EjecutaSentenciaSQL(QStringLiteral("WITH marcas AS (") + marcas + QStringLiteral(" RETURNING 1) ") + cambio);
        return;
    }
    for (const QString& s : {cambio, marcas})
        if (!s.isEmpty())
            db.EjecutaSentenciaSQL(s);
}

} // namespace

bool TablaExiste()
{
    return TablasPresentes({Tabla}, true);
}

bool HayPeriodo(const QString& periodo)
{
    ExigirPeriodo(periodo);
    Recordset rs;
    return DB_Dll::Instancia().ExisteEnTabla(Tabla, periodo, QStringLiteral("Periodo"), &rs, 8);
}

QString PeriodoAnterior(const QString& periodo)
{
    int mes = periodo.left(2).toInt();
    int anio = periodo.mid(3, 4).toInt();
    if (mes <= 1) {
        anio -= 1;
        mes = 12;
    } else {
        mes -= 1;
    }
    return QStringLiteral("%1/%2").arg(mes, 2, 10, QLatin1Char('0')).arg(anio, 4, 10, QLatin1Char('0'));
}

QString UltimoPeriodo()
{
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(QStringLiteral("SELECT TOP 1 Periodo FROM EM_Tolvario ORDER BY SUBSTRING(Periodo,4,4) + "
                                                     "SUBSTRING(Periodo,1,2) DESC"),
                                      rs);
    return rs.State() != 0 && !rs.BOF() ? SuiteUtil::NullSafe(rs.Field(QStringLiteral("Periodo"))).trimmed() : QString();
}

std::pair<QString, QString> PeriodosGuardados()
{
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(QStringLiteral("SELECT MIN(SUBSTRING(Periodo,4,4) + SUBSTRING(Periodo,1,2)) AS Primero, "
                                                     "MAX(SUBSTRING(Periodo,4,4) + SUBSTRING(Periodo,1,2)) AS Ultimo FROM EM_Tolvario"),
                                      rs);
    if (rs.State() == 0 || rs.BOF())
        return {};
    const auto periodo = [&](const char* campo) { return PeriodoDeAnioMes(SuiteUtil::NullSafe(rs.Field(QString::fromLatin1(campo)))); };
    return {periodo("Primero"), periodo("Ultimo")};
}

QHash<QString, Cliente> Clientes(const QStringList& codigos)
{
    QHash<QString, Cliente> clientes;
    // Each code compared as a lookup of one compares it (without regard to case where the
    // database does so for one).
    QStringList lista;
    for (const QString& c : codigos)
        if (!c.trimmed().isEmpty())
            lista << QStringLiteral("LTRIM(RTRIM(CODIGO)) = '") + Comillas(c.trimmed()) + u'\'';
    if (lista.isEmpty())
        return clientes;
    lista.removeDuplicates();
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(QStringLiteral("SELECT CODIGO, Razon_Social, Numero_documento FROM Vt_Clientes WHERE ")
                                          + lista.join(QStringLiteral(" OR ")),
                                      rs);
    for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext()) {
        const Cliente c{SuiteUtil::NullSafe(rs.Field(QStringLiteral("CODIGO"))).trimmed(),
                        SuiteUtil::NullSafe(rs.Field(QStringLiteral("Razon_Social"))),
                        SuiteUtil::NullSafe(rs.Field(QStringLiteral("Numero_documento")))};
        // The server's own comparison matched it: to each code asked that it stands for.
        for (const QString& pedido : codigos)
            if (pedido.trimmed().compare(c.codigo, Qt::CaseInsensitive) == 0 && !clientes.contains(pedido.trimmed()))
                clientes.insert(pedido.trimmed(), c);
    }
    return clientes;
}

QStringList CuentasDelPeriodo(const QString& periodo)
{
    return cuentasAgrupadas(periodo, QString());
}

QStringList UsuariosDelPeriodo(const QString& periodo)
{
    QStringList cuentas = cuentasAgrupadas(periodo, QStringLiteral(" and Cuenta <> 'MOLINO'"));
    cuentas.removeIf([](const QString& c) { return c.compare(QStringLiteral("MOLINO"), Qt::CaseInsensitive) == 0; });
    return cuentas;
}

std::vector<LineaRegistro> Lineas(const QString& periodo, const QString& cuenta)
{
    ExigirPeriodo(periodo);
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(QStringLiteral("Select  * from EM_Tolvario ") + donde(periodo, cuenta)
                                          + QStringLiteral(" order by dia"),
                                      rs);
    std::vector<LineaRegistro> lineas;
    for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext())
        lineas.push_back(lineaDe(rs, false));
    return lineas;
}

// Everything before the period: year then month as text, the expression the index is built on.
QString antesDe(const QString& periodo, const QString& cuenta)
{
    return QStringLiteral(" from EM_Tolvario where SUBSTRING(Periodo,4,4) + SUBSTRING(Periodo,1,2)  < '") + Comillas(AnioMes(periodo))
           + QStringLiteral("' and Cuenta = '") + Comillas(cuenta) + QStringLiteral("' ");
}

Importe SaldoAnterior(const QString& periodo, const QString& cuenta)
{
    ExigirPeriodo(periodo);
    DB_Dll& db = DB_Dll::Instancia();
    Recordset rs;
    Importe saldo;
    // Both sums in one statement: one round trip to a server far away.
    db.AbrirConsulta(QStringLiteral("Select sum(Entradas) as Ent, sum(Salidas) as Sal") + antesDe(periodo, cuenta), rs);
    if (!rs.BOF())
        saldo = SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Ent"))) - SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Sal")));
    return saldo;
}

QHash<QString, Importe> SaldosAnteriores(const QString& periodo)
{
    ExigirPeriodo(periodo);
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(
        QStringLiteral("Select Cuenta, sum(Entradas) as Ent, sum(Salidas) as Sal from EM_Tolvario where "
                       "SUBSTRING(Periodo,4,4) + SUBSTRING(Periodo,1,2)  < '")
            + Comillas(AnioMes(periodo)) + QStringLiteral("' and Cuenta IN (Select Cuenta from EM_Tolvario where Periodo = '")
            + Comillas(periodo) + QStringLiteral("') group by Cuenta"),
        rs);
    QHash<QString, Importe> saldos;
    for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext())
        saldos[SuiteUtil::NullSafe(rs.Field(QStringLiteral("Cuenta"))).trimmed().toUpper()] +=
            SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Ent"))) - SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Sal")));
    return saldos;
}

CuentaLeida LeerCuenta(const QString& periodo, const QString& cuenta)
{
    ExigirPeriodo(periodo);
    // The lines (Tipo 0) and, after them, the sums of every earlier month (Tipo 1).
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(
        QStringLiteral("Select 0 AS Tipo, DIA, Entradas, Salidas, Observaciones from EM_Tolvario ") + donde(periodo, cuenta)
            + QStringLiteral(" UNION ALL Select 1, 0, sum(Entradas), sum(Salidas), NULL") + antesDe(periodo, cuenta)
            + QStringLiteral(" order by Tipo, DIA"),
        rs);
    CuentaLeida c;
    for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext())
        if (SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Tipo"))).esCero())
            c.lineas.push_back(lineaDe(rs, false));
        else
            c.saldoAnterior = SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Entradas")))
                              - SuiteUtil::VariantToAmount(rs.Field(QStringLiteral("Salidas")));
    return c;
}

bool GrabarCuenta(const QString& periodo, const QString& cuenta, const std::vector<LineaRegistro>& lineas,
                  const std::vector<LineaRegistro>* esperadas, std::vector<LineaRegistro>* encontradas)
{
    ExigirPeriodo(periodo);
    if (cuenta.trimmed().isEmpty())
        throw ErrorVB(ErrorVB::LlamadaInvalida, QStringLiteral("No se puede grabar un registro sin cuenta."));
    DB_Dll& db = DB_Dll::Instancia();
    const auto importe = [](Importe v) { return DB_Dll::SQLValue(QVariant::fromValue(v), QStringLiteral("@")); };
    bool grabada = false;
    // A retry repeats all of it: on some databases a failed statement spoils the rest of
    // its transaction.
    EnTransaccion(db.gCnn, [&] {
        esperarTurno(periodo, cuenta);
        // What is stored now, read once: for the check and for the history's totals.
        std::vector<LineaRegistro> guardadas;
        if (esperadas || conHistoria() || ConEntregas())
            guardadas = Lineas(periodo, cuenta);
        if (esperadas && guardadas != *esperadas) {
            if (encontradas)
                *encontradas = std::move(guardadas);
            return;
        }
        db.EjecutaSentenciaSQL(QStringLiteral("Delete EM_Tolvario  ") + donde(periodo, cuenta));
        // Every day in one statement: one round trip however far the server is.
        // The remarks are the clerk's text: only the dialect's own rules, which never touch a
        // literal, stand between them and the database (no synonyms, no Oracle dictionary).
        // Unicode literals on SQL Server, as a bound value was.
        const QString n = db.gCnn.dialecto() == Dialecto::SqlServer ? QStringLiteral("N") : QString();
        QList<QStringList> filas;
        const QString p = u'\'' + Comillas(periodo) + u'\'', c = n + u'\'' + Comillas(cuenta) + u'\'';
        for (const LineaRegistro& l : lineas)
            filas.push_back({p, c, QString::number(l.dia), importe(l.entradas), importe(l.salidas), n + Literal(l.observaciones)});
        if (!filas.isEmpty())
            db.gCnn.Execute(Dialectos::InsertarFilas(db.gCnn.dialecto(), Tabla,
                                                     QStringLiteral("Periodo, Cuenta, DIA, Entradas, Salidas, Observaciones"), filas));
        anotarYMarcar(periodo, cuenta, QStringLiteral("GRABAR"), guardadas, lineas);
        grabada = true;
    }, true);
    return grabada;
}

void QuitarCuentas(const QString& periodo, const QStringList& cuentas)
{
    ExigirPeriodo(periodo);
    DB_Dll& db = DB_Dll::Instancia();
    EnTransaccion(db.gCnn, [&] {
        for (const QString& cuenta : cuentas) {
            const std::vector<LineaRegistro> antes = Lineas(periodo, cuenta);
            anotarYMarcar(periodo, cuenta, QStringLiteral("QUITAR"), antes, {});
            db.EjecutaSentenciaSQL(QStringLiteral("Delete EM_Tolvario  ") + donde(periodo, cuenta));
        }
    }, true);
}

void BorrarPeriodo(const QString& periodo)
{
    ExigirPeriodo(periodo);
    DB_Dll& db = DB_Dll::Instancia();
    EnTransaccion(db.gCnn, [&] {
        for (const QString& cuenta : CuentasDelPeriodo(periodo)) {
            const std::vector<LineaRegistro> antes = Lineas(periodo, cuenta);
            anotarYMarcar(periodo, cuenta, QStringLiteral("BORRAR"), antes, {});
        }
        db.EjecutaSentenciaSQL(QStringLiteral("Delete EM_Tolvario  where Periodo = '") + Comillas(periodo) + u'\'');
    }, true);
}

std::vector<CuentaDelLibro> CuentasDelLibro(const QString& periodo)
{
    ExigirPeriodo(periodo);
    const QString p = Comillas(periodo);
    Recordset rs;
    // The period is chosen before grouping (WHERE, not HAVING on the grouped period: the same
    // rows), so the database reads one period's rows through the key instead of grouping
    // every period ever stored.
    DB_Dll::Instancia().AbrirConsulta(
        QStringLiteral("SELECT EM_Tolvario.Periodo, EM_Tolvario.Cuenta,")
            + QStringLiteral("MA_CUENTAS.Descripcion FROM EM_Tolvario LEFT OUTER JOIN MA_CUENTAS ON ")
            + QStringLiteral("EM_Tolvario.Cuenta = MA_CUENTAS.CODIGO WHERE (EM_Tolvario.Periodo = N'") + p
            + QStringLiteral("') GROUP BY EM_Tolvario.Periodo, EM_Tolvario.Cuenta, MA_CUENTAS.Descripcion ")
            + QStringLiteral("order by cuenta desc"),
        rs);
    std::vector<CuentaDelLibro> cuentas;
    for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext())
        cuentas.push_back({SuiteUtil::NullSafe(rs.Field(QStringLiteral("Cuenta"))).trimmed(),
                           SuiteUtil::NullSafe(rs.Field(QStringLiteral("Descripcion")))});
    return cuentas;
}

std::vector<LineaRegistro> LineasDelPeriodo(const QString& periodo)
{
    ExigirPeriodo(periodo);
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(QStringLiteral("SELECT * From EM_Tolvario WHERE (Periodo = N'") + Comillas(periodo)
                                          + QStringLiteral("') ORDER BY cuenta DESC, dia ASC"),
                                      rs);
    std::vector<LineaRegistro> lineas;
    for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext())
        lineas.push_back(lineaDe(rs, true));
    return lineas;
}

QString HojaGuardada(const QString& periodo)
{
    ExigirPeriodo(periodo);
    const QString guardada = LeerConfiguracion(claveHoja(periodo));
    // A stored number beyond any amount is no sheet number: the next one is taken.
    return SuiteUtil::TextToAmountOrZero(guardada).esCero() ? QString() : guardada.trimmed();
}

QString HojaComoEsta(const QString& periodo)
{
    ExigirPeriodo(periodo);
    return LeerConfiguracion(claveHoja(periodo)).trimmed();
}

namespace {

// "TOLVARIO_HOJA_202611" -> "11/2026"; empty when the key names no period.
QString periodoDeClave(const QString& clave)
{
    return PeriodoDeAnioMes(clave.trimmed().mid(14));
}

} // namespace

QString HojaSiguiente()
{
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(
        QStringLiteral("select * from ta_configuracion where clave like 'TOLVARIO_HOJA_%' order by clave desc"), rs);
    if (rs.State() == 0)
        return QStringLiteral("1");
    for (; !rs.Eof(); rs.MoveNext()) {
        const QString periodo = periodoDeClave(SuiteUtil::NullSafe(rs.Field(QStringLiteral("clave"))));
        if (periodo.isEmpty() || !HayPeriodo(periodo))
            continue;
        try {
            Importe ultima = SuiteUtil::TextToAmount(SuiteUtil::NullSafe(rs.Field(QStringLiteral("Valor"))));
            ultima += Importe::desdeEntero(1);
            return ultima.texto();
        } catch (const ErrorVB&) {
            return QStringLiteral("1");
        }
    }
    return QStringLiteral("1");
}

QString PeriodoConHoja(const QString& hoja, const QString& excepto)
{
    const QString numero = hoja.trimmed();
    if (numero.isEmpty())
        return {};
    // As numbers: "037" or "37 " stored is the same sheet as 37.
    const Importe buscado = SuiteUtil::TextToAmountOrZero(numero);
    if (buscado.esCero())
        return {};
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(
        QStringLiteral("select clave, Valor from ta_configuracion where clave like 'TOLVARIO_HOJA_%' order by clave"), rs);
    if (rs.State() == 0)
        return {};
    for (; !rs.Eof(); rs.MoveNext()) {
        if (SuiteUtil::TextToAmountOrZero(SuiteUtil::NullSafe(rs.Field(QStringLiteral("Valor"))).trimmed()) != buscado)
            continue;
        const QString periodo = periodoDeClave(SuiteUtil::NullSafe(rs.Field(QStringLiteral("clave"))));
        if (!periodo.isEmpty() && periodo != excepto && HayPeriodo(periodo))
            return periodo;
    }
    return {};
}

QString Hoja(const QString& periodo)
{
    const QString guardada = HojaGuardada(periodo);
    return guardada.isEmpty() ? HojaSiguiente() : guardada;
}

void GrabarHoja(const QString& periodo, const QString& hoja)
{
    ExigirPeriodo(periodo);
    // Not one transaction: the setting's own write settles a row two stations insert at once
    // by updating it, which PostgreSQL refuses inside a transaction that saw the clash.
    grabarAjuste(claveHoja(periodo), hoja);
    MarcarHojaAlterada(periodo, hoja);
}

std::vector<Cambio> Historia(const QString& periodo)
{
    ExigirPeriodo(periodo);
    std::vector<Cambio> cambios;
    if (!conHistoria())
        return cambios;
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(QStringLiteral("SELECT * FROM EM_TolvarioHistoria WHERE Periodo = '") + Comillas(periodo)
                                          + QStringLiteral("' ORDER BY Momento"),
                                      rs);
    const auto texto = [&](const char* campo) { return SuiteUtil::NullSafe(rs.Field(QString::fromLatin1(campo))).trimmed(); };
    const auto importe = [&](const char* campo) { return SuiteUtil::VariantToAmount(rs.Field(QString::fromLatin1(campo))); };
    for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext())
        cambios.push_back({texto("Momento"), texto("Periodo"), texto("Cuenta"), texto("Usuario"), texto("Caja"), texto("Accion"),
                           importe("EntradasAntes"), importe("SalidasAntes"), importe("EntradasDespues"), importe("SalidasDespues")});
    return cambios;
}

QStringList ClavesDeAjustes()
{
    return {QStringLiteral("ONCCA"), QStringLiteral("TOLVARIO_DECIMALES"), QStringLiteral("TOLVARIO_MEDIDA"),
            QStringLiteral("TOLVARIO_TITULO"), QStringLiteral("TOLVARIO_LINEA")};
}

Ajustes LeerAjustes()
{
    const QStringList c = ClavesDeAjustes();
    return {LeerConfiguracion(c[0]), LeerConfiguracion(c[1]), LeerConfiguracion(c[2]), LeerConfiguracion(c[3]),
            LeerConfiguracion(c[4])};
}

void GrabarAjustes(const Ajustes& a, std::array<bool, 5> cuales)
{
    const QStringList c = ClavesDeAjustes();
    const QString* valores[] = {&a.oncca, &a.decimales, &a.medida, &a.titulo, &a.linea};
    for (size_t i = 0; i < cuales.size(); ++i)
        if (cuales[i])
            grabarAjuste(c[int(i)], *valores[i]);
}

} // namespace RegistroTolvario
