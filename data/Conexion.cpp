#include "data/Conexion.h"

#include "data/ErroresBD.h"
#include "platform/Operador.h"

#include <QSqlError>
#include <QTcpSocket>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

namespace {
Conexion::Traza& traza()
{
    static Conexion::Traza t;
    return t;
}

QString nombreNuevo()
{
    static std::atomic<int> n{0};
    return QStringLiteral("tolvario-%1").arg(++n);
}
} // namespace

Conexion::Conexion()
    : m_nombre(nombreNuevo())
{
}

Conexion::~Conexion()
{
    Close();
}

QSqlDatabase Conexion::bd() const
{
    return QSqlDatabase::database(m_nombre, false);
}

bool Conexion::Abierta() const
{
    return QSqlDatabase::contains(m_nombre) && bd().isOpen();
}

void Conexion::Open(const QString& textoConexion)
{
    Close();
    Errors.clear();
    m_traducidas.clear();
    m_texto = textoConexion;
    try {
        m_destino = TextoConexion::Interpretar(textoConexion);
    } catch (const ErrorVB& e) {
        Errors.push_back(e);
        throw;
    }
    if (!QSqlDatabase::isDriverAvailable(m_destino.driver)) {
        ErrorVB e(ErrorVB::FalloNoEspecificado,
                  QStringLiteral("Este equipo no tiene el controlador %1 para la base de datos.").arg(m_destino.driver),
                  m_destino.origen, QStringLiteral("IM002"));
        Errors.push_back(e);
        throw e;
    }
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(m_destino.driver, m_nombre);
        db.setDatabaseName(m_destino.base);
        if (!m_destino.servidor.isEmpty() && m_destino.driver != QStringLiteral("QODBC"))
            db.setHostName(m_destino.servidor);
        if (m_destino.puerto > 0)
            db.setPort(m_destino.puerto);
        db.setUserName(m_destino.usuario);
        db.setPassword(m_destino.clave);
        db.setConnectOptions(m_destino.opciones + opcionesDeSesion());
        if (db.open()) {
            m_enTransaccion = false;
            m_reabrir = false;
            m_enSesion = {m_tiempoDado ? m_tiempo : 0, m_aislamiento};
            return;
        }
    }
    ErrorVB e = Fallo(bd().lastError());
    QSqlDatabase::removeDatabase(m_nombre);
    if (m_destino.dialecto == Dialecto::PostgreSQL) {
        e = conCausaDeApertura(e);
        // The provider's error list says the same as what is raised.
        if (!Errors.empty())
            Errors.back() = e;
    }
    throw e;
}

ErrorVB Conexion::conCausaDeApertura(ErrorVB e) const
{
    // The driver gives no SQLSTATE when it cannot open: how the attempt failed tells the
    // cases apart. A server that takes the connection and then refuses it has turned the
    // login down (or the database, or it is starting); one that takes none is not there.
    QTcpSocket sonda;
    sonda.connectToHost(m_destino.servidor, quint16(m_destino.puerto > 0 ? m_destino.puerto : 5432));
    const bool atiende = sonda.waitForConnected(3000);
    sonda.abort();
    const QString detalle = e.Description.section(QStringLiteral("\nDetalle: "), -1);
    e.Description = (atiende ? QStringLiteral("El servidor de la base de datos rechazó la conexión: usuario o contraseña "
                                              "incorrectos, base inexistente, o se está reiniciando")
                             : QStringLiteral("No se pudo llegar al servidor de la base de datos %1: está apagado, inalcanzable "
                                              "o no acepta conexiones en ese puerto")
                                   .arg(m_destino.servidor))
                    + QStringLiteral(".\nDetalle: ") + detalle;
    return e;
}

void Conexion::Close()
{
    if (QSqlDatabase::contains(m_nombre)) {
        {
            QSqlDatabase db = bd();
            if (db.isOpen())
                db.close();
        }
        QSqlDatabase::removeDatabase(m_nombre);
    }
    m_enTransaccion = false;
}

QString Conexion::sinClave(QString texto) const
{
    // Three characters or more: a shorter password would blank out ordinary words.
    if (m_destino.clave.size() >= 3)
        texto.replace(m_destino.clave, QStringLiteral("****"));
    return texto;
}

ErrorVB Conexion::Fallo(const QSqlError& error)
{
    ErrorVB e = ErrorDeBase(error, m_destino.dialecto, m_destino.origen);
    e.Description = sinClave(e.Description);
    constexpr qint64 SqliteSoloLectura = 8;
    if (m_destino.dialecto == Dialecto::SQLite && (e.NativeError & 0xff) == SqliteSoloLectura)
        m_reabrir = true;
    Errors.push_back(e);
    return e;
}

void Conexion::EstablecerTraza(Traza t)
{
    traza() = std::move(t);
}

void Conexion::Anotar(const QString& sentencia, const QVariantList& valores) const
{
    if (traza())
        traza()(sentencia, valores);
}

QString Conexion::Traducir(const QString& sql) const
{
    m_ultima = sql;
    // A save sends the same insert thirty-one times and a load the same few reads: each is
    // translated once. The translation depends on the statement and the dialect alone.
    if (const auto it = m_traducidas.constFind(sql); it != m_traducidas.cend())
        return *it;
    if (m_traducidas.size() >= 512)
        m_traducidas.clear();
    return *m_traducidas.insert(sql, Dialectos::Traducir(sql, m_destino.dialecto));
}

namespace {
ErrorVB noAbierta()
{
    return ErrorVB(ErrorVB::ConexionInutilizable, QStringLiteral("La conexión con la base de datos no está abierta."),
                   QStringLiteral("Tolvario"));
}
} // namespace

void Conexion::empezarOperacion()
{
    Errors.clear();
    if (!Abierta()) {
        Errors.push_back(noAbierta());
        throw Errors.back();
    }
}

bool Conexion::reconectar()
{
    if (m_texto.isEmpty())
        return false;
    const std::vector<ErrorVB> perdida = Errors;
    try {
        Open(m_texto);
        // A new session has none of the old one's settings.
        EstablecerCommandTimeout(m_tiempo);
        EstablecerIsolationLevel(m_aislamiento);
        EstablecerDefaultDatabase(m_baseDefecto);
        Errors = perdida;
        return true;
    } catch (const ErrorVB& e) {
        // The loss stays first; why the reopening failed follows it.
        Errors = perdida;
        Errors.push_back(e);
        return false;
    }
}

void Conexion::reabrir()
{
    if (!reconectar() && !Errors.empty())
        throw Errors.back();
}

void Conexion::antesDeEscribir()
{
    if (m_reabrir && !m_enTransaccion)
        reabrir();
}

long Conexion::Execute(const QString& sql)
{
    antesDeEscribir();
    return conReconexion([&] {
        empezarOperacion();
        QSqlQuery q(bd());
        q.setForwardOnly(true);
        const QString traducida = Traducir(sql);
        Anotar(traducida);
        if (!q.exec(traducida))
            throw Fallo(q.lastError());
        const int n = q.numRowsAffected();
        return long(n < 0 ? 0 : n);
    });
}

void Conexion::Comprobar()
{
    if (dialecto() != Dialecto::PostgreSQL || m_enTransaccion)
        return;
    conReconexion([&] {
        empezarOperacion();
        QSqlQuery q(bd());
        if (!q.exec(QStringLiteral("SELECT 1")))
            throw Fallo(q.lastError());
    }, true);
}

void Conexion::BeginTrans(bool paraEscribir)
{
    antesDeEscribir();
    conReconexion([&] {
        empezarOperacion();
        if (paraEscribir && dialecto() == Dialecto::SQLite) {
            // The driver ends it with its own COMMIT or ROLLBACK, as it does its own BEGIN.
            // Another station's save holds the file: wait for it in short tries, the window
            // alive, instead of failing when the busy timeout runs out.
            Anotar(QStringLiteral("BEGIN IMMEDIATE"));
            QSqlQuery q(bd());
            q.exec(QStringLiteral("PRAGMA busy_timeout = 200"));
            QSqlError error;
            bool empezada = false;
            // Done when it began, or when it failed for anything but another writer.
            const auto intentar = [&] {
                empezada = q.exec(QStringLiteral("BEGIN IMMEDIATE"));
                if (empezada)
                    return true;
                error = q.lastError();
                const QString codigo = error.nativeErrorCode().trimmed();
                return !(codigo == QStringLiteral("5") || codigo == QStringLiteral("6"));
            };
            const auto reponer = [&] {
                q.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(qMin<qint64>(qint64(m_tiempo) * 1000, EsperaBloqueoMs)));
            };
            try {
                EsperarOtroPuesto(intentar);
            } catch (const ErrorVB&) {
                reponer();
                throw;
            }
            reponer();
            if (!empezada)
                throw Fallo(error);
            return;
        }
        Anotar(QStringLiteral("BEGIN"));
        if (!bd().transaction())
            throw Fallo(bd().lastError());
    }, true);
    m_enTransaccion = true;
}

void Conexion::CommitTrans()
{
    m_enTransaccion = false;
    empezarOperacion();
    Anotar(QStringLiteral("COMMIT"));
    if (!bd().commit())
        throw Fallo(bd().lastError());
}

void Conexion::RollbackTrans()
{
    // However it goes, no transaction is open afterwards: a lost connection took it along.
    m_enTransaccion = false;
    // The list keeps the failure that led here.
    if (!Abierta())
        throw noAbierta();
    Anotar(QStringLiteral("ROLLBACK"));
    if (!bd().rollback())
        throw Fallo(bd().lastError());
}

QString Conexion::opcionesDeSesion() const
{
    if (m_destino.dialecto != Dialecto::PostgreSQL)
        return {};
    // Given when connecting, the session's settings cost no round trip of their own: a row
    // another station holds locked is waited for briefly, then reported.
    QString o = QStringLiteral(";options='-c lock_timeout=%1").arg(EsperaBloqueoMs);
    // Only a limit the caller set; a connection given none has none, as before.
    if (m_tiempoDado)
        o += QStringLiteral(" -c statement_timeout=%1").arg(qint64(m_tiempo) * 1000);
    if (m_aislamiento == 256)
        o += QStringLiteral(" -c default_transaction_isolation=read\\\\ uncommitted");
    return o + u'\'';
}

void Conexion::EstablecerCommandTimeout(int segundos)
{
    m_tiempo = segundos;
    m_tiempoDado = true;
    if (!Abierta())
        return;
    if (m_destino.dialecto == Dialecto::PostgreSQL && m_enSesion.tiempo == segundos)
        return;
    m_enSesion.tiempo = segundos;
    QSqlQuery q(bd());
    if (m_destino.dialecto == Dialecto::PostgreSQL)
        q.exec(QStringLiteral("SET statement_timeout = %1").arg(qint64(segundos) * 1000));
    else if (m_destino.dialecto == Dialecto::SQLite)
        q.exec(QStringLiteral("PRAGMA busy_timeout = %1").arg(qMin<qint64>(qint64(segundos) * 1000, EsperaBloqueoMs)));
}

void Conexion::EstablecerIsolationLevel(int nivel)
{
    m_aislamiento = nivel;
    if (!Abierta() || nivel != 256)
        return;
    if (m_destino.dialecto == Dialecto::PostgreSQL && m_enSesion.aislamiento == nivel)
        return;
    m_enSesion.aislamiento = nivel;
    QSqlQuery q(bd());
    switch (m_destino.dialecto) {
    case Dialecto::PostgreSQL:
        q.exec(QStringLiteral("SET SESSION CHARACTERISTICS AS TRANSACTION ISOLATION LEVEL READ UNCOMMITTED"));
        break;
    case Dialecto::SQLite:
        q.exec(QStringLiteral("PRAGMA read_uncommitted = 1"));
        break;
    case Dialecto::SqlServer:
        q.exec(QStringLiteral("SET TRANSACTION ISOLATION LEVEL READ UNCOMMITTED"));
        break;
    case Dialecto::Oracle:
        break;
    }
}

void Conexion::EstablecerDefaultDatabase(const QString& base)
{
    m_baseDefecto = base;
    // Only SQL Server moves between databases on one connection; the others are opened on theirs.
    if (!Abierta() || base.trimmed().isEmpty() || m_destino.dialecto != Dialecto::SqlServer)
        return;
    QSqlQuery q(bd());
    q.exec(QStringLiteral("USE [%1]").arg(QString(base).replace(u']', QStringLiteral("]]"))));
}

void EsperarOtroPuesto(const std::function<bool()>& intentar)
{
    if (!intentar() && !operador().Esperar(QStringLiteral("Otro puesto está grabando la misma cuenta; esperando…"), intentar))
        throw EsperaCancelada();
}

ErrorVB EsperaCancelada()
{
    return ErrorVB(ErrorVB::EsperaCancelada,
                   QStringLiteral("No se grabó nada: otro puesto seguía grabando la misma cuenta y se dejó de esperar."));
}
