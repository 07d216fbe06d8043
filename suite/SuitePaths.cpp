#include "suite/SuitePaths.h"

namespace SuitePaths {

namespace {
QString& carpeta()
{
    static QString c;
    return c;
}
} // namespace

void SetFolder(const QString& c)
{
    carpeta() = c;
}

QString Folder()
{
    return carpeta();
}

} // namespace SuitePaths
