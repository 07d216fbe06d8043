#include "tools/esquema/Esquema.h"

#include "data/Conexion.h"
#include "data/Transaccion.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>

namespace Esquema {

namespace {

// Buscable: a text the lookups search and sort by.
enum class Tipo { Clave, Buscable, Texto, Cantidad, Entero, Logico, FechaHora };

struct Columna {
    const char* nombre;
    Tipo tipo;
    int largo = 0;
};

struct Tabla {
    const char* nombre;
    std::vector<Columna> columnas;
    const char* clavePrimaria; // columns, comma separated; empty for none
};

// Keys and the texts the lookups search and sort by compare without regard to case, as on
// the suite's main server; the views over them inherit it.
const std::vector<Tabla> Tablas = {
    {"EM_Tolvario",
     {{"Periodo", Tipo::Clave, 7}, {"Cuenta", Tipo::Clave, 15}, {"DIA", Tipo::Entero},
      {"Entradas", Tipo::Cantidad}, {"Salidas", Tipo::Cantidad}, {"Observaciones", Tipo::Texto, 255}},
     "Periodo, Cuenta, DIA"},
    // Every change to the register, appended with it: who, where, when, and the account's
    // totals before and after.
    {"EM_TolvarioHistoria",
     {{"Momento", Tipo::Texto, 30}, {"Periodo", Tipo::Clave, 7}, {"Cuenta", Tipo::Clave, 15}, {"Usuario", Tipo::Texto, 50},
      {"Caja", Tipo::Texto, 10}, {"Accion", Tipo::Texto, 10}, {"EntradasAntes", Tipo::Cantidad}, {"SalidasAntes", Tipo::Cantidad},
      {"EntradasDespues", Tipo::Cantidad}, {"SalidasDespues", Tipo::Cantidad}},
     ""},
    // The books copied to the ONCCA disk: when, by whom, the header they were made with,
    // and a fingerprint of each account's page; Modificado when a change reached one since.
    {"EM_TolvarioEntrega",
     {{"Periodo", Tipo::Clave, 7}, {"Momento", Tipo::Texto, 30}, {"Usuario", Tipo::Texto, 50}, {"Caja", Tipo::Texto, 10},
      {"Titulo", Tipo::Texto, 255}, {"Empresa", Tipo::Texto, 255}, {"Oncca", Tipo::Texto, 255}, {"Medida", Tipo::Texto, 255},
      {"Hoja", Tipo::Texto, 50}, {"Decimales", Tipo::Entero}, {"LineaInicial", Tipo::Entero}, {"Bordes", Tipo::Entero},
      {"Huella", Tipo::Texto, 64}, {"Modificado", Tipo::Entero}},
     "Periodo"},
    {"EM_TolvarioEntregaCuenta",
     {{"Periodo", Tipo::Clave, 7}, {"Cuenta", Tipo::Clave, 15}, {"Huella", Tipo::Texto, 64}},
     "Periodo, Cuenta"},
    {"ta_configuracion",
     {{"CLAVE", Tipo::Clave, 50}, {"VALOR", Tipo::Texto, 255}, {"ValorAux", Tipo::Texto, 255},
      {"Grupo", Tipo::Clave, 50}, {"PoliticaNegocio", Tipo::Logico}},
     "CLAVE"},
    {"ta_usuarios",
     {{"nombre", Tipo::Clave, 50}, {"Administrador", Tipo::Logico}, {"UNegocio", Tipo::Texto, 4}},
     "nombre"},
    {"MA_CUENTAS",
     {{"CODIGO", Tipo::Clave, 15}, {"Descripcion", Tipo::Buscable, 100}, {"TIPO", Tipo::Clave, 1},
      {"Razon_Social", Tipo::Buscable, 100}, {"Numero_documento", Tipo::Buscable, 20}, {"CONTACTO", Tipo::Buscable, 60},
      {"Dada_De_Baja", Tipo::Logico}},
     "CODIGO"},
    {"CONTROL_ACCESO",
     {{"ID", Tipo::Entero}, {"USUARIO", Tipo::Clave, 50}, {"INGRESO", Tipo::Texto, 30}, {"EGRESO", Tipo::Texto, 30}},
     "ID"},
    {"MA_ARTICULOS",
     {{"IDARTICULO", Tipo::Clave, 25}, {"DESCRIPCION", Tipo::Buscable, 100}, {"IDFAMILIA", Tipo::Clave, 10},
      {"UNIDAD", Tipo::Buscable, 10}, {"PUNTOPEDIDO", Tipo::Cantidad}, {"Stock", Tipo::Cantidad},
      {"PRECIO1", Tipo::Cantidad}, {"PRECIO2", Tipo::Cantidad}, {"SUSPENDIDO", Tipo::Logico}},
     "IDARTICULO"},
    {"TA_FAMILIAS", {{"IDFAMILIA", Tipo::Clave, 10}, {"DESCRIPCION", Tipo::Buscable, 100}}, "IDFAMILIA"},
    {"MA_POSICIONES", {{"IDPOSICION", Tipo::Clave, 10}, {"DESCRIPCION", Tipo::Buscable, 100}}, "IDPOSICION"},
    {"TA_CCOSTO", {{"CODIGO", Tipo::Clave, 10}, {"DESCRIPCION", Tipo::Buscable, 100}}, "CODIGO"},
    {"V_MV_FALTANTES",
     {{"FechaHora", Tipo::Texto, 30}, {"IdArticulo", Tipo::Clave, 25}, {"Descripcion", Tipo::Texto, 100},
      {"Usuario", Tipo::Clave, 50}},
     ""},
};

struct Vista {
    const char* nombre;
    const char* consulta;
};

const Vista Vistas[] = {
    {"VT_CLIENTES",
     "SELECT CODIGO, Descripcion, Razon_Social, Numero_documento, CONTACTO, Dada_De_Baja FROM MA_CUENTAS WHERE TIPO = 'C'"},
    {"VT_PROVEEDORES",
     "SELECT CODIGO, Descripcion, Razon_Social, Numero_documento, CONTACTO, Dada_De_Baja FROM MA_CUENTAS WHERE TIPO = 'P'"},
    {"SS_MA_CUENTAS", "SELECT * FROM MA_CUENTAS"},
    // The suite reads articles through two views: the plain one and the one with stock.
    {"V_MA_ARTICULOS", "SELECT * FROM MA_ARTICULOS"},
    {"VT_MA_ARTICULOS", "SELECT * FROM MA_ARTICULOS"},
    {"V_TA_FAMILIAS", "SELECT * FROM TA_FAMILIAS"},
    {"SS_V_TA_FAMILIAS", "SELECT * FROM TA_FAMILIAS"},
};

QString tipoSql(const Columna& c, Dialecto d)
{
    const bool pg = d == Dialecto::PostgreSQL;
    switch (c.tipo) {
    case Tipo::Clave:
    case Tipo::Buscable:
        return pg ? QStringLiteral("citext") : QStringLiteral("VARCHAR(%1) COLLATE NOCASE").arg(c.largo);
    case Tipo::Texto:
        return QStringLiteral("VARCHAR(%1)").arg(c.largo);
    case Tipo::Cantidad:
        return QStringLiteral("NUMERIC(18,4)");
    case Tipo::Entero:
        return QStringLiteral("INTEGER");
    case Tipo::Logico:
        return QStringLiteral("SMALLINT");
    case Tipo::FechaHora:
        return pg ? QStringLiteral("TIMESTAMP") : QStringLiteral("TEXT");
    }
    return {};
}

void ejecutar(Conexion& cnn, const QString& sql)
{
    QSqlQuery q(cnn.bd());
    if (!q.exec(sql))
        throw cnn.Fallo(q.lastError());
}

bool existe(const QStringList& objetos, const char* nombre)
{
    return objetos.contains(QString::fromLatin1(nombre), Qt::CaseInsensitive);
}

QStringList columnasDe(Conexion& cnn, const QString& tabla)
{
    // A query's own record names the columns on every driver.
    QSqlQuery q(cnn.bd());
    if (!q.exec(QStringLiteral("SELECT * FROM %1 WHERE 1 = 0").arg(tabla)))
        throw cnn.Fallo(q.lastError());
    QStringList r;
    const QSqlRecord rec = q.record();
    for (int i = 0; i < rec.count(); ++i)
        r << rec.fieldName(i);
    return r;
}

// ltrim/rtrim of a citext give text, which compares with case; these keep citext so that
// the lookups' LTRIM(RTRIM(CODIGO)) = 'c001' finds C001.
void funcionesCitext(Conexion& cnn)
{
    ejecutar(cnn, QStringLiteral("CREATE EXTENSION IF NOT EXISTS citext"));
    // Every name in the bodies qualified: a restore (pg_restore) and the server's own analyze
    // run them with an empty search_path, where a bare "citext" names nothing.
    QString esquema = QStringLiteral("public");
    {
        QSqlQuery q(cnn.bd());
        if (q.exec(QStringLiteral("SELECT n.nspname FROM pg_extension e JOIN pg_namespace n ON n.oid = e.extnamespace "
                                  "WHERE e.extname = 'citext'"))
            && q.next())
            esquema = q.value(0).toString();
    }
    const QString citext = esquema + QStringLiteral(".citext");
    for (const char* f : {"ltrim", "rtrim", "btrim"})
        ejecutar(cnn, QStringLiteral("CREATE OR REPLACE FUNCTION %1.%2(%3) RETURNS %3 "
                                     "LANGUAGE sql IMMUTABLE STRICT AS $$ SELECT pg_catalog.%2($1::pg_catalog.text)::%3 $$")
                          .arg(esquema, QString::fromLatin1(f), citext));
    // SUBSTRING reaches PostgreSQL as SUBSTR (the dialect's rule); the keyword form could
    // not be overloaded anyway.
    ejecutar(cnn, QStringLiteral("CREATE OR REPLACE FUNCTION %1.substr(%2, integer, integer) RETURNS %2 "
                                 "LANGUAGE sql IMMUTABLE STRICT AS $$ SELECT pg_catalog.substr($1::pg_catalog.text, $2, $3)::%2 $$")
                      .arg(esquema, citext));
}

// Indexes on exactly the expressions the module's statements reach each database with
// (character for character, or the planner does not see them):
// - the opening balance sums every earlier period of an account, comparing year and month
//   ("SUBSTR(Periodo,4,4) || SUBSTR(Periodo,1,2) < ..."): the account and that expression,
//   carrying both quantities, answer it without reading the table;
// - a period typed is looked for trimmed and without case ("LTRIM(RTRIM(Periodo)) = ..."):
//   without its own index that reads the register from its start, thirty years of it.
void indices(Conexion& cnn, Dialecto d, Cambios& cambios)
{
    if (d != Dialecto::SQLite && d != Dialecto::PostgreSQL)
        return;
    const bool sqlite = d == Dialecto::SQLite;
    const QString anioMes = QStringLiteral("(SUBSTR(Periodo,4,4) || SUBSTR(Periodo,1,2))");
    const std::pair<QString, QString> lista[] = {
        {QStringLiteral("IX_EM_Tolvario_AnioMes"),
         sqlite ? QStringLiteral("(Cuenta, %1, Entradas, Salidas)").arg(anioMes)
                : QStringLiteral("(Cuenta, %1) INCLUDE (Entradas, Salidas)").arg(anioMes)},
        {QStringLiteral("IX_EM_Tolvario_Periodo"),
         sqlite ? QStringLiteral("((LTRIM(RTRIM(Periodo))) COLLATE NOCASE)") : QStringLiteral("((LTRIM(RTRIM(Periodo))))")},
    };
    for (const auto& [nombre, columnas] : lista) {
        QSqlQuery q(cnn.bd());
        const QString consulta = sqlite ? QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type = 'index' AND name = '%1'").arg(nombre)
                                        : QStringLiteral("SELECT COUNT(*) FROM pg_indexes WHERE indexname = '%1'").arg(nombre.toLower());
        if (q.exec(consulta) && q.next() && q.value(0).toInt() > 0)
            continue;
        ejecutar(cnn, QStringLiteral("CREATE INDEX %1 ON EM_Tolvario %2").arg(nombre, columnas));
        cambios << QStringLiteral("índice creado: ") + nombre;
    }
}

} // namespace

Cambios Actualizar(Conexion& cnn)
{
    Cambios cambios;
    const Dialecto d = cnn.dialecto();
    EnTransaccion(cnn, [&] {
        QSqlDatabase bd = cnn.bd();
        if (d == Dialecto::PostgreSQL)
            funcionesCitext(cnn);
        const QStringList objetos = bd.tables(QSql::Tables) + bd.tables(QSql::Views);
        for (const Tabla& t : Tablas) {
            const QString nombre = QString::fromLatin1(t.nombre);
            if (!existe(objetos, t.nombre)) {
                QStringList defs;
                for (const Columna& c : t.columnas)
                    defs << QString::fromLatin1(c.nombre) + u' ' + tipoSql(c, d);
                if (*t.clavePrimaria)
                    defs << QStringLiteral("PRIMARY KEY (%1)").arg(QString::fromLatin1(t.clavePrimaria));
                ejecutar(cnn, QStringLiteral("CREATE TABLE %1 (%2)").arg(nombre, defs.join(QStringLiteral(", "))));
                cambios << QStringLiteral("tabla creada: ") + nombre;
                continue;
            }
            const QStringList tiene = columnasDe(cnn, nombre);
            for (const Columna& c : t.columnas) {
                if (tiene.contains(QString::fromLatin1(c.nombre), Qt::CaseInsensitive))
                    continue;
                ejecutar(cnn, QStringLiteral("ALTER TABLE %1 ADD %2 %3").arg(nombre, QString::fromLatin1(c.nombre), tipoSql(c, d)));
                cambios << QStringLiteral("columna agregada: %1.%2").arg(nombre, QString::fromLatin1(c.nombre));
            }
        }
        indices(cnn, d, cambios);
        for (const Vista& v : Vistas) {
            if (existe(objetos, v.nombre))
                continue;
            ejecutar(cnn, QStringLiteral("CREATE VIEW %1 AS %2").arg(QString::fromLatin1(v.nombre), QString::fromLatin1(v.consulta)));
            cambios << QStringLiteral("vista creada: ") + QString::fromLatin1(v.nombre);
        }
    });
    return cambios;
}

} // namespace Esquema
