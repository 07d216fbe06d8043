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
                validarPeriodo(valor);
            }
        } else if (campo.compare(QStringLiteral("Decimales"), Qt::CaseInsensitive) == 0) {
            // The stock and the next registers loaded follow the new count at once.
            TomarDecimales();
        } else if (campo.compare(QStringLiteral("HOJA"), Qt::CaseInsensitive) == 0) {
            validarHoja(valor);
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
        // A whole header validated in a row totals once, at its end.
        if (totalizar && !m_validandoEncabezado)
            Totalizar();
    }}, [](const ErrorVB& e) { return SuiteUtil::ReportError(e, QStringLiteral("CAMPO_VALIDA")); });
    if (m_validacionFallida && !m_mensajePendiente.isEmpty()) {
        const QString texto = m_mensajePendiente;
        m_mensajePendiente.clear();
        // A save it stops says so where the clerk looks after the box: nothing was stored.
        if (m_grabando && m_sesion.Cargado().Hay())
            BStat->showMessage(QStringLiteral("Período %1: no se grabó nada. %2").arg(m_sesion.Cargado().Periodo(), texto.trimmed()));
        operador().Mensaje(texto, Operador::Critico + Operador::SoloAceptar, QStringLiteral("Aviso al operador..."));
    }
    // Back on the refused figure once the box is gone, all of it selected: the next figure
    // replaces it and Escape drops it, wherever the desktop put the focus meanwhile.
    if (m_validacionFallida && control == txtEdit && txtEdit->isVisible()) {
        txtEdit->setFocus(Qt::OtherFocusReason);
        txtEdit->selectAll();
    }
}

void FrmTolvario::validarPeriodo(const QString& valor)
{
    // The period already on screen is not loaded again: that would throw away what the
    // clerk typed since, as leaving the box by Tab or an arrow validates it too.
    if (m_sesion.Cargado().Hay() && valor == m_sesion.Cargado().Periodo() && !m_releer) {
        DetalleOn(true);
        return;
    }
    // A save validates the header of the period loaded, never loads another one.
    if (m_grabando) {
        DetalleOn(true);
        return;
    }
    // A slip of the hand must not become a month of the book with a sheet number of its own.
    const bool elCargado = m_sesion.Cargado().Hay() && valor == m_sesion.Cargado().Periodo();
    if (!elCargado && !confirmarPeriodoLejano(valor)) {
        TxtFields[cPeriodo]->setText(m_sesion.Cargado().Hay() ? m_sesion.Cargado().Periodo() : QString());
        m_validacionFallida = true;
        return;
    }
    // A value still open in the editor belongs to the period on screen.
    if (!terminarEdicion()) {
        m_validacionFallida = true;
        return;
    }
    // The period on screen leaves it: what it holds unsaved is saved or dropped first, as
    // the clerk says; Cancelar keeps it on screen, the box back on it.
    if (!resolverPendientes()) {
        TxtFields[cPeriodo]->setText(m_sesion.Cargado().Periodo());
        m_validacionFallida = true;
        return;
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
        m_modelo->Inicializar();
        DetalleOn(false);
    });
    m_sesion.Cargado().Empezar(valor, RegistroTolvario::CuentasDelPeriodo(valor));
    AsignarDatosInicio();
    llenarHoja();
    mostrarEntrega();
    DetalleOn(true);
    cargado = true;
    // What the status bar said belongs to the period that left.
    BStat->clearMessage();
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

void FrmTolvario::validarHoja(const QString& valor)
{
    // Only a number that would be written: one stored as it is for a period with lines, even
    // shared, stays. A key left by a period without lines (a first save cancelled, a period
    // removed) counted for nothing when the next numbers were given: checked as a new one.
    if (!m_sesion.Cargado().Hay()
        || (valor == RegistroTolvario::HojaComoEsta(m_sesion.Cargado().Periodo()) && RegistroTolvario::HayPeriodo(m_sesion.Cargado().Periodo())))
        return;
    const QString otro = RegistroTolvario::PeriodoConHoja(valor, m_sesion.Cargado().Periodo());
    if (!otro.isEmpty())
        avisar(QStringLiteral("La Hoja Nro %1 ya es la del período %2.").arg(valor, otro));
}

void FrmTolvario::llenarHoja()
{
    const QString hoja = RegistroTolvario::Hoja(m_sesion.Cargado().Periodo());
    TxtFields[cHoja]->setText(hoja);
    m_sesion.Cargado().PonerHoja(hoja);
    marcarAjustes();
}

void FrmTolvario::validarUsuario(int k, const QString& valor)
{
    if (valor.isEmpty())
        return;
    // The customer the tab stood for; or, for a stored account that is no customer (a box
    // without a tab), the code the box was loaded with.
    const QString anterior = codigoDeUsuario(k);
    Recordset rs;
    if (!DB_Dll::Instancia().ExisteEnTabla(QStringLiteral("Vt_Clientes"), valor, QStringLiteral("CODIGO"), &rs, 8)) {
        // A code typed that is no customer is told where it was typed, and taken back; an
        // account stored under such a code stays as it was loaded.
        if (!m_cargando && valor.compare(anterior, Qt::CaseInsensitive) != 0) {
            avisar(QStringLiteral("El código %1 no es un cliente.").arg(valor));
            TxtFields[cUsuario1 + k - 1]->setText(anterior);
        } else if (m_cargando && anterior.isEmpty()) {
            // Carried over from the month before: the box holds it as loaded, not as typed.
            m_sesion.Cargado().PonerCodigoCargado(k, valor);
        }
        return;
    }
    // The account is stored as the customer's code is, however the clerk typed it.
    QString codigo = SuiteUtil::NullSafe(rs.Field(QStringLiteral("CODIGO"))).trimmed();
    if (codigo.isEmpty())
        codigo = valor;
    if (codigo.compare(anterior, Qt::CaseInsensitive) != 0) {
        if (!reemplazarUsuario(k, anterior, codigo))
            return;
        if (!m_cargando)
            m_sesion.Cargado().Agregar(codigo);
        m_sesion.Cargado().PonerCodigoCargado(k, QString());
    }
    const QString razon = SuiteUtil::NullSafe(rs.Field(QStringLiteral("Razon_Social")));
    LblDesc[k - 1]->setText(razon + u' ' + SuiteUtil::NullSafe(rs.Field(QStringLiteral("Numero_documento"))));
    if (codigo != valor)
        TxtFields[cUsuario1 + k - 1]->setText(codigo);
    m_sesion.Cargado().PonerCuenta(k, codigo);
    SSTab1->setTabVisible(k, true);
    // Setting even the same text lays the tab bar out and paints it again.
    if (SSTab1->tabText(k) != razon.left(10))
        SSTab1->setTabText(k, razon.left(10));
}

QString FrmTolvario::codigoDeUsuario(int k) const
{
    return m_sesion.Cargado().Cuenta(k).isEmpty() ? m_sesion.Cargado().CodigoCargado(k) : m_sesion.Cargado().Cuenta(k);
}

bool FrmTolvario::reemplazarUsuario(int k, const QString& anterior, const QString& nuevo)
{
    QLineEdit* caja = TxtFields[cUsuario1 + k - 1];
    // One customer, one tab: two tabs of one account would each store over the other.
    const int otra = m_sesion.Cargado().TabDe(nuevo);
    if (otra > 0 && otra != k) {
        avisar(QStringLiteral(" El cliente %1 ya es el usuario %2 del período.").arg(nuevo).arg(otra));
        caja->setText(anterior);
        return false;
    }
    if (!anterior.isEmpty() && m_sesion.Cargado().Hay() && m_sesion.Cargado().Guardada(anterior)) {
        const int r = operador().Mensaje(QStringLiteral("El usuario %1 tiene movimientos grabados en %2.\n"
                                                        "¿Quitarlos del período al grabar? (No: %1 sigue como usuario %3)")
                                             .arg(anterior, m_sesion.Cargado().Periodo())
                                             .arg(k),
                                         Operador::SiNo + Operador::Pregunta + Operador::SegundoBoton,
                                         QStringLiteral("Aviso al Operador"));
        if (r != Operador::Si) {
            caja->setText(anterior);
            return false;
        }
        m_sesion.Cargado().Quitar(anterior);
    }
    m_sesion.Cargado().NoQuitar(nuevo);
    // The grid stood for the customer replaced: it is that customer's, never the new one's.
    if (!anterior.isEmpty() && m_sesion.Cargado().CuentaEnGrilla().compare(anterior, Qt::CaseInsensitive) == 0)
        m_sesion.Cargado().SoltarGrilla();
    return true;
}

void FrmTolvario::validarCantidad(const QString& valor)
{
    if (valor.isEmpty())
        return;
    if (!Planilla::EsCantidad(valor)) {
        // A number all the same, only too large: said so, not that it is no number.
        bool numero = false;
        try {
            Importe descartado;
            numero = SuiteUtil::LeerCantidad(valor, descartado);
        } catch (const ErrorVB&) {
            numero = true;
        }
        avisar(numero ? QStringLiteral(" La cantidad debe estar entre -999999999 y 999999999.") : NoNumerico);
        return;
    }
    const QModelIndex actual = MSFlexGrid->currentIndex();
    if (actual.isValid() && m_editor->CantidadEditada())
        m_modelo->PonerCantidad(ModeloRegistro::FilaDeGrilla(actual.row()), actual.column(), valor, m_sesion.Decimales());
}

bool FrmTolvario::Datosvalidos()
{
    m_validacionFallida = false;
    {
        m_validandoEncabezado = true;
        const AlSalir fin([this] { m_validandoEncabezado = false; });
        validarEncabezado();
    }
    if (!m_validacionFallida)
        Pasos::Ejecutar({[&] { Totalizar(); }}, [](const ErrorVB& e) { return SuiteUtil::ReportError(e, QStringLiteral("CAMPO_VALIDA")); });
    return !m_validacionFallida;
}

void FrmTolvario::validarEncabezado()
{
    for (QLineEdit* campo : std::as_const(TxtFields)) {
        // The loaded period is valid by being loaded; the box may already hold the next one
        // the clerk is moving to.
        if (campo == TxtFields[cPeriodo] && m_sesion.Cargado().Hay())
            continue;
        CampoValida(campo);
        if (m_validacionFallida)
            break;
    }
}

void FrmTolvario::Totalizar()
{
    if (m_sesion.Cargado().Hay())
        m_modelo->Totalizar(m_sesion.Decimales());
}
