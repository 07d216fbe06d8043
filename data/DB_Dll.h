#pragma once

#include "data/Conexion.h"
#include "data/Recordset.h"
#include "platform/Importe.h"

#include <QObject>
#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

// What the login dialog is filled with and hands back.
struct DatosAcceso {
    QString usuario;
    QString contrasena;
    QString base;
    QString servidor;
    int plataforma = 0; // 0 SQL Server, 1 Oracle, 2 PostgreSQL, 3 SQLite
};

// The application's one door to its database: the shared connection and the parameters it
// was opened from, recordsets, statements, error treatment, table lookups and schema tests.
class DB_Dll
{
public:
    static DB_Dll& Instancia();
    // Drops the shared object; the next use creates a new one.
    static void Liberar();

    // Public fields, as the suite's modules read and write them.
    QObject* CmdDlg = nullptr;
    bool gOpenFlag = false;
    QVariant gIgnoraPassWord;
    Conexion gCnn;
    Recordset glrcs;
    QVariant gCursorLocation;
    QString gProveedor;
    QString gDsn;
    QString gServidor;
    QString gDBName;
    QString gUsuario;
    bool gEsAdmin = false;
    struct { QString nombre; QHash<QString, QString> campos; } m_usuarioLeido; // upper-case field names
    QString gUserPassWord;
    QString gConnString;
    QString gExtended;
    QString gLogErr;

    static inline const QString pJETOLEDB40 = QStringLiteral("Microsoft.Jet.OLEDB.4.0");
    static inline const QString pJETOLEDB35 = QStringLiteral("Microsoft.Jet.OLEDB.3.51");
    static inline const QString pSQLOLEDB = QStringLiteral("SQLOLEDB");

    // The login dialog: shown modally, true when accepted. The start-up installs it.
    std::function<bool(DatosAcceso&)> gPedirAcceso;

    // Connections, recordsets and statements.
    void OpenServerADODB(bool PideParametrosSQL, long lCursor, const QString& ConnString, bool ValidaAdmin);
    void OpenLocalADODB(const QString&, const QString&, const QString&) {}
    void AbrirRecordset(QString& SentenciaSQL, Recordset& LRCS, Conexion* ConexionActiva = nullptr,
                        int CursorType = 0, int LockType = 1, int Options = -1, bool ConvOracle = true);
    void CierraRecordset(Recordset& LRCSTEMP);
    // Opens like AbrirRecordset, through the same translations, but a failure raises to the
    // caller instead of asking the operator.
    void AbrirConsulta(const QString& SentenciaSQL, Recordset& LRCS, int CursorType = 0, int LockType = 1);
    // Never raises; the result says whether the statement ran (the suite's callers ignore it).
    // Failures of the kinds it passes silently are still written to the error log.
    bool EjecutaConsultaSQL(QString& SentenciaSQL, long& RecordsAffected);
    // The same translations, but any failure raises ErrorVB: for writes whose failure must be
    // known, such as statements inside a transaction. Returns the count of rows changed.
    long EjecutaSentenciaSQL(QString SentenciaSQL);
    void QConsulta() {}
    void QGridConsulta() {}

    // Error treatment and its log.
    int TratamientoErrores(const ErrorVB& CodErr, std::optional<int> Botones, const QString& Rutina);
    // Appends one line to the error log, with the answer the clerk gave to its question.
    void AnotarError(const ErrorVB& CodErr, const QString& Rutina, const QString& Respuesta);
    // The log's word for a box's answer ("Reintentar", "Ignorar", "Abortar" ...).
    static QString PalabraDeRespuesta(int respuesta);
    // Appends one line for a failure passed over without asking (the line says so).
    void AnotarSinAviso(const ErrorVB& CodErr, const QString& Rutina, const QString& Detalle);
    QString ArchivoErrores() const { return gLogErr; }
    void setArchivoErrores(const QVariant& ruta) { gLogErr = ruta.toString(); }

    // Table lookups and SQL literal values.
    bool ExisteEnTabla(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                       Recordset* LRCS = nullptr, int TipoDato = 0, const QString& Condicion = {});
    bool ExisteEnTablaST(const QString& Tabla, const QString& ValorBuscado, const QString& Campo,
                         Recordset* LRCS = nullptr, int TipoDato = 0, const QString& Condicion = {},
                         bool SoloLectura = true);
    QString DatosTabla(const QString& Tabla, const QString& ValorBuscado, const QString& CampoDevuelto,
                       const QString& Campo, int TipoDato, const QString& Condicion, bool UsaTrim,
                       QHash<QString, QString>* fila = nullptr);
    // A field of a user's row of ta_usuarios; the row last read is kept until the next open,
    // so the start-up asks for it once.
    QString DatoDeUsuario(const QString& nombre, const QString& campo);
    static QString SQLValue(const QVariant& valor, const QString& tipo);
    Importe BuscaMaximo(const QString& QueTabla, const QString& QueCampo, const QVariant& Tipo = {},
                        const QString& Condicion = {});
    Importe BuscaMinimo(const QString& QueTabla, const QString& QueCampo, const QVariant& Tipo = {},
                        const QString& Condicion = {});
    Importe BuscaUltimoCodigo(const QString& QueTabla, const QString& QueCampo, const QVariant& Tipo = {},
                              const QString& Condicion = {});

    // Schema inspection and maintenance.
    // Every table of the database, as its catalogue names them (one statement).
    QStringList TablasDB();
    bool ExisteTablaDB(const QString& Tabla);
    bool ExisteCampoDB(const QString& Tabla, const QString& Campo);
    void AddField(const QString& Tabla, const QString& Campo, const QString& Tipo, bool PermiteNulos,
                  const QVariant& ValorDefault = {});
    bool VerCampoDB(const QString& Tabla, const QString& Campo, bool Agregar, const QString& Tipo, bool PermiteNulos,
                    const QVariant& ValorDefault = {});
    static QString StripOwner(QString& rsTblName);
    QString SS_TSinonimos(const QString& sentencia) const;

    // Field type families, by ADO type number; false for anything that is not a number.
    static bool adodate(const QVariant& Qtype);
    static bool ADOText(const QVariant& Qtype);
    static bool ADONumeric(const QVariant& Qtype);
    static bool ADOCurrency(const QVariant& Qtype);
    static bool ADOBoolean(const QVariant& Qtype);

    // Names of tables, objects and files taken apart.
    static QString AddBrackets(const QString& rObjName);
    static QString StripBrackets(const QString& rsObjName);
    static QString StripConnect(const QString& rsTblName);
    static QString StripFileName(const QString& rsFileName);
    // Raises ErrorVB 5 for a name without "." asked for its first part.
    static QString stSTF(QString& rsName, bool rnPart);

    // Oracle dialect: the text as the Oracle connection reads it.
    QString ORACLE_Dicc(const QString& Valor) const;

    // True when the connection's provider is Oracle.
    bool EsOracle() const;

private:
    DB_Dll() = default;
    void anotar(const ErrorVB& CodErr, const QString& Rutina, const QString& final);

    void pedirParametros();     // the login dialog, values copied both ways
    void armarTextoConexion();  // the connection text from the login values
    void rutaOracle(const QString& sentencia, long& afectados);
    void prepararSentencia(QString& SentenciaSQL) const;
    long ejecutarPreparada(const QString& SentenciaSQL);
    // Rows of one column of a catalogue query, run under the schema routines' error treatment.
    QStringList nombresDeCatalogo(const QString& consulta, const QString& columna, bool& completo);
    Importe buscaExtremo(const QString& funcion, const QString& alias, const QString& tabla,
                         const QString& campo, const QString& condicion, bool soloSiHayCondicion);
};
