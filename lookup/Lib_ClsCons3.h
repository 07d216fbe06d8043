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
    std::optional<QStringList> Cantidades;
    bool Checks = false;
    QVariant ValorDevuelto;
    QString gConnString;
    QString gRutaMascaraConsultas;
    bool gUsarMascarasConsultas = false;
    bool UsaCantidades = false;
    QString CampoDevuelto;

    // Opens the list or tree window on the table, view or statement `SQL` and leaves the
    // outcome in ValorDevuelto, Valores and Cantidades. `cmpsDevueltos` (the request's own
    // list, or nullptr) is emptied afterwards.
    void ConsultaSearch(QString SQL, QStringList* cmpsDevueltos, QString& Clave, QString& CampoBusqueda,
                        QString& Where, QString& SentenciaOpcional, bool& TreeView, QString& ValoresDefault);

    // The statement a lookup of `SQL` would show, without opening a window; nothing when
    // the mask is not configured for it (the request then warns the operator).
    std::optional<QString> Sentencia(const QString& SQL, QString& CampoBusqueda, QString& Where,
                                     const QString& SentenciaOpcional);

    // The start-up's side of the request; the settings are read here, once connected.
    void Configurar(const QString& textoConexion, bool usarMascaras, const QString& rutaMascaras) override;
    void CrearArchivoMascaras() override;

private:
    Lib_ClsCons3() = default;

    QString automatica(const QString& tabla, long long limite, QString& campoBusqueda, const QString& opcional);
    void abrirLista(const QString& sql, const QString& clave, QStringList* cmps, const QString& valoresDefault);
    void abrirArbol(const QString& sql);

    bool m_CfgUsaConsultaLIKE = false;
};
