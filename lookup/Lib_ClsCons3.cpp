#include "lookup/Lib_ClsCons3.h"

#include <memory>

namespace {
std::unique_ptr<Lib_ClsCons3>& unica()
{
    static std::unique_ptr<Lib_ClsCons3> u;
    return u;
}
} // namespace

Lib_ClsCons3& Lib_ClsCons3::Instancia()
{
    auto& u = unica();
    if (!u)
        u.reset(new Lib_ClsCons3);
    return *u;
}

void Lib_ClsCons3::Liberar()
{
    unica().reset();
}

void Lib_ClsCons3::Configurar(const QString& textoConexion, bool usarMascaras, const QString& rutaMascaras)
{
    gConnString = textoConexion;
    gUsarMascarasConsultas = usarMascaras;
    gRutaMascaraConsultas = rutaMascaras;
}

void Lib_ClsCons3::CrearArchivoMascaras()
{
    // The default masks are written by the masks-file module of the lookups; until it
    // exists the lookups derive their columns from the table itself.
}
