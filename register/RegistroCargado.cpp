#include "register/RegistroCargado.h"

namespace {

bool mismaCuenta(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

} // namespace

void RegistroCargado::Empezar(const QString& periodo, const QStringList& guardadas)
{
    Vaciar();
    m_periodo = periodo;
    for (const QString& c : guardadas) {
        m_guardadas.insert(c.trimmed().toUpper());
        if (c.trimmed().compare(QStringLiteral("MOLINO"), Qt::CaseInsensitive) != 0)
            m_usuariosAlEmpezar << c.trimmed();
    }
}

void RegistroCargado::Vaciar()
{
    *this = RegistroCargado();
}

QString RegistroCargado::Cuenta(int tab) const
{
    if (tab == 0)
        return QStringLiteral("MOLINO");
    return tab > 0 && tab < Tabs ? m_cuentas[size_t(tab)] : QString();
}

void RegistroCargado::PonerCuenta(int tab, const QString& cuenta)
{
    if (tab > 0 && tab < Tabs)
        m_cuentas[size_t(tab)] = cuenta.trimmed();
}

int RegistroCargado::TabDe(const QString& cuenta) const
{
    for (int tab = 0; tab < Tabs; ++tab)
        if (!cuenta.isEmpty() && mismaCuenta(Cuenta(tab), cuenta))
            return tab;
    return -1;
}

bool RegistroCargado::Guardada(const QString& cuenta) const
{
    return m_guardadas.contains(cuenta.trimmed().toUpper());
}

void RegistroCargado::MarcarGuardada(const QString& cuenta, bool guardada)
{
    if (guardada)
        m_guardadas.insert(cuenta.trimmed().toUpper());
    else
        m_guardadas.remove(cuenta.trimmed().toUpper());
}

QStringList RegistroCargado::Guardadas() const
{
    QStringList todas(m_guardadas.cbegin(), m_guardadas.cend());
    todas.sort();
    if (todas.removeOne(QStringLiteral("MOLINO")))
        todas.prepend(QStringLiteral("MOLINO"));
    return todas;
}

QString RegistroCargado::CodigoCargado(int tab) const
{
    return tab > 0 && tab < Tabs ? m_codigosCargados[size_t(tab)] : QString();
}

void RegistroCargado::PonerCodigoCargado(int tab, const QString& codigo)
{
    if (tab > 0 && tab < Tabs)
        m_codigosCargados[size_t(tab)] = codigo.trimmed();
}

void RegistroCargado::Agregar(const QString& cuenta)
{
    if (!m_agregadas.contains(cuenta, Qt::CaseInsensitive))
        m_agregadas << cuenta;
}

QStringList RegistroCargado::AgregadasSinGrabar() const
{
    QStringList pendientes;
    for (const QString& c : m_agregadas)
        if (!Guardada(c) && TabDe(c) > 0)
            pendientes << c;
    return pendientes;
}

void RegistroCargado::CargarGrilla(const QString& cuenta, std::vector<LineaRegistro> lineas, bool soloLectura)
{
    m_enGrilla = cuenta;
    m_alCargar = std::move(lineas);
    m_soloLectura = soloLectura;
}

void RegistroCargado::SoltarGrilla()
{
    m_enGrilla.clear();
    m_alCargar.clear();
    m_soloLectura = false;
}

bool RegistroCargado::GrillaCambio(const std::vector<LineaRegistro>& ahora) const
{
    return !m_enGrilla.isEmpty() && !m_soloLectura && ahora != m_alCargar;
}

void RegistroCargado::GrillaGrabada(std::vector<LineaRegistro> lineas)
{
    m_alCargar = std::move(lineas);
    MarcarGuardada(m_enGrilla, true);
}

void RegistroCargado::Quitar(const QString& cuenta)
{
    NoQuitar(cuenta);
    m_quitar << cuenta;
}

void RegistroCargado::NoQuitar(const QString& cuenta)
{
    m_quitar.removeIf([&](const QString& c) { return mismaCuenta(c, cuenta); });
}

void RegistroCargado::Quitadas()
{
    for (const QString& c : std::as_const(m_quitar))
        MarcarGuardada(c, false);
    m_quitar.clear();
}

void RegistroCargado::PonerLeidas(const QString& cuenta, std::vector<LineaRegistro> lineas)
{
    m_leidas.insert(cuenta.trimmed().toUpper(), std::move(lineas));
}

const std::vector<LineaRegistro>* RegistroCargado::Leidas(const QString& cuenta) const
{
    const auto it = m_leidas.constFind(cuenta.trimmed().toUpper());
    return it == m_leidas.cend() ? nullptr : &*it;
}
