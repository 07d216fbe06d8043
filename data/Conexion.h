#pragma once

#include "data/TextoConexion.h"
#include "platform/ErrorVB.h"

#include <QHash>
#include <QSqlDatabase>
#include <QStringList>
#include <QVariantList>
#include <functional>
#include <vector>

// The process's connection to its database: opened from a suite connection text, it keeps
// the provider's error list, speaks its dialect and runs the statements.
class Conexion
{
public:
    Conexion();
    ~Conexion();
    Conexion(const Conexion&) = delete;
    Conexion& operator=(const Conexion&) = delete;

    // Raises ErrorVB (also left in Errors) when the database cannot be reached.
    void Open(const QString& textoConexion);
    void Close();
    bool Abierta() const;

    QString ConnectionString() const { return m_texto; }
    Dialecto dialecto() const { return m_destino.dialecto; }
    QString origen() const { return m_destino.origen; }
    QSqlDatabase bd() const;

    int CursorLocation = 2;
    void EstablecerCommandTimeout(int segundos);
    int CommandTimeout() const { return m_tiempo; }
    void EstablecerIsolationLevel(int nivel);
    int IsolationLevel() const { return m_aislamiento; }
    void EstablecerDefaultDatabase(const QString& base);

    // The provider's error list: the errors of the last operation only.
    std::vector<ErrorVB> Errors;

    // Longest wait for a SQLite file another process holds locked: the clerk is told and may
    // retry, instead of facing a frozen window for the whole command time-out.
    static constexpr int EsperaBloqueoMs = 3000;

    // Runs a statement that returns no rows; the result is the count of rows it changed.
    long Execute(const QString& sql);
    // On a server: that it answers, through a fresh connection when it closed the idle one.
    // Raises ErrorVB (ConexionInutilizable) when it cannot be reached. Nothing on a file.
    void Comprobar();
    // `paraEscribir`: the transaction will write, and waits its turn from the start. On SQLite
    // a deferred BEGIN (Qt's own) would fail at once on the first write when another
    // process writes; BEGIN IMMEDIATE queues behind it instead.
    void BeginTrans(bool paraEscribir = false);
    void CommitTrans();
    void RollbackTrans();
    bool EnTransaccion() const { return m_enTransaccion; }

    // The statement as this connection's database reads it. Every statement sent passes
    // here, so the last one is kept, as written, for error reports and checks.
    QString Traducir(const QString& sql) const;
    QString UltimaSentencia() const { return m_ultima; }

    // Every statement every connection ran, as its database got it, with its bound values;
    // "BEGIN", "COMMIT" and "ROLLBACK" for transactions. For measuring: the same work replayed
    // straight through Qt SQL is the floor the program is compared with.
    using Traza = std::function<void(const QString& sentencia, const QVariantList& valores)>;
    static void EstablecerTraza(Traza traza);
    void Anotar(const QString& sentencia, const QVariantList& valores = {}) const;
    // A driver error as ErrorVB, with the password taken out and added to Errors.
    ErrorVB Fallo(const class QSqlError& error);

    // Starts an operation: the error list forgets the previous one. Raises when not open.
    void empezarOperacion();
    // Before a write outside a transaction: a connection that met a read-only file is opened
    // again, since the file may be writable by now.
    void antesDeEscribir();

    // Runs an operation on a connection that is open: one the driver already knows lost (the
    // server restarted, the network came back) is opened again first, with its settings, when
    // no transaction was open. A statement that fails in flight is never sent again here (the
    // server may have done it): the connection is reopened for the next one and the failure
    // raised, so the clerk's Retry decides; inside a transaction only its whole retry may run.
    // `repetible`: the operation changes nothing (a read, a BEGIN), so when the server had
    // closed the idle connection it runs once more on a fresh one, without troubling the
    // clerk: nothing of it had been done.
    template <class Operacion>
    auto conReconexion(Operacion&& operacion, bool repetible = false) -> decltype(operacion())
    {
        if (!m_enTransaccion && !Abierta())
            reabrir();
        try {
            return operacion();
        } catch (const ErrorVB& e) {
            if (e.Number != ErrorVB::ConexionInutilizable || m_enTransaccion)
                throw;
            // One attempt to open it again: with the server down, the clerk waits through one
            // connection time-out, not two.
            if (repetible && dialecto() == Dialecto::PostgreSQL) {
                if (reconectar())
                    return operacion();
                throw;
            }
            if (!Abierta())
                reconectar();
            throw;
        }
    }

private:
    ErrorVB conCausaDeApertura(ErrorVB e) const;
    QString sinClave(QString texto) const;
    bool reconectar();
    // What the connection's own options set for the session (PostgreSQL), instead of a SET each.
    QString opcionesDeSesion() const;
    // Opens the connection again; when it cannot, raises why (the file is gone, the server
    // refuses), not merely that the connection is closed.
    void reabrir();

    QString m_nombre;
    QString m_texto;
    DestinoConexion m_destino;
    int m_tiempo = 30;
    bool m_tiempoDado = false; // set by the caller, not the default
    int m_aislamiento = 4096;
    struct { int tiempo = 0, aislamiento = 0; } m_enSesion; // as the open session has them
    QString m_baseDefecto;
    bool m_enTransaccion = false;
    // A SQLite file found read-only keeps its connection read-only even once it is writable
    // again: the next write outside a transaction opens it anew (reads work as they are).
    bool m_reabrir = false;
    mutable QString m_ultima;
    mutable QHash<QString, QString> m_traducidas;
};

// Waits for another station's save (`intentar` again until it succeeds) under the notice the
// clerk reads; raises EsperaCancelada when the clerk cancels or the longest wait runs out.
void EsperarOtroPuesto(const std::function<bool()>& intentar);
// The save left its queue: nothing was written.
ErrorVB EsperaCancelada();
