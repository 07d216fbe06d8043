#pragma once

#include "data/Conexion.h"
#include "tools/esquema/Esquema.h"

#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QVariant>

namespace Esquema {

// Prepared statements of the demo loader, failures raised as the connection's errors.
class Escritor
{
public:
    explicit Escritor(Conexion& cnn) : m_cnn(cnn), m_bd(cnn.bd()) {}

    bool hay(const QString& sql, const QVariantList& valores)
    {
        QSqlQuery q(m_bd);
        preparar(q, sql, valores);
        return q.next() && q.value(0).toLongLong() > 0;
    }

    void correr(const QString& sql, const QVariantList& valores)
    {
        QSqlQuery q(m_bd);
        preparar(q, sql, valores);
    }

private:
    void preparar(QSqlQuery& q, const QString& sql, const QVariantList& valores)
    {
        if (!q.prepare(sql))
            throw m_cnn.Fallo(q.lastError());
        for (const QVariant& v : valores)
            q.addBindValue(v);
        if (!q.exec())
            throw m_cnn.Fallo(q.lastError());
    }

    Conexion& m_cnn;
    QSqlDatabase m_bd;
};

// Customers, articles, families, positions and cost centres for the lookups to show.
void LlenarCatalogos(Escritor& e, Cambios& cambios);

} // namespace Esquema
