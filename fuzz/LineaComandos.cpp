// The suite's command line: every key read from any text, never a crash; and a line the
// menu writes (its keys in their order, values without the separators) gives every value
// back as it was written.
#include "fuzz/Objetivos.h"
#include "startup/Inicio.h"

#include <QStringList>

namespace {

const char* const Claves[] = {"@Server", "@DbName", "@Usuario", "@Password", "@UsuarioLogeado", "@Caja", "@Menu"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    const QString comando = TextoDe(datos, largo);
    for (const char* clave : Claves) {
        bool hallada = false;
        const QString valor = ValorDeClave(comando, QString::fromLatin1(clave), &hallada);
        EXIGIR(hallada || valor.isEmpty());
        EXIGIR(!valor.contains(u';'));
    }

    // The same bytes as the values of a line the menu would write.
    QStringList valores = comando.split(u'\n');
    QString linea;
    for (int i = 0; i < int(std::size(Claves)); ++i) {
        QString v = i < valores.size() ? valores[i] : QString();
        v.remove(u';').remove(u'@').remove(u'=');
        valores.resize(qMax(valores.size(), i + 1));
        valores[i] = v.trimmed();
        linea += QString::fromLatin1(Claves[i]) + u'=' + valores[i] + u';';
    }
    for (int i = 0; i < int(std::size(Claves)); ++i)
        EXIGIR(ValorDeClave(linea, QString::fromLatin1(Claves[i])) == valores[i]);
    return 0;
}
