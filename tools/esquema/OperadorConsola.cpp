#include "tools/esquema/OperadorConsola.h"

#include <cstdio>
#include <cstdlib>

int OperadorConsola::Mensaje(const QString& texto, int estilo, const QString& titulo)
{
    QString t = texto;
    t.replace(u'\r', u'\n');
    std::fprintf(stderr, "%s: %s\n", qPrintable(titulo.trimmed()), qPrintable(t));
    switch (estilo & 7) {
    case AceptarCancelar:
    case ReintentarCancelar:
        return Cancelar;
    case AbortarReintentarIgnorar:
        return Abortar;
    case SiNoCancelar:
        return Cancelar;
    case SiNo:
        return No;
    default:
        return Aceptar;
    }
}

QString OperadorConsola::Entrada(const QString& pregunta, const QString&, const QString&)
{
    std::fprintf(stderr, "%s\n", qPrintable(pregunta));
    return {};
}

void OperadorConsola::Terminar(int codigo)
{
    std::fflush(stderr);
    std::exit(codigo);
}
