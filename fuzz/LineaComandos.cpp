// The suite's command line: every key read from any text, never a crash.
#include "fuzz/Objetivos.h"
#include "startup/Inicio.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const QString comando = TextoDe(datos, largo);
    for (const char* clave : {"@Server", "@DbName", "@Usuario", "@Password", "@UsuarioLogeado", "@Caja", "@Menu"}) {
        bool hallada = false;
        const QString valor = ValorDeClave(comando, QString::fromLatin1(clave), &hallada);
        EXIGIR(hallada || valor.isEmpty());
        EXIGIR(!valor.contains(u';'));
    }
    return 0;
}
