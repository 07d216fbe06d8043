#pragma once

#include <QString>
#include <QStringList>
#include <QVariant>
#include <memory>
#include <vector>

class QSqlQuery;

class Conexion;

// A client-side snapshot of a query: every row is fetched when it opens, so the connection
// holds no open result set. Editable when opened on one table with a lock type other than
// read-only: AddNew or a field assignment, then Update.
class Recordset
{
public:
    int CursorType = 0;
    int LockType = 1;

    // Raises ErrorVB when the query fails. A statement that returns no rows leaves it closed.
    void Open(const QString& sql, Conexion& conexion, int cursorType, int lockType);
    void Close();
    int State() const { return m_abierto ? 1 : 0; }

    bool BOF() const { return m_filas.empty() || m_pos < 0; }
    bool Eof() const { return m_filas.empty() || m_pos >= int(m_filas.size()); }
    long RecordCount() const { return m_abierto ? long(m_filas.size()) : -1; }
    void MoveFirst();
    void MoveLast();
    void MoveNext();
    void MovePrevious();

    int FieldCount() const { return int(m_nombres.size()); }
    QString FieldName(int i) const { return m_nombres.at(i); }
    int FieldType(int i) const { return m_tipos.at(i); }   // ADO data type number
    int FieldSize(int i) const { return m_tamanos.at(i); }
    bool TieneCampo(const QString& nombre) const { return indice(nombre) >= 0; }

    // The current row's value (Null kept as a null QVariant); names without regard to case.
    QVariant Field(const QString& nombre) const;
    void SetField(const QString& nombre, const QVariant& valor);
    void AddNew();
    void Update();
    void CancelUpdate();

private:
    void abrir(const QString& sql, Conexion& conexion, int cursorType, int lockType);
    int indice(const QString& nombre) const;
    int indiceExigido(const QString& nombre) const;
    void exigirFilaActual() const;

    enum class Edicion { Ninguna, Nueva, Existente };

    Conexion* m_conexion = nullptr;
    // The last write's statement, prepared: rows added one after another (a day's lines)
    // reuse it instead of preparing the same text again for each.
    std::shared_ptr<QSqlQuery> m_preparada;
    QString m_sqlPreparada;
    bool m_abierto = false;
    QString m_tabla;
    QStringList m_nombres;
    std::vector<int> m_tipos;
    std::vector<int> m_tamanos;
    std::vector<std::vector<QVariant>> m_filas;
    int m_pos = -1;
    Edicion m_edicion = Edicion::Ninguna;
    std::vector<QVariant> m_buffer;
    std::vector<bool> m_cambiado;
};
