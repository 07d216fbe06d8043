#include "tests/support/BaseDePrueba.h"

#include "data/DB_Dll.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/Carpetas.h"
#include "startup/Globales.h"
#include "startup/Inicio.h"
#include "tools/esquema/Esquema.h"

#include <QCoreApplication>
#include <QFile>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>

#include <atomic>

namespace {

QString entorno(const char* nombre)
{
    return qEnvironmentVariable(nombre);
}

// Runs one statement on the server's maintenance database.
bool administrar(const QString& sql, QString* error = nullptr)
{
    const QString nombre = QStringLiteral("tolvario-admin");
    bool ok = false;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QPSQL"), nombre);
        db.setHostName(entorno("TOLVARIO_PG_HOST"));
        db.setPort(entorno("TOLVARIO_PG_PORT").toInt());
        db.setUserName(entorno("TOLVARIO_PG_USER"));
        db.setPassword(entorno("TOLVARIO_PG_PASSWORD"));
        db.setDatabaseName(QStringLiteral("postgres"));
        if (db.open()) {
            QSqlQuery q(db);
            ok = q.exec(sql);
            if (!ok && error)
                *error = q.lastError().text();
        } else if (error) {
            *error = db.lastError().text();
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(nombre);
    return ok;
}

} // namespace

std::string NombreMotor(const testing::TestParamInfo<Motor>& info)
{
    return info.param == Motor::SQLite ? "SQLite" : "PostgreSQL";
}

void ReiniciarProceso()
{
    DB_Dll::Liberar();
    Lib_ClsCons3::Liberar();
    EstablecerEnlaceConsultas(nullptr);
    ReiniciarGlobales();
    Carpetas::EstablecerLineaComandos({});
}

void ProcesoLimpio::SetUp()
{
    ReiniciarProceso();
    m_guion = &guion();
    ASSERT_TRUE(m_carpeta.isValid());
    Carpetas::EstablecerAplicacion(m_carpeta.path());
    // What the clerk typed is kept per user: each test, and the processes it starts, on its
    // own, never another test's.
    qputenv("XDG_DATA_HOME", (m_carpeta.path() + QStringLiteral("/datos")).toLocal8Bit());
}

void ProcesoLimpio::TearDown()
{
    ReiniciarProceso();
    establecerOperador(nullptr);
    Carpetas::EstablecerAplicacion({});
}

void BaseSinIniciar::SetUp()
{
    BaseDePrueba::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    crearEsquema();
    ejecutar(QStringLiteral("INSERT INTO ta_usuarios (nombre, Administrador) VALUES ('%1', 1)").arg(m_usuario));
}

void BaseIniciada::SetUp()
{
    BaseDePrueba::SetUp();
    if (IsSkipped() || HasFatalFailure())
        return;
    crearEsquema();
    poblar();
    iniciar();
}

void BaseDePrueba::rechazarAltas(const QString& tabla, const QString& condicion)
{
    m_tablaRechazada = tabla;
    if (esPostgres()) {
        ejecutar(QStringLiteral("CREATE FUNCTION falla() RETURNS trigger LANGUAGE plpgsql AS "
                                "$$ BEGIN IF %1 THEN RAISE EXCEPTION 'disco lleno'; END IF; RETURN NEW; END $$")
                     .arg(condicion));
        ejecutar(QStringLiteral("CREATE TRIGGER falla BEFORE INSERT ON %1 FOR EACH ROW EXECUTE FUNCTION falla()").arg(tabla));
    } else {
        ejecutar(QStringLiteral("CREATE TRIGGER falla BEFORE INSERT ON %1 WHEN %2 "
                                "BEGIN SELECT RAISE(ABORT, 'disco lleno'); END")
                     .arg(tabla, condicion));
    }
}

void BaseDePrueba::rechazarDia(int dia)
{
    rechazarAltas(QStringLiteral("EM_Tolvario"), QStringLiteral("NEW.DIA = %1").arg(dia));
}

void BaseDePrueba::quitarRechazo()
{
    ejecutar(QStringLiteral("DROP TRIGGER falla") + (esPostgres() ? QStringLiteral(" ON ") + m_tablaRechazada : QString()));
    if (esPostgres())
        ejecutar(QStringLiteral("DROP FUNCTION falla()"));
}

bool AdministrarServidor(const QString& sql, QString* error)
{
    return administrar(sql, error);
}

void BaseDePrueba::SetUp()
{
    ReiniciarProceso();
    m_guion = &guion();
    ASSERT_TRUE(m_carpeta.isValid());
    Carpetas::EstablecerAplicacion(m_carpeta.path());
    qputenv("XDG_DATA_HOME", (m_carpeta.path() + QStringLiteral("/datos")).toLocal8Bit());
    if (esPostgres()) {
        if (entorno("TOLVARIO_PG_HOST").isEmpty())
            GTEST_SKIP() << "sin servidor PostgreSQL (lo arranca scripts/test)";
        static std::atomic<int> n{0};
        m_base = QStringLiteral("prueba_%1_%2").arg(QCoreApplication::applicationPid()).arg(++n);
        QString error;
        ASSERT_TRUE(administrar(QStringLiteral("CREATE DATABASE ") + m_base, &error)) << error.toStdString();
        m_servidor = QStringLiteral("pg:%1:%2").arg(entorno("TOLVARIO_PG_HOST"), entorno("TOLVARIO_PG_PORT"));
        m_usuario = entorno("TOLVARIO_PG_USER");
        m_clave = entorno("TOLVARIO_PG_PASSWORD");
    } else {
        m_base = m_carpeta.filePath(QStringLiteral("tolvario.db"));
        QFile f(m_base);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        m_servidor = QStringLiteral("sqlite:");
        m_usuario = QStringLiteral("admin");
    }
    m_cnn.Open(textoConexion());
}

void BaseDePrueba::TearDown()
{
    ReiniciarProceso();
    m_cnn.Close();
    establecerOperador(nullptr);
    Carpetas::EstablecerAplicacion({});
    if (esPostgres() && !m_base.isEmpty())
        administrar(QStringLiteral("DROP DATABASE IF EXISTS %1 WITH (FORCE)").arg(m_base));
}

QString BaseDePrueba::textoConexion() const
{
    if (esPostgres())
        return QStringLiteral("Provider=PostgreSQL;Server=%1;Port=%2;Database=%3;UId=%4;Pwd=%5;")
            .arg(entorno("TOLVARIO_PG_HOST"), entorno("TOLVARIO_PG_PORT"), m_base, m_usuario, m_clave);
    return QStringLiteral("Provider=SQLite;Data Source=%1;").arg(m_base);
}

QString BaseDePrueba::comando() const
{
    return comandoConClave(m_clave);
}

QString BaseDePrueba::comandoConClave(const QString& clave) const
{
    return QStringLiteral("@Server=%1;@DbName=%2;@Usuario=%3;@Password=%4;@UsuarioLogeado=JUAN;@Caja=3;")
        .arg(m_servidor, m_base, m_usuario, clave);
}

void BaseDePrueba::crearEsquema()
{
    Esquema::Actualizar(m_cnn);
}

void BaseDePrueba::ejecutar(const QString& sql)
{
    m_cnn.Execute(sql);
}

QString BaseDePrueba::valor(const QString& sql)
{
    QSqlQuery q(m_cnn.bd());
    if (!q.exec(m_cnn.Traducir(sql)) || !q.next())
        return QStringLiteral("<sin fila: %1>").arg(q.lastError().text());
    return q.value(0).toString();
}

void BaseDePrueba::iniciar()
{
    QString conexion;
    IniciarSesion(false, comando(), conexion);
}
