#pragma once

#include "platform/Unidades.h"

#include <QMap>
#include <QTemporaryDir>

// Drives made of folders of a temporary directory, each with the kind the test gives it.
// Formatting one empties its folder and writes the label into "ETIQUETA".
class UnidadesDeCarpeta : public Unidades::Proveedor
{
public:
    // Creates the folder `nombre` and returns its path, the drive's text.
    QString Agregar(const QString& nombre, Unidades::Tipo tipo);
    // A new stick: no file system, mounted nowhere (its folder does not exist until it is
    // formatted).
    QString AgregarSinFormato(const QString& nombre);
    // The disk is pulled out: no longer listed.
    void Quitar(const QString& ruta);

    QList<Unidades::Unidad> Lista() override;
    Unidades::Tipo TipoDe(const QString& ruta) override;
    QString Formatear(const QString& ruta, const QString& etiqueta) override;
    Unidades::Unidad Datos(const QString& ruta) override;

    QStringList formateadas;
    // Where a formatted disk turns up next (empty: where it was), and a format that fails.
    QString montarDespuesEn;
    bool fallaFormato = false;
    // The disk is pulled out right after the format, before anything is copied onto it.
    bool retiradoTrasFormato = false;

private:
    QTemporaryDir m_raiz;
    QList<Unidades::Unidad> m_unidades;
};
