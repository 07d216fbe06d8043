#include "register/SesionRegistro.h"

#include "suite/SuiteUtil.h"

#include <algorithm>

#include "register/Planilla.h"
#include "platform/Operador.h"
#include "register/RegistroTolvario.h"
#include "startup/Formatos.h"

namespace {

struct Ajuste {
    const char* campo;
    const char* nombre;
};

const Ajuste Ajustes[] = {
    {"TITULO", "Título"},          {"HOJA", "Hoja Nro"},
    {"ONCCA", "N° Registro ONCCA"}, {"Decimales", "Cantidad Decimales"},
    {"MEDIDA", "Cantidades expresadas en"}, {"linea", "Comenzar a imprimir en la linea"},
};

bool esHoja(const QString& campo)
{
    return campo.compare(QStringLiteral("HOJA"), Qt::CaseInsensitive) == 0;
}

} // namespace

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

SesionRegistro::Abierto SesionRegistro::AbrirPeriodo(const QString& periodo)
{
    Abierto a;
    m_cargado.Empezar(periodo, RegistroTolvario::CuentasDelPeriodo(periodo));
    // The period's own users were read with its accounts.
    a.usuarios = m_cargado.UsuariosAlEmpezar();
    a.propios = !a.usuarios.isEmpty();
    if (!a.propios)
        a.usuarios = RegistroTolvario::UsuariosDelPeriodo(PeriodoAnterior());
    // One read: the number as stored, and the one the period gets when it is none.
    const QString guardada = RegistroTolvario::HojaComoEsta(periodo);
    a.hoja = SuiteUtil::TextToAmountOrZero(guardada).esCero() ? RegistroTolvario::HojaSiguiente() : guardada;
    m_cargado.PonerHoja(a.hoja);
    m_cargado.PonerHojaGuardada(guardada);
    m_clientes.clear();
    const QHash<QString, RegistroTolvario::Cliente> clientes = RegistroTolvario::Clientes(a.usuarios);
    for (const QString& c : std::as_const(a.usuarios))
        m_clientes.insert(c.trimmed(), clientes.contains(c.trimmed()) ? std::optional(clientes.value(c.trimmed())) : std::nullopt);
    return a;
}

std::optional<RegistroTolvario::Cliente> SesionRegistro::Cliente(const QString& codigo)
{
    const QString c = codigo.trimmed();
    if (const auto it = m_clientes.constFind(c); it != m_clientes.constEnd())
        return *it;
    const QHash<QString, RegistroTolvario::Cliente> leido = RegistroTolvario::Clientes({c});
    if (!leido.contains(c))
        return std::nullopt; // not kept: a customer added meanwhile is taken at the next try
    m_clientes.insert(c, leido.value(c));
    return leido.value(c);
}

SesionRegistro::Encabezado SesionRegistro::LeerEncabezado(const QString& periodo)
{
    const RegistroTolvario::Ajustes a = RegistroTolvario::LeerAjustes();
    Encabezado e{{QStringLiteral("TITULO"), a.titulo.trimmed().isEmpty() ? QStringLiteral("libro de movimientos y existencia de Mercadería") : a.titulo},
                 {QStringLiteral("ONCCA"), a.oncca},
                 {QStringLiteral("Decimales"), a.decimales},
                 {QStringLiteral("MEDIDA"), a.medida},
                 {QStringLiteral("linea"), a.linea}};
    if (!periodo.isEmpty())
        e.insert(QStringLiteral("HOJA"), RegistroTolvario::Hoja(periodo));
    return e;
}

void SesionRegistro::AsignarDatos(const QString& cuenta)
{
    // Until this load completes the grid stands for no stored register: a failed load must
    // never be saved over the stored one.
    m_cargado.SoltarGrilla();
    m_planilla.Inicializar();
    ++m_cargasDeGrilla;
    // No period: an empty grid, not a stock of 0 on every day.
    if (!m_cargado.Hay())
        return;
    if (cuenta.trimmed().isEmpty()) {
        m_planilla.Asignar(Importe(), {}, m_decimales);
        return;
    }
    const QString periodo = m_cargado.Periodo();
    // Recovered: the account as this station had loaded it before the process ended, so a
    // save since by another station is asked about; the clerk's days over it, pending.
    const auto recuperada = std::find_if(m_recuperadas.begin(), m_recuperadas.end(), [&](const auto& c) {
        return c.cuenta.compare(cuenta, Qt::CaseInsensitive) == 0;
    });
    const bool deRecuperacion = recuperada != m_recuperadas.end();
    const RegistroTolvario::CuentaLeida leida = deRecuperacion ? RegistroTolvario::CuentaLeida{recuperada->leidas, SaldoInicialCuenta(cuenta)}
                                                               : RegistroTolvario::LeerCuenta(periodo, cuenta);
    const std::vector<LineaRegistro>& lineas = leida.lineas;
    const Importe saldo = leida.saldoAnterior;
    bool fueraDelMes = false;
    for (const LineaRegistro& l : lineas)
        fueraDelMes = fueraDelMes || l.dia < 1 || l.dia > 31;
    m_planilla.Asignar(saldo, lineas, m_decimales);
    m_cargado.PonerLeidas(cuenta, lineas);
    // Stored by now, whoever stored it: it is no longer new to the period.
    if (!lineas.empty())
        m_cargado.MarcarGuardada(cuenta, true);
    // What the grid holds as loaded, read back the way a save would write it: only a
    // difference from this is a change.
    m_cargado.CargarGrilla(cuenta, m_planilla.LineasDeDia(), fueraDelMes);
    if (deRecuperacion) {
        m_planilla.Asignar(saldo, lineasRecuperadas(*recuperada), m_decimales);
        m_recuperadas.erase(recuperada);
    }
    if (fueraDelMes)
        operador().Mensaje(QStringLiteral("El registro de ") + cuenta + QStringLiteral(" en ") + periodo
                               + QStringLiteral(" tiene días fuera del mes que la grilla no muestra: esta cuenta no se "
                                                "grabará desde aquí para no perderlos."),
                           Operador::Exclamacion + Operador::SoloAceptar, QStringLiteral("Aviso al operador..."));
}

Importe SesionRegistro::SaldoInicialCuenta(const QString& cuenta) const
{
    return RegistroTolvario::SaldoAnterior(m_cargado.Periodo(), cuenta);
}

QString SesionRegistro::PeriodoAnterior() const
{
    return RegistroTolvario::PeriodoAnterior(m_cargado.Periodo());
}

bool SesionRegistro::ReemplazarUsuario(int k, const QString& anterior, const QString& nuevo, bool alCargar, QString& aviso)
{
    // One customer, one tab: two tabs of one account would each store over the other.
    const int otra = m_cargado.TabDe(nuevo);
    if (otra > 0 && otra != k) {
        aviso = QStringLiteral(" El cliente %1 ya es el usuario %2 del período.").arg(nuevo).arg(otra);
        return false;
    }
    if (!anterior.isEmpty() && m_cargado.Hay() && m_cargado.Guardada(anterior)) {
        const int r = operador().Mensaje(QStringLiteral("El usuario %1 tiene movimientos grabados en %2.\n"
                                                        "¿Quitarlos del período al grabar? (No: %1 sigue como usuario %3)")
                                             .arg(anterior, m_cargado.Periodo())
                                             .arg(k),
                                         Operador::SiNo + Operador::Pregunta + Operador::SegundoBoton,
                                         QStringLiteral("Aviso al Operador"));
        if (r != Operador::Si)
            return false;
        m_cargado.Quitar(anterior);
    }
    m_cargado.NoQuitar(nuevo);
    // The grid stood for the customer replaced: it is that customer's, never the new one's.
    if (!anterior.isEmpty() && m_cargado.CuentaEnGrilla().compare(anterior, Qt::CaseInsensitive) == 0)
        m_cargado.SoltarGrilla();
    if (!alCargar) {
        m_cargado.Agregar(nuevo);
        m_diario.AnotarUsuario(m_cargado.Periodo(), k, nuevo);
    }
    m_cargado.PonerCodigoCargado(k, QString());
    return true;
}

bool SesionRegistro::BorrarPeriodo(const EnPantalla& e)
{
    const QStringList cuentas = m_cargado.Guardadas();
    QString pregunta = QStringLiteral("Confirma la baja de este registro?\n%1\nCuentas: %2")
                           .arg(m_cargado.Periodo(), cuentas.isEmpty() ? QStringLiteral("sin movimientos grabados") : cuentas.join(QStringLiteral(", ")));
    if (!Pendientes(e).isEmpty())
        pregunta += QStringLiteral("\nLos cambios sin grabar se perderán con el período.");
    // Its delivered book, and the months after it that carry its balance, are named; a check
    // the database cannot answer stops here, told by the caller's error step.
    const RegistroTolvario::Deriva deriva = RegistroTolvario::DerivaDeBorrar(m_cargado.Periodo());
    if (deriva.Hay())
        pregunta += QStringLiteral("\n\n") + TextoDeDeriva(deriva, m_decimales);
    if (operador().Mensaje(pregunta, Operador::SiNo + Operador::Exclamacion + Operador::SegundoBoton, QStringLiteral("Atención!"))
        != Operador::Si)
        return false;
    RegistroTolvario::BorrarPeriodo(m_cargado.Periodo());
    Descartar();
    return true;
}

void SesionRegistro::AnotarDia(int filaGrilla)
{
    const QString cuenta = m_cargado.CuentaEnGrilla();
    if (!m_cargado.Hay() || cuenta.isEmpty() || !Planilla::EsFilaDeDia(filaGrilla))
        return;
    const std::vector<LineaRegistro> dias = m_planilla.LineasDeDia();
    const size_t i = size_t(filaGrilla - Planilla::PrimeraFilaDia);
    if (i >= dias.size())
        return;
    const std::vector<LineaRegistro>* leidas = m_cargado.Leidas(cuenta);
    m_diario.AnotarDia(m_cargado.Periodo(), cuenta, leidas ? *leidas : std::vector<LineaRegistro>{}, dias[i]);
}

void SesionRegistro::Recuperar(const DiarioDeRecuperacion::Pendiente& p)
{
    m_recuperadas = p.cuentas;
}

void SesionRegistro::Descartar()
{
    m_recuperadas.clear();
    m_diario.Vaciar();
}

std::vector<LineaRegistro> SesionRegistro::lineasRecuperadas(const DiarioDeRecuperacion::Pendiente::Cuenta& c)
{
    std::vector<LineaRegistro> lineas;
    QMap<int, LineaRegistro> dias = c.dias;
    for (const LineaRegistro& l : c.leidas)
        lineas.push_back(dias.contains(l.dia) ? dias.take(l.dia) : l);
    for (const LineaRegistro& l : std::as_const(dias))
        lineas.push_back(l);
    std::sort(lineas.begin(), lineas.end(), [](const LineaRegistro& a, const LineaRegistro& b) { return a.dia < b.dia; });
    return lineas;
}

QString SesionRegistro::TextoDeRecuperacion(const DiarioDeRecuperacion::Pendiente& p)
{
    QStringList partes;
    for (const DiarioDeRecuperacion::Pendiente::Cuenta& c : p.cuentas) {
        // Days in runs: "días 1 a 3, 7".
        QStringList tramos;
        const QList<int> dias = c.dias.keys();
        for (qsizetype i = 0; i < dias.size();) {
            qsizetype j = i;
            while (j + 1 < dias.size() && dias[j + 1] == dias[j] + 1)
                ++j;
            tramos << (j > i ? QStringLiteral("%1 a %2").arg(dias[i]).arg(dias[j]) : QString::number(dias[i]));
            i = j + 1;
        }
        partes << QStringLiteral("%1: %2 %3").arg(NombreDeCuenta(c.cuenta), dias.size() == 1 ? QStringLiteral("día") : QStringLiteral("días"),
                                                   tramos.join(QStringLiteral(", ")));
    }
    for (auto it = p.usuarios.cbegin(); it != p.usuarios.cend(); ++it)
        partes << QStringLiteral("usuario %1: %2").arg(it.key()).arg(it.value());
    for (const Ajuste& a : Ajustes)
        if (p.ajustes.contains(QLatin1String(a.campo)))
            partes << QString::fromUtf8(a.nombre);
    return QStringLiteral("Quedaron cambios sin grabar %1 (%2), escritos el %3 a las %4. ¿Recuperarlos?")
        .arg(p.periodo.isEmpty() ? QStringLiteral("en el encabezado") : QStringLiteral("de ") + p.periodo, partes.join(QStringLiteral("; ")),
             p.escrito.toString(QStringLiteral("dd/MM/yyyy")), p.escrito.toString(QStringLiteral("HH:mm")));
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
    m_diario.AnotarGrabada(m_cargado.Periodo(), cuenta);
    std::erase_if(m_recuperadas, [&](const auto& c) { return c.cuenta.compare(cuenta, Qt::CaseInsensitive) == 0; });
}

QStringList SesionRegistro::CamposDeAjuste()
{
    QStringList campos;
    for (const Ajuste& a : Ajustes)
        campos << QLatin1String(a.campo);
    return campos;
}

void SesionRegistro::TomarAjustesGuardados(const Encabezado& enPantalla)
{
    for (const Ajuste& a : Ajustes)
        if (!esHoja(QLatin1String(a.campo)))
            m_ajustesGuardados[QLatin1String(a.campo)] = enPantalla.value(QLatin1String(a.campo));
}

QString SesionRegistro::AjusteGuardado(const QString& campo) const
{
    for (const Ajuste& a : Ajustes)
        if (campo.compare(QLatin1String(a.campo), Qt::CaseInsensitive) == 0)
            return esHoja(campo) ? m_cargado.Hoja() : m_ajustesGuardados.value(QLatin1String(a.campo));
    return {};
}

bool SesionRegistro::AjusteCambiado(const QString& campo, const QString& enPantalla) const
{
    if (esHoja(campo) && !m_cargado.Hay())
        return false;
    return enPantalla.trimmed() != AjusteGuardado(campo).trimmed();
}

QStringList SesionRegistro::AjustesCambiados(const Encabezado& enPantalla) const
{
    QStringList nombres;
    for (const Ajuste& a : Ajustes)
        if (AjusteCambiado(QLatin1String(a.campo), enPantalla.value(QLatin1String(a.campo))))
            nombres << QString::fromUtf8(a.nombre);
    return nombres;
}

QString SesionRegistro::CambiosDelEncabezado(const Encabezado& enPantalla) const
{
    QStringList lineas;
    for (const Ajuste& a : Ajustes) {
        const QString campo = QLatin1String(a.campo);
        if (AjusteCambiado(campo, enPantalla.value(campo)))
            lineas << QStringLiteral("    %1: «%2» → «%3»")
                          .arg(QString::fromUtf8(a.nombre), AjusteGuardado(campo).trimmed(), enPantalla.value(campo).trimmed());
    }
    return lineas.isEmpty() ? QString() : QStringLiteral("Cambió el encabezado:\n") + lineas.join(u'\n');
}

std::optional<std::vector<LineaRegistro>> SesionRegistro::leidasDe(const QString& cuenta) const
{
    const std::vector<LineaRegistro>* l = m_cargado.Leidas(cuenta);
    return l ? std::optional(*l) : std::nullopt;
}

std::vector<RegistroTolvario::CambioPrevisto> SesionRegistro::CambiosPrevistos(bool todo, const QStringList& mostradas) const
{
    std::vector<RegistroTolvario::CambioPrevisto> cambios;
    const std::vector<LineaRegistro> enGrilla = m_planilla.LineasDeDia();
    if (!m_cargado.Hay())
        return cambios;
    if (todo)
        for (const QString& c : m_cargado.AQuitar())
            cambios.push_back({c, std::nullopt});
    const QString cuenta = m_cargado.CuentaEnGrilla();
    if (!cuenta.isEmpty() && !m_cargado.GrillaSoloLectura() && (m_cargado.GrillaCambio(enGrilla) || !m_cargado.Guardada(cuenta)))
        cambios.push_back({cuenta, enGrilla, m_planilla.SaldoDe(Planilla::FilaSaldoAnterior), leidasDe(cuenta)});
    if (!todo)
        return cambios;
    for (const QString& c : CuentasSinGrabar(mostradas))
        cambios.push_back({c, Planilla().LineasDeDia()});
    for (const auto& r : m_recuperadas)
        cambios.push_back({r.cuenta, lineasRecuperadas(r)});
    return cambios;
}

QStringList SesionRegistro::CuentasSinGrabar(const QStringList& mostradas) const
{
    QStringList cuentas;
    const auto recuperada = [this](const QString& c) {
        return std::any_of(m_recuperadas.begin(), m_recuperadas.end(), [&](const auto& r) { return r.cuenta.compare(c, Qt::CaseInsensitive) == 0; });
    };
    for (const QString& c : mostradas)
        if (!m_cargado.Guardada(c) && c.compare(m_cargado.CuentaEnGrilla(), Qt::CaseInsensitive) != 0 && !recuperada(c))
            cuentas << c;
    return cuentas;
}

QString SesionRegistro::TextoDeDeriva(const RegistroTolvario::Deriva& d, int decimales)
{
    QStringList partes;
    if (!d.entregados.empty()) {
        QString t = QStringLiteral("Este cambio altera libros ya entregados a ONCCA:");
        for (const RegistroTolvario::Entrega& e : d.entregados)
            t += QStringLiteral("\n    %1 (%2)").arg(e.periodo, RegistroTolvario::TextoDeEntrega(e));
        partes << t;
    }
    if (!d.posteriores.isEmpty())
        partes << QStringLiteral("Cambia el saldo anterior de los meses siguientes: %1%2.")
                      .arg(d.posteriores.join(QStringLiteral(", ")),
                           d.ultimoPosterior.isEmpty() ? QString() : QStringLiteral(" y los demás hasta ") + d.ultimoPosterior);
    if (!d.negativas.empty()) {
        // Each account once, its days and months after it: "Molino el 03/11/2026 (-104037,72),
        // en 12/2026 (-5)".
        QStringList cuentas;
        QString actual;
        for (const RegistroTolvario::Negativa& n : d.negativas) {
            const QString cuando = n.dia > 0 ? QStringLiteral("el %1/%2").arg(n.dia, 2, 10, QLatin1Char('0')).arg(n.periodo)
                                             : QStringLiteral("en ") + n.periodo;
            const QString texto = QStringLiteral("%1 (%2)").arg(cuando, FormatoCantidad(n.saldo.texto(), decimales))
                                  + (n.hasta.isEmpty() ? QString() : QStringLiteral(" y los demás hasta ") + n.hasta);
            if (n.cuenta.compare(actual, Qt::CaseInsensitive) == 0) {
                cuentas.last() += QStringLiteral(", ") + texto;
            } else {
                actual = n.cuenta;
                cuentas << NombreDeCuenta(n.cuenta) + u' ' + texto;
            }
        }
        partes << QStringLiteral("Quedaría existencia negativa: %1.").arg(cuentas.join(QStringLiteral("; ")));
    }
    return partes.join(QStringLiteral("\n\n"));
}
