#include "platform/LineaPrivada.h"

#include <QFile>
#include <QTextStream>
#include <cstdlib>
#include <cstring>
#include <unistd.h>
#include <vector>

namespace LineaPrivada {

namespace {

// Every TOLVARIO_CONEXION of the environment: its value read, then gone from the process's
// environment (programs started from here do not inherit it) and wiped from the block the
// process started with, which /proc/PID/environ shows.
QString sacarDelEntorno()
{
    static const char Prefijo[] = "TOLVARIO_CONEXION=";
    const size_t largo = sizeof(Prefijo) - 1;
    QString valor;
    std::vector<char*> entradas;
    for (char** e = environ; e && *e; ++e)
        if (std::strncmp(*e, Prefijo, largo) == 0) {
            if (entradas.empty())
                valor = QString::fromLocal8Bit(*e + largo).trimmed();
            entradas.push_back(*e);
        }
    if (entradas.empty())
        return {};
    unsetenv("TOLVARIO_CONEXION");
    for (char* entrada : entradas)
        std::memset(entrada, 0, std::strlen(entrada));
    return valor;
}

} // namespace

QString Tomar(const QString& indicada)
{
    // Out of the environment whichever way the line came.
    const QString delEntorno = sacarDelEntorno();
    if (indicada == QLatin1String("-")) {
        QFile entrada;
        if (!entrada.open(stdin, QIODevice::ReadOnly | QIODevice::Text))
            return {};
        return QString::fromUtf8(entrada.readLine()).trimmed();
    }
    if (!indicada.trimmed().isEmpty())
        return indicada.trimmed();
    return delEntorno;
}

void BorrarArgumentos(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (argv[i])
            std::memset(argv[i], 0, std::strlen(argv[i]));
}

} // namespace LineaPrivada
