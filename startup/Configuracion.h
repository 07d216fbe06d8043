#pragma once

#include "platform/Importe.h"

#include <QString>
#include <QStringList>
#include <QVariant>

// The suite's settings, key/value rows of the shared settings table.
inline QString gTablaConfiguracion;

// The suite-wide settings loaded once at start-up. Only CantidadDecimales is read by this
// module (the money format); the rest is held for the suite's other modules.
struct ConfiguracionSuite {
    bool MostrarStockenConsultas = false;
    QString TituloClientes;
    QString TituloProveedores;
    QString ArchivoTareas;
    bool ExigeClaveConsultaLikeArticulos = false;
    bool UsaConsultaLike = false;
    QString CantidadDecimales;
    bool UsaMultiplesMonedas = false;
    bool UsaFacturaProforma = false;
    bool UsaCCosto = false;
    bool UsaStkStockUdKg = false;
    QString UNegocio;
    QString UnidadM3;
    QString UnidadBL;
    QString UnidadKG;
    int16_t Periodo = 0;
    bool ValidaCodigoBarra = false;
    bool Cargada = false;
    bool ModuloOrdenDeTrabajo = true;
    bool VModificaCPrecio = false;
    bool CModificaCPrecio = false;
    bool Maderera = false;
    QString MadTiras, MadP2, MadML, MadM2, MadHojas, MadMLP2, MadM2P2, MadMLM2;
    QString CuentaCtroDist;
    Importe MaxDto;
    bool PideClaveStockNeg = false;
    bool PideClaveMarkUpBase = false;
    bool PideClaveLimiteCredito = false;
    bool SSBloqueoActivo = false;
    QString TopDefault;
};

inline ConfiguracionSuite gConfiguracion;

// The value of a key; a key without a row reads as a single blank. `auxiliar` gets the
// row's auxiliary value (empty when there is none).
QString LeerConfiguracion(const QString& clave, QString& auxiliar);
QString LeerConfiguracion(const QString& clave);
// Adds or updates the row of the key (stored trimmed and in upper case).
void GrabarConfiguracion(const QString& clave, const QVariant& valor, const QString& auxiliar = {},
                         bool politicaNegocio = false, const QString& grupo = QStringLiteral("DATOS"));

// While the first one lasts, the keys the start-up reads (the suite's, the lookup's and
// `delModulo`) are read together in one statement the first time one of them is asked for,
// and answered from that read; a key stored meanwhile is read alone again.
class LecturaDeInicio
{
public:
    explicit LecturaDeInicio(const QStringList& delModulo = {});
    ~LecturaDeInicio();
    LecturaDeInicio(const LecturaDeInicio&) = delete;
    LecturaDeInicio& operator=(const LecturaDeInicio&) = delete;

private:
    bool m_primera;
};

// The suite settings loaded once, after the connection is open.
void CargarConfiguracion(const QString& rutaAplicacion);
