// Writing the loaded period back to the register: only what changed, each account in one
// transaction of the store, so the stored register is the old one or the new one.
#include "register/FrmTolvario.h"

#include "register/Informes.h"

#include "platform/AlSalir.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "register/Entregas.h"
#include "register/ModeloRegistro.h"
#include "register/RegistroTolvario.h"
#include "suite/SuiteUtil.h"

#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabBar>

bool FrmTolvario::GrabarGrid(const QString& cuenta, EstaGrabacion& g)
{
    if (!m_sesion.Cargado().Hay() || m_cargando)
        return true;
    // Only the register the grid was loaded with, under its own period and account; and only
    // when it differs from what was stored, or the account has nothing stored yet.
    const QString enGrilla = m_sesion.Cargado().CuentaEnGrilla();
    if (enGrilla.isEmpty() || m_sesion.Cargado().GrillaSoloLectura() || enGrilla.compare(cuenta.trimmed(), Qt::CaseInsensitive) != 0)
        return true;
    const std::vector<LineaRegistro> lineas = m_modelo->planilla().LineasDeDia();
    if (!m_sesion.Cargado().GrillaCambio(lineas) && m_sesion.Cargado().Guardada(enGrilla))
        return true;
    if (!g.derivaConfirmada && !confirmarDeriva({{enGrilla, lineas}}, false, g))
        return false;
    bool hayFallo = false;
    bool conflicto = false;
    const bool completo = Pasos::Ejecutar({[&] {
        // A retry that goes through leaves no failure behind.
        hayFallo = false;
        // Only over what this station read: another station's save since is asked about.
        conflicto = m_sesion.GrabarCuenta(enGrilla, lineas) == SesionRegistro::Escritura::OtroPuesto;
    }}, [&](const ErrorVB& e) {
        hayFallo = true;
        return informarFalloDeGrabacion(e, g);
    });
    // Leaving a tab may have marked the delivered book changed; GRABAR refreshes it itself.
    if (completo && !hayFallo && !conflicto && !g.derivaConfirmada)
        Pasos::Ejecutar({[&] { mostrarEntrega(); }}, InformarCon("ACTUALIZAR DATOS"), SinError5());
    // Even when the clerk went on, what is on screen is not what is stored.
    if (hayFallo)
        m_sesion.MarcarIncompleta();
    if (!completo)
        m_validacionFallida = true;
    if (completo && !hayFallo && conflicto) {
        // Nothing of this station's in it (an account new to the period, untouched): theirs
        // stays and is shown, without a question.
        if (!m_sesion.Cargado().GrillaCambio(lineas)) {
            Pasos::Ejecutar({[&] { AsignarDatos(enGrilla); }}, InformarCon("ACTUALIZAR DATOS"));
            return true;
        }
        return resolverConflicto(enGrilla, lineas, g);
    }
    return completo && !hayFallo;
}

int FrmTolvario::informarFalloDeGrabacion(const ErrorVB& e, EstaGrabacion& g)
{
    // A server that went away mid-save: one message with what is stored and what is not,
    // instead of a box per step that cannot succeed until it is back.
    if (e.Number == ErrorVB::ConexionInutilizable && !baseAlAlcance())
        return Operador::Abortar;
    // The clerk stopped waiting for the other station: nothing written, nothing to ask.
    if (e.Number == ErrorVB::EsperaCancelada) {
        g.declinada = true; // the status bar keeps this, not "no se completó"
        BStat->showMessage(e.Description);
        return Operador::Abortar;
    }
    return SuiteUtil::ReportError(e, QStringLiteral("ACTUALIZAR DATOS"));
}

bool FrmTolvario::resolverConflicto(const QString& cuenta, const std::vector<LineaRegistro>& lineas, EstaGrabacion& g)
{
    const int r = operador().Mensaje(QStringLiteral("Otro puesto grabó la cuenta %1 de %2 después de que usted la cargó. "
                                                    "¿Reemplazar lo grabado por lo que usted tiene en pantalla?")
                                         .arg(SesionRegistro::NombreDeCuenta(cuenta), m_sesion.Cargado().Periodo()),
                                     Operador::SiNoCancelar + Operador::Pregunta + Operador::TercerBoton,
                                     QStringLiteral("Aviso al Operador"));
    if (r == Operador::Si) {
        // Over what the clerk was told of, and nothing newer: a save made while the question
        // was open is asked about again.
        bool otraVez = false;
        bool fallo = false;
        const bool completo = Pasos::Ejecutar({[&] {
            fallo = false;
            otraVez = m_sesion.ReemplazarEncontradas(cuenta, lineas) == SesionRegistro::Escritura::OtroPuesto;
        }}, [&](const ErrorVB& e) {
            fallo = true;
            return informarFalloDeGrabacion(e, g);
        });
        if (fallo)
            m_sesion.MarcarIncompleta();
        if (!completo)
            m_validacionFallida = true;
        if (completo && otraVez)
            return resolverConflicto(cuenta, lineas, g);
        return completo && !m_sesion.Incompleta();
    }
    if (r == Operador::No) {
        // Theirs on screen; this station's changes to the account are dropped.
        AsignarDatos(cuenta);
        return true;
    }
    // Nothing written; the changes stay on screen, pending.
    m_sesion.MarcarIncompleta();
    m_validacionFallida = true;
    return false;
}

void FrmTolvario::ActualizarDatos(EstaGrabacion& g)
{
    // The header first (No puts the stored values back; the register is saved all the same),
    // then what the save moves, asked once over everything it writes, before anything is.
    confirmarAjustes(g);
    if (!confirmarDeriva(cambiosPrevistos(true), true, g))
        return;
    g.derivaConfirmada = true;
    const QString periodo = m_sesion.Cargado().Periodo();
    // A step's failure counts only when no retry of it went through.
    bool fallo = false;
    const auto informar = [&](const ErrorVB& e) {
        fallo = true;
        return informarFalloDeGrabacion(e, g);
    };
    const auto anotarFallo = [&] {
        if (fallo)
            m_sesion.MarcarIncompleta();
    };
    // Users the clerk replaced take their stored lines with them.
    if (!m_sesion.Cargado().AQuitar().isEmpty()) {
        const bool quitadas = Pasos::Ejecutar({[&] {
            fallo = false;
            m_sesion.QuitarReemplazados();
        }}, informar);
        anotarFallo();
        if (!quitadas) {
            m_validacionFallida = true;
            return;
        }
    }
    // The grid on screen, then every shown account the period has nothing stored for yet (a
    // user carried over from the month before still gets its 31 days). The clerk stays on the
    // tab they were on.
    if (!GrabarGrid(m_sesion.Cargado().CuentaEnGrilla(), g) && m_validacionFallida)
        return;
    for (const QString& cuenta : m_sesion.CuentasSinGrabar(cuentasMostradas())) {
        const bool completo = Pasos::Ejecutar({[&] {
            fallo = false;
            // Still nothing stored, or another station stored it since: then theirs stays,
            // as this station had nothing of its own in it.
            m_sesion.GrabarCuentaVacia(cuenta);
        }}, informar);
        anotarFallo();
        // A save the clerk abandoned stops here: the accounts before it stay stored.
        if (!completo) {
            m_validacionFallida = true;
            return;
        }
    }
    // The settings and the sheet number last, once the accounts went through the queue: a
    // save cancelled while it waited its turn has stored nothing at all.
    const bool ajustes = Pasos::Ejecutar({[&] {
        fallo = false;
        GrabarCfgLocal(true);
    }}, informar);
    anotarFallo();
    if (!ajustes)
        m_validacionFallida = true;
}

void FrmTolvario::GrabarCfgLocal(bool conHoja)
{
    // Only what this station changed: a setting another station changed since stays theirs,
    // and settings never read are never written.
    RegistroTolvario::Ajustes a;
    const auto tomar = [&](int campo, QString& destino) {
        destino = ajusteCambiado(campo) ? TxtFields[campo]->text() : QString();
        return ajusteCambiado(campo);
    };
    const bool oncca = tomar(cOncca, a.oncca), decimales = tomar(cDecimales, a.decimales), medida = tomar(cMedida, a.medida),
               titulo = tomar(cTitulo, a.titulo), linea = tomar(cLinea, a.linea);
    if (oncca || decimales || medida || titulo || linea)
        RegistroTolvario::GrabarAjustes(a, {oncca, decimales, medida, titulo, linea});
    // The sheet number belongs to the period loaded, whatever the period box holds by now:
    // stored with a save (a new period's first one included), or when the clerk changed it.
    // Not rewritten when unchanged: a number another station stored since stays.
    // Never a number another period already has (closing stores a changed one unvalidated).
    if (m_sesion.Cargado().Hay() && (ajusteCambiado(cHoja) || (conHoja && RegistroTolvario::HojaComoEsta(m_sesion.Cargado().Periodo()).isEmpty()))
        && RegistroTolvario::PeriodoConHoja(TxtFields[cHoja]->text(), m_sesion.Cargado().Periodo()).isEmpty()) {
        RegistroTolvario::GrabarHoja(m_sesion.Cargado().Periodo(), TxtFields[cHoja]->text());
        m_sesion.Cargado().PonerHoja(TxtFields[cHoja]->text().trimmed());
    }
    tomarAjustesGuardados();
}

void FrmTolvario::borrarPeriodo()
{
    RegistroTolvario::BorrarPeriodo(m_sesion.Cargado().Periodo());
}

QStringList FrmTolvario::cambiosPendientes(bool conAjustes) const
{
    QStringList nombres;
    if (!m_sesion.Cargado().Hay())
        return conAjustes ? m_sesion.AjustesCambiados(ajustesEnPantalla()) : nombres;
    const QString enGrilla = m_sesion.Cargado().CuentaEnGrilla();
    if (m_sesion.Cargado().GrillaCambio(m_modelo->planilla().LineasDeDia()))
        nombres << SesionRegistro::NombreDeCuenta(enGrilla);
    for (const QString& c : m_sesion.Cargado().AgregadasSinGrabar())
        nombres << QStringLiteral("alta de ") + c;
    for (const QString& c : m_sesion.Cargado().AQuitar())
        nombres << QStringLiteral("baja de ") + c;
    // A code typed in a user box and not confirmed yet is a change as well.
    for (int k = 1; k <= Usuarios; ++k) {
        const QString escrito = TxtFields[cUsuario1 + k - 1]->text().trimmed();
        if (!escrito.isEmpty() && escrito.compare(codigoDeUsuario(k), Qt::CaseInsensitive) != 0)
            nombres << QStringLiteral("usuario %1 (%2)").arg(k).arg(escrito);
    }
    // The sheet number is the period's; the other settings stay in their boxes from one
    // period to the next and only closing would store them unasked.
    if (ajusteCambiado(cHoja))
        nombres << QStringLiteral("Hoja Nro");
    if (conAjustes)
        for (const QString& a : m_sesion.AjustesCambiados(ajustesEnPantalla()))
            if (a != QStringLiteral("Hoja Nro"))
                nombres << a;
    return nombres;
}

bool FrmTolvario::resolverPendientes(bool alCerrar)
{
    const QStringList pendientes = cambiosPendientes(alCerrar);
    if (pendientes.isEmpty())
        return true;
    // The header's changes are shown old and new here: this Sí is their answer too.
    const QString encabezado = m_sesion.CambiosDelEncabezado(ajustesEnPantalla());
    const int r = operador().Mensaje(QStringLiteral("Hay cambios sin grabar en %1 (%2). ¿Grabarlos?")
                                         .arg(m_sesion.Cargado().Hay() ? m_sesion.Cargado().Periodo() : QStringLiteral("el encabezado"),
                                              pendientes.join(QStringLiteral(", ")))
                                         + (encabezado.isEmpty() ? QString() : u'\n' + encabezado),
                                     Operador::SiNoCancelar + Operador::Pregunta + Operador::TercerBoton,
                                     QStringLiteral("Aviso al Operador"));
    if (r == Operador::No) {
        // Dropped means dropped: closing writes the settings and the sheet number, which go
        // back too.
        reponerAjustes();
        return true;
    }
    if (r != Operador::Si)
        return false;
    // Without a period only the settings are pending: closing stores them.
    if (!m_sesion.Cargado().Hay())
        return true;
    EstaGrabacion g;
    g.ajustesConfirmados = true;
    return revisarUsuarios() && grabar(Alcance::Todo, g) == Grabacion::Grabada;
}

std::vector<RegistroTolvario::CambioPrevisto> FrmTolvario::cambiosPrevistos(bool todo) const
{
    return m_sesion.CambiosPrevistos(todo, m_modelo->planilla().LineasDeDia(), cuentasMostradas());
}

QStringList FrmTolvario::cuentasMostradas() const
{
    QStringList cuentas;
    for (int tab = TabMolino; tab <= Usuarios; ++tab)
        if (SSTab1->isTabVisible(tab) && !CuentaDeTab(tab).isEmpty())
            cuentas << CuentaDeTab(tab);
    return cuentas;
}

bool FrmTolvario::confirmarDeriva(const std::vector<RegistroTolvario::CambioPrevisto>& cambios, bool conHoja, EstaGrabacion& g)
{
    if (!m_sesion.Cargado().Hay())
        return true;
    // The sheet number counts only when the clerk changed it.
    const QString hoja = TxtFields[cHoja]->text();
    const bool hojaCambiada = conHoja && hoja.trimmed() != m_sesion.Cargado().Hoja();
    RegistroTolvario::Deriva d;
    bool fallo = false;
    // A check the database cannot answer is a save that did not happen, even when the
    // clerk goes past the error.
    if (!Pasos::Ejecutar({[&] {
            fallo = false;
            d = RegistroTolvario::DerivaDe(m_sesion.Cargado().Periodo(), cambios, hojaCambiada ? &hoja : nullptr);
        }}, [&](const ErrorVB& e) {
            fallo = true;
            return informarFalloDeGrabacion(e, g);
        }) || fallo) {
        m_validacionFallida = true;
        return false;
    }
    if (!d.Hay())
        return true;
    if (operador().Mensaje(SesionRegistro::TextoDeDeriva(d) + QStringLiteral("\n\n¿Grabar de todos modos?"),
                           Operador::SiNo + Operador::Exclamacion + Operador::SegundoBoton, QStringLiteral("Atención!"))
        == Operador::Si)
        return true;
    // Nothing written; what is on screen stays, pending.
    m_validacionFallida = true;
    g.declinada = true;
    BStat->showMessage(QStringLiteral("Período %1: no se grabó nada; lo cambiado sigue en pantalla, sin grabar.").arg(m_sesion.Cargado().Periodo()));
    return false;
}

void FrmTolvario::mostrarEntrega()
{
    LblEntrega->clear();
    if (!m_sesion.Cargado().Hay())
        return;
    if (const std::optional<RegistroTolvario::Entrega> e = RegistroTolvario::EntregaDe(m_sesion.Cargado().Periodo()))
        LblEntrega->setText(RegistroTolvario::TextoDeEntrega(*e));
}
