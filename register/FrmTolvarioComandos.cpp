// The toolbar's commands, the tab strip, the keys the window sees first, and the book.
#include "register/FrmTolvario.h"

#include "data/DB_Dll.h"

#include "register/Informes.h"

#include "register/DialogoHistorial.h"

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

void FrmTolvario::conectar()
{
    connect(Panobar1, &Panobar::click, this, &FrmTolvario::Panobar1_click);
    connect(SSTab1, &QTabBar::currentChanged, this, &FrmTolvario::tabCambiado);
    connect(CmdArchivo, &QPushButton::clicked, this, &FrmTolvario::CmdArchivo_Click);
    QLineEdit* periodo = TxtFields[cPeriodo];
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
    for (QLineEdit* campo : std::as_const(TxtFields))
        SuiteForms::FiltrarEntrada(campo);
    // A setting changed is marked as the clerk types.
    for (int c : {cTitulo, cHoja, cOncca, cDecimales, cMedida, cLinea})
        connect(TxtFields[c], &QLineEdit::textChanged, this, [this] { marcarAjustes(); });
    conectarRejilla();
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
        // The editor still open while the focus is elsewhere (a box closed without a window
        // manager leaves it on nothing): Escape drops its text all the same.
        if (tecla->key() == Qt::Key_Escape && w != txtEdit && txtEdit->isVisible()) {
            EditKeyCode(MSFlexGrid, txtEdit, Teclas::Escape, 0);
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
    if (auto* campo = qobject_cast<QLineEdit*>(w); campo && TxtFields.contains(campo))
        return eventoDeEncabezado(campo, evento) || QMainWindow::eventFilter(objeto, evento);
    if (w == txtEdit)
        return eventoDelEditor(evento) || QMainWindow::eventFilter(objeto, evento);
    if (w == MSFlexGrid || w == MSFlexGrid->viewport())
        return eventoDeRejilla(objeto, evento) || QMainWindow::eventFilter(objeto, evento);
    return QMainWindow::eventFilter(objeto, evento);
}

void FrmTolvario::Form_KeyDown(int& KeyCode, int Shift)
{
    // Ctrl+H: the history of the period on screen.
    if (KeyCode == 'H' && Shift == 2) {
        KeyCode = 0;
        mostrarHistorial();
        return;
    }
    Panobar1->Tecla(KeyCode);
}

void FrmTolvario::mostrarHistorial()
{
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
    QLineEdit* caja = TxtFields[cPeriodo];
    const QString escrito = caja->text().trimmed();
    if (escrito == m_sesion.Cargado().Periodo() || (escrito.isEmpty() && !m_sesion.Cargado().Hay()))
        return false;
    // Validated as Enter would: it loads (after the question on unsaved changes), or its
    // message is shown and the box goes back to the period on screen. Either way the
    // command that found it stops, to be repeated on what is on screen now.
    CampoValida(caja);
    if (m_validacionFallida)
        caja->setText(m_sesion.Cargado().Periodo());
    return true;
}

bool FrmTolvario::revisarUsuarios()
{
    for (int k = 1; k <= Usuarios; ++k) {
        QLineEdit* caja = TxtFields[cUsuario1 + k - 1];
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
        CampoValida(caja);
        if (m_validacionFallida) {
            if (m_sesion.Cargado().Hay())
                BStat->showMessage(QStringLiteral("Período %1: no se grabó nada; el usuario %2 quedó como estaba (%3).")
                                       .arg(m_sesion.Cargado().Periodo())
                                       .arg(k)
                                       .arg(escrito));
            return false;
        }
    }
    return true;
}

bool FrmTolvario::baseAlAlcance()
{
    try {
        DB_Dll::Instancia().gCnn.Comprobar();
        return true;
    } catch (const ErrorVB& e) {
        if (e.Number != ErrorVB::ConexionInutilizable)
            return true; // any other failure is told by the step it stops
        // One message for the whole save: nothing of it can reach the server now, and the
        // screen keeps everything, still marked unsaved.
        const QStringList pendientes = cambiosPendientes();
        const QString grabadas = m_sesion.Grabadas().isEmpty()
                                     ? QStringLiteral("No se grabó nada de %1").arg(m_sesion.Cargado().Periodo())
                                     : QStringLiteral("De %1 se grabaron: %2").arg(m_sesion.Cargado().Periodo(), m_sesion.Grabadas().join(QStringLiteral(", ")));
        const QString texto = QStringLiteral("No se puede llegar al servidor de la base de datos: %1\n%2%3")
                                  .arg(e.Description.simplified(), grabadas,
                                       pendientes.isEmpty() ? QStringLiteral(".")
                                                            : QStringLiteral("; siguen sin grabar: ") + pendientes.join(QStringLiteral(", ")) + u'.');
        operador().Mensaje(texto, Operador::Critico + Operador::SoloAceptar, QStringLiteral("Aviso al operador..."));
        DB_Dll::Instancia().AnotarError(e, QStringLiteral("GRABAR"), QStringLiteral("Aceptar"));
        BStat->showMessage(QStringLiteral("Período %1: sin conexión con el servidor.").arg(m_sesion.Cargado().Periodo()));
        m_validacionFallida = true;
        return false;
    }
}

FrmTolvario::Grabacion FrmTolvario::grabar(Alcance alcance, EstaGrabacion g)
{
    m_grabando = true;
    // Cleared however the command ends, or the next period would never load.
    const AlSalir fin([this] { m_grabando = false; });
    m_validacionFallida = false;
    m_sesion.EmpezarGrabacion();
    if (!terminarEdicion())
        return Grabacion::Invalida;
    if (!baseAlAlcance())
        return Grabacion::SinConexion;
    // The account being left is checked as F5 checks it; the header and its settings are
    // the whole period's, asked about and stored only by a save of everything.
    const bool todo = alcance == Alcance::Todo;
    bool valido = !todo;
    bool hayError = false;
    const bool completo = Pasos::Ejecutar({
        [&] {
            if (todo)
                valido = Datosvalidos();
        },
        [&] {
            if (!valido)
                return;
            if (todo)
                ActualizarDatos(g);
            else if (!GrabarGrid(m_sesion.Cargado().CuentaEnGrilla(), g))
                m_validacionFallida = true;
        },
        // A save may have marked the delivered book changed (read again only when the
        // database answered the whole save; the account's own save reads it itself).
        [&] {
            if (todo && valido && !m_sesion.Incompleta())
                mostrarEntrega();
        },
    }, [&](const ErrorVB& e) {
        hayError = true;
        return InformarCon("Panobar1_click")(e);
    }, SinError5());
    // Any error the clerk went past still means the book would lack something on screen.
    const bool grabado = completo && valido && !hayError && !m_validacionFallida && !m_sesion.Incompleta();
    const qsizetype n = m_sesion.Grabadas().size();
    if (grabado) {
        if (todo || n > 0)
            BStat->showMessage(QStringLiteral("Período %1 grabado: %2").arg(m_sesion.Cargado().Periodo(),
                                   n == 1 ? QStringLiteral("1 cuenta") : QStringLiteral("%1 cuentas").arg(n)));
        return Grabacion::Grabada;
    }
    if (!valido)
        return Grabacion::Invalida;
    if (g.declinada)
        return Grabacion::Declinada;
    // Each account is its own transaction: the clerk reads which ones are stored and which
    // are still only on screen.
    const QStringList pendientes = cambiosPendientes();
    BStat->showMessage(QStringLiteral("Período %1: la grabación no se completó. Grabadas: %2. Sin grabar: %3.")
                           .arg(m_sesion.Cargado().Periodo(), n == 0 ? QStringLiteral("ninguna") : m_sesion.Grabadas().join(QStringLiteral(", ")),
                                pendientes.isEmpty() ? QStringLiteral("ninguna") : pendientes.join(QStringLiteral(", "))));
    return hayError || m_sesion.Incompleta() ? Grabacion::Incompleta : Grabacion::Cancelada;
}

void FrmTolvario::Panobar1_click(const QString& boton)
{
    const QString clave = boton.toUpper();
    if (clave == QStringLiteral("GRABAR")) {
        if (listoParaComando())
            grabar(Alcance::Todo);
    } else if (clave == QStringLiteral("BORRAR")) {
        if (!listoParaComando())
            return;
        if (!m_sesion.Cargado().Hay()) {
            operador().Mensaje(QStringLiteral(" No hay ningún período cargado para dar de baja."),
                               Operador::Critico + Operador::SoloAceptar, QStringLiteral("Aviso al operador..."));
            return;
        }
        const QStringList cuentas = m_sesion.Cargado().Guardadas();
        QString pregunta = QStringLiteral("Confirma la baja de este registro?\n%1\nCuentas: %2")
                               .arg(m_sesion.Cargado().Periodo(),
                                    cuentas.isEmpty() ? QStringLiteral("sin movimientos grabados") : cuentas.join(QStringLiteral(", ")));
        if (!cambiosPendientes().isEmpty())
            pregunta += QStringLiteral("\nLos cambios sin grabar se perderán con el período.");
        // Its delivered book, and the months after it that carry its balance, are named.
        RegistroTolvario::Deriva deriva;
        if (!Pasos::Ejecutar({[&] { deriva = RegistroTolvario::DerivaDeBorrar(m_sesion.Cargado().Periodo()); }},
                             InformarCon("Panobar1_click"), SinError5()))
            return;
        if (deriva.Hay())
            pregunta += QStringLiteral("\n\n") + SesionRegistro::TextoDeDeriva(deriva);
        if (operador().Mensaje(pregunta, Operador::SiNo + Operador::Exclamacion + Operador::SegundoBoton, QStringLiteral("Atención!"))
            != Operador::Si)
            return;
        bool borrado = false;
        const QString periodo = m_sesion.Cargado().Periodo();
        Pasos::Ejecutar({
            [&] {
                borrarPeriodo();
                borrado = true;
            },
            [&] {
                // The period goes with its register: a tab clicked afterwards must not write
                // it back.
                if (borrado) {
                    TxtFields[cPeriodo]->clear();
                    Inicializa();
                    BStat->showMessage(QStringLiteral("Período %1 dado de baja.").arg(periodo));
                }
            },
        }, InformarCon("Panobar1_click"), SinError5());
    } else if (clave == QStringLiteral("CONSULTAR")) {
        Pasos::Ejecutar({[&] { CmdConsultar(); }}, InformarCon("Panobar1_click"), SinError5());
    } else if (clave == QStringLiteral("REPORTE")) {
        if (listoParaComando() && grabar(Alcance::Todo) == Grabacion::Grabada)
            Pasos::Ejecutar({[&] { ofrecerLibro(false); }}, InformarCon("Panobar1_click"), SinError5());
    } else if (clave == QStringLiteral("CERRAR")) {
        int cancelar = 0;
        Form_Unload(cancelar);
    } else if (clave == QStringLiteral("CANCELAR")) {
        if (operador().Mensaje(QStringLiteral("¿Realmente desea abandonar la carga de datos?"),
                               Operador::SiNo + Operador::Pregunta + Operador::SegundoBoton, QStringLiteral("Aviso al Operador"))
            != Operador::Si)
            return;
        // The abandoned period leaves the box too: the next command must not load it again.
        Pasos::Ejecutar({[&] {
            TxtFields[cPeriodo]->clear();
            Inicializa();
        }}, InformarCon("Panobar1_click"), SinError5());
    }
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
            const QSignalBlocker quieto(SSTab1);
            SSTab1->setCurrentIndex(previo);
        };
        if (!terminarEdicion()) {
            quedarse();
            return;
        }
        const QString escrito = TxtFields[cPeriodo]->text().trimmed();
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
    if (previo >= 0 && previo < TabUsuarios && m_sesion.Cargado().GrillaCambio(m_modelo->planilla().LineasDeDia())
        && grabar(Alcance::CuentaQueSeDeja) != Grabacion::Grabada) {
        // The save failed: the grid stays, with its edits, on its own tab.
        const QSignalBlocker quieto(SSTab1);
        SSTab1->setCurrentIndex(previo);
        m_tabPrevio = previo;
        mostrarUsuarios(false);
        return false;
    }
    if (nuevo >= 0 && nuevo < TabUsuarios)
        AsignarDatos(CuentaDeTab(nuevo));
    else
        m_sesion.Cargado().SoltarGrilla();
    return true;
}

void FrmTolvario::mostrarUsuarios(bool usuarios)
{
    m_usuariosALaVista = usuarios;
    // A period's load walks through the users' tab and comes back: the frames change once,
    // at its end, so the window is laid out and painted once instead of twice in full.
    if (m_cargando)
        return;
    FrmDet->setVisible(!usuarios);
    FrmUsuarios->setVisible(usuarios);
}

void FrmTolvario::SSTab1_Click(int PreviousTab)
{
    const int nuevo = SSTab1->currentIndex();
    if (SSTab1->tabText(nuevo).compare(QStringLiteral("Usuarios Molino"), Qt::CaseInsensitive) == 0) {
        if (!guardarYCargar(PreviousTab, nuevo))
            return;
        mostrarUsuarios(true);
        for (int k = 1; k <= Usuarios; ++k)
            CampoValida(CampoDe(QStringLiteral("usmolino%1").arg(k)));
    } else {
        mostrarUsuarios(false);
        guardarYCargar(PreviousTab, nuevo);
    }
}

void FrmTolvario::CmdArchivo_Click()
{
    if (listoParaComando() && grabar(Alcance::Todo) == Grabacion::Grabada)
        Pasos::Ejecutar({[&] { ofrecerLibro(true); }}, InformarCon("Panobar1_click"), SinError5());
}

void FrmTolvario::EstablecerLibro(std::unique_ptr<Libro> libro)
{
    m_libro = std::move(libro);
}

EncabezadoLibro FrmTolvario::encabezadoDelLibro()
{
    TomarDecimales();
    EncabezadoLibro e;
    e.decimales = m_sesion.Decimales();
    e.lineaInicial = LineaInicialDelLibro(CampoDe(QStringLiteral("linea"))->text());
    e.titulo = CampoDe(QStringLiteral("TITULO"))->text();
    e.oncca = CampoDe(QStringLiteral("ONCCA"))->text();
    e.periodo = m_sesion.Cargado().Periodo();
    e.hoja = TxtFields[cHoja]->text();
    e.medida = CampoDe(QStringLiteral("MEDIDA"))->text();
    e.bordes = chk->isChecked();
    return e;
}

void FrmTolvario::ofrecerLibro(bool disco)
{
    if (!m_libro) {
        operador().Mensaje(QStringLiteral("El registro quedó grabado, pero el libro del período todavía no está "
                                          "disponible en esta versión del programa."),
                           Operador::Informacion + Operador::SoloAceptar, QStringLiteral("Aviso al Operador"));
        return;
    }
    Libro::Pedido pedido{encabezadoDelLibro(), QString(), this, BStat};
    if (disco) {
        ActualizarUnidades();
        pedido.unidad = CmbLetra->currentText();
        m_libro->ArchivoOncca(pedido);
        mostrarEntrega();
    } else {
        m_libro->Reporte(pedido);
    }
}
