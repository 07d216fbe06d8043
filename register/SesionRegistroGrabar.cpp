// The one save of the register: only what changed, each account in one transaction of the
// store, so the stored register is the old one or the new one; the clerk asked once per save
// about what it moves besides itself, and about another station's save since.
#include "register/SesionRegistro.h"

#include "data/DB_Dll.h"
#include "platform/AlSalir.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "register/Informes.h"
#include "register/RegistroTolvario.h"
#include "suite/SuiteUtil.h"

// What one save has read, asked and been told, within that save only.
struct SesionRegistro::EstaGrabacion {
    explicit EstaGrabacion(const Pantalla& p) : pantalla(p) {}
    const Pantalla& pantalla;
    EnPantalla e;                  // the screen once the window's checks are done
    bool leida = false;
    bool ajustesConfirmados = false; // Sí to them in the pending question that started it
    bool derivaConfirmada = false;   // asked once over everything it writes
    bool declinada = false;          // the clerk said No to writing: nothing failed
    bool parada = false;             // the save stops where it is
    bool sinConexion = false;
    bool ajustesRepuestos = false;
    bool entrega = false;            // what the save wrote may have marked the delivered book
    bool escribio = false;           // stored settings or users removed, or took another station's save
    QStringList dejadas;             // accounts where the clerk kept the other station's save
    QString aviso;
    // What the screen shows by now: the settings put back once the clerk said No to them.
    EnPantalla pantallaAhora() const { return leida ? e : pantalla.leer ? pantalla.leer() : EnPantalla{}; }
};

SesionRegistro::Hecho SesionRegistro::Grabar(Alcance alcance, const Pantalla& p, bool ajustesConfirmados)
{
    Hecho h;
    const auto mostrado = [&] {
        m_ultima = h.estado;
        if (p.mostrar)
            p.mostrar(h);
        return h;
    };
    // What the clerk left open or typed and did not confirm is checked first, as before any
    // command; nothing of the save has started.
    if (p.revisar && !p.revisar()) {
        h.estado = Grabacion::Invalida;
        return mostrado();
    }
    m_grabando = true;
    // Cleared however the save ends, or the next period would never load.
    const AlSalir fin([this] { m_grabando = false; });
    EmpezarGrabacion();
    EstaGrabacion g(p);
    m_enCurso = &g;
    const AlSalir sinCurso([this] { m_enCurso = nullptr; });
    g.ajustesConfirmados = ajustesConfirmados;
    const int cargas = m_cargasDeGrilla;
    // No round trip to see whether the server is there: the save's first statement finds
    // out (a connection found closed is opened again), and a server gone is told once.
    const bool todo = alcance == Alcance::Todo;
    bool valido = false;
    bool hayError = false;
    const bool completo = Pasos::Ejecutar({
        [&] { valido = (!p.validar || p.validar()) && !g.sinConexion; },
        [&] {
            if (!valido)
                return;
            g.e = p.leer ? p.leer() : EnPantalla{};
            g.leida = true;
            if (todo)
                ActualizarDatos(g);
            else if (!GrabarGrid(m_cargado.CuentaEnGrilla(), g))
                g.parada = true;
        },
    }, [&](const ErrorVB& e) {
        hayError = true;
        return InformarCon("Panobar1_click")(e);
    }, SinError5());
    h.ajustesRepuestos = g.ajustesRepuestos;
    h.grillaReleida = m_cargasDeGrilla != cargas;
    // A save of everything the database answered whole reads the delivered book again; the
    // account left on a tab, when it was written cleanly.
    // A save that stored nothing changed nothing there: not read again.
    h.entrega = todo ? valido && !hayError && !m_incompleta && (g.escribio || !m_grabadas.isEmpty()) : g.entrega;
    // Any error the clerk went past still means the book would lack something on screen.
    const qsizetype n = m_grabadas.size();
    if (completo && valido && !hayError && !g.parada && !m_incompleta) {
        h.estado = Grabacion::Grabada;
        if (n > 0)
            h.aviso = QStringLiteral("Período %1 grabado: %2").arg(m_cargado.Periodo(),
                                                                 n == 1 ? QStringLiteral("1 cuenta") : QStringLiteral("%1 cuentas").arg(n));
        else if (todo && g.dejadas.isEmpty())
            h.aviso = QStringLiteral("Período %1 grabado: las cuentas no tenían cambios.").arg(m_cargado.Periodo());
        // What the clerk chose to drop is said too: it is not on the screen any more.
        if (!g.dejadas.isEmpty())
            h.aviso += (h.aviso.isEmpty() ? QStringLiteral("Período %1: ").arg(m_cargado.Periodo()) : QStringLiteral(". "))
                       + QStringLiteral("quedó lo grabado por otro puesto en %1; sus cambios ahí no se grabaron.")
                             .arg(g.dejadas.join(QStringLiteral(", ")));
    } else if (!valido && g.sinConexion) {
        h.estado = Grabacion::SinConexion;
        h.aviso = g.aviso;
    } else if (!valido) {
        h.estado = Grabacion::Invalida;
    } else if (g.declinada) {
        h.estado = Grabacion::Declinada;
        h.aviso = g.aviso;
    } else {
        // Each account is its own transaction: the clerk reads which ones are stored and
        // which are still only on screen.
        const QStringList pendientes = Pendientes(g.pantallaAhora());
        h.aviso = QStringLiteral("Período %1: la grabación no se completó. Grabadas: %2. Sin grabar: %3.")
                      .arg(m_cargado.Periodo(), n == 0 ? QStringLiteral("ninguna") : m_grabadas.join(QStringLiteral(", ")),
                           pendientes.isEmpty() ? QStringLiteral("ninguna") : pendientes.join(QStringLiteral(", ")));
        h.estado = g.sinConexion                ? Grabacion::SinConexion
                   : hayError || m_incompleta ? Grabacion::Incompleta
                                                : Grabacion::Cancelada;
    }
    return mostrado();
}

SesionRegistro::Intento SesionRegistro::intentar(const std::function<void()>& hacer, EstaGrabacion& g)
{
    Intento i;
    i.completo = Pasos::Ejecutar({[&] {
        // A retry that goes through leaves no failure behind.
        i.fallo = false;
        hacer();
    }}, [&](const ErrorVB& e) {
        i.fallo = true;
        return informarFallo(e, g);
    });
    // Even when the clerk went on, what is on screen is not all stored; abandoned, the save
    // stops where it is.
    if (i.fallo)
        m_incompleta = true;
    if (!i.completo)
        g.parada = true;
    return i;
}

bool SesionRegistro::alAlcance(EstaGrabacion& g)
{
    try {
        DB_Dll::Instancia().gCnn.Comprobar();
        return true;
    } catch (const ErrorVB& e) {
        if (e.Number != ErrorVB::ConexionInutilizable)
            return true; // any other failure is told by the step it stops
        // One message for the whole save: nothing of it can reach the server now, and the
        // screen keeps everything, still marked unsaved.
        const QStringList pendientes = Pendientes(g.pantallaAhora());
        const QString grabadas = m_grabadas.isEmpty()
                                     ? QStringLiteral("No se grabó nada de %1").arg(m_cargado.Periodo())
                                     : QStringLiteral("De %1 se grabaron: %2").arg(m_cargado.Periodo(), m_grabadas.join(QStringLiteral(", ")));
        const QString texto = QStringLiteral("No se puede llegar al servidor de la base de datos: %1\n%2%3")
                                  .arg(e.Description.simplified(), grabadas,
                                       pendientes.isEmpty() ? QStringLiteral(".")
                                                            : QStringLiteral("; siguen sin grabar: ") + pendientes.join(QStringLiteral(", ")) + u'.');
        operador().Mensaje(texto, Operador::Critico + Operador::SoloAceptar, QStringLiteral("Aviso al operador..."));
        DB_Dll::Instancia().AnotarError(e, QStringLiteral("GRABAR"), QStringLiteral("Aceptar"));
        g.aviso = QStringLiteral("Período %1: sin conexión con el servidor.").arg(m_cargado.Periodo());
        g.parada = true;
        g.sinConexion = true;
        return false;
    }
}

int SesionRegistro::InformarFalloDeRevision(const ErrorVB& e, const QString& rutina)
{
    if (m_enCurso && e.Number == ErrorVB::ConexionInutilizable)
        return informarFallo(e, *m_enCurso);
    return SuiteUtil::ReportError(e, rutina);
}

int SesionRegistro::informarFallo(const ErrorVB& e, EstaGrabacion& g)
{
    // Told once already: the rest of the save cannot reach it either.
    if (g.sinConexion)
        return Operador::Abortar;
    // A server that went away mid-save: one message with what is stored and what is not,
    // instead of a box per step that cannot succeed until it is back.
    if (e.Number == ErrorVB::ConexionInutilizable && !alAlcance(g))
        return Operador::Abortar;
    // The clerk stopped waiting for the other station: nothing written, nothing to ask.
    if (e.Number == ErrorVB::EsperaCancelada) {
        g.declinada = true; // the status bar keeps this, not "no se completó"
        g.aviso = e.Description;
        return Operador::Abortar;
    }
    return SuiteUtil::ReportError(e, QStringLiteral("ACTUALIZAR DATOS"));
}

void SesionRegistro::ActualizarDatos(EstaGrabacion& g)
{
    // The header first (No puts the stored values back; the register is saved all the same),
    // then what the save moves, asked once over everything it writes, before anything is.
    confirmarAjustes(g);
    if (!confirmarDeriva(CambiosPrevistos(true, g.e.mostradas), true, g))
        return;
    g.derivaConfirmada = true;
    const auto paso = [&](const std::function<void()>& hacer) { return intentar(hacer, g).completo; };
    // Users the clerk replaced take their stored lines with them.
    if (!m_cargado.AQuitar().isEmpty() && !paso([&] {
            QuitarReemplazados();
            g.escribio = true;
        }))
        return;
    // The grid on screen, then every shown account the period has nothing stored for yet (a
    // user carried over from the month before still gets its 31 days).
    if (!GrabarGrid(m_cargado.CuentaEnGrilla(), g) && g.parada)
        return;
    if (!grabarRecuperadas(g))
        return;
    for (const QString& cuenta : CuentasSinGrabar(g.e.mostradas))
        // Still nothing stored, or another station stored it since: then theirs stays, as
        // this station had nothing of its own in it.
        if (!paso([&] { GrabarCuentaVacia(cuenta); }))
            return;
    // The settings and the sheet number last, once the accounts went through the queue: a
    // save cancelled while it waited its turn has stored nothing at all.
    // The users and settings leave the journal only with a save the database took whole.
    if (paso([&] { g.escribio = GrabarCfgLocal(g.e.encabezado, true) || g.escribio; }) && !m_incompleta)
        m_diario.AnotarAjustesGrabados(m_cargado.Periodo());
}

bool SesionRegistro::GrabarGrid(const QString& cuenta, EstaGrabacion& g)
{
    if (!m_cargado.Hay())
        return true;
    // Only the register the grid was loaded with, under its own period and account; and only
    // when it differs from what was stored, or the account has nothing stored yet.
    const QString enGrilla = m_cargado.CuentaEnGrilla();
    if (enGrilla.isEmpty() || m_cargado.GrillaSoloLectura() || enGrilla.compare(cuenta.trimmed(), Qt::CaseInsensitive) != 0)
        return true;
    const std::vector<LineaRegistro> lineas = m_planilla.LineasDeDia();
    if (!m_cargado.GrillaCambio(lineas) && m_cargado.Guardada(enGrilla))
        return true;
    if (!g.derivaConfirmada
        && !confirmarDeriva({{enGrilla, lineas, m_planilla.SaldoDe(Planilla::FilaSaldoAnterior), leidasDe(enGrilla)}}, false, g))
        return false;
    bool conflicto = false;
    // Only over what this station read: another station's save since is asked about.
    const Intento i = intentar([&] { conflicto = GrabarCuenta(enGrilla, lineas) == Escritura::OtroPuesto; }, g);
    if (i.completo && !i.fallo && !conflicto && !g.derivaConfirmada)
        g.entrega = true;
    if (i.completo && !i.fallo && conflicto) {
        // Nothing of this station's in it (an account new to the period, untouched): theirs
        // stays and is shown, without a question.
        if (!m_cargado.GrillaCambio(lineas)) {
            Pasos::Ejecutar({[&] { AsignarDatos(enGrilla); }}, InformarCon("ACTUALIZAR DATOS"));
            return true;
        }
        return resolverConflicto(enGrilla, lineas, g);
    }
    return i.completo && !i.fallo;
}

bool SesionRegistro::grabarRecuperadas(EstaGrabacion& g)
{
    // Accounts recovered from the journal whose tab was not shown: stored as the clerk left
    // them, over what this station had loaded then.
    // A copy: a save or a No to another station's takes the account off the list.
    const std::vector<DiarioDeRecuperacion::Pendiente::Cuenta> recuperadas = m_recuperadas;
    for (const DiarioDeRecuperacion::Pendiente::Cuenta& r : recuperadas) {
        // Only an account the period still shows: a user replaced since keeps its days in
        // the journal, never stored unseen.
        if (!g.e.mostradas.contains(r.cuenta, Qt::CaseInsensitive))
            continue;
        const std::vector<LineaRegistro> lineas = lineasRecuperadas(r);
        m_cargado.PonerLeidas(r.cuenta, r.leidas);
        bool conflicto = false;
        const Intento i = intentar([&] { conflicto = GrabarCuenta(r.cuenta, lineas) == Escritura::OtroPuesto; }, g);
        if (!i.completo)
            return false;
        if (!i.fallo && !conflicto)
            m_cargado.MarcarGuardada(r.cuenta, true);
        if (!i.fallo && conflicto && !resolverConflicto(r.cuenta, lineas, g) && g.parada)
            return false;
    }
    return true;
}

bool SesionRegistro::resolverConflicto(const QString& cuenta, const std::vector<LineaRegistro>& lineas, EstaGrabacion& g)
{
    const int r = operador().Mensaje(QStringLiteral("Otro puesto grabó la cuenta %1 de %2 después de que usted la cargó. "
                                                    "¿Reemplazar lo grabado por lo que usted tiene en pantalla?")
                                         .arg(NombreDeCuenta(cuenta), m_cargado.Periodo()),
                                     Operador::SiNoCancelar + Operador::Pregunta + Operador::TercerBoton,
                                     QStringLiteral("Aviso al Operador"));
    if (r == Operador::Si) {
        // What the save moves was weighed against this station's read: against theirs, it
        // may move other months or books, or leave a day below zero. Asked again when so.
        const std::optional<Importe> saldo = cuenta.compare(m_cargado.CuentaEnGrilla(), Qt::CaseInsensitive) == 0
                                                 ? std::optional(m_planilla.SaldoDe(Planilla::FilaSaldoAnterior))
                                                 : std::nullopt;
        if (!confirmarDeriva({{cuenta, lineas, saldo, m_encontradas}}, false, g))
            return false;
        // Over what the clerk was told of, and nothing newer: a save made while the question
        // was open is asked about again.
        bool otraVez = false;
        const Intento i = intentar([&] { otraVez = ReemplazarEncontradas(cuenta, lineas) == Escritura::OtroPuesto; }, g);
        if (i.completo && otraVez)
            return resolverConflicto(cuenta, lineas, g);
        return i.completo && !m_incompleta;
    }
    if (r == Operador::No) {
        // Theirs stays (on screen when the grid shows it); this station's changes to the
        // account are not written.
        if (cuenta.compare(m_cargado.CuentaEnGrilla(), Qt::CaseInsensitive) == 0)
            AsignarDatos(cuenta);
        // Their save may have marked the delivered book: it is read again.
        g.escribio = true;
        g.entrega = true;
        g.dejadas << NombreDeCuenta(cuenta);
        std::erase_if(m_recuperadas, [&](const auto& c) { return c.cuenta.compare(cuenta, Qt::CaseInsensitive) == 0; });
        return true;
    }
    // Nothing written; the changes stay on screen, pending.
    m_incompleta = true;
    g.parada = true;
    return false;
}

bool SesionRegistro::confirmarDeriva(const std::vector<RegistroTolvario::CambioPrevisto>& cambios, bool conHoja, EstaGrabacion& g)
{
    if (!m_cargado.Hay())
        return true;
    // The sheet number counts only when the clerk changed it.
    const QString hoja = g.e.encabezado.value(QStringLiteral("HOJA"));
    const bool hojaCambiada = conHoja && hoja.trimmed() != m_cargado.Hoja();
    RegistroTolvario::Deriva d;
    // A check the database cannot answer is a save that did not happen, even when the
    // clerk goes past the error.
    const Intento i = intentar([&] { d = RegistroTolvario::DerivaDe(m_cargado.Periodo(), cambios, hojaCambiada ? &hoja : nullptr); }, g);
    if (!i.completo || i.fallo) {
        m_incompleta = true;
        g.parada = true;
        return false;
    }
    if (!d.Hay())
        return true;
    if (operador().Mensaje(TextoDeDeriva(d, m_decimales) + QStringLiteral("\n\n¿Grabar de todos modos?"),
                           Operador::SiNo + Operador::Exclamacion + Operador::SegundoBoton, QStringLiteral("Atención!"))
        == Operador::Si)
        return true;
    // Nothing written; what is on screen stays, pending.
    g.parada = true;
    g.declinada = true;
    g.aviso = QStringLiteral("Período %1: no se grabó nada; lo cambiado sigue en pantalla, sin grabar.").arg(m_cargado.Periodo());
    return false;
}

void SesionRegistro::confirmarAjustes(EstaGrabacion& g)
{
    const QString cambios = CambiosDelEncabezado(g.e.encabezado);
    // Already answered when the clerk said Sí to them in the pending question.
    if (cambios.isEmpty() || g.ajustesConfirmados)
        return;
    if (operador().Mensaje(cambios + QStringLiteral("\n\n¿Grabar estos cambios? (No vuelve a lo grabado y graba el resto.)"),
                           Operador::SiNo + Operador::Pregunta + Operador::SegundoBoton, QStringLiteral("Aviso al Operador"))
        == Operador::Si)
        return;
    // The stored values are what this save goes on with, and what the window shows again.
    for (const QString& campo : CamposDeAjuste())
        if (AjusteCambiado(campo, g.e.encabezado.value(campo)))
            g.e.encabezado[campo] = AjusteGuardado(campo);
    g.ajustesRepuestos = true;
}

bool SesionRegistro::GrabarCfgLocal(const Encabezado& e, bool conHoja)
{
    // Only what this station changed: a setting another station changed since stays theirs,
    // and settings never read are never written.
    RegistroTolvario::Ajustes a;
    const auto tomar = [&](const char* nombre, QString& destino) {
        const QString campo = QLatin1String(nombre);
        const bool cambiado = AjusteCambiado(campo, e.value(campo));
        destino = cambiado ? e.value(campo) : QString();
        return cambiado;
    };
    const bool oncca = tomar("ONCCA", a.oncca), decimales = tomar("Decimales", a.decimales), medida = tomar("MEDIDA", a.medida),
               titulo = tomar("TITULO", a.titulo), linea = tomar("linea", a.linea);
    bool escrito = oncca || decimales || medida || titulo || linea;
    if (escrito)
        RegistroTolvario::GrabarAjustes(a, {oncca, decimales, medida, titulo, linea});
    // The sheet number belongs to the period loaded, whatever the period box holds by now:
    // stored with a save (a new period's first one included), or when the clerk changed it.
    // Not rewritten when unchanged: a number another station stored since stays.
    // Never a number another period already has (closing stores a changed one unvalidated).
    const QString hoja = e.value(QStringLiteral("HOJA"));
    const QString periodo = m_cargado.Periodo();
    // A number known stored is not asked for again: nothing removes one.
    const bool sinHoja = conHoja && m_cargado.HojaGuardada().isEmpty() && RegistroTolvario::HojaComoEsta(periodo).isEmpty();
    if (m_cargado.Hay() && (AjusteCambiado(QStringLiteral("HOJA"), hoja) || sinHoja)
        && RegistroTolvario::PeriodoConHoja(hoja, periodo).isEmpty()) {
        RegistroTolvario::GrabarHoja(periodo, hoja);
        m_cargado.PonerHoja(hoja.trimmed());
        m_cargado.PonerHojaGuardada(hoja.trimmed());
        escrito = true;
    }
    TomarAjustesGuardados(e);
    return escrito;
}

QStringList SesionRegistro::Pendientes(const EnPantalla& e, bool conAjustes) const
{
    QStringList nombres;
    if (!m_cargado.Hay())
        return conAjustes ? AjustesCambiados(e.encabezado) : nombres;
    if (m_cargado.GrillaCambio(m_planilla.LineasDeDia()))
        nombres << NombreDeCuenta(m_cargado.CuentaEnGrilla());
    for (const QString& c : m_cargado.AgregadasSinGrabar())
        nombres << QStringLiteral("alta de ") + c;
    for (const QString& c : m_cargado.AQuitar())
        nombres << QStringLiteral("baja de ") + c;
    for (const auto& r : m_recuperadas)
        nombres << NombreDeCuenta(r.cuenta);
    // A code typed in a user box and not confirmed yet is a change as well.
    nombres << e.usuariosEscritos;
    // The sheet number is the period's; the other settings stay in their boxes from one
    // period to the next and only closing would store them unasked.
    const QString hoja = QStringLiteral("Hoja Nro");
    if (AjusteCambiado(QStringLiteral("HOJA"), e.encabezado.value(QStringLiteral("HOJA"))))
        nombres << hoja;
    if (conAjustes)
        for (const QString& a : AjustesCambiados(e.encabezado))
            if (a != hoja)
                nombres << a;
    return nombres;
}

SesionRegistro::Pendiente SesionRegistro::ResolverPendientes(const Pantalla& p, bool alCerrar)
{
    const EnPantalla e = p.leer();
    const QStringList pendientes = Pendientes(e, alCerrar);
    if (pendientes.isEmpty())
        return Pendiente::Seguir;
    // The header's changes are shown old and new here: this Sí is their answer too.
    const QString encabezado = CambiosDelEncabezado(e.encabezado);
    const int r = operador().Mensaje(QStringLiteral("Hay cambios sin grabar en %1 (%2). ¿Grabarlos?")
                                         .arg(m_cargado.Hay() ? m_cargado.Periodo() : QStringLiteral("el encabezado"),
                                              pendientes.join(QStringLiteral(", ")))
                                         + (encabezado.isEmpty() ? QString() : u'\n' + encabezado),
                                     Operador::SiNoCancelar + Operador::Pregunta + Operador::TercerBoton,
                                     QStringLiteral("Aviso al Operador"));
    // Dropped means dropped: closing writes the settings and the sheet number, which go
    // back too.
    if (r == Operador::No) {
        Descartar();
        return Pendiente::Descartados;
    }
    if (r != Operador::Si)
        return Pendiente::Quedarse;
    // Without a period only the settings are pending: closing stores them.
    if (!m_cargado.Hay())
        return Pendiente::Seguir;
    return Grabar(Alcance::Todo, p, true).estado == Grabacion::Grabada ? Pendiente::Seguir : Pendiente::Quedarse;
}
