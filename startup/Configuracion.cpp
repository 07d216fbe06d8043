#include "startup/Configuracion.h"

#include "data/DB_Dll.h"
#include "data/TextoSQL.h"
#include "platform/AlSalir.h"
#include "platform/Pasos.h"
#include "startup/Globales.h"
#include "suite/SuiteUtil.h"

#include <QHash>
#include <QSet>
#include <optional>

namespace {

int informar(const ErrorVB& e, const char* rutina)
{
    return DB_Dll::Instancia().TratamientoErrores(e, std::nullopt, QString::fromLatin1(rutina));
}

bool esSi(const QString& v)
{
    return v.compare(QStringLiteral("SI"), Qt::CaseInsensitive) == 0;
}

// The keys the start-up reads (the suite's and the lookup's), read together in one statement
// while a LecturaDeInicio lasts: a server far away answers once instead of once per key. A
// key missing reads as a blank, as one read alone does.
const char* const ClavesDeInicio[] = {
    "MostrarStockenConsultas", "TituloClientes", "TituloProveedores", "EXIGECLAVECONSULTALIKEARTICULOS", "UsaConsultaLike",
    "CantidadDecimales", "UsaMultilesMonedas", "UsaFacturaProforma", "USACCOSTO", "USA_STK_STOCK_UDKG", "UNIDADDEMEDIDA_M3",
    "UNIDADDEMEDIDA_BL", "UNIDADDEMEDIDA_KG", "PERIODO", "VALIDACODIGOBARRA", "CFondo", "CLetra", "ModuloOrdenDeTrabajo",
    "V_ModificaCPrecio", "C_ModificaCPrecio", "MADERERA", "MAD_TIRAS", "MAD_P2", "MAD_ML", "MAD_M2", "MAD_HOJAS", "MAD_ML_P2",
    "MAD_M2_P2", "MAD_ML_M2", "CuentaCtroDist", "MaxDto", "PideClave_StockNeg", "PideClave_MarkUpBase",
    "PideClave_LimiteCredito", "SS_BloqueoActivo", "Top_Default", "UsaConsultaLIKE", "Stk_Nivel1", "Stk_Nivel2", "Stk_Nivel3", "Stk_Nivel4",
};

struct Fila {
    QString valor, auxiliar;
};
struct Precarga {
    QSet<QString> pedidas; // as each reader asks: the server's own comparison finds them
    QSet<QString> claves;  // upper case
    bool leida = false;
    std::optional<QHash<QString, Fila>> filas; // none: the read failed, each key is read alone
};
std::optional<Precarga> g_precarga;

std::optional<QHash<QString, Fila>> leerJuntas(const QSet<QString>& claves)
{
    QStringList lista;
    for (const QString& c : claves)
        lista << u'\'' + TextoSQL::Comillas(c) + u'\'';
    lista.sort();
    try {
        Recordset rs;
        const QString tabla = gTablaConfiguracion.trimmed().isEmpty() ? QStringLiteral("TA_CONFIGURACION") : gTablaConfiguracion;
        DB_Dll::Instancia().AbrirConsulta(QStringLiteral("SELECT CLAVE, VALOR, ValorAux FROM ") + tabla
                                              + QStringLiteral(" WHERE CLAVE IN (") + lista.join(u',') + u')',
                                          rs);
        QHash<QString, Fila> filas;
        for (; rs.State() != 0 && !rs.Eof(); rs.MoveNext())
            filas.insert(SuiteUtil::NullSafe(rs.Field(QStringLiteral("CLAVE"))).trimmed().toUpper(),
                         {SuiteUtil::NullSafe(rs.Field(QStringLiteral("VALOR"))),
                          SuiteUtil::NullSafe(rs.Field(QStringLiteral("ValorAux")))});
        return filas;
    } catch (const ErrorVB&) {
        // Read key by key instead, each failure told as it always was.
        return std::nullopt;
    }
}

// The key's row from the start-up's read, when it is one of its keys and the read worked.
std::optional<Fila> precargada(const QString& clave)
{
    if (!g_precarga)
        return std::nullopt;
    const QString k = clave.trimmed().toUpper();
    if (!g_precarga->claves.contains(k))
        return std::nullopt;
    if (!g_precarga->leida) {
        g_precarga->leida = true;
        g_precarga->filas = leerJuntas(g_precarga->pedidas);
    }
    if (!g_precarga->filas)
        return std::nullopt;
    return g_precarga->filas->value(k, Fila{QStringLiteral(" "), {}});
}

QString leer(const char* clave)
{
    return LeerConfiguracion(QString::fromLatin1(clave));
}

// False when blank or "NO", true otherwise; the key is read twice, as the suite does.
bool regla(const char* clave)
{
    if (leer(clave).trimmed().isEmpty())
        return false;
    return leer(clave).compare(QStringLiteral("NO"), Qt::CaseInsensitive) != 0;
}

uint32_t color(const char* clave)
{
    return uint32_t(SuiteUtil::TextToAmountOrZero(leer(clave)).entero());
}

} // namespace

QString LeerConfiguracion(const QString& clave)
{
    QString auxiliar;
    return LeerConfiguracion(clave, auxiliar);
}

LecturaDeInicio::LecturaDeInicio(const QStringList& delModulo) : m_primera(!g_precarga)
{
    if (m_primera)
        g_precarga.emplace();
    const auto agregar = [](const QString& c) {
        // Once read, a key added is read alone: the read did not ask for it.
        if (g_precarga->leida)
            return;
        g_precarga->pedidas.insert(c.trimmed());
        g_precarga->claves.insert(c.trimmed().toUpper());
    };
    for (const char* c : ClavesDeInicio)
        agregar(QString::fromLatin1(c));
    for (const QString& c : delModulo)
        agregar(c);
}

LecturaDeInicio::~LecturaDeInicio()
{
    if (m_primera)
        g_precarga.reset();
}

QString LeerConfiguracion(const QString& clave, QString& auxiliar)
{
    if (const std::optional<Fila> f = precargada(clave)) {
        auxiliar = f->auxiliar;
        return f->valor;
    }
    DB_Dll& db = DB_Dll::Instancia();
    QString valor;
    QString sql;
    Recordset rs;
    bool leido = true;
    const bool completo = Pasos::Ejecutar({
        [&] {
            if (gTablaConfiguracion.trimmed().isEmpty())
                gTablaConfiguracion = QStringLiteral("TA_CONFIGURACION");
        },
        [&] {
            sql = QStringLiteral("SELECT VALOR, valoraux FROM ") + gTablaConfiguracion + QStringLiteral(" WHERE CLAVE = '")
                  + TextoSQL::Comillas(clave.trimmed()) + u'\'';
            const QString k = clave.trimmed();
            if (k == QLatin1String("[FECHA HASTA]") || k == QLatin1String("[FECHA DESDE]"))
                sql = sql.toUpper();
        },
        [&] { db.AbrirRecordset(sql, rs, nullptr, 0, 1, -1, true); },
        [&] {
            // The open already reported its failure; the read then gives an empty text.
            if (rs.State() == 0) {
                leido = false;
                return;
            }
            if (rs.BOF()) {
                valor = QStringLiteral(" ");
                auxiliar.clear();
            } else {
                valor = SuiteUtil::NullSafe(rs.Field(QStringLiteral("Valor")));
                auxiliar = SuiteUtil::NullSafe(rs.Field(QStringLiteral("ValorAux")));
            }
        },
        [&] { db.CierraRecordset(rs); },
    }, [](const ErrorVB& e) { return informar(e, "Cfg"); }, {.permiteReintento = false});
    return completo && leido ? valor : QString();
}

void GrabarConfiguracion(const QString& clave, const QVariant& valor, const QString& auxiliar, bool politicaNegocio,
                         const QString& grupo)
{
    // Read again from then on: the start-up's read no longer says what is stored.
    if (g_precarga)
        g_precarga->claves.remove(clave.trimmed().toUpper());
    DB_Dll& db = DB_Dll::Instancia();
    QString sql;
    Recordset rs;
    Pasos::Ejecutar({
        // Found by the key as it is stored (trimmed), so a key typed with blanks updates its
        // row instead of adding a second one with the same stored key.
        [&] {
            sql = QStringLiteral("SELECT * FROM ") + gTablaConfiguracion + QStringLiteral(" WHERE CLAVE = '")
                  + TextoSQL::Comillas(clave.trimmed()) + u'\'';
        },
        [&] { db.AbrirRecordset(sql, rs, &db.gCnn, 2, 3, -1, true); },
        [&] {
            if (rs.BOF())
                rs.AddNew();
            else
                rs.MoveFirst();
        },
        [&] {
            rs.SetField(QStringLiteral("Grupo"), grupo);
            rs.SetField(QStringLiteral("Clave"), clave.trimmed().toUpper());
            rs.SetField(QStringLiteral("Valor"), SuiteUtil::NullSafe(valor).trimmed());
            rs.SetField(QStringLiteral("PoliticaNegocio"), politicaNegocio);
            if (!auxiliar.isEmpty())
                rs.SetField(QStringLiteral("ValorAux"), auxiliar.trimmed());
        },
        [&] { rs.Update(); },
        [&] { db.CierraRecordset(rs); },
    }, [](const ErrorVB& e) { return informar(e, "GrabaDfg"); });
}

void CargarConfiguracion(const QString& rutaAplicacion)
{
    gTablaConfiguracion = QStringLiteral("ta_configuracion");
    const LecturaDeInicio juntas;
    ConfiguracionSuite& c = gConfiguracion;
    c.MostrarStockenConsultas = esSi(SuiteUtil::NullSafe(leer("MostrarStockenConsultas")));
    c.TituloClientes = leer("TituloClientes").trimmed();
    c.TituloProveedores = leer("TituloProveedores").trimmed();
    c.ArchivoTareas = rutaAplicacion + QStringLiteral("VMDOCTareas.vlm");
    c.ExigeClaveConsultaLikeArticulos = esSi(leer("EXIGECLAVECONSULTALIKEARTICULOS"));
    c.UsaConsultaLike = esSi(leer("UsaConsultaLike"));
    c.CantidadDecimales = leer("CantidadDecimales");
    c.UsaMultiplesMonedas = esSi(leer("UsaMultilesMonedas"));
    c.UsaFacturaProforma = esSi(leer("UsaFacturaProforma"));
    c.UsaCCosto = esSi(leer("USACCOSTO"));
    c.UsaStkStockUdKg = esSi(leer("USA_STK_STOCK_UDKG"));
    c.UNegocio = SuiteUtil::PadLeft(
        DB_Dll::Instancia().DatoDeUsuario(gUsuarioLogeado, QStringLiteral("UNegocio")),
        4);
    if (c.UNegocio.trimmed().isEmpty())
        c.UNegocio = QStringLiteral("   1");
    c.UnidadM3 = leer("UNIDADDEMEDIDA_M3").trimmed();
    c.UnidadBL = leer("UNIDADDEMEDIDA_BL").trimmed();
    c.UnidadKG = leer("UNIDADDEMEDIDA_KG").trimmed();
    c.Periodo = int16_t(SuiteUtil::TextToAmountOrZero(leer("PERIODO")).entero());
    c.ValidaCodigoBarra = !leer("VALIDACODIGOBARRA").trimmed().isEmpty() && esSi(leer("VALIDACODIGOBARRA").trimmed());
    c.Cargada = true;
    gColorFondo = color("CFondo");
    if (gColorFondo == 0)
        gColorFondo = 0xFFFF00;
    gColorLetra = color("CLetra");
    c.ModuloOrdenDeTrabajo = leer("ModuloOrdenDeTrabajo").trimmed().compare(QStringLiteral("NO"), Qt::CaseInsensitive) != 0;
    c.VModificaCPrecio = regla("V_ModificaCPrecio");
    c.CModificaCPrecio = regla("C_ModificaCPrecio");
    c.Maderera = regla("MADERERA");
    c.MadTiras = leer("MAD_TIRAS").trimmed();
    c.MadP2 = leer("MAD_P2").trimmed();
    c.MadML = leer("MAD_ML").trimmed();
    c.MadM2 = leer("MAD_M2").trimmed();
    c.MadHojas = leer("MAD_HOJAS").trimmed();
    c.MadMLP2 = leer("MAD_ML_P2").trimmed();
    c.MadM2P2 = leer("MAD_M2_P2").trimmed();
    c.MadMLM2 = leer("MAD_ML_M2").trimmed();
    c.CuentaCtroDist = leer("CuentaCtroDist").trimmed();
    c.MaxDto = SuiteUtil::TextToAmountOrZero(leer("MaxDto").trimmed());
    c.PideClaveStockNeg = regla("PideClave_StockNeg");
    c.PideClaveMarkUpBase = regla("PideClave_MarkUpBase");
    c.PideClaveLimiteCredito = regla("PideClave_LimiteCredito");
    c.SSBloqueoActivo = esSi(leer("SS_BloqueoActivo"));
    c.TopDefault = leer("Top_Default");
    if (c.TopDefault.trimmed().isEmpty())
        c.TopDefault = QStringLiteral("1000");
}
