#include "data/TextoConexion.h"

#include "data/Conexion.h"

#include "platform/ErrorVB.h"

#include <QDir>
#include <QFileInfo>
#include <QSqlDatabase>
#include <QUrl>

namespace TextoConexion {

QMap<QString, QString> Pares(const QString& texto)
{
    QMap<QString, QString> pares;
    int i = 0;
    const int n = texto.size();
    while (i < n) {
        const int igual = texto.indexOf(u'=', i);
        if (igual < 0)
            break;
        const QString clave = texto.mid(i, igual - i).trimmed().toLower();
        int j = igual + 1;
        while (j < n && texto[j] == u' ')
            ++j;
        QString valor;
        if (j < n && texto[j] == u'"') {
            ++j;
            while (j < n) {
                if (texto[j] == u'"') {
                    if (j + 1 < n && texto[j + 1] == u'"') {
                        valor += u'"';
                        j += 2;
                        continue;
                    }
                    ++j;
                    break;
                }
                valor += texto[j++];
            }
            const int pc = texto.indexOf(u';', j);
            i = pc < 0 ? n : pc + 1;
        } else {
            const int pc = texto.indexOf(u';', igual + 1);
            valor = texto.mid(igual + 1, (pc < 0 ? n : pc) - igual - 1).trimmed();
            i = pc < 0 ? n : pc + 1;
        }
        if (!clave.isEmpty())
            pares.insert(clave, valor);
    }
    return pares;
}

QString Valor(const QString& valor)
{
    if (valor.contains(u';') || valor.contains(u'"') || valor != valor.trimmed())
        return u'"' + QString(valor).replace(u'"', QStringLiteral("\"\"")) + u'"';
    return valor;
}

namespace {

QString primero(const QMap<QString, QString>& p, std::initializer_list<const char*> claves)
{
    for (const char* c : claves) {
        const auto it = p.find(QString::fromLatin1(c));
        if (it != p.end())
            return *it;
    }
    return {};
}

} // namespace

namespace {
bool proveedorOracle(const QString& proveedor)
{
    return proveedor.startsWith(QStringLiteral("OraOLEDB"), Qt::CaseInsensitive)
           || proveedor.compare(QStringLiteral("MSDAORA"), Qt::CaseInsensitive) == 0;
}
} // namespace

bool EsProveedorOracle(const QString& texto)
{
    return proveedorOracle(primero(Pares(texto), {"provider"}).trimmed());
}

DestinoConexion Interpretar(const QString& texto)
{
    const auto p = Pares(texto);
    const QString proveedor = primero(p, {"provider"}).trimmed();
    DestinoConexion d;
    d.usuario = primero(p, {"uid", "user id", "user"});
    d.clave = primero(p, {"pwd", "password"});

    if (proveedor.compare(QStringLiteral("SQLite"), Qt::CaseInsensitive) == 0) {
        d.driver = QStringLiteral("QSQLITE");
        d.dialecto = Dialecto::SQLite;
        d.origen = QStringLiteral("SQLite");
        // Opened read-write without creating it: a missing file is a failed connection. A
        // blank name would otherwise open a new database beside the program.
        const QString archivo = primero(p, {"data source", "database"});
        if (archivo.trimmed().isEmpty())
            throw ErrorVB(ErrorVB::FalloNoEspecificado, QStringLiteral("No se indicó el archivo de la base de datos."),
                          QStringLiteral("SQLite"), QStringLiteral("08001"));
        const QString ruta = QFileInfo(archivo).absoluteFilePath();
        d.base = QUrl::fromLocalFile(ruta).toString(QUrl::FullyEncoded) + QStringLiteral("?mode=rw");
        d.opciones = QStringLiteral("QSQLITE_OPEN_URI;QSQLITE_BUSY_TIMEOUT=%1").arg(Conexion::EsperaBloqueoMs);
    } else if (proveedor.compare(QStringLiteral("PostgreSQL"), Qt::CaseInsensitive) == 0) {
        d.driver = QStringLiteral("QPSQL");
        d.dialecto = Dialecto::PostgreSQL;
        d.origen = QStringLiteral("PostgreSQL");
        d.servidor = primero(p, {"server", "host"});
        bool ok = false;
        const int puerto = primero(p, {"port"}).toInt(&ok);
        d.puerto = ok ? puerto : 5432;
        d.base = primero(p, {"database", "initial catalog"});
        d.opciones = QStringLiteral("connect_timeout=10");
    } else if (proveedor.compare(QStringLiteral("SQLOLEDB"), Qt::CaseInsensitive) == 0) {
        d.driver = QStringLiteral("QODBC");
        d.dialecto = Dialecto::SqlServer;
        d.origen = QStringLiteral("Microsoft OLE DB Provider for SQL Server");
        QString servidor = primero(p, {"server", "data source"});
        QString puerto = QStringLiteral("1433");
        if (const int coma = servidor.indexOf(u','); coma >= 0) {
            puerto = servidor.mid(coma + 1).trimmed();
            servidor = servidor.left(coma).trimmed();
        }
        d.servidor = servidor;
        d.base = QStringLiteral("DRIVER={FreeTDS};SERVER=%1;PORT=%2;DATABASE=%3;TDS_Version=7.4;ClientCharset=UTF-8")
                     .arg(servidor, puerto, primero(p, {"database", "initial catalog"}));
    } else if (proveedorOracle(proveedor)) {
        d.dialecto = Dialecto::Oracle;
        d.origen = QStringLiteral("OraOLEDB");
        const QString fuente = primero(p, {"data source"});
        if (QSqlDatabase::isDriverAvailable(QStringLiteral("QOCI"))) {
            d.driver = QStringLiteral("QOCI");
            d.base = fuente;
        } else {
            d.driver = QStringLiteral("QODBC");
            d.base = QStringLiteral("DSN=%1").arg(fuente);
        }
    } else {
        throw ErrorVB(3706, QStringLiteral("No se encuentra el proveedor \"%1\" de la conexión.").arg(proveedor),
                      QStringLiteral("Tolvario"));
    }
    return d;
}

} // namespace TextoConexion
