#pragma once

#include <QString>
#include <QStringList>

class Conexion;

// What the PostgreSQL server of scripts/test logged as run on one database since a mark: every
// statement that reached it, the driver's own included. Only connections opened after
// `registrar` are logged; the test's own connection, opened before, is left out.
class SentenciasDelServidor
{
public:
    // Empty when the server's log is not known (no TOLVARIO_PG_LOG).
    static QString Bitacora();
    // Logs every statement of new connections to the database of `cnn`, and marks.
    void registrar(Conexion& cnn, const QString& base);
    void marcar();
    // The statements logged since the last mark, in order; marks again.
    QStringList desdeLaMarca();

private:
    QString m_base;
    qint64 m_marca = 0;
};
