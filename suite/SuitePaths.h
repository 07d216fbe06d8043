#pragma once

#include <QString>

// The suite's record of the application folder, for the reports of other modules.
namespace SuitePaths {

void SetFolder(const QString& carpeta);
QString Folder();

} // namespace SuitePaths
