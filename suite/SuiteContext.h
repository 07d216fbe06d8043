#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QWidget;

// What the suite knows of the running context: who and where, the windows open, and the
// desktop's handling of files.
namespace SuiteContext {

QString Identity1(); // the machine
QString Identity2(); // the person logged on to it

void RegisterWindow(QWidget* ventana);
int RegisteredWindows();
void Release();

// Starts a program; returns false when it could not be started. Tests replace it.
using Lanzador = std::function<bool(const QString& programa, const QStringList& argumentos)>;
void EstablecerLanzador(Lanzador lanzador);

// Hands a file to the desktop: "Print" prints it, any other verb opens it. A missing
// program is said to the operator.
void ShellVerb(const QString& verbo, const QString& archivo, const QString& parametros,
               const QString& carpeta, int modo);

} // namespace SuiteContext
