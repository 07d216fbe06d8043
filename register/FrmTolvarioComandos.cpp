// The toolbar's commands, the tab strip, the keys the window sees first, and the book.
#include "register/FrmTolvario.h"

#include "register/Informes.h"

#include "platform/AlSalir.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "platform/Teclas.h"
#include "register/ModeloRegistro.h"
#include "startup/Panobar.h"
#include "suite/SuiteForms.h"
#include "suite/SuiteUtil.h"

#include <QApplication>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>
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
        if (texto.size() == 2 && antes < 2) {
            QString palabra = texto;
            FormateaPeriodoAnio(palabra, periodo);
            periodo->setProperty("largoAnterior", int(periodo->text().size()));
        }
    });
    for (QLineEdit* campo : std::as_const(TxtFields))
        SuiteForms::FiltrarEntrada(campo);
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

void FrmTolvario::Form_KeyDown(int& KeyCode, int)
{
    Panobar1->Tecla(KeyCode);
}

bool FrmTolvario::grabar()
{
    m_grabando = true;
    // Cleared however the command ends, or the next period would never load.
    const AlSalir fin([this] { m_grabando = false; });
    m_validacionFallida = false;
    m_grabacionIncompleta = false;
    // The value still being typed is part of what the clerk means to store.
    if (!terminarEdicion())
        return false;
    bool valido = false;
    bool hayError = false;
    const bool completo = Pasos::Ejecutar({
        [&] { valido = Datosvalidos(); },
        [&] {
            // A period typed but not confirmed would have the grid's register stored under it.
            if (valido && m_cargado.valido && Periodo() != m_cargado.periodo) {
                valido = false;
                m_validacionFallida = true;
                operador().Mensaje(QStringLiteral(" El Periodo cambió: presione Enter en el Periodo para cargarlo antes de grabar."),
                                   Operador::Critico + Operador::SoloAceptar, QStringLiteral("Aviso al operador..."));
            }
        },
        [&] {
            if (valido)
                ActualizarDatos();
        },
    }, [&](const ErrorVB& e) {
        hayError = true;
        return InformarCon("Panobar1_click")(e);
    }, SinError5());
    // Any error the clerk went past still means the book would lack something on screen.
    return completo && valido && !hayError && !m_validacionFallida && !m_grabacionIncompleta;
}

void FrmTolvario::Panobar1_click(const QString& boton)
{
    const QString clave = boton.toUpper();
    if (clave == QStringLiteral("GRABAR")) {
        grabar();
    } else if (clave == QStringLiteral("BORRAR")) {
        if (operador().Mensaje(QStringLiteral("Confirma la baja de este registro?"),
                               Operador::SiNo + Operador::Exclamacion + Operador::SegundoBoton, QStringLiteral("Atención!"))
            != Operador::Si)
            return;
        bool borrado = false;
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
                    AbrirRecordset(m_tabla);
                }
            },
        }, InformarCon("Panobar1_click"), SinError5());
    } else if (clave == QStringLiteral("CONSULTAR")) {
        Pasos::Ejecutar({[&] { CmdConsultar(); }}, InformarCon("Panobar1_click"), SinError5());
    } else if (clave == QStringLiteral("REPORTE")) {
        if (grabar())
            Pasos::Ejecutar({[&] { ofrecerLibro(false); }}, InformarCon("Panobar1_click"), SinError5());
    } else if (clave == QStringLiteral("CERRAR")) {
        int cancelar = 0;
        Form_Unload(cancelar);
    } else if (clave == QStringLiteral("CANCELAR")) {
        if (operador().Mensaje(QStringLiteral("¿Realmente desea abandonar la carga de datos?"),
                               Operador::SiNo + Operador::Pregunta + Operador::SegundoBoton, QStringLiteral("Aviso al Operador"))
            != Operador::Si)
            return;
        Pasos::Ejecutar({[&] { Inicializa(); }, [&] { AbrirRecordset(m_tabla); }}, InformarCon("Panobar1_click"), SinError5());
    }
}

void FrmTolvario::tabCambiado(int nuevo)
{
    const int previo = m_tabPrevio;
    // The value still open in the editor goes with the grid being left; a refused one keeps
    // the clerk on that tab.
    if (!m_cargando && !terminarEdicion()) {
        const QSignalBlocker quieto(SSTab1);
        SSTab1->setCurrentIndex(previo);
        return;
    }
    m_tabPrevio = nuevo;
    // A click on a tab has no caller to hand an error to: it is reported here.
    Pasos::Ejecutar({[&] { SSTab1_Click(previo); }}, [&](const ErrorVB& e) {
        m_grabacionIncompleta = true;
        return SuiteUtil::ReportError(e, QStringLiteral("SSTab1_Click"));
    }, SinError5());
}

bool FrmTolvario::guardarYCargar(int previo, int nuevo)
{
    if (previo >= 0 && previo < TabUsuarios && !GrabarGrid(CuentaDeTab(previo))) {
        // The clerk abandoned the save: the grid stays, with its edits, on its own tab.
        const QSignalBlocker quieto(SSTab1);
        SSTab1->setCurrentIndex(previo);
        m_tabPrevio = previo;
        mostrarUsuarios(false);
        return false;
    }
    if (nuevo >= 0 && nuevo < TabUsuarios)
        AsignarDatos(CuentaDeTab(nuevo));
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
    if (grabar())
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
    if (disco)
        m_libro->ArchivoOncca(*this);
    else
        m_libro->Reporte(*this);
}
