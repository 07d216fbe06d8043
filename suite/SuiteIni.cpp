#include "suite/SuiteIni.h"

#include "platform/Carpetas.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

namespace SuiteIni {

QString Read(const QString& archivo, const QString& seccion, const QString& clave, const QString& defecto)
{
    QString ruta = archivo;
    if (QFileInfo(archivo).isRelative())
        ruta = QDir(Carpetas::Aplicacion()).filePath(archivo);
    QFile f(ruta);
    if (!f.open(QIODevice::ReadOnly | QIODevice::Text))
        return defecto;
    QTextStream in(&f);
    bool enSeccion = false;
    while (!in.atEnd()) {
        const QString linea = in.readLine().trimmed();
        if (linea.isEmpty() || linea.startsWith(u';'))
            continue;
        if (linea.startsWith(u'[') && linea.endsWith(u']')) {
            enSeccion = linea.mid(1, linea.size() - 2).trimmed().compare(seccion.trimmed(), Qt::CaseInsensitive) == 0;
            continue;
        }
        if (!enSeccion)
            continue;
        const int igual = linea.indexOf(u'=');
        if (igual > 0 && linea.left(igual).trimmed().compare(clave.trimmed(), Qt::CaseInsensitive) == 0)
            return linea.mid(igual + 1).trimmed();
    }
    return defecto;
}

} // namespace SuiteIni
