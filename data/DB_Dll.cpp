#include "data/DB_Dll.h"

#include "data/Sinonimos.h"
#include "data/TextoConexion.h"
#include "data/TextoSQL.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "suite/SuiteUtil.h"

#include <QCoreApplication>

#include <memory>

namespace {
// Not a static object: the connection must close while Qt's driver registry still lives,
// so it is released explicitly or when the application object goes, never at exit.
DB_Dll*& unica()
{
    static DB_Dll* d = nullptr;
    return d;
}

bool empiezaCon(const QString& texto, const char* prefijo)
{
    return texto.trimmed().startsWith(QLatin1String(prefijo), Qt::CaseInsensitive);
}
} // namespace

DB_Dll& DB_Dll::Instancia()
{
    auto& d = unica();
    if (!d) {
        d = new DB_Dll();
        // The window's boxes are logged as the data layer's own are.
        SuiteUtil::AnotarRespuestasEn([](const ErrorVB& e, const QString& rutina, int respuesta) {
            Instancia().AnotarError(e, rutina, PalabraDeRespuesta(respuesta));
        });
        if (QCoreApplication::instance())
            qAddPostRoutine(&DB_Dll::Liberar);
    }
    return *d;
}

void DB_Dll::Liberar()
{
    auto& d = unica();
    SuiteUtil::AnotarRespuestasEn({});
    delete d;
    d = nullptr;
    if (QCoreApplication::instance())
        qRemovePostRoutine(&DB_Dll::Liberar);
}

bool DB_Dll::EsOracle() const
{
    // By the provider, never by words of the text: paths, names and passwords may hold anything.
    if (gCnn.Abierta())
        return gCnn.dialecto() == Dialecto::Oracle;
    const QString texto = gCnn.ConnectionString().isEmpty() ? gConnString : gCnn.ConnectionString();
    return TextoConexion::EsProveedorOracle(texto);
}

void DB_Dll::pedirParametros()
{
    DatosAcceso datos{gUsuario, gUserPassWord, gDBName, gServidor, 0};
    // The dialog opens on the platform the server text already marks.
    if (gServidor.contains(u'#'))
        datos.plataforma = 1;
    else if (empiezaCon(gServidor, "pg:"))
        datos.plataforma = 2;
    else if (empiezaCon(gServidor, "sqlite:"))
        datos.plataforma = 3;
    if (!gPedirAcceso || !gPedirAcceso(datos)) {
        gOpenFlag = false;
        return;
    }
    gOpenFlag = true;
    gDBName = datos.base;
    gServidor = datos.servidor;
    gUsuario = datos.usuario;
    gUserPassWord = datos.contrasena;
    switch (datos.plataforma) {
    case 1:
        gProveedor = QStringLiteral("OraOLEDB.Oracle.1");
        if (!gServidor.contains(u'#'))
            gServidor = u'#' + gServidor;
        break;
    case 2:
        gProveedor = QStringLiteral("PostgreSQL");
        if (!empiezaCon(gServidor, "pg:"))
            gServidor = QStringLiteral("pg:") + gServidor.trimmed();
        break;
    case 3:
        gProveedor = QStringLiteral("SQLite");
        if (!empiezaCon(gServidor, "sqlite:"))
            gServidor = QStringLiteral("sqlite:") + gServidor.trimmed();
        break;
    default:
        gProveedor = pSQLOLEDB;
        break;
    }
}

void DB_Dll::armarTextoConexion()
{
    using TextoConexion::Valor;
    if (gServidor.contains(u'#')) {
        gConnString = QStringLiteral("Provider=OraOLEDB.Oracle.1;Data Source=") + gDBName + QStringLiteral(";User Id=")
                      + gUsuario + QStringLiteral(";Password=") + gUserPassWord + QStringLiteral(";");
    } else if (empiezaCon(gServidor, "pg:")) {
        // "pg:host[:port]"
        const QString resto = gServidor.trimmed().mid(3);
        const int dos = resto.lastIndexOf(u':');
        const QString host = dos >= 0 ? resto.left(dos) : resto;
        const QString puerto = dos >= 0 ? resto.mid(dos + 1) : QStringLiteral("5432");
        gConnString = QStringLiteral("Provider=PostgreSQL;Server=") + Valor(host.isEmpty() ? QStringLiteral("localhost") : host)
                      + QStringLiteral(";Port=") + Valor(puerto) + QStringLiteral(";Database=") + Valor(gDBName)
                      + QStringLiteral(";UId=") + Valor(gUsuario) + QStringLiteral(";Pwd=") + Valor(gUserPassWord)
                      + QStringLiteral(";") + gExtended;
    } else if (empiezaCon(gServidor, "sqlite:")) {
        gConnString = QStringLiteral("Provider=SQLite;Data Source=") + Valor(gDBName) + QStringLiteral(";") + gExtended;
    } else {
        gConnString = QStringLiteral("PROVIDER=") + pSQLOLEDB + QStringLiteral(";") + QStringLiteral("Server=") + gServidor
                      + QStringLiteral(";") + QStringLiteral("Database =") + gDBName + QStringLiteral(";")
                      + QStringLiteral("UId=") + gUsuario + QStringLiteral(";") + QStringLiteral("Pwd=")
                      + Valor(gUserPassWord) + QStringLiteral(";") + gExtended;
    }
}

void DB_Dll::OpenServerADODB(bool PideParametrosSQL, long lCursor, const QString& ConnString, bool ValidaAdmin)
{
    gOpenFlag = true;
    m_usuarioLeido = {};
    if (gProveedor.isEmpty())
        gProveedor = pSQLOLEDB;
    if (ConnString.trimmed().isEmpty())
        armarTextoConexion();
    else
        gConnString = ConnString;
    if (PideParametrosSQL) {
        pedirParametros();
        if (!gOpenFlag)
            return;
        armarTextoConexion();
    }
    for (;;) {
        try {
            gCnn.CursorLocation = int(lCursor);
            gCnn.Open(gConnString);
            break;
        } catch (const ErrorVB& e) {
            const ErrorVB& primero = gCnn.Errors.empty() ? e : gCnn.Errors.front();
            const QString texto = QStringLiteral(" Estado de Sql: ") + primero.SQLState + u'\r'
                                  + QStringLiteral("Numero de Error: ") + QString::number(primero.Number) + u'\r'
                                  + QStringLiteral("Descripcion: ") + primero.Description + u'\r'
                                  + QStringLiteral("Codigo Nativo: ") + QString::number(primero.NativeError) + u'\r'
                                  + QStringLiteral(" - Desea Intentarlo Nuevamente??? ");
            const int r = operador().Mensaje(texto, Operador::SiNo + Operador::Critico,
                                             QStringLiteral(" Error de Conexion a Base de Datos"));
            if (r != Operador::Si) {
                gOpenFlag = false;
                return;
            }
            gCnn.Errors.clear();
            pedirParametros();
            if (!gOpenFlag)
                return;
            armarTextoConexion();
        }
    }
    if (ValidaAdmin) {
        const QString valor = DatoDeUsuario(gUsuario, QStringLiteral("Administrador")).trimmed();
        gEsAdmin = SuiteUtil::TextToAmount(valor) == Importe::desdeEntero(1);
    } else {
        gEsAdmin = true;
    }
}

void DB_Dll::AbrirRecordset(QString& SentenciaSQL, Recordset& LRCS, Conexion* ConexionActiva, int CursorType,
                            int LockType, int, bool ConvOracle)
{
    const auto informar = [this](const ErrorVB& e) { return TratamientoErrores(e, std::nullopt, QStringLiteral("AbrirRecordset")); };
    QString texto;
    Pasos::Ejecutar({
        [&] { CierraRecordset(LRCS); },
        [&] { SentenciaSQL = SS_TSinonimos(SentenciaSQL); },
        [&] { texto = (EsOracle() && ConvOracle) ? ORACLE_Dicc(SentenciaSQL) : SentenciaSQL; },
        [&] { LRCS.Open(texto, ConexionActiva ? *ConexionActiva : gCnn, CursorType, LockType); },
    }, informar);
}

void DB_Dll::AbrirConsulta(const QString& SentenciaSQL, Recordset& LRCS, int CursorType, int LockType)
{
    const QString sql = SS_TSinonimos(SentenciaSQL);
    LRCS.Open(EsOracle() ? ORACLE_Dicc(sql) : sql, gCnn, CursorType, LockType);
}

void DB_Dll::CierraRecordset(Recordset& LRCSTEMP)
{
    const auto informar = [this](const ErrorVB& e) { return TratamientoErrores(e, std::nullopt, QStringLiteral("CierraRecordset")); };
    Pasos::Ejecutar({[&] {
        if (LRCSTEMP.State() != 0)
            LRCSTEMP.Close();
    }}, informar);
}

void DB_Dll::prepararSentencia(QString& SentenciaSQL) const
{
    using TextoSQL::Contiene;
    const bool dropCreate = Contiene(SentenciaSQL, QStringLiteral("DROP")) && Contiene(SentenciaSQL, QStringLiteral("CREATE"));
    if (!dropCreate || Contiene(SentenciaSQL, QStringLiteral("@ADMIN_")))
        SentenciaSQL = TextoSQL::Quitar(SentenciaSQL, QStringLiteral("@Admin_"));
    else if (!Contiene(SentenciaSQL, QStringLiteral("DELETE")))
        SentenciaSQL = SS_TSinonimos(SentenciaSQL);
}

long DB_Dll::ejecutarPreparada(const QString& SentenciaSQL)
{
    long afectados = 0;
    if (EsOracle())
        rutaOracle(SentenciaSQL, afectados);
    else
        afectados = gCnn.Execute(SentenciaSQL);
    if (!gCnn.Errors.empty() && gCnn.Errors.size() < 3 && gCnn.Errors.front().NativeError == 8152)
        gCnn.Errors.clear();
    return afectados;
}

bool DB_Dll::EjecutaConsultaSQL(QString& SentenciaSQL, long& RecordsAffected)
{
    using TextoSQL::Contiene;
    prepararSentencia(SentenciaSQL);
    try {
        RecordsAffected = ejecutarPreparada(SentenciaSQL);
        return true;
    } catch (const ErrorVB& e) {
        const bool callado = e.Number == ErrorVB::FalloNoEspecificado || e.Number == ErrorVB::ViolacionIntegridad
                             || e.Number == ErrorVB::TablaInexistente || e.Number == ErrorVB::ErrorEnComando
                             || Contiene(SentenciaSQL, QStringLiteral("TRANS"));
        if (callado) {
            // The suite's callers rely on these passing ("already exists"); the log still keeps them.
            AnotarSinAviso(e, QStringLiteral("EjecutaConsultaSQL"), SentenciaSQL.simplified());
        } else {
            operador().Mensaje(e.Description, Operador::Critico, QStringLiteral("Aviso al operador!!!"));
        }
        return false;
    }
}

long DB_Dll::EjecutaSentenciaSQL(QString SentenciaSQL)
{
    prepararSentencia(SentenciaSQL);
    return ejecutarPreparada(SentenciaSQL);
}
