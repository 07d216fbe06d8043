#pragma once

#include "data/TextoConexion.h"
#include "platform/ErrorVB.h"

#include <QSqlDatabase>
#include <QStringList>
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
    void BeginTrans();
    void CommitTrans();
    void RollbackTrans();
    bool EnTransaccion() const { return m_enTransaccion; }

    // The statement as this connection's database reads it. Every statement sent passes
    // here, so the last one is kept, as written, for error reports and checks.
    QString Traducir(const QString& sql) const;
    QString UltimaSentencia() const { return m_ultima; }
    // A driver error as ErrorVB, with the password taken out and added to Errors.
    ErrorVB Fallo(const class QSqlError& error);

    // Starts an operation: the error list forgets the previous one. Raises when not open.
    void empezarOperacion();

    // Runs an operation; when the connection turns out lost (the server restarted, the
    // station's network came back) and no transaction was open, it is opened again with the
    // same text and the operation tried once more. Inside a transaction the loss is raised:
    // that transaction is gone and only its whole retry may run.
    template <class Operacion>
    auto conReconexion(Operacion&& operacion) -> decltype(operacion())
    {
        try {
            return operacion();
        } catch (const ErrorVB& e) {
            if (e.Number != ErrorVB::ConexionInutilizable || m_enTransaccion || !reconectar())
                throw;
            return operacion();
        }
    }

private:
    QString sinClave(QString texto) const;
    bool reconectar();

    QString m_nombre;
    QString m_texto;
    DestinoConexion m_destino;
    int m_tiempo = 30;
    int m_aislamiento = 4096;
    bool m_enTransaccion = false;
    mutable QString m_ultima;
};
