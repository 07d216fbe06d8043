#pragma once

#include "startup/EnlaceConsultas.h"

#include <QString>
#include <QStringList>
#include <QVariant>
#include <optional>

// The shared lookup request: callers set what they want back, ask, and read the answer
// from its public fields.
class Lib_ClsCons3 : public EnlaceConsultas
{
public:
    static Lib_ClsCons3& Instancia();
    static void Liberar();

    QVariant StkNivel1 = 0;
    QVariant StkNivel2 = 0;
    QVariant StkNivel3 = 0;
    QVariant StkNivel4 = 0;
    QString MuestraStock;
    QStringList CmpsDevueltos;
    QStringList Valores;
    std::optional<QVariantList> Cantidades;
    bool Checks = false;
    QVariant ValorDevuelto;
    QString gConnString;
    QString gRutaMascaraConsultas;
    bool gUsarMascarasConsultas = false;
    bool UsaCantidades = false;
    QString CampoDevuelto;

    // The start-up's side of the request.
    void Configurar(const QString& textoConexion, bool usarMascaras, const QString& rutaMascaras) override;
    void CrearArchivoMascaras() override;

private:
    Lib_ClsCons3() = default;
};
