// Checking one field after the clerk commits it, and what its value implies: a period
// loads, a milling user shows its tab, a quantity must be a number. Then the stock again.
#include "register/FrmTolvario.h"

#include "register/EditorDeCelda.h"

#include "data/DB_Dll.h"
#include "platform/AlSalir.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "register/ModeloRegistro.h"
#include "register/Periodo.h"
#include "register/RegistroTolvario.h"
#include "suite/SuiteUtil.h"

#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>

namespace {
const QString SinPeriodo = QStringLiteral(" Debe informar el Periodo!");
const QString FormatoPeriodo = QStringLiteral(" Formato del Campo Periodo Incorrecto!, por favor verifique sea MM/AAAA");
const QString NoNumerico = QStringLiteral(" Debe ser Numerico!");
} // namespace

bool FrmTolvario::CampoValida(QLineEdit* control, bool releer, bool totalizar)
{
    if (!control)
        return true;
    const QString valor = control->text().trimmed();
    const QString campo = control->property("DataField").toString().trimmed();
    bool valido = true;
    QString aviso;
    Pasos::Ejecutar({[&] {
        if (campo.compare(QStringLiteral("Periodo"), Qt::CaseInsensitive) == 0) {
            if (valor.isEmpty())
                aviso = SinPeriodo;
            else if (!PeriodoBienEscrito(valor))
                aviso = FormatoPeriodo;
            // A slip of the hand must not become a month of the book with a sheet number
            // of its own.
            else if (!(m_sesion.Cargado().Hay() && valor == m_sesion.Cargado().Periodo()) && !m_sesion.Grabando()
                     && !confirmarPeriodoLejano(valor)) {
                m_ui.TxtFields[cPeriodo]->setText(m_sesion.Cargado().Hay() ? m_sesion.Cargado().Periodo() : QString());
                valido = false;
            } else
                valido = validarPeriodo(valor, releer, aviso);
            if (!aviso.isEmpty()) {
                valido = false;
                totalizar = false;
            }
        } else if (campo.compare(QStringLiteral("Decimales"), Qt::CaseInsensitive) == 0) {
            // The stock and the next registers loaded follow the new count at once.
            TomarDecimales();
        } else if (campo.compare(QStringLiteral("HOJA"), Qt::CaseInsensitive) == 0) {
            // Only a number that would be written: one stored as it is for a period with
            // lines, even shared, stays. A key left by a period without lines (a first save
            // cancelled, a period removed) counted for nothing when the next numbers were
            // given: checked as a new one.
            const QString periodo = m_sesion.Cargado().Periodo();
            // The stored number and whether the period has lines are known since it was loaded,
            // and kept up by each save.
            if (m_sesion.Cargado().Hay()
                && !(valor == m_sesion.Cargado().HojaGuardada() && !m_sesion.Cargado().Guardadas().isEmpty()))
                if (const QString otro = RegistroTolvario::PeriodoConHoja(valor, periodo); !otro.isEmpty()) {
                    aviso = QStringLiteral("La Hoja Nro %1 ya es la del período %2.").arg(valor, otro);
                    valido = false;
                }
        } else if (campo.compare(QStringLiteral("MEDIDA"), Qt::CaseInsensitive) == 0) {
            m_ui.LblDetalle->setText(QStringLiteral("TOTALES EXPRESADOS EN ") + valor);
        } else if (campo.startsWith(QStringLiteral("USMOLINO"), Qt::CaseInsensitive)) {
            const int k = campo.mid(8).toInt();
            if (k >= 1 && k <= Usuarios)
                valido = validarUsuario(k, valor, aviso);
        } else if (campo.compare(QStringLiteral("Entradas"), Qt::CaseInsensitive) == 0
                   || campo.compare(QStringLiteral("Salidas"), Qt::CaseInsensitive) == 0) {
            valido = validarCantidad(valor, aviso);
        }
    },
    [&] {
        if (totalizar)
            Totalizar();
    },
    [&] {
        // A setting the clerk changed is on the station's disk until a save stores it.
        if (valido && SesionRegistro::CamposDeAjuste().contains(campo, Qt::CaseInsensitive))
            m_sesion.Diario().AnotarAjuste(m_sesion.Cargado().Periodo(), campo, control->text());
    }}, [this](const ErrorVB& e) { return m_sesion.InformarFalloDeRevision(e, QStringLiteral("CAMPO_VALIDA")); });
    if (!valido && !aviso.isEmpty()) {
        // A save it stops says so where the clerk looks after the box: nothing was stored.
        if (m_sesion.Grabando() && m_sesion.Cargado().Hay())
            m_ui.BStat->showMessage(QStringLiteral("Período %1: no se grabó nada. %2").arg(m_sesion.Cargado().Periodo(), aviso.trimmed()));
        operador().Mensaje(aviso, Operador::Critico + Operador::SoloAceptar, QStringLiteral("Aviso al operador..."));
    }
    // Back on the refused figure once the box is gone, all of it selected: the next figure
    // replaces it and Escape drops it, wherever the desktop put the focus meanwhile.
    if (!valido && control == m_ui.txtEdit && m_ui.txtEdit->isVisible()) {
        m_ui.txtEdit->setFocus(Qt::OtherFocusReason);
        m_ui.txtEdit->selectAll();
    }
    return valido;
}

bool FrmTolvario::validarPeriodo(const QString& valor, bool releer, QString&)
{
    // The period already on screen is not loaded again: that would throw away what the
    // clerk typed since, as leaving the box by Tab or an arrow validates it too.
    if (m_sesion.Cargado().Hay() && valor == m_sesion.Cargado().Periodo() && !releer) {
        DetalleOn(true);
        return true;
    }
    // A save validates the header of the period loaded, never loads another one.
    if (m_sesion.Grabando()) {
        DetalleOn(true);
        return true;
    }
    // A value still open in the editor belongs to the period on screen.
    if (!terminarEdicion())
        return false;
    // The period on screen leaves it: what it holds unsaved is saved or dropped first, as
    // the clerk says; Cancelar keeps it on screen, the box back on it.
    if (!resolverPendientes()) {
        m_ui.TxtFields[cPeriodo]->setText(m_sesion.Cargado().Periodo());
        return false;
    }
    // A load the database interrupts leaves no period loaded: nothing is saved over a
    // register that was never read, and a retry loads it again.
    bool cargado = false;
    const AlSalir siFalla([&] {
        if (cargado)
            return;
        m_sesion.Cargado().Vaciar();
        vaciarUsuarios();
        InicializaGrids();
        DetalleOn(false);
    });
    const SesionRegistro::Abierto abierto = m_sesion.AbrirPeriodo(valor);
    AsignarDatosInicio(abierto);
    m_ui.TxtFields[cHoja]->setText(abierto.hoja);
    marcarAjustes();
    mostrarEntrega();
    DetalleOn(true);
    cargado = true;
    // What the status bar said belongs to the period that left.
    m_ui.BStat->clearMessage();
    return true;
}

bool FrmTolvario::confirmarPeriodoLejano(const QString& valor)
{
    std::pair<QString, QString> guardados;
    try {
        guardados = RegistroTolvario::PeriodosGuardados();
    } catch (const ErrorVB&) {
        // The load that follows meets the same failure and reports it, with its retry.
        return true;
    }
    const auto& [primero, ultimo] = guardados;
    if (!PeriodoLejano(valor, primero, ultimo))
        return true;
    const QString texto = QStringLiteral("El período %1 está lejos de los guardados (%2 a %3). ¿Abrirlo?").arg(valor, primero, ultimo);
    return operador().Mensaje(texto, Operador::SiNo + Operador::Pregunta + Operador::SegundoBoton, QStringLiteral("Aviso al operador..."))
           == Operador::Si;
}

bool FrmTolvario::validarUsuario(int k, const QString& valor, QString& aviso)
{
    if (valor.isEmpty())
        return true;
    // The customer the tab stood for; or, for a stored account that is no customer (a box
    // without a tab), the code the box was loaded with.
    const QString anterior = m_sesion.Cargado().CodigoDeUsuario(k);
    const std::optional<RegistroTolvario::Cliente> cliente = m_sesion.Cliente(valor);
    if (!cliente) {
        // A code typed that is no customer is told where it was typed, and taken back; an
        // account stored under such a code stays as it was loaded.
        if (!m_cargando && valor.compare(anterior, Qt::CaseInsensitive) != 0) {
            aviso = QStringLiteral("El código %1 no es un cliente.").arg(valor);
            m_ui.TxtFields[cUsuario1 + k - 1]->setText(anterior);
            return false;
        }
        // Carried over from the month before: the box holds it as loaded, not as typed.
        if (m_cargando && anterior.isEmpty())
            m_sesion.Cargado().PonerCodigoCargado(k, valor);
        return true;
    }
    // The account is stored as the customer's code is, however the clerk typed it.
    QString codigo = cliente->codigo;
    if (codigo.isEmpty())
        codigo = valor;
    if (codigo.compare(anterior, Qt::CaseInsensitive) != 0 && !m_sesion.ReemplazarUsuario(k, anterior, codigo, m_cargando, aviso)) {
        m_ui.TxtFields[cUsuario1 + k - 1]->setText(anterior);
        return false;
    }
    m_ui.LblDesc[k - 1]->setText(cliente->razonSocial + u' ' + cliente->documento);
    if (codigo != valor)
        m_ui.TxtFields[cUsuario1 + k - 1]->setText(codigo);
    m_sesion.Cargado().PonerCuenta(k, codigo);
    m_ui.SSTab1->setTabVisible(k, true);
    // Setting even the same text lays the tab bar out and paints it again.
    if (m_ui.SSTab1->tabText(k) != cliente->razonSocial.left(10))
        m_ui.SSTab1->setTabText(k, cliente->razonSocial.left(10));
    return true;
}

bool FrmTolvario::validarCantidad(const QString& valor, QString& aviso)
{
    if (valor.isEmpty())
        return true;
    if (!Planilla::EsCantidad(valor)) {
        // A number all the same, only too large: said so, not that it is no number.
        bool numero = false;
        try {
            Importe descartado;
            numero = SuiteUtil::LeerCantidad(valor, descartado);
        } catch (const ErrorVB&) {
            numero = true;
        }
        aviso = numero ? QStringLiteral(" La cantidad debe estar entre -999999999 y 999999999.") : NoNumerico;
        return false;
    }
    const QModelIndex actual = m_ui.MSFlexGrid->currentIndex();
    if (actual.isValid() && m_ui.editor->CantidadEditada())
        m_modelo->PonerCantidad(ModeloRegistro::FilaDeGrilla(actual.row()), actual.column(), valor, m_sesion.Decimales());
    return true;
}

bool FrmTolvario::Datosvalidos()
{
    for (QLineEdit* campo : std::as_const(m_ui.TxtFields))
        // The loaded period is valid by being loaded; the box may already hold the next one
        // the clerk is moving to. A whole header validated in a row totals once, at its end.
        if (!(campo == m_ui.TxtFields[cPeriodo] && m_sesion.Cargado().Hay()) && !CampoValida(campo, false, false))
            return false;
    Pasos::Ejecutar({[&] { Totalizar(); }}, [](const ErrorVB& e) { return SuiteUtil::ReportError(e, QStringLiteral("CAMPO_VALIDA")); });
    return true;
}

void FrmTolvario::Totalizar()
{
    if (!m_sesion.Cargado().Hay())
        return;
    m_modelo->Totalizar(m_sesion.Decimales());
    // The first day below zero is named where the clerk looks after typing; gone with it.
    const QString negativa = m_sesion.Lineas().AvisoDeNegativa();
    if (!negativa.isEmpty() && !m_ui.BStat->currentMessage().contains(negativa))
        m_ui.BStat->showMessage(negativa);
    else if (negativa.isEmpty() && m_ui.BStat->currentMessage().contains(QStringLiteral("Existencia negativa")))
        m_ui.BStat->clearMessage();
}
