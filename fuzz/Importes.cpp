// Amounts from any text, and every text the quantity formatter writes reads back to the same
// amount, under a point and a comma locale.
#include "fuzz/Objetivos.h"
#include "platform/ErrorVB.h"
#include "platform/Regional.h"
#include "startup/Formatos.h"
#include "suite/SuiteUtil.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* datos, size_t largo)
{
    Importe valor;
    try {
        valor = SuiteUtil::TextToAmount(TextoDe(datos, largo));
    } catch (const ErrorVB& e) {
        EXIGIR(e.Number == ErrorVB::Desbordamiento);
        return 0;
    }
    for (QChar separador : {QChar(u'.'), QChar(u',')}) {
        Regional::Establecer(Regional::Ajustes{separador, 2});
        for (int d : {-2, 0, 1, 2, 3, 4}) {
            const int efectivos = d == -2 ? 0 : (d == 0 ? 2 : d);
            Importe redondeado;
            try {
                redondeado = valor.redondeado(efectivos);
            } catch (const ErrorVB&) {
                continue; // rounding up past the largest amount
            }
            const QString texto = FormatoCantidad(valor.texto(), d);
            EXIGIR(SuiteUtil::TextToAmount(texto) == redondeado);
        }
    }
    Regional::Establecer(std::nullopt);
    return 0;
}
