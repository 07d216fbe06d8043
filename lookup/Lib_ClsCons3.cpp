#include "lookup/Lib_ClsCons3.h"

#include "data/DB_Dll.h"
#include "data/TextoSQL.h"
#include "lookup/Def_QConsulta.h"
#include "lookup/Lib_FrmCons3.h"
#include "lookup/Lib_FrmCons3Tree.h"
#include "lookup/SentenciaConsulta.h"
#include "platform/Operador.h"
#include "startup/Configuracion.h"
#include "suite/SuiteUtil.h"

#include <QFileInfo>
#include <memory>

namespace {

std::unique_ptr<Lib_ClsCons3>& unica()
{
    static std::unique_ptr<Lib_ClsCons3> u;
    return u;
}

QVariant colorDe(const char* clave)
{
    const QString v = LeerConfiguracion(QString::fromLatin1(clave)).trimmed();
    return v.isEmpty() ? QVariant(0) : QVariant(qlonglong(SuiteUtil::TextToAmountOrZero(v).entero()));
}

} // namespace

Lib_ClsCons3& Lib_ClsCons3::Instancia()
{
    auto& u = unica();
    if (!u)
        u.reset(new Lib_ClsCons3);
    return *u;
}

void Lib_ClsCons3::Liberar()
{
    unica().reset();
}

void Lib_ClsCons3::Configurar(const QString& textoConexion, bool usarMascaras, const QString& rutaMascaras)
{
    StkNivel1 = colorDe("Stk_Nivel1");
    StkNivel2 = colorDe("Stk_Nivel2");
    StkNivel3 = colorDe("Stk_Nivel3");
    StkNivel4 = colorDe("Stk_Nivel4");
    MuestraStock = LeerConfiguracion(QStringLiteral("MostrarStockenConsultas")).trimmed();
    m_CfgUsaConsultaLIKE = LeerConfiguracion(QStringLiteral("UsaConsultaLIKE")).trimmed()
                               .compare(QStringLiteral("SI"), Qt::CaseInsensitive) == 0;
    gConnString = textoConexion;
    gUsarMascarasConsultas = usarMascaras;
    gRutaMascaraConsultas = rutaMascaras;
}

void Lib_ClsCons3::CrearArchivoMascaras()
{
    if (!Def_QConsulta::Sembrar(gRutaMascaraConsultas))
        operador().Mensaje(QStringLiteral("No se pudo crear el archivo de consultas ") + gRutaMascaraConsultas
                               + QStringLiteral(".\nLas consultas tomarán las columnas de cada tabla."),
                           Operador::Exclamacion, QStringLiteral("Aviso al operador"));
}

QString Lib_ClsCons3::automatica(const QString& tabla, long long limite, QString& campoBusqueda, const QString& opcional)
{
    if (!opcional.isEmpty())
        return opcional;
    DB_Dll& db = DB_Dll::Instancia();
    QStringList campos;
    Recordset rs;
    QString muestra = QStringLiteral("select top 1 * from ") + tabla;
    // A table that cannot be opened leaves the list empty: the statement selects " * ".
    db.AbrirRecordset(muestra, rs);
    for (int i = 0; i < rs.FieldCount(); ++i)
        campos << rs.FieldName(i);
    db.CierraRecordset(rs);
    const QString lista = SentenciaConsulta::ListaAutomatica(campos, campoBusqueda);
    return SentenciaConsulta::Automatica(tabla, lista, limite, campoBusqueda);
}

std::optional<QString> Lib_ClsCons3::Sentencia(const QString& SQL, QString& CampoBusqueda, QString& Where,
                                               const QString& SentenciaOpcional)
{
    Where = SentenciaConsulta::PrepararWhere(Where);
    const long long limite = SentenciaConsulta::LimiteFilas(LeerConfiguracion(QStringLiteral("TopConsArt")));
    if (TextoSQL::Contiene(SQL, QStringLiteral("SELECT")))
        return SuiteUtil::ReplaceName(SQL, QStringLiteral("V_MA_ARTICULOS"), QStringLiteral("VT_MA_ARTICULOS"));
    // Without its masks file a table name alone could not be shown; its own columns can.
    if (!gUsarMascarasConsultas || !QFileInfo::exists(gRutaMascaraConsultas))
        return automatica(SQL, limite, CampoBusqueda, SentenciaOpcional);
    const auto mascara = Def_QConsulta::Buscar(gRutaMascaraConsultas, SQL);
    if (!mascara)
        return automatica(SQL, limite, CampoBusqueda, SentenciaOpcional);
    return SentenciaConsulta::ConMascara(*mascara, limite, CampoBusqueda, Where);
}

void Lib_ClsCons3::ConsultaSearch(QString SQL, QStringList* cmpsDevueltos, QString& Clave, QString& CampoBusqueda,
                                  QString& Where, QString& SentenciaOpcional, bool& TreeView, QString& ValoresDefault)
{
    const auto sentencia = Sentencia(SQL, CampoBusqueda, Where, SentenciaOpcional);
    if (!sentencia) {
        operador().Mensaje(QStringLiteral("Debe configurar la consulta para esta tabla"), Operador::Informacion,
                           QStringLiteral("Aviso al operador"));
        return;
    }
    if (TreeView)
        abrirArbol(*sentencia);
    else
        abrirLista(*sentencia, Clave, cmpsDevueltos, ValoresDefault);
    CampoDevuelto.clear();
    if (cmpsDevueltos)
        cmpsDevueltos->clear();
}

void Lib_ClsCons3::abrirLista(const QString& sql, const QString& clave, QStringList* cmps, const QString& valoresDefault)
{
    Lib_FrmCons3 ventana;
    ventana.StkNivel1 = StkNivel1;
    ventana.StkNivel2 = StkNivel2;
    ventana.StkNivel3 = StkNivel3;
    ventana.StkNivel4 = StkNivel4;
    ventana.MuestraStock = MuestraStock;
    ventana.CfgUsaConsultaLIKE = m_CfgUsaConsultaLIKE;
    ventana.OrdenarPorLwv = !TextoSQL::Contiene(sql, QStringLiteral("ORDER BY"));
    ventana.FiltroInicial = clave;
    ventana.SQL = sql;
    ventana.CampoDevuelto = CampoDevuelto;
    ventana.CheckBoxes = Checks;
    ventana.UsaCantidades = UsaCantidades;
    ventana.ValoresDefault = valoresDefault;
    Valores.clear();
    Cantidades.reset();
    ventana.CmpsDevueltos = cmps ? *cmps : QStringList();
    ventana.Mostrar();
    Checks = false;
    Valores = ventana.Valores;
    Cantidades = ventana.Cantidades;
    ValorDevuelto = ventana.ValorDevuelto;
    ventana.CampoDevuelto.clear();
}

void Lib_ClsCons3::abrirArbol(const QString& sql)
{
    Lib_FrmCons3Tree ventana;
    ventana.SQL = sql;
    ventana.CampoDevuelto = CampoDevuelto;
    ventana.CheckBoxes = Checks;
    Valores.clear();
    ventana.Mostrar();
    ValorDevuelto = ventana.ValorDevuelto;
    Valores = ventana.Valores;
    Checks = false;
}
