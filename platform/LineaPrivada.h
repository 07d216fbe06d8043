#pragma once

#include <QString>

// The connection line carries the password: other users of the machine must not read it in
// the process list. These take it from where a caller can put it unseen, and wipe it from
// where it was seen.
namespace LineaPrivada {

// Exit codes the suite's menu can tell apart.
enum Salida { Normal = 0, BaseDesactualizada = 1, Uso = 2, SinConexion = 3, OtraVentana = 4 };

// The line: `indicada` as given on the command line; "-" reads one line from standard input;
// empty takes the environment variable TOLVARIO_CONEXION, removed once read so programs
// started from here do not inherit it.
QString Tomar(const QString& indicada);

// Blanks the process's own arguments (argv[1] on), which ps and /proc/PID/cmdline show to
// every user. Call it once they have been read.
void BorrarArgumentos(int argc, char** argv);

} // namespace LineaPrivada
