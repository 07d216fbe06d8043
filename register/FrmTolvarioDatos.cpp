// Bringing a period and account from the register into the grid: the milling users of the
// period, the balance carried over, the day lines; the period typing aid and the lookup.
#include "register/FrmTolvario.h"

#include "lookup/Lib_ClsCons3.h"
#include "platform/AlSalir.h"
#include "platform/Operador.h"
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
    return TxtFields[cPeriodo]->text().trimmed();
}

QLineEdit* FrmTolvario::CampoDe(const QString& dataField) const
{
    const int i = SuiteForms::IndexOf(dataField, TxtFields);
    return i < 0 ? nullptr : TxtFields[i];
}

QString FrmTolvario::CuentaDeTab(int tab) const
{
    // The customer the tab was shown for, not whatever the box holds now.
    return m_sesion.Cargado().Cuenta(tab);
}

Importe FrmTolvario::SaldoInicialCuenta(const QString& cuenta)
{
    return RegistroTolvario::SaldoAnterior(m_sesion.Cargado().Periodo(), cuenta);
}

void FrmTolvario::AsignarDatos(const QString& cuenta)
{
    // Until this load completes the grid stands for no stored register: a failed load must
    // never be saved over the stored one.
    m_sesion.Cargado().SoltarGrilla();
    InicializaGrids();
    // No period: an empty grid, not a stock of 0 on every day.
    if (!m_sesion.Cargado().Hay()) {
        m_modelo->Inicializar();
        return;
    }
    if (cuenta.trimmed().isEmpty()) {
        m_modelo->Asignar(Importe(), {}, m_sesion.Decimales());
        return;
    }
    const QString periodo = m_sesion.Cargado().Periodo();
    const std::vector<LineaRegistro> lineas = RegistroTolvario::Lineas(periodo, cuenta);
    const Importe saldo = SaldoInicialCuenta(cuenta);
    bool fueraDelMes = false;
    for (const LineaRegistro& l : lineas)
        fueraDelMes = fueraDelMes || l.dia < 1 || l.dia > 31;
    m_modelo->Asignar(saldo, lineas, m_sesion.Decimales());
    m_sesion.Cargado().PonerLeidas(cuenta, lineas);
    // Stored by now, whoever stored it: it is no longer new to the period.
    if (!lineas.empty())
        m_sesion.Cargado().MarcarGuardada(cuenta, true);
    // What the grid holds as loaded, read back the way a save would write it: only a
    // difference from this is a change.
    m_sesion.Cargado().CargarGrilla(cuenta, m_modelo->planilla().LineasDeDia(), fueraDelMes);
    if (fueraDelMes)
        operador().Mensaje(QStringLiteral("El registro de ") + cuenta + QStringLiteral(" en ") + periodo
                               + QStringLiteral(" tiene días fuera del mes que la grilla no muestra: esta cuenta no se "
                                                "grabará desde aquí para no perderlos."),
                           Operador::Exclamacion + Operador::SoloAceptar, QStringLiteral("Aviso al operador..."));
}

QString FrmTolvario::PeriodoAnterior() const
{
    return RegistroTolvario::PeriodoAnterior(m_sesion.Cargado().Periodo());
}

void FrmTolvario::vaciarUsuarios()
{
    // Hiding the user tab on screen moves the strip to another tab: no tab event may load
    // a register halfway through the period's load.
    const QSignalBlocker quieto(SSTab1);
    const AlSalir fin([this] { m_tabPrevio = SSTab1->currentIndex(); });
    for (int k = 1; k <= Usuarios; ++k) {
        TxtFields[cUsuario1 + k - 1]->clear();
        LblDesc[k - 1]->clear();
        m_sesion.Cargado().PonerCuenta(k, QString());
        SSTab1->setTabVisible(k, false);
    }
}

void FrmTolvario::AsignarDatosInicio()
{
    // The boxes hold exactly this period's users: none of another period's stays behind to
    // be saved into this one.
    vaciarUsuarios();
    // The period's own users were read with its accounts when it began.
    QStringList cuentas = m_sesion.Cargado().UsuariosAlEmpezar();
    const bool propias = !cuentas.isEmpty();
    if (!propias)
        cuentas = RegistroTolvario::UsuariosDelPeriodo(PeriodoAnterior());
    // Five user boxes: a sixth account of a register not written here has nowhere to go.
    for (int k = 1; k <= Usuarios && k <= cuentas.size(); ++k) {
        TxtFields[cUsuario1 + k - 1]->setText(cuentas[k - 1]);
        if (propias)
            m_sesion.Cargado().PonerCodigoCargado(k, cuentas[k - 1]);
    }
    seleccionarTabsCargando();
}

bool FrmTolvario::FormateaPeriodoAnio(QString& palabra, QLineEdit* campo)
{
    if (!campo || campo->property("DataField").toString().compare(QStringLiteral("Periodo"), Qt::CaseInsensitive) != 0)
        return false;
    const QString s = palabra.trimmed();
    if (s.size() != 2)
        return false;
    const Importe mes = SuiteUtil::TextToAmount(s);
    if (mes <= Importe() || mes >= Importe::desdeEntero(13)) {
        operador().Mensaje(QStringLiteral("Debe ingresar un mes"), Operador::SoloAceptar, QStringLiteral("Tolvario"));
        campo->setSelection(0, int(s.size()));
        return false;
    }
    palabra = s + u'/';
    campo->setText(palabra);
    campo->setCursorPosition(int(palabra.size()));
    return true;
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
    if (TxtFields.contains(campo))
        TxtFields_KeyDown(int(TxtFields.indexOf(campo)), enter, 0);
}
