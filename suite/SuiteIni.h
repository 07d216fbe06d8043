#pragma once

#include <QString>

// The suite's local INI files, read as the classic profile functions read them: sections
// and keys without regard to case, the default when either is missing.
namespace SuiteIni {

// `archivo` without a folder is taken from the application folder.
QString Read(const QString& archivo, const QString& seccion, const QString& clave, const QString& defecto);

} // namespace SuiteIni
