#pragma once

#include <QString>

// What the start-up hands to the lookup request, which lives above it: the connection, the
// masks file and, when that file is missing, the order to create it.
class EnlaceConsultas
{
public:
    virtual ~EnlaceConsultas() = default;
    virtual void Configurar(const QString& textoConexion, bool usarMascaras, const QString& rutaMascaras) = 0;
    virtual void CrearArchivoMascaras() = 0;
};

// Not owned. Without one the start-up skips the lookup preparation.
void EstablecerEnlaceConsultas(EnlaceConsultas* enlace);
EnlaceConsultas* enlaceConsultas();
