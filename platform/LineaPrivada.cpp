#include "platform/LineaPrivada.h"

#include <QFile>
#include <QTextStream>
#include <cstdlib>
#include <cstring>

namespace LineaPrivada {

QString Tomar(const QString& indicada)
{
    if (indicada == QLatin1String("-")) {
        QFile entrada;
        if (!entrada.open(stdin, QIODevice::ReadOnly | QIODevice::Text))
            return {};
        return QString::fromUtf8(entrada.readLine()).trimmed();
    }
    if (!indicada.trimmed().isEmpty())
        return indicada.trimmed();
    static const char Nombre[] = "TOLVARIO_CONEXION";
    char* valor = std::getenv(Nombre);
    if (!valor)
        return {};
    const QString delEntorno = QString::fromLocal8Bit(valor).trimmed();
    // Removing the variable leaves its text where the process started, which
    // /proc/PID/environ still shows: the whole "NAME=value" is wiped first.
    char* entrada = valor - (sizeof(Nombre) - 1) - 1;
    std::memset(entrada, 0, std::strlen(entrada));
    unsetenv(Nombre);
    return delEntorno;
}

void BorrarArgumentos(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        if (argv[i])
            std::memset(argv[i], 0, std::strlen(argv[i]));
}

} // namespace LineaPrivada
