#include "register/SesionRegistro.h"

#include "register/Planilla.h"
#include "register/RegistroTolvario.h"

void SesionRegistro::EmpezarGrabacion()
{
    m_grabadas.clear();
    m_incompleta = false;
}

SesionRegistro::Escritura SesionRegistro::GrabarCuenta(const QString& cuenta, const std::vector<LineaRegistro>& lineas)
{
    const std::vector<LineaRegistro> ninguna;
    const std::vector<LineaRegistro>* leidas = m_cargado.Leidas(cuenta);
    if (RegistroTolvario::GrabarCuenta(m_cargado.Periodo(), cuenta, lineas, leidas ? leidas : &ninguna, &m_encontradas)
        || m_encontradas == lineas) {
        anotarGrabada(cuenta, lineas);
        return Escritura::Grabada;
    }
    return Escritura::OtroPuesto;
}

SesionRegistro::Escritura SesionRegistro::ReemplazarEncontradas(const QString& cuenta, const std::vector<LineaRegistro>& lineas)
{
    const std::vector<LineaRegistro> vistas = m_encontradas;
    if (!RegistroTolvario::GrabarCuenta(m_cargado.Periodo(), cuenta, lineas, &vistas, &m_encontradas))
        return Escritura::OtroPuesto;
    anotarGrabada(cuenta, lineas);
    return Escritura::Grabada;
}

bool SesionRegistro::GrabarCuentaVacia(const QString& cuenta)
{
    const std::vector<LineaRegistro> ninguna;
    const bool escrita = RegistroTolvario::GrabarCuenta(m_cargado.Periodo(), cuenta, Planilla().LineasDeDia(), &ninguna);
    if (escrita)
        m_grabadas << NombreDeCuenta(cuenta);
    m_cargado.MarcarGuardada(cuenta, true);
    return escrita;
}

void SesionRegistro::QuitarReemplazados()
{
    RegistroTolvario::QuitarCuentas(m_cargado.Periodo(), m_cargado.AQuitar());
    m_cargado.Quitadas();
}

QString SesionRegistro::NombreDeCuenta(const QString& cuenta)
{
    return cuenta.compare(QStringLiteral("MOLINO"), Qt::CaseInsensitive) == 0 ? QStringLiteral("Molino") : cuenta;
}

void SesionRegistro::anotarGrabada(const QString& cuenta, const std::vector<LineaRegistro>& lineas)
{
    // What is stored now is what the next save must find there.
    if (m_cargado.CuentaEnGrilla().compare(cuenta, Qt::CaseInsensitive) == 0)
        m_cargado.GrillaGrabada(lineas);
    m_cargado.PonerLeidas(cuenta, lineas);
    m_grabadas << NombreDeCuenta(cuenta);
}
