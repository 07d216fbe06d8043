// Bringing a period and account from the register into the grid: the milling users of the
// period, the balance carried over, the day lines; the period typing aid and the lookup.
#include "register/FrmTolvario.h"

#include "data/DB_Dll.h"
#include "data/TextoSQL.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/Operador.h"
#include "platform/Teclas.h"
#include "register/ModeloRegistro.h"
#include "register/SaldoAnterior.h"
#include "suite/SuiteForms.h"
#include "suite/SuiteUtil.h"

#include <QLineEdit>
#include <QTabBar>

using TextoSQL::Comillas;

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
    if (tab == TabMolino)
        return QStringLiteral("MOLINO");
    // The customer the tab was shown for, not whatever the box holds now.
    return tab > 0 && tab <= Usuarios ? m_cuentaTab[tab] : QString();
}

Importe FrmTolvario::SaldoInicialCuenta(const QString& cuenta)
{
    return SaldoAnterior(Periodo(), cuenta);
}

void FrmTolvario::AsignarDatos(const QString& cuenta)
{
    // Until this load completes the grid stands for no stored register: a failed load must
    // never be saved over the stored one.
    m_cargado = {};
    InicializaGrids();
    DB_Dll& db = DB_Dll::Instancia();
    const QString sql = QStringLiteral("Select  * from EM_Tolvario where Periodo = '") + Comillas(Periodo())
                        + QStringLiteral("' and Cuenta = '") + Comillas(cuenta) + QStringLiteral("' order by dia");
    db.AbrirConsulta(sql, m_rcs, 2, 4);
    const Importe saldo = SaldoInicialCuenta(cuenta);
    std::vector<Planilla::Linea> lineas;
    bool fueraDelMes = false;
    if (m_rcs.State() != 0 && !m_rcs.BOF()) {
        for (m_rcs.MoveFirst(); !m_rcs.Eof(); m_rcs.MoveNext())
            lineas.push_back({int(SuiteUtil::VariantToAmount(m_rcs.Field(QStringLiteral("DIA"))).entero()),
                              SuiteUtil::VariantToAmount(m_rcs.Field(QStringLiteral("Entradas"))),
                              SuiteUtil::VariantToAmount(m_rcs.Field(QStringLiteral("Salidas"))),
                              SuiteUtil::NullSafe(m_rcs.Field(QStringLiteral("Observaciones")))});
        m_rcs.MoveFirst();
    }
    for (const Planilla::Linea& l : lineas)
        fueraDelMes = fueraDelMes || l.dia < 1 || l.dia > 31;
    m_modelo->Asignar(saldo, lineas, m_decimales);
    m_cargado = {Periodo(), cuenta, true, fueraDelMes};
    if (fueraDelMes)
        operador().Mensaje(QStringLiteral("El registro de ") + cuenta + QStringLiteral(" en ") + Periodo()
                               + QStringLiteral(" tiene días fuera del mes que la grilla no muestra: esta cuenta no se "
                                                "grabará desde aquí para no perderlos."),
                           Operador::Exclamacion + Operador::SoloAceptar, QStringLiteral("Aviso al operador..."));
}

QString FrmTolvario::PeriodoAnterior() const
{
    const QString periodo = TxtFields[cPeriodo]->text();
    int mes = int(SuiteUtil::TextToAmount(periodo.left(2)).entero());
    int anio = int(SuiteUtil::TextToAmount(periodo.mid(3, 4)).entero());
    if (mes == 1) {
        anio -= 1;
        mes = 12;
    } else {
        mes -= 1;
    }
    return QStringLiteral("%1/%2").arg(mes, 2, 10, QLatin1Char('0')).arg(anio, 4, 10, QLatin1Char('0'));
}

void FrmTolvario::AsignarDatosInicio()
{
    DB_Dll& db = DB_Dll::Instancia();
    const auto consulta = [](const QString& periodo) {
        return QStringLiteral("Select CUENTA from EM_Tolvario where Periodo = '") + Comillas(periodo)
               + QStringLiteral("' and Cuenta <> 'MOLINO' group by Cuenta");
    };
    QString sql = consulta(Periodo());
    db.AbrirRecordset(sql, m_rcs, &db.gCnn, 2, 4);
    if (m_rcs.State() == 0 || m_rcs.BOF()) {
        sql = consulta(PeriodoAnterior()) + u' ';
        db.AbrirRecordset(sql, m_rcs, &db.gCnn, 2, 4);
    }
    if (m_rcs.State() != 0 && !m_rcs.BOF()) {
        int k = 0;
        // Five user boxes: a sixth account of a register not written here has nowhere to go.
        for (m_rcs.MoveFirst(); !m_rcs.Eof() && k < Usuarios; m_rcs.MoveNext()) {
            ++k;
            const QString cuenta = SuiteUtil::NullSafe(m_rcs.Field(QStringLiteral("Cuenta")));
            if (cuenta.trimmed().compare(QStringLiteral("MOLINO"), Qt::CaseInsensitive) != 0)
                CampoDe(QStringLiteral("USMOLINO%1").arg(k))->setText(cuenta.trimmed());
        }
    }
    db.CierraRecordset(m_rcs);
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
