#pragma once

#include "register/Entregas.h"
#include "register/LineaRegistro.h"
#include "register/RegistroCargado.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

// The register as the clerk has it open, without widgets: the period as loaded, the
// decimals in force, and what the save under way stored. Its writes go over what this
// station read, so another station's save since is found, never overwritten unseen.
class SesionRegistro
{
public:
    RegistroCargado& Cargado() { return m_cargado; }
    const RegistroCargado& Cargado() const { return m_cargado; }
    int Decimales() const { return m_decimales; }
    void PonerDecimales(int decimales) { m_decimales = decimales; }

    // A save starts: nothing stored by it yet, nothing failed.
    void EmpezarGrabacion();
    // The accounts this save stored, named for the clerk.
    const QStringList& Grabadas() const { return m_grabadas; }
    // Something of this save failed, even when the clerk went past it.
    bool Incompleta() const { return m_incompleta; }
    void MarcarIncompleta() { m_incompleta = true; }

    enum class Escritura { Grabada, OtroPuesto };
    // One account's lines over what this station read of it (nothing, when it read
    // nothing). OtroPuesto: another station stored it since; what it holds is Encontradas().
    // A database that already holds exactly these lines (a COMMIT whose answer was lost)
    // counts as stored.
    Escritura GrabarCuenta(const QString& cuenta, const std::vector<LineaRegistro>& lineas);
    // Over what the clerk was told the other station stored, and nothing newer.
    Escritura ReemplazarEncontradas(const QString& cuenta, const std::vector<LineaRegistro>& lineas);
    // An account shown on a tab with nothing stored yet: its empty days, unless another
    // station stored it meanwhile (then theirs stays). True when this one wrote it.
    bool GrabarCuentaVacia(const QString& cuenta);
    const std::vector<LineaRegistro>& Encontradas() const { return m_encontradas; }
    // The users the clerk replaced, with their stored lines.
    void QuitarReemplazados();

    // The header's settings by their boxes' field names (TITULO, HOJA, ONCCA, Decimales,
    // MEDIDA, linea), against what is stored. The sheet number is the loaded period's; with
    // no period loaded it counts as unchanged.
    using Encabezado = QHash<QString, QString>;
    // Their field names, in the question's order.
    static QStringList CamposDeAjuste();
    void TomarAjustesGuardados(const Encabezado& enPantalla);
    QString AjusteGuardado(const QString& campo) const;
    bool AjusteCambiado(const QString& campo, const QString& enPantalla) const;
    // The changed ones named for the clerk, in the question's order.
    QStringList AjustesCambiados(const Encabezado& enPantalla) const;
    // "Cambió el encabezado:" and each old and new value; empty when nothing changed.
    QString CambiosDelEncabezado(const Encabezado& enPantalla) const;

    // What a save would write, account by account: the grid's lines when they changed (or
    // the account has nothing stored); with `todo`, the users removed and the accounts
    // shown with nothing stored yet too.
    std::vector<RegistroTolvario::CambioPrevisto> CambiosPrevistos(bool todo, const std::vector<LineaRegistro>& enGrilla,
                                                                   const QStringList& mostradas) const;
    // Of the accounts shown, those with nothing stored in the period yet, but the grid's.
    QStringList CuentasSinGrabar(const QStringList& mostradas) const;
    // What a change moves besides itself, as the clerk is told before it is written.
    static QString TextoDeDeriva(const RegistroTolvario::Deriva& d);

    // "Molino" for the mill, the code for a user.
    static QString NombreDeCuenta(const QString& cuenta);

private:
    void anotarGrabada(const QString& cuenta, const std::vector<LineaRegistro>& lineas);

    RegistroCargado m_cargado;
    int m_decimales = -2;
    QStringList m_grabadas;
    std::vector<LineaRegistro> m_encontradas; // what another station had stored instead
    bool m_incompleta = false;
    Encabezado m_ajustesGuardados;
};
