#include "data/Recordset.h"

#include "data/Conexion.h"
#include "platform/ErrorVB.h"
#include "platform/Importe.h"

#include <QRegularExpression>
#include <QSqlError>
#include <QSqlField>
#include <QSqlIndex>
#include <QSqlQuery>
#include <QSqlRecord>

namespace {

int tipoADO(const QSqlField& f)
{
    switch (f.metaType().id()) {
    case QMetaType::Bool: return 11;
    case QMetaType::Short: return 2;
    case QMetaType::Int: return 3;
    case QMetaType::UInt: return 19;
    case QMetaType::LongLong: return 20;
    case QMetaType::ULongLong: return 21;
    case QMetaType::Float: return 4;
    case QMetaType::Double: return f.precision() > 0 ? 131 : 5;
    case QMetaType::QString: return 202;
    case QMetaType::QByteArray: return 204;
    case QMetaType::QDate: return 133;
    case QMetaType::QTime: return 134;
    case QMetaType::QDateTime: return 135;
    default: return 12;
    }
}

// The one table of "SELECT ... FROM table [WHERE|ORDER|GROUP ...]"; empty when there are more.
QString tablaUnica(const QString& sql)
{
    static const QRegularExpression desde(
        QStringLiteral("\\bFROM\\s+([\\w.@\\[\\]\"]+)\\s*(?:$|WHERE\\b|ORDER\\b|GROUP\\b)"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression union_(QStringLiteral("\\bJOIN\\b"), QRegularExpression::CaseInsensitiveOption);
    const auto m = desde.match(sql);
    if (!m.hasMatch() || union_.match(sql).hasMatch())
        return {};
    return m.captured(1);
}

// Values bound into statements: flags as 0/1, which every backend stores in its numeric flag columns.
QVariant paraEnlazar(const QVariant& v)
{
    if (v.metaType().id() == QMetaType::Bool)
        return QVariant(v.toBool() ? 1 : 0);
    // Amounts as exact decimal text: every backend reads it into its numeric column unrounded.
    if (v.metaType() == QMetaType::fromType<Importe>())
        return QVariant(v.value<Importe>().texto());
    return v;
}

// SQLite keeps amounts as floating point and hands them over as doubles ("1e-04",
// "1234580.2356999998"). Amounts carry four decimals, so the double is read back as the
// decimal text it stands for; numeric columns of the other backends arrive as text already.
QVariant comoDecimal(const QVariant& v)
{
    const int tipo = v.metaType().id();
    if (v.isNull() || (tipo != QMetaType::Double && tipo != QMetaType::Float))
        return v;
    QString t = QString::number(v.toDouble(), 'f', 4);
    while (t.endsWith(u'0'))
        t.chop(1);
    if (t.endsWith(u'.'))
        t.chop(1);
    if (t == QStringLiteral("-0"))
        t = QStringLiteral("0");
    return t;
}

} // namespace

void Recordset::Open(const QString& sql, Conexion& conexion, int cursorType, int lockType)
{
    // A query reads: on a connection the server closed while idle it runs again on a fresh one.
    conexion.conReconexion([&] { abrir(sql, conexion, cursorType, lockType); }, true);
}

void Recordset::abrir(const QString& sql, Conexion& conexion, int cursorType, int lockType)
{
    Close();
    CursorType = cursorType;
    LockType = lockType;
    conexion.empezarOperacion();
    QSqlQuery q(conexion.bd());
    q.setForwardOnly(true);
    q.setNumericalPrecisionPolicy(QSql::HighPrecision);
    const QString traducida = conexion.Traducir(sql);
    conexion.Anotar(traducida);
    if (!q.exec(traducida))
        throw conexion.Fallo(q.lastError());
    if (!q.isSelect())
        return;
    const QSqlRecord r = q.record();
    for (int i = 0; i < r.count(); ++i) {
        m_nombres << r.fieldName(i);
        m_tipos.push_back(tipoADO(r.field(i)));
        m_tamanos.push_back(r.field(i).length());
    }
    while (q.next()) {
        std::vector<QVariant> fila(size_t(r.count()));
        for (int i = 0; i < r.count(); ++i)
            fila[size_t(i)] = comoDecimal(q.value(i));
        m_filas.push_back(std::move(fila));
    }
    if (q.lastError().isValid())
        throw conexion.Fallo(q.lastError());
    m_conexion = &conexion;
    m_tabla = lockType != 1 ? tablaUnica(sql) : QString();
    m_abierto = true;
    m_pos = m_filas.empty() ? -1 : 0;
}

void Recordset::Close()
{
    m_abierto = false;
    m_conexion = nullptr;
    m_preparada.reset();
    m_sqlPreparada.clear();
    m_tabla.clear();
    m_nombres.clear();
    m_tipos.clear();
    m_tamanos.clear();
    m_filas.clear();
    m_pos = -1;
    m_edicion = Edicion::Ninguna;
    m_buffer.clear();
    m_cambiado.clear();
}

void Recordset::MoveFirst()
{
    m_pos = m_filas.empty() ? -1 : 0;
}

void Recordset::MoveLast()
{
    m_pos = int(m_filas.size()) - 1;
}

void Recordset::MoveNext()
{
    if (Eof())
        throw ErrorVB(ErrorVB::SinRegistroActual, QStringLiteral("No hay un registro actual."));
    ++m_pos;
}

void Recordset::MovePrevious()
{
    if (BOF())
        throw ErrorVB(ErrorVB::SinRegistroActual, QStringLiteral("No hay un registro actual."));
    --m_pos;
}

int Recordset::indice(const QString& nombre) const
{
    const QString n = nombre.trimmed();
    for (int i = 0; i < m_nombres.size(); ++i)
        if (m_nombres[i].compare(n, Qt::CaseInsensitive) == 0)
            return i;
    return -1;
}

int Recordset::indiceExigido(const QString& nombre) const
{
    const int i = indice(nombre);
    if (i < 0)
        throw ErrorVB(3265, QStringLiteral("No se encuentra el campo \"%1\" en la consulta.").arg(nombre));
    return i;
}

void Recordset::exigirFilaActual() const
{
    if (BOF() || Eof())
        throw ErrorVB(ErrorVB::SinRegistroActual, QStringLiteral("No hay un registro actual."));
}

QVariant Recordset::Field(const QString& nombre) const
{
    const int i = indiceExigido(nombre);
    if (m_edicion != Edicion::Ninguna)
        return m_buffer[size_t(i)];
    exigirFilaActual();
    return m_filas[size_t(m_pos)][size_t(i)];
}

void Recordset::SetField(const QString& nombre, const QVariant& valor)
{
    const int i = indiceExigido(nombre);
    if (m_tabla.isEmpty())
        throw ErrorVB(3251, QStringLiteral("La consulta no se puede modificar."));
    if (m_edicion == Edicion::Ninguna) {
        exigirFilaActual();
        m_edicion = Edicion::Existente;
        m_buffer = m_filas[size_t(m_pos)];
        m_cambiado.assign(m_buffer.size(), false);
    }
    m_buffer[size_t(i)] = valor;
    m_cambiado[size_t(i)] = true;
}

void Recordset::AddNew()
{
    if (!m_abierto || m_tabla.isEmpty())
        throw ErrorVB(3251, QStringLiteral("La consulta no se puede modificar."));
    m_edicion = Edicion::Nueva;
    m_buffer.assign(size_t(m_nombres.size()), QVariant());
    m_cambiado.assign(m_buffer.size(), false);
}

void Recordset::CancelUpdate()
{
    m_edicion = Edicion::Ninguna;
    m_buffer.clear();
    m_cambiado.clear();
}

void Recordset::Update()
{
    if (m_edicion == Edicion::Ninguna)
        return;
    QStringList columnas;
    QVariantList valores;
    for (size_t i = 0; i < m_buffer.size(); ++i)
        if (m_cambiado[i]) {
            columnas << m_nombres[int(i)];
            valores << paraEnlazar(m_buffer[i]);
        }
    QString sql;
    QVariantList condicion;
    if (m_edicion == Edicion::Nueva) {
        QStringList marcas;
        for (int i = 0; i < columnas.size(); ++i)
            marcas << QStringLiteral("?");
        sql = QStringLiteral("INSERT INTO %1 (%2) VALUES (%3)").arg(m_tabla, columnas.join(u','), marcas.join(u','));
    } else {
        if (columnas.isEmpty()) {
            CancelUpdate();
            return;
        }
        QStringList asignaciones;
        for (const QString& c : columnas)
            asignaciones << c + QStringLiteral(" = ?");
        // The row is found by its primary key, or by every value it had when there is none.
        const QSqlIndex clave = m_conexion->bd().primaryIndex(QString(m_tabla).remove(u'[').remove(u']'));
        QStringList claves;
        for (int i = 0; i < clave.count(); ++i)
            if (indice(clave.fieldName(i)) >= 0)
                claves << clave.fieldName(i);
        if (claves.isEmpty())
            claves = m_nombres;
        QStringList donde;
        const auto& original = m_filas[size_t(m_pos)];
        for (const QString& c : claves) {
            const QVariant v = original[size_t(indice(c))];
            if (v.isNull()) {
                donde << c + QStringLiteral(" IS NULL");
            } else {
                donde << c + QStringLiteral(" = ?");
                condicion << paraEnlazar(v);
            }
        }
        sql = QStringLiteral("UPDATE %1 SET %2 WHERE %3").arg(m_tabla, asignaciones.join(QStringLiteral(", ")),
                                                              donde.join(QStringLiteral(" AND ")));
    }
    m_conexion->antesDeEscribir();
    m_conexion->empezarOperacion();
    const QString traducida = m_conexion->Traducir(sql);
    if (!m_preparada || m_sqlPreparada != traducida) {
        m_preparada.reset();
        m_sqlPreparada.clear();
        auto nueva = std::make_shared<QSqlQuery>(m_conexion->bd());
        if (!nueva->prepare(traducida))
            throw m_conexion->Fallo(nueva->lastError());
        m_preparada = nueva;
        m_sqlPreparada = traducida;
    }
    QSqlQuery& q = *m_preparada;
    for (const QVariant& v : valores)
        q.addBindValue(v);
    for (const QVariant& v : condicion)
        q.addBindValue(v);
    m_conexion->Anotar(q.lastQuery(), valores + condicion);
    if (!q.exec())
        throw m_conexion->Fallo(q.lastError());
    // Another station deleted the row (or changed its key) since it was read: nothing was written.
    if (m_edicion == Edicion::Existente && q.numRowsAffected() == 0) {
        ErrorVB e(ErrorVB::FilaNoEncontrada,
                  QStringLiteral("No se encuentra la fila para actualizarla: fue modificada o borrada desde otra estación."),
                  m_conexion->origen());
        m_conexion->Errors.push_back(e);
        throw e;
    }
    if (m_edicion == Edicion::Nueva) {
        m_filas.push_back(m_buffer);
        m_pos = int(m_filas.size()) - 1;
    } else {
        m_filas[size_t(m_pos)] = m_buffer;
    }
    CancelUpdate();
}
