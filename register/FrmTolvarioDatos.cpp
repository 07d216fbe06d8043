// Bringing a period and account from the register into the grid: the milling users of the
// period, the balance carried over, the day lines; the period typing aid and the lookup.
#include "register/FrmTolvario.h"

#include "lookup/Lib_ClsCons3.h"
#include "platform/AlSalir.h"
#include "platform/Teclas.h"
#include "register/ModeloRegistro.h"
#include "register/RegistroTolvario.h"
#include "suite/SuiteForms.h"
#include "suite/SuiteUtil.h"

#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabBar>

QString FrmTolvario::Periodo() const
{
    return m_ui.TxtFields[cPeriodo]->text().trimmed();
}

QLineEdit* FrmTolvario::CampoDe(const QString& dataField) const
{
    const int i = SuiteForms::IndexOf(dataField, m_ui.TxtFields);
    return i < 0 ? nullptr : m_ui.TxtFields[i];
}

QString FrmTolvario::CuentaDeTab(int tab) const
{
    // The customer the tab was shown for, not whatever the box holds now.
    return m_sesion.Cargado().Cuenta(tab);
}

void FrmTolvario::AsignarDatos(const QString& cuenta)
{
    InicializaGrids();
    // Whatever the load meets, the grid shows what the session holds.
    const AlSalir pintar([this] { m_modelo->Mostrar(); });
    m_sesion.AsignarDatos(cuenta);
}

void FrmTolvario::vaciarUsuarios()
{
    // Hiding the user tab on screen moves the strip to another tab: no tab event may load
    // a register halfway through the period's load.
    const QSignalBlocker quieto(m_ui.SSTab1);
    const AlSalir fin([this] { m_tabPrevio = m_ui.SSTab1->currentIndex(); });
    for (int k = 1; k <= Usuarios; ++k) {
        m_ui.TxtFields[cUsuario1 + k - 1]->clear();
        m_ui.LblDesc[k - 1]->clear();
        m_sesion.Cargado().PonerCuenta(k, QString());
        m_ui.SSTab1->setTabVisible(k, false);
    }
}

void FrmTolvario::AsignarDatosInicio(const SesionRegistro::Abierto& abierto)
{
    // The boxes hold exactly this period's users: none of another period's stays behind to
    // be saved into this one.
    vaciarUsuarios();
    // Five user boxes: a sixth account of a register not written here has nowhere to go.
    for (int k = 1; k <= Usuarios && k <= abierto.usuarios.size(); ++k) {
        m_ui.TxtFields[cUsuario1 + k - 1]->setText(abierto.usuarios[k - 1]);
        if (abierto.propios)
            m_sesion.Cargado().PonerCodigoCargado(k, abierto.usuarios[k - 1]);
    }
    seleccionarTabsCargando();
}

void FrmTolvario::CmdConsultar()
{
    QWidget* activo = m_controlActivo;
    if (!activo)
        return;
    const QString tag = activo->property("Tag").toString();
    if (tag.isEmpty() || tag.compare(QStringLiteral("VT_CLIENTES"), Qt::CaseInsensitive) != 0)
        return;
    Lib_ClsCons3& consulta = Lib_ClsCons3::Instancia();
    consulta.CampoDevuelto = QStringLiteral("CODIGO");
    QString clave, campoBusqueda, donde, opcional, valoresDefault;
    bool arbol = false;
    consulta.ConsultaSearch(QStringLiteral("VT_CLIENTES"), nullptr, clave, campoBusqueda, donde, opcional, arbol, valoresDefault);
    const QString valor = SuiteUtil::NullSafe(consulta.ValorDevuelto).trimmed();
    auto* campo = qobject_cast<QLineEdit*>(activo);
    // A cancelled lookup hands back nothing: the code the field had stays.
    if (!campo || valor.isEmpty())
        return;
    campo->setText(valor);
    // Validated and moved on as if the clerk had pressed Enter. (The grid's editor carries no
    // lookup, so nothing is ever written into it here.)
    int enter = Teclas::Enter;
    if (m_ui.TxtFields.contains(campo))
        TxtFields_KeyDown(int(m_ui.TxtFields.indexOf(campo)), enter, 0);
}
