// Checking one field after the clerk commits it, and what its value implies: a period
// loads, a milling user shows its tab, a quantity must be a number. Then the stock again.
#include "register/FrmTolvario.h"

#include "data/DB_Dll.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "register/ModeloRegistro.h"
#include "register/Periodo.h"
#include "startup/Configuracion.h"
#include "suite/SuiteUtil.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTableView>

namespace {
const QString SinPeriodo = QStringLiteral(" Debe informar el Periodo!");
const QString FormatoPeriodo = QStringLiteral(" Formato del Campo Periodo Incorrecto!, por favor verifique sea MM/AAAA");
const QString NoNumerico = QStringLiteral(" Debe ser Numerico!");
} // namespace

void FrmTolvario::avisar(const QString& texto)
{
    m_mensajePendiente = texto;
    m_validacionFallida = true;
}

void FrmTolvario::CampoValida(QLineEdit* control)
{
    if (!control)
        return;
    m_validacionFallida = false;
    m_mensajePendiente.clear();
    const QString valor = control->text().trimmed();
    const QString campo = control->property("DataField").toString().trimmed();
    bool totalizar = true;
    Pasos::Ejecutar({[&] {
        if (campo.compare(QStringLiteral("Periodo"), Qt::CaseInsensitive) == 0) {
            if (valor.isEmpty()) {
                avisar(SinPeriodo);
                totalizar = false;
            } else if (!PeriodoBienEscrito(valor)) {
                avisar(FormatoPeriodo);
                totalizar = false;
            } else {
                validarPeriodo(valor, campo);
            }
        } else if (campo.compare(QStringLiteral("Decimales"), Qt::CaseInsensitive) == 0) {
            // The stock and the next registers loaded follow the new count at once.
            TomarDecimales();
        } else if (campo.compare(QStringLiteral("MEDIDA"), Qt::CaseInsensitive) == 0) {
            LblDetalle->setText(QStringLiteral("TOTALES EXPRESADOS EN ") + valor);
        } else if (campo.startsWith(QStringLiteral("USMOLINO"), Qt::CaseInsensitive)) {
            const int k = campo.mid(8).toInt();
            if (k >= 1 && k <= Usuarios)
                validarUsuario(k, valor);
        } else if (campo.compare(QStringLiteral("Entradas"), Qt::CaseInsensitive) == 0
                   || campo.compare(QStringLiteral("Salidas"), Qt::CaseInsensitive) == 0) {
            validarCantidad(valor);
        }
    },
    [&] {
        if (totalizar)
            Totalizar();
    }}, [](const ErrorVB& e) { return SuiteUtil::ReportError(e, QStringLiteral("CAMPO_VALIDA")); });
    if (m_validacionFallida && !m_mensajePendiente.isEmpty()) {
        const QString texto = m_mensajePendiente;
        m_mensajePendiente.clear();
        operador().Mensaje(texto, Operador::Critico + Operador::SoloAceptar, QStringLiteral("Aviso al operador..."));
    }
}

void FrmTolvario::validarPeriodo(const QString& valor, const QString& campo)
{
    // The period already on screen is not loaded again: that would throw away what the
    // clerk typed since, as leaving the box by Tab or an arrow validates it too.
    if (m_cargado.valido && valor == m_cargado.periodo) {
        DetalleOn(true);
        return;
    }
    DB_Dll& db = DB_Dll::Instancia();
    const bool existe = db.ExisteEnTabla(m_tabla, valor, campo, &m_rcs, 8);
    if (!m_grabando) {
        if (!existe)
            InicializaGrids();
        AsignarDatosInicio();
    }
    DetalleOn(true);
    if (!m_grabando)
        llenarHoja();
}

void FrmTolvario::llenarHoja()
{
    const QString periodo = TxtFields[cPeriodo]->text();
    const QString guardada = LeerConfiguracion(QStringLiteral("TOLVARIO_HOJA_") + periodo.mid(3, 4) + periodo.left(2));
    // A stored number beyond any amount is no sheet number: the next one is taken.
    const Importe hoja = SuiteUtil::TextToAmountOrZero(guardada);
    if (!hoja.esCero()) {
        TxtFields[cHoja]->setText(guardada.trimmed());
        return;
    }
    Recordset rs;
    DB_Dll::Instancia().AbrirConsulta(
        QStringLiteral("select * from ta_configuracion where clave like 'TOLVARIO_HOJA_%' order by clave desc"), rs);
    if (rs.BOF())
        TxtFields[cHoja]->setText(QStringLiteral("1"));
    else {
        Importe ultima;
        try {
            ultima = SuiteUtil::TextToAmount(SuiteUtil::NullSafe(rs.Field(QStringLiteral("Valor"))));
            ultima += Importe::desdeEntero(1);
        } catch (const ErrorVB&) {
            ultima = Importe::desdeEntero(1);
        }
        TxtFields[cHoja]->setText(ultima.texto());
    }
}

void FrmTolvario::validarUsuario(int k, const QString& valor)
{
    if (valor.isEmpty())
        return;
    Recordset rs;
    if (!DB_Dll::Instancia().ExisteEnTabla(QStringLiteral("Vt_Clientes"), valor, QStringLiteral("CODIGO"), &rs, 8))
        return;
    const QString razon = SuiteUtil::NullSafe(rs.Field(QStringLiteral("Razon_Social")));
    LblDesc[k - 1]->setText(razon + u' ' + SuiteUtil::NullSafe(rs.Field(QStringLiteral("Numero_documento"))));
    // The account is stored as the customer's code is, however the clerk typed it.
    const QString codigo = SuiteUtil::NullSafe(rs.Field(QStringLiteral("CODIGO"))).trimmed();
    if (!codigo.isEmpty() && codigo != valor)
        TxtFields[cUsuario1 + k - 1]->setText(codigo);
    m_cuentaTab[k] = codigo.isEmpty() ? valor : codigo;
    SSTab1->setTabVisible(k, true);
    // Setting even the same text lays the tab bar out and paints it again.
    if (SSTab1->tabText(k) != razon.left(10))
        SSTab1->setTabText(k, razon.left(10));
}

void FrmTolvario::validarCantidad(const QString& valor)
{
    if (valor.isEmpty())
        return;
    if (!Planilla::EsCantidad(valor)) {
        avisar(NoNumerico);
        return;
    }
    const QModelIndex actual = MSFlexGrid->currentIndex();
    if (actual.isValid())
        m_modelo->PonerTexto(ModeloRegistro::FilaDeGrilla(actual.row()), actual.column(), valor);
}

bool FrmTolvario::Datosvalidos()
{
    m_validacionFallida = false;
    for (QLineEdit* campo : std::as_const(TxtFields)) {
        CampoValida(campo);
        if (m_validacionFallida)
            break;
    }
    return !m_validacionFallida;
}

void FrmTolvario::Totalizar()
{
    m_modelo->Totalizar(m_decimales);
}
