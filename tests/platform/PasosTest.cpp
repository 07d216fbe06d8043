#include "platform/Operador.h"
#include "platform/Pasos.h"

#include <gtest/gtest.h>
#include <stdexcept>
#include <vector>

namespace {

// Answers from a list and remembers the errors it was shown.
struct Respondedor {
    std::vector<int> respuestas;
    std::vector<long> vistos;
    Pasos::Informador informador()
    {
        return [this](const ErrorVB& e) {
            vistos.push_back(e.Number);
            const int r = respuestas.front();
            respuestas.erase(respuestas.begin());
            return r;
        };
    }
};

} // namespace

TEST(Pasos, ReintentarRepiteElPasoQueFallo)
{
    Respondedor r{{Operador::Reintentar}};
    int intentos = 0, despues = 0;
    const bool ok = Pasos::Ejecutar({
        [&] { if (++intentos == 1) throw ErrorVB(3021, QStringLiteral("sin fila")); },
        [&] { ++despues; },
    }, r.informador());
    EXPECT_TRUE(ok);
    EXPECT_EQ(intentos, 2);
    EXPECT_EQ(despues, 1);
    EXPECT_EQ(r.vistos, std::vector<long>{3021});
}

TEST(Pasos, IgnorarSigueYOtraRespuestaSale)
{
    Respondedor r{{Operador::Ignorar, Operador::Abortar}};
    std::vector<int> corridos;
    const bool ok = Pasos::Ejecutar({
        [&] { corridos.push_back(1); throw ErrorVB(13, QStringLiteral("tipos")); },
        [&] { corridos.push_back(2); throw std::runtime_error("interno"); },
        [&] { corridos.push_back(3); },
    }, r.informador());
    EXPECT_FALSE(ok);
    EXPECT_EQ(corridos, (std::vector<int>{1, 2}));
    ASSERT_EQ(r.vistos.size(), 2u);
}

TEST(Pasos, ErrorCincoSeSaltaSinPreguntarSoloSiSePide)
{
    Respondedor r{{Operador::Cancelar}};
    int tercero = 0;
    EXPECT_TRUE(Pasos::Ejecutar({
        [&] { throw ErrorVB(ErrorVB::LlamadaInvalida, QStringLiteral("argumento")); },
        [&] { ++tercero; },
    }, r.informador(), {.ignorarError5 = true}));
    EXPECT_TRUE(r.vistos.empty());
    EXPECT_EQ(tercero, 1);

    EXPECT_FALSE(Pasos::Ejecutar({[&] { throw ErrorVB(ErrorVB::LlamadaInvalida, QStringLiteral("argumento")); }},
                                 r.informador()));
    EXPECT_EQ(r.vistos.size(), 1u);
}

TEST(Pasos, SinReintentoElReintentarSale)
{
    Respondedor r{{Operador::Reintentar}};
    int intentos = 0;
    EXPECT_FALSE(Pasos::Ejecutar({[&] { ++intentos; throw ErrorVB(1, QStringLiteral("x")); }}, r.informador(),
                                 {.permiteReintento = false}));
    EXPECT_EQ(intentos, 1);
}

TEST(Operador, RespuestaPorDefectoSigueElBotonMarcado)
{
    EXPECT_EQ(Operador::RespuestaPorDefecto(Operador::SiNo + Operador::Pregunta), Operador::Si);
    EXPECT_EQ(Operador::RespuestaPorDefecto(Operador::SiNo + Operador::Pregunta + Operador::SegundoBoton), Operador::No);
    EXPECT_EQ(Operador::RespuestaPorDefecto(Operador::AbortarReintentarIgnorar + Operador::Critico), Operador::Abortar);
    EXPECT_EQ(Operador::RespuestaPorDefecto(Operador::Informacion), Operador::Aceptar);
}
