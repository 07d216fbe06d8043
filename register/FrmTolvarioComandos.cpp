// The toolbar's commands, the tab strip, the keys the window sees first, and the book.
#include "register/FrmTolvario.h"

#include "data/DB_Dll.h"

#include "register/Informes.h"

#include "register/DialogoAnio.h"
#include "register/DialogoHistorial.h"
#include "register/EditorDeCelda.h"

#include "platform/AlSalir.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "platform/Teclas.h"
#include "register/Entregas.h"
#include "register/ModeloRegistro.h"
#include "startup/Panobar.h"
#include "suite/SuiteForms.h"
#include "suite/SuiteUtil.h"

#include <QApplication>
#include <QDate>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QStatusBar>
#include <QSignalBlocker>
#include <QTabBar>
#include <QTableView>

namespace {

// The period's typing aid: two digits typed in the period box are a month and the "/"
// follows; anything else as a month is told, selected to be typed again. True when it
// completed the month.
bool FormateaPeriodoAnio(QString& palabra, QLineEdit* campo)
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

} // namespace

void FrmTolvario::conectar()
{
    connect(m_ui.Panobar1, &Panobar::click, this, &FrmTolvario::Panobar1_click);
    connect(m_ui.SSTab1, &QTabBar::currentChanged, this, &FrmTolvario::tabCambiado);
    connect(m_ui.CmdArchivo, &QPushButton::clicked, this, &FrmTolvario::CmdArchivo_Click);
    QLineEdit* periodo = m_ui.TxtFields[cPeriodo];
    // The typing aid adds the "/" once the month's two digits are in, not when erasing back to them.
    connect(periodo, &QLineEdit::textEdited, this, [this, periodo](const QString& texto) {
        const int antes = periodo->property("largoAnterior").toInt();
        periodo->setProperty("largoAnterior", int(texto.size()));
        // The clerk's own "/" after the one the aid added is the same one.
        if (texto.size() == 4 && antes == 3 && texto.endsWith(QLatin1String("//"))) {
            periodo->setText(texto.left(3));
            periodo->setProperty("largoAnterior", 3);
            return;
        }
        // Only two digits are a month to complete ("1/" is the clerk's own month and slash).
        if (texto.size() == 2 && antes < 2 && texto[0].isDigit() && texto[1].isDigit()) {
            QString palabra = texto;
            FormateaPeriodoAnio(palabra, periodo);
            periodo->setProperty("largoAnterior", int(periodo->text().size()));
        }
    });
    for (QLineEdit* campo : std::as_const(m_ui.TxtFields))
        SuiteForms::FiltrarEntrada(campo);
    // A setting changed is marked as the clerk types.
    for (int c : {cTitulo, cHoja, cOncca, cDecimales, cMedida, cLinea})
        connect(m_ui.TxtFields[c], &QLineEdit::textChanged, this, [this] { marcarAjustes(); });
    // Leaving a cell commits what was typed in it; arriving prepares the editor for the column.
    connect(m_ui.MSFlexGrid->selectionModel(), &QItemSelectionModel::currentChanged, this, [this] {
        confirmarEdicion();
        m_controlActivo = m_ui.txtEdit;
        EditorDeCelda::TextPropiedades(m_ui.txtEdit, m_ui.editor->ColumnaActual());
    });
    // Each cell committed is on the station's disk before it shows; the stock follows what
    // the cell holds now (an emptied quantity included).
    m_ui.editor->AlConfirmar([this](int fila) {
        Pasos::Ejecutar({[&] {
            m_sesion.AnotarDia(fila);
            Totalizar();
        }}, InformarCon("EditKeyCode"), SinError5());
    });
    // Composed letters must reach the window as keys, not as the view's type-ahead search.
    m_ui.MSFlexGrid->setAttribute(Qt::WA_InputMethodEnabled, false);
    // The window sees every key first, as the suite's windows do, and its boxes' and grid's
    // events; see eventFilter.
    qApp->installEventFilter(this);
}

bool FrmTolvario::eventFilter(QObject* objeto, QEvent* evento)
{
    if (!objeto->isWidgetType())
        return QMainWindow::eventFilter(objeto, evento);
    auto* w = static_cast<QWidget*>(objeto);
    if (w->window() != this)
        return QMainWindow::eventFilter(objeto, evento);
    if (evento->type() == QEvent::KeyPress) {
        // Only the key's first receiver, and only inside this window: a key pressed in a
        // modal lookup never reaches the register's toolbar.
        const bool primero = w == QApplication::focusWidget() || (w == this && !QApplication::focusWidget());
        if (!primero || QApplication::activeModalWidget())
            return QMainWindow::eventFilter(objeto, evento);
        auto* tecla = static_cast<QKeyEvent*>(evento);
        // Ctrl+Tab and Ctrl+PgDn to the next tab, with Shift or PgUp to the one before: as a
        // click on it, so the tab left is stored.
        const int k = tecla->key();
        if ((tecla->modifiers() & Qt::ControlModifier)
            && (k == Qt::Key_Tab || k == Qt::Key_Backtab || k == Qt::Key_PageDown || k == Qt::Key_PageUp)) {
            const bool atras = k == Qt::Key_Backtab || k == Qt::Key_PageUp || (tecla->modifiers() & Qt::ShiftModifier);
            const int n = m_ui.SSTab1->count();
            int i = m_ui.SSTab1->currentIndex();
            do
                i = (i + (atras ? n - 1 : 1)) % n;
            while (!m_ui.SSTab1->isTabVisible(i) && i != m_ui.SSTab1->currentIndex());
            m_ui.SSTab1->setCurrentIndex(i);
            return true;
        }
        // The editor still open while the focus is elsewhere (a box closed without a window
        // manager leaves it on nothing): Escape drops its text all the same.
        if (tecla->key() == Qt::Key_Escape && w != m_ui.txtEdit && m_ui.txtEdit->isVisible()) {
            EditKeyCode(m_ui.MSFlexGrid, m_ui.txtEdit, Teclas::Escape, 0);
            return true;
        }
        int codigo = Teclas::Codigo(tecla);
        if (codigo != 0) {
            const auto mayusCtrlAlt = tecla->modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier);
            Form_KeyDown(codigo, int(mayusCtrlAlt.toInt() >> 25));
            if (codigo == 0)
                return true;
        }
    }
    if (auto* campo = qobject_cast<QLineEdit*>(w); campo && m_ui.TxtFields.contains(campo))
        return eventoDeEncabezado(campo, evento) || QMainWindow::eventFilter(objeto, evento);
    if (w == m_ui.txtEdit)
        return eventoDelEditor(evento) || QMainWindow::eventFilter(objeto, evento);
    if (w == m_ui.MSFlexGrid || w == m_ui.MSFlexGrid->viewport())
        return eventoDeRejilla(objeto, evento) || QMainWindow::eventFilter(objeto, evento);
    return QMainWindow::eventFilter(objeto, evento);
}

void FrmTolvario::Form_KeyDown(int& KeyCode, int Shift)
{
    // Ctrl+H: the history of the period on screen.
    if (KeyCode != 'H' || Shift != 2) {
        m_ui.Panobar1->Tecla(KeyCode);
        return;
    }
    KeyCode = 0;
    if (!m_sesion.Cargado().Hay()) {
        operador().Mensaje(QStringLiteral(" No hay ningún período cargado para ver su historial."),
                           Operador::Critico + Operador::SoloAceptar, QStringLiteral("Aviso al operador..."));
        return;
    }
    Pasos::Ejecutar({[&] {
        DialogoHistorial dialogo(m_sesion.Cargado().Periodo(), this);
        dialogo.exec();
    }}, InformarCon("Historial"), SinError5());
}

bool FrmTolvario::listoParaComando()
{
    // The value still being typed is part of what the clerk means.
    if (!terminarEdicion())
        return false;
    if (periodoSinCargar())
        return false;
    return revisarUsuarios();
}

bool FrmTolvario::periodoSinCargar()
{
    QLineEdit* caja = m_ui.TxtFields[cPeriodo];
    const QString escrito = caja->text().trimmed();
    if (escrito == m_sesion.Cargado().Periodo() || (escrito.isEmpty() && !m_sesion.Cargado().Hay()))
        return false;
    // Validated as Enter would: it loads (after the question on unsaved changes), or its
    // message is shown and the box goes back to the period on screen. Either way the
    // command that found it stops, to be repeated on what is on screen now.
    if (!CampoValida(caja))
        caja->setText(m_sesion.Cargado().Periodo());
    return true;
}

bool FrmTolvario::revisarUsuarios()
{
    for (int k = 1; k <= Usuarios; ++k) {
        QLineEdit* caja = m_ui.TxtFields[cUsuario1 + k - 1];
        const QString escrito = caja->text().trimmed();
        const QString cuenta = m_sesion.Cargado().Cuenta(k);
        // Only what the clerk typed: a stored account that is no customer stays in its box
        // without a tab, as loaded.
        if (!caja->isModified() || escrito.compare(cuenta, Qt::CaseInsensitive) == 0)
            continue;
        caja->setModified(false);
        // An emptied box leaves the user as it was.
        if (escrito.isEmpty()) {
            caja->setText(cuenta);
            continue;
        }
        // A code that is no customer is told there and the box goes back; the command that
        // found it stops, and the status bar says nothing was stored.
        if (!CampoValida(caja)) {
            if (m_sesion.Cargado().Hay())
                m_ui.BStat->showMessage(QStringLiteral("Período %1: no se grabó nada; el usuario %2 quedó como estaba (%3).")
                                            .arg(m_sesion.Cargado().Periodo())
                                            .arg(k)
                                            .arg(caja->text().trimmed().isEmpty() ? QStringLiteral("sin usuario") : caja->text().trimmed()));
            return false;
        }
    }
    return true;
}

void FrmTolvario::Panobar1_click(const QString& boton)
{
    const QString clave = boton.toUpper();
    if (clave == QStringLiteral("GRABAR")) {
        if (listoParaComando())
            grabar(SesionRegistro::Alcance::Todo);
    } else if (clave == QStringLiteral("BORRAR")) {
        if (!listoParaComando())
            return;
        if (!m_sesion.Cargado().Hay()) {
            operador().Mensaje(QStringLiteral(" No hay ningún período cargado para dar de baja."),
                               Operador::Critico + Operador::SoloAceptar, QStringLiteral("Aviso al operador..."));
            return;
        }
        bool borrado = false;
        const QString periodo = m_sesion.Cargado().Periodo();
        Pasos::Ejecutar({
            [&] { borrado = m_sesion.BorrarPeriodo(enPantalla()); },
            [&] {
                // The period goes with its register: a tab clicked afterwards must not write
                // it back.
                if (borrado) {
                    m_ui.TxtFields[cPeriodo]->clear();
                    Inicializa();
                    m_ui.BStat->showMessage(QStringLiteral("Período %1 dado de baja.").arg(periodo));
                }
            },
        }, InformarCon("Panobar1_click"), SinError5());
    } else if (clave == QStringLiteral("PLANILLA")) {
        if (terminarEdicion())
            mostrarAnio();
    } else if (clave == QStringLiteral("CONSULTAR")) {
        Pasos::Ejecutar({[&] { CmdConsultar(); }}, InformarCon("Panobar1_click"), SinError5());
    } else if (clave == QStringLiteral("REPORTE")) {
        if (listoParaComando() && grabar(SesionRegistro::Alcance::Todo) == SesionRegistro::Grabacion::Grabada)
            Pasos::Ejecutar({[&] { ofrecerLibro(false); }}, InformarCon("Panobar1_click"), SinError5());
    } else if (clave == QStringLiteral("CERRAR")) {
        int cancelar = 0;
        Form_Unload(cancelar);
    } else if (clave == QStringLiteral("CANCELAR")) {
        const QString perder = m_sesion.Pendientes(enPantalla()).isEmpty() ? QString()
                                                                           : QStringLiteral("\nLos cambios sin grabar se perderán.");
        if (operador().Mensaje(QStringLiteral("¿Realmente desea abandonar la carga de datos?") + perder,
                               Operador::SiNo + Operador::Pregunta + Operador::SegundoBoton, QStringLiteral("Aviso al Operador"))
            != Operador::Si)
            return;
        // The abandoned period leaves the box too: the next command must not load it again.
        Pasos::Ejecutar({[&] {
            m_sesion.Descartar();
            m_ui.TxtFields[cPeriodo]->clear();
            Inicializa();
        }}, InformarCon("Panobar1_click"), SinError5());
    }
}

void FrmTolvario::mostrarAnio()
{
    const QString cargado = m_sesion.Cargado().Periodo();
    const int anio = cargado.isEmpty() ? QDate::currentDate().year() : cargado.mid(3).toInt();
    TomarDecimales();
    DialogoAnio dialogo(anio, m_sesion.Decimales(), CampoDe(QStringLiteral("MEDIDA"))->text(), this);
    if (dialogo.exec() != QDialog::Accepted || dialogo.PeriodoElegido().isEmpty())
        return;
    // As typed in the period box and Enter: changes pending are asked about first.
    QLineEdit* caja = m_ui.TxtFields[cPeriodo];
    caja->setText(dialogo.PeriodoElegido());
    if (!CampoValida(caja, true))
        caja->setText(m_sesion.Cargado().Periodo());
}

void FrmTolvario::tabCambiado(int nuevo)
{
    const int previo = m_tabPrevio;
    if (!m_cargando) {
        // The value still open in the editor goes with the grid being left; a period typed
        // and not loaded is validated first and the click goes no further; a user's code
        // changed in its box is validated before its tab is left. Any of them keeps the
        // clerk where they were.
        const auto quedarse = [&] {
            const QSignalBlocker quieto(m_ui.SSTab1);
            m_ui.SSTab1->setCurrentIndex(previo);
        };
        if (!terminarEdicion()) {
            quedarse();
            return;
        }
        const QString escrito = m_ui.TxtFields[cPeriodo]->text().trimmed();
        if (escrito != m_sesion.Cargado().Periodo() && !(escrito.isEmpty() && !m_sesion.Cargado().Hay())) {
            quedarse();
            periodoSinCargar();
            return;
        }
        if (previo == TabUsuarios && !revisarUsuarios()) {
            quedarse();
            return;
        }
    }
    m_tabPrevio = nuevo;
    // A click on a tab has no caller to hand an error to: it is reported here.
    Pasos::Ejecutar({[&] { SSTab1_Click(previo); }}, [&](const ErrorVB& e) {
        m_sesion.MarcarIncompleta();
        return SuiteUtil::ReportError(e, QStringLiteral("SSTab1_Click"));
    }, SinError5());
}

bool FrmTolvario::guardarYCargar(int previo, int nuevo)
{
    // The tab left is stored only when the clerk changed it: browsing writes nothing.
    if (previo >= 0 && previo < TabUsuarios && m_sesion.Cargado().GrillaCambio(m_sesion.Lineas().LineasDeDia())
        && grabar(SesionRegistro::Alcance::CuentaQueSeDeja) != SesionRegistro::Grabacion::Grabada) {
        // The save failed: the grid stays, with its edits, on its own tab.
        const QSignalBlocker quieto(m_ui.SSTab1);
        m_ui.SSTab1->setCurrentIndex(previo);
        m_tabPrevio = previo;
        mostrarUsuarios();
        return false;
    }
    if (nuevo >= 0 && nuevo < TabUsuarios)
        AsignarDatos(CuentaDeTab(nuevo));
    else
        m_sesion.Cargado().SoltarGrilla();
    return true;
}

void FrmTolvario::mostrarUsuarios()
{
    const bool usuarios = m_ui.SSTab1->currentIndex() == TabUsuarios;
    // A period's load walks through the users' tab and comes back: the frames change once,
    // at its end, so the window is laid out and painted once instead of twice in full.
    if (m_cargando)
        return;
    m_ui.FrmDet->setVisible(!usuarios);
    m_ui.FrmUsuarios->setVisible(usuarios);
}

void FrmTolvario::SSTab1_Click(int PreviousTab)
{
    const int nuevo = m_ui.SSTab1->currentIndex();
    if (m_ui.SSTab1->tabText(nuevo).compare(QStringLiteral("Usuarios Molino"), Qt::CaseInsensitive) == 0) {
        if (!guardarYCargar(PreviousTab, nuevo))
            return;
        mostrarUsuarios();
        for (int k = 1; k <= Usuarios; ++k)
            CampoValida(CampoDe(QStringLiteral("usmolino%1").arg(k)));
    } else {
        mostrarUsuarios();
        guardarYCargar(PreviousTab, nuevo);
    }
}

void FrmTolvario::CmdArchivo_Click()
{
    if (listoParaComando() && grabar(SesionRegistro::Alcance::Todo) == SesionRegistro::Grabacion::Grabada)
        Pasos::Ejecutar({[&] { ofrecerLibro(true); }}, InformarCon("Panobar1_click"), SinError5());
}

void FrmTolvario::EstablecerLibro(std::unique_ptr<Libro> libro)
{
    m_libro = std::move(libro);
}

void FrmTolvario::ofrecerLibro(bool disco)
{
    if (!m_libro) {
        operador().Mensaje(QStringLiteral("El registro quedó grabado, pero el libro del período todavía no está "
                                          "disponible en esta versión del programa."),
                           Operador::Informacion + Operador::SoloAceptar, QStringLiteral("Aviso al Operador"));
        return;
    }
    TomarDecimales();
    EncabezadoLibro e;
    e.decimales = m_sesion.Decimales();
    e.lineaInicial = LineaInicialDelLibro(CampoDe(QStringLiteral("linea"))->text());
    e.titulo = CampoDe(QStringLiteral("TITULO"))->text();
    e.oncca = CampoDe(QStringLiteral("ONCCA"))->text();
    e.periodo = m_sesion.Cargado().Periodo();
    e.hoja = m_ui.TxtFields[cHoja]->text();
    e.medida = CampoDe(QStringLiteral("MEDIDA"))->text();
    e.bordes = m_ui.chk->isChecked();
    Libro::Pedido pedido{e, QString(), this, m_ui.BStat};
    if (disco) {
        const QString elegida = m_ui.CmbLetra->currentText();
        if (!ActualizarUnidades()) {
            operador().Mensaje(QStringLiteral("El disco %1 ya no está conectado. Elija el disco en la lista y vuelva a pulsar el botón.")
                                   .arg(elegida),
                               Operador::Exclamacion + Operador::SoloAceptar, QStringLiteral("Aviso al Operador"));
            return;
        }
        pedido.unidad = m_ui.CmbLetra->currentText();
        m_libro->ArchivoOncca(pedido);
        mostrarEntrega();
        // A disk just formatted shows its new label.
        ActualizarUnidades();
    } else {
        m_libro->Reporte(pedido);
    }
}
