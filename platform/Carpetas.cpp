#include "platform/Carpetas.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace Carpetas {

namespace {
QString& elegida()
{
    static QString c;
    return c;
}
QString& linea()
{
    static QString l;
    return l;
}
} // namespace

QString Aplicacion()
{
    QString& c = elegida();
    if (c.isEmpty()) {
        const QString exe = QCoreApplication::instance() ? QCoreApplication::applicationDirPath() : QDir::currentPath();
        if (QFileInfo(exe).isWritable()) {
            c = exe;
        } else {
            c = QStandardPaths::writableLocation(QStandardPaths::AppDataLocation);
            QDir().mkpath(c);
        }
    }
    return c;
}

void EstablecerAplicacion(const QString& carpeta)
{
    elegida() = carpeta;
    if (!carpeta.isEmpty())
        QDir().mkpath(carpeta);
}

QString LineaComandos()
{
    return linea();
}

void EstablecerLineaComandos(const QString& texto)
{
    linea() = texto;
}

} // namespace Carpetas
