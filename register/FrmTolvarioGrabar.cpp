// The window's part in the session's one save: its checks on the boxes, what it shows the
// session, and the outcome on screen.
#include "register/FrmTolvario.h"

#include "register/Informes.h"

#include "platform/Pasos.h"
#include "register/ModeloRegistro.h"
#include "register/RegistroTolvario.h"

#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabBar>

SesionRegistro::EnPantalla FrmTolvario::enPantalla() const
{
    SesionRegistro::EnPantalla e;
    for (int tab = TabMolino; tab <= Usuarios; ++tab)
        if (m_ui.SSTab1->isTabVisible(tab) && !CuentaDeTab(tab).isEmpty())
            e.mostradas << CuentaDeTab(tab);
    for (const QString& campo : SesionRegistro::CamposDeAjuste())
        e.encabezado.insert(campo, CampoDe(campo)->text());
    for (int k = 1; k <= Usuarios; ++k) {
        const QString escrito = m_ui.TxtFields[cUsuario1 + k - 1]->text().trimmed();
        if (!escrito.isEmpty() && escrito.compare(m_sesion.Cargado().CodigoDeUsuario(k), Qt::CaseInsensitive) != 0)
            e.usuariosEscritos << QStringLiteral("usuario %1 (%2)").arg(k).arg(escrito);
    }
    return e;
}

SesionRegistro::Pantalla FrmTolvario::pantalla(bool revisar)
{
    SesionRegistro::Pantalla p;
    // The value still being typed is part of what the clerk means, and so are the codes
    // typed in the users' boxes when the save comes from the pending question.
    p.revisar = [this, revisar] {
        // What the status bar said belongs to the save before.
        m_ui.BStat->clearMessage();
        return terminarEdicion() && (!revisar || revisarUsuarios());
    };
    // A save of everything checks the header as Enter on each box would.
    p.validar = [this] { return Datosvalidos(); };
    p.leer = [this] { return enPantalla(); };
    p.mostrar = [this](const SesionRegistro::Hecho& h) {
        // Another station's lines, when the clerk chose theirs.
        if (h.grillaReleida)
            m_modelo->Mostrar();
        if (h.ajustesRepuestos)
            reponerAjustes();
        marcarAjustes();
        // A stock below zero stays named after the save's own words.
        const QString negativa = m_sesion.Lineas().AvisoDeNegativa();
        if (!h.aviso.isEmpty())
            m_ui.BStat->showMessage(negativa.isEmpty() ? h.aviso : h.aviso + u' ' + negativa);
        if (h.entrega)
            Pasos::Ejecutar({[&] { mostrarEntrega(); }}, InformarCon("ACTUALIZAR DATOS"), SinError5());
    };
    return p;
}

SesionRegistro::Grabacion FrmTolvario::grabar(SesionRegistro::Alcance alcance)
{
    SesionRegistro::Pantalla p = pantalla();
    // Leaving a tab checks only the account left: the header is the whole period's.
    if (alcance == SesionRegistro::Alcance::CuentaQueSeDeja)
        p.validar = nullptr;
    return m_sesion.Grabar(alcance, p).estado;
}

bool FrmTolvario::resolverPendientes(bool alCerrar)
{
    switch (m_sesion.ResolverPendientes(pantalla(true), alCerrar)) {
    case SesionRegistro::Pendiente::Descartados:
        reponerAjustes();
        return true;
    case SesionRegistro::Pendiente::Seguir:
        return true;
    case SesionRegistro::Pendiente::Quedarse:
        break;
    }
    return false;
}

void FrmTolvario::mostrarEntrega()
{
    m_ui.LblEntrega->clear();
    if (!m_sesion.Cargado().Hay())
        return;
    if (const std::optional<RegistroTolvario::Entrega> e = RegistroTolvario::EntregaDe(m_sesion.Cargado().Periodo()))
        m_ui.LblEntrega->setText(RegistroTolvario::TextoDeEntrega(*e));
}
