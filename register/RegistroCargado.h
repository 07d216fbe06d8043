#pragma once

#include "register/LineaRegistro.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>
#include <array>
#include <vector>

// The period on screen as it was loaded: the period, the account each tab stands for, which
// accounts have lines stored, the grid's account and its lines as loaded, the sheet number.
// Every command of the window acts on this, never on what a box holds at that moment.
class RegistroCargado
{
public:
    static constexpr int Tabs = 6; // the mill and five users

    bool Hay() const { return !m_periodo.isEmpty(); }
    const QString& Periodo() const { return m_periodo; }
    // A period begins: `guardadas` are the accounts with lines stored in it.
    void Empezar(const QString& periodo, const QStringList& guardadas);
    void Vaciar();

    // "MOLINO" on tab 0; on 1 to 5 the customer the tab was shown with (empty when none).
    QString Cuenta(int tab) const;
    void PonerCuenta(int tab, const QString& cuenta);
    // The tab (0 to 5) that stands for the account, or -1.
    int TabDe(const QString& cuenta) const;

    bool Guardada(const QString& cuenta) const;
    void MarcarGuardada(const QString& cuenta, bool guardada);
    // The accounts with lines stored, the mill first, for the clerk to read.
    QStringList Guardadas() const;
    // The users (every account but the mill) the period had stored when it began, in the
    // order the database gave them.
    const QStringList& UsuariosAlEmpezar() const { return m_usuariosAlEmpezar; }

    // The code a user box was loaded with, a customer or not (a stored account that is no
    // customer has a box but no tab).
    QString CodigoCargado(int tab) const;
    void PonerCodigoCargado(int tab, const QString& codigo);
    // The code user box k stands for: its customer's, or the stored one it was loaded with.
    QString CodigoDeUsuario(int tab) const { return Cuenta(tab).isEmpty() ? CodigoCargado(tab) : Cuenta(tab); }
    // A user the clerk added to the period: pending until it is stored.
    void Agregar(const QString& cuenta);
    QStringList AgregadasSinGrabar() const;

    // What the account held in the database when this station read it, or last stored it:
    // a save checks the database still holds that. Null when it was never read.
    void PonerLeidas(const QString& cuenta, std::vector<LineaRegistro> lineas);
    const std::vector<LineaRegistro>* Leidas(const QString& cuenta) const;

    // The account on the grid and its lines as loaded; a read-only one is never written.
    void CargarGrilla(const QString& cuenta, std::vector<LineaRegistro> lineas, bool soloLectura);
    void SoltarGrilla();
    const QString& CuentaEnGrilla() const { return m_enGrilla; }
    bool GrillaSoloLectura() const { return m_soloLectura; }
    bool GrillaCambio(const std::vector<LineaRegistro>& ahora) const;
    void GrillaGrabada(std::vector<LineaRegistro> lineas);

    // Users replaced in the period whose stored lines go with the next save.
    const QStringList& AQuitar() const { return m_quitar; }
    void Quitar(const QString& cuenta);
    void NoQuitar(const QString& cuenta);
    void Quitadas();

    const QString& Hoja() const { return m_hoja; }
    void PonerHoja(const QString& hoja) { m_hoja = hoja; }
    // The sheet number the database held for the period (as it is, trimmed) when it was
    // loaded or this station last stored one; empty when it held none.
    const QString& HojaGuardada() const { return m_hojaGuardada; }
    void PonerHojaGuardada(const QString& hoja) { m_hojaGuardada = hoja; }

private:
    QString m_periodo;
    std::array<QString, Tabs> m_cuentas;
    QSet<QString> m_guardadas; // upper case: accounts compare without regard to case
    QStringList m_usuariosAlEmpezar;
    std::array<QString, Tabs> m_codigosCargados;
    QStringList m_agregadas;
    QHash<QString, std::vector<LineaRegistro>> m_leidas; // upper case
    QString m_enGrilla;
    std::vector<LineaRegistro> m_alCargar;
    bool m_soloLectura = false;
    QStringList m_quitar;
    QString m_hoja;
    QString m_hojaGuardada;
};
