// Loading, resetting and unloading the window: start-up, connection, the register table
// check, the configuration fields, the drives, and the end of the run.
#include "register/FrmTolvario.h"

#include "register/Informes.h"

#include "data/DB_Dll.h"
#include "register/DiarioDeRecuperacion.h"
#include "lookup/Lib_ClsCons3.h"
#include "platform/AlSalir.h"
#include "platform/LineaPrivada.h"
#include "platform/Operador.h"
#include "platform/Pasos.h"
#include "platform/Unidades.h"
#include "register/Entregas.h"
#include "register/ModeloRegistro.h"
#include "register/RegistroTolvario.h"
#include "startup/Configuracion.h"
#include "startup/Globales.h"
#include "startup/Inicio.h"
#include "startup/Panobar.h"
#include "startup/Sesion.h"
#include "startup/Unidad.h"
#include "suite/SuiteForms.h"
#include "suite/SuiteUtil.h"

#include <QCloseEvent>
#include <algorithm>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QScreen>
#include <QSettings>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>

namespace {

// The window's place is the clerk's own: kept in the user's settings, never in the suite's
// shared table, and per suite user.
QString claveDeGeometria()
{
    const QString quien = UsuarioQueOpera();
    return QStringLiteral("ventanas/%1/FrmTolvario").arg(quien.isEmpty() ? QStringLiteral("_") : quien);
}

QSettings ajustesDelUsuario()
{
    return QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tolvario"), QStringLiteral("tolvario"));
}

// Size and place as this user left them; all of a screen smaller than the window.
void restaurarGeometria(QMainWindow* ventana)
{
    const QByteArray guardada = ajustesDelUsuario().value(claveDeGeometria()).toByteArray();
    const bool restaurada = !guardada.isEmpty() && ventana->restoreGeometry(guardada);
    const QScreen* pantalla = ventana->screen();
    if (!pantalla)
        return;
    // A screen smaller than the window with its title bar and borders (1366 x 768 among
    // them), or a place left on a larger screen: all of it, rather than days, totals and
    // buttons out of reach. Without a window manager nobody maximises it: it takes the area
    // itself, and never more.
    constexpr int Marco = 60;
    const QRect area = pantalla->availableGeometry();
    const bool cabe = restaurada ? area.contains(ventana->geometry())
                                 : area.width() >= ventana->width() + Marco && area.height() >= ventana->height() + Marco;
    if (cabe)
        return;
    // Room left for a window manager's title bar and borders, should there be one: back from
    // maximised, the window is still inside the screen.
    constexpr QSize Bordes(8, 32);
    ventana->setGeometry(QRect(area.topLeft(), area.size() - Bordes));
    ventana->setWindowState(ventana->windowState() | Qt::WindowMaximized);
}

} // namespace

FrmTolvario::FrmTolvario(QWidget* parent)
    : QMainWindow(parent)
    , m_modelo(new ModeloRegistro(m_sesion.Lineas(), this))
{
    m_ui.Construir(this, m_modelo);
    conectar();
}

FrmTolvario::~FrmTolvario() = default;

void FrmTolvario::Form_Load()
{
    EstablecerEnlaceConsultas(&Lib_ClsCons3::Instancia());
    // Everything the start reads of the settings comes in one statement.
    const LecturaDeInicio ajustes(RegistroTolvario::ClavesDeAjustes());
    Pasos::Ejecutar({
        [&] {
            QString conexion;
            IniciarSesion(false, QString(), conexion);
            AplicarEstiloVentana(this);
        },
        [&] {
            if (!RegistroTolvario::TablaExiste()) {
                operador().Mensaje(QStringLiteral("La base de Datos se Encuentra desactualizada, por favor ejecute el "
                                                  "proceso RevisaTablas.EXE, y actualice las Tablas y Campos"),
                                   Operador::Informacion + Operador::SoloAceptar, QStringLiteral("Aviso al Operador"));
                operador().Terminar(LineaPrivada::BaseDesactualizada);
            }
        },
        [&] {
            // Said once a run: the clerk knows which safeguards are not kept here.
            QStringList faltan;
            // The catalogue was just asked, for the register's own table.
            if (!RegistroTolvario::ConEntregas())
                faltan << QStringLiteral("las entregas a ONCCA");
            if (!RegistroTolvario::ConHistoria())
                faltan << QStringLiteral("el historial de cambios (quién cambió qué)");
            if (!faltan.isEmpty())
                operador().Mensaje(QStringLiteral("En esta base de datos no se registran %1: le faltan sus tablas. El "
                                                  "registro se graba igual. Para registrarlo, actualícela con "
                                                  "tolvario-esquema.")
                                       .arg(faltan.join(QStringLiteral(" ni "))),
                                   Operador::Informacion + Operador::SoloAceptar, QStringLiteral("Aviso al Operador"));
        },
        [&] {
            Inicializa();
            SuiteUtil::SetUpForm(this, false);
        },
        [&] {
            const SesionRegistro::Encabezado guardado = SesionRegistro::LeerEncabezado();
            for (auto it = guardado.cbegin(); it != guardado.cend(); ++it)
                CampoDe(it.key())->setText(it.value());
            m_sesion.TomarAjustesGuardados(enPantalla().encabezado);
            marcarAjustes();
        },
        [&] { TomarDecimales(); },
        [&] { m_ui.LblDetalle->setText(QStringLiteral("TOTALES EXPRESADOS EN ") + m_ui.TxtFields[cMedida]->text()); },
        [&] { ActualizarUnidades(); },
        [&] { restaurarGeometria(this); },
        [&] { ofrecerRecuperacion(); },
    }, InformarCon("Form_Load"));
}

void FrmTolvario::ofrecerRecuperacion()
{
    DiarioDeRecuperacion& diario = m_sesion.Diario();
    const DB_Dll& db = DB_Dll::Instancia();
    qint64 otro = 0;
    // Two windows of one user would type into one journal: the second one does not open.
    if (!diario.Abrir({db.gServidor, db.gDBName, gCaja, UsuarioQueOpera()}, &otro)) {
        operador().Mensaje(QStringLiteral("El registro ya está abierto para %1 en este puesto (proceso %2). Siga en esa ventana: "
                                          "ésta se cierra sin tocar nada.")
                               .arg(UsuarioQueOpera().isEmpty() ? QStringLiteral("este usuario") : UsuarioQueOpera())
                               .arg(otro),
                           Operador::Informacion + Operador::SoloAceptar, QStringLiteral("Aviso al Operador"));
        operador().Terminar(LineaPrivada::OtraVentana);
    }
    DiarioDeRecuperacion::Pendiente p = diario.Leer();
    // A setting typed back to what is stored is no change; the sheet number is its period's.
    for (auto it = p.ajustes.begin(); it != p.ajustes.end();)
        it = it.key().compare(QStringLiteral("HOJA"), Qt::CaseInsensitive) != 0 && !m_sesion.AjusteCambiado(it.key(), it.value())
                 ? p.ajustes.erase(it)
                 : std::next(it);
    if (p.periodo.isEmpty())
        p.ajustes.remove(QStringLiteral("HOJA"));
    if (p.Vacio())
        return;
    // Sí is the default: what the clerk typed is what they meant to keep. No keeps it aside.
    if (operador().Mensaje(SesionRegistro::TextoDeRecuperacion(p), Operador::SiNo + Operador::Pregunta,
                           QStringLiteral("Aviso al Operador"))
        != Operador::Si) {
        const QString aparte = diario.Apartar();
        m_ui.BStat->showMessage(aparte.isEmpty()
                                    ? QStringLiteral("Los cambios sin grabar no se pudieron apartar: se ofrecen otra vez al volver a abrir.")
                                    : QStringLiteral("Los cambios sin grabar quedaron aparte en %1.").arg(aparte));
        return;
    }
    // The period opens as Enter opens it (it was open already: no question about its
    // distance); the accounts show the clerk's days as their tabs are shown.
    m_sesion.Recuperar(p);
    QString aviso;
    m_ui.TxtFields[cPeriodo]->setText(p.periodo);
    if (!p.periodo.isEmpty() && !validarPeriodo(p.periodo, false, aviso))
        return;
    for (auto it = p.usuarios.cbegin(); it != p.usuarios.cend(); ++it)
        if (it.key() >= 1 && it.key() <= Usuarios) {
            m_ui.TxtFields[cUsuario1 + it.key() - 1]->setText(it.value());
            CampoValida(m_ui.TxtFields[cUsuario1 + it.key() - 1]);
        }
    for (auto it = p.ajustes.cbegin(); it != p.ajustes.cend(); ++it)
        if (QLineEdit* caja = CampoDe(it.key())) {
            caja->setText(it.value());
            CampoValida(caja);
        }
    // An account other than the one on the grid is shown on its own tab; never by leaving
    // one that holds recovered days, which would store them unasked.
    const QString enGrilla = m_sesion.Cargado().CuentaEnGrilla();
    const bool grillaRecuperada = std::any_of(p.cuentas.begin(), p.cuentas.end(), [&](const auto& c) {
        return c.cuenta.compare(enGrilla, Qt::CaseInsensitive) == 0;
    });
    if (!p.cuentas.empty() && !grillaRecuperada)
        if (const int tab = m_sesion.Cargado().TabDe(p.cuentas.front().cuenta); tab > 0)
            m_ui.SSTab1->setCurrentIndex(tab);
    marcarAjustes();
    m_ui.BStat->showMessage(QStringLiteral("Cambios recuperados en %1, sin grabar todavía: F5 los graba.").arg(p.periodo));
}

void FrmTolvario::TomarDecimales()
{
    // A text like "2.6" rounds to 3; nothing configured means whole numbers (-2), not the
    // workstation's currency digits that 0 would mean to the formatter.
    m_sesion.PonerDecimales(Planilla::Decimales(m_ui.TxtFields[cDecimales]->text()));
}

bool FrmTolvario::ActualizarUnidades()
{
    // The disk the clerk chose stays chosen while it is still there.
    const QString elegida = m_ui.CmbLetra->currentText();
    m_ui.CmbLetra->clear();
    // Mount points are kept as they are: Linux paths are case-sensitive. No removable disk
    // is the common case and leaves the combo empty without a word.
    for (const Unidades::Unidad& u : Unidades::actual().Lista())
        if (TipoUnidad(u.ruta).compare(QStringLiteral("Removible"), Qt::CaseInsensitive) == 0)
            m_ui.CmbLetra->addItem(u.ruta);
    // A label written since changes a disk's text ("/dev/sdb1 (ONCCA)"), not the disk: found
    // by its device too.
    int i = m_ui.CmbLetra->findText(elegida);
    const QString dispositivo = Unidades::DispositivoDe(elegida);
    for (int k = 0; i < 0 && !dispositivo.isEmpty() && k < m_ui.CmbLetra->count(); ++k)
        if (Unidades::DispositivoDe(m_ui.CmbLetra->itemText(k)) == dispositivo)
            i = k;
    // The disk chosen and then pulled out is not replaced by another one unasked.
    if (i < 0 && !elegida.isEmpty()) {
        m_ui.CmbLetra->setCurrentIndex(-1);
        return false;
    }
    if (m_ui.CmbLetra->count() > 0)
        m_ui.CmbLetra->setCurrentIndex(qMax(0, i));
    return true;
}

void FrmTolvario::Inicializa()
{
    // However the steps end, the window is not left loading (nothing would be saved again)
    // and shows the frame of the tab it is on.
    const AlSalir fin([this] {
        m_cargando = false;
        mostrarUsuarios();
    });
    Pasos::Ejecutar({
        [&] {
            SuiteForms::StyleControls(this, QStringLiteral("txtfields"));
            SuiteForms::BindFields(m_ui.TxtFields, RegistroTolvario::Tabla, DB_Dll::Instancia().gCnn.ConnectionString());
        },
        [&] { InicializaGrids(); },
        [&] {
            for (QLabel* l : std::as_const(m_ui.LblDesc))
                l->clear();
        },
        [&] { DetalleOn(false); },
        [&] {
            m_cargando = true;
            m_sesion.Cargado().Vaciar();
            // Nothing of the period that leaves stays on screen: its users would come back as
            // tabs, its sheet number would be the next period's.
            vaciarUsuarios();
            m_ui.TxtFields[cHoja]->clear();
            m_ui.LblEntrega->clear();
            marcarAjustes();
            m_ui.SSTab1->setTabText(TabMolino, QStringLiteral("Molino"));
            for (int k = 1; k <= Usuarios; ++k)
                m_ui.SSTab1->setTabVisible(k, false);
            m_ui.SSTab1->setTabText(TabUsuarios, QStringLiteral("Usuarios Molino"));
            seleccionarTabsCargando();
        },
        [&] { TomarDecimales(); },
    }, InformarCon("Inicializa"));
}

void FrmTolvario::seleccionarTabsCargando()
{
    // The users tab re-validates the user fields, then the mill's tab loads its register;
    // nothing is saved on the way.
    m_cargando = true;
    const AlSalir fin([this] {
        m_cargando = false;
        mostrarUsuarios();
    });
    if (m_ui.SSTab1->currentIndex() == TabUsuarios)
        SSTab1_Click(TabUsuarios);
    else
        m_ui.SSTab1->setCurrentIndex(TabUsuarios);
    m_ui.SSTab1->setCurrentIndex(TabMolino);
}

void FrmTolvario::InicializaGrids()
{
    m_modelo->Inicializar();
    const QFontMetrics fm = m_ui.MSFlexGrid->fontMetrics();
    // The figures first, wide enough for the largest one with its decimals; the remarks take
    // what is left (the last column stretches).
    const int cifra = fm.horizontalAdvance(QStringLiteral("-999,999,999.9999")) + fm.horizontalAdvance(QStringLiteral("XX"));
    const int anchos[] = {fm.horizontalAdvance(QStringLiteral("XXXX")), cifra, cifra, cifra,
                          fm.horizontalAdvance(QString(24, u'X'))};
    for (int c = 0; c < Planilla::Columnas; ++c)
        m_ui.MSFlexGrid->setColumnWidth(c, anchos[c]);
    m_ui.txtEdit->hide();
}

void FrmTolvario::DetalleOn(bool edicion)
{
    m_ui.FrmEnc->setEnabled(true);
    m_ui.FrmDet->setEnabled(true);
    m_ui.Panobar1->setNuevoenabled(false);
    // Offered: a clerk closes from the toolbar (F12) and drops a loaded month (F9) as the
    // other suite windows let them; both ask first about what is unsaved.
    m_ui.Panobar1->setCerrarenabled(true);
    m_ui.Panobar1->setCancelarenabled(edicion);
    m_ui.Panobar1->setGrabarenabled(edicion);
    m_ui.Panobar1->setBorrarenabled(true);
    m_ui.Panobar1->setReporteenabled(true);
    // F6: the year at a glance.
    m_ui.Panobar1->setPlanillaenabled(true);
}

void FrmTolvario::Form_Unload(int& Cancel)
{
    if (m_descargada || Cancel != 0)
        return;
    // A save waiting its turn is not cut off halfway: the window closes after it.
    if (m_sesion.Grabando()) {
        Cancel = 1;
        return;
    }
    // A value still open in the editor is part of what the clerk would lose.
    if (!terminarEdicion() || !resolverPendientes(true)) {
        Cancel = 1;
        return;
    }
    m_descargada = true;
    ajustesDelUsuario().setValue(claveDeGeometria(), saveGeometry());
    // Everything was stored or dropped as the clerk said: nothing left to offer.
    m_sesion.Descartar();
    Pasos::Ejecutar({
        [&] { m_sesion.GrabarCfgLocal(enPantalla().encabezado); },
        [&] { CerrarSesion(); },
        [&] {
            hide();
            QCoreApplication::quit();
        },
    }, InformarCon("Form_Unload"));
}

void FrmTolvario::closeEvent(QCloseEvent* e)
{
    int cancelar = 0;
    Form_Unload(cancelar);
    if (cancelar != 0) {
        e->ignore();
        return;
    }
    QMainWindow::closeEvent(e);
}
