#include "tests/support/SentenciasDelServidor.h"

#include "data/Conexion.h"

#include <QFile>
#include <QRegularExpression>

QString SentenciasDelServidor::Bitacora()
{
    return qEnvironmentVariable("TOLVARIO_PG_LOG");
}

void SentenciasDelServidor::registrar(Conexion& cnn, const QString& base)
{
    m_base = base;
    cnn.Execute(QStringLiteral("ALTER DATABASE %1 SET log_statement = 'all'").arg(base));
    marcar();
}

void SentenciasDelServidor::marcar()
{
    QFile f(Bitacora());
    m_marca = f.exists() ? f.size() : 0;
}

QStringList SentenciasDelServidor::desdeLaMarca()
{
    QStringList sentencias;
    QFile f(Bitacora());
    if (!f.open(QIODevice::ReadOnly) || !f.seek(m_marca))
        return sentencias;
    // scripts/test's line prefix ends in "[pid] database "; a statement's later lines carry none.
    static const QRegularExpression linea(QStringLiteral(R"(\[\d+\] (\S+) LOG:  statement: (.*)$)"));
    while (!f.atEnd()) {
        const QString texto = QString::fromUtf8(f.readLine()).trimmed();
        const auto m = linea.match(texto);
        if (m.hasMatch() && m.captured(1) == m_base)
            sentencias << m.captured(2);
    }
    m_marca = f.pos();
    return sentencias;
}
