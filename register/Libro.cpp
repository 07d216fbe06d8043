#include "register/Libro.h"

#include "register/Planilla.h"
#include "suite/SuiteUtil.h"

int DecimalesDelLibro(const QString& texto)
{
    return Planilla::Decimales(texto);
}

int LineaInicialDelLibro(const QString& texto)
{
    // Beyond a page or so the book would start past what anyone prints.
    const int64_t l = SuiteUtil::TextToAmountOrZero(texto).entero();
    return l <= 0 || l > 1000 ? 4 : int(l);
}
