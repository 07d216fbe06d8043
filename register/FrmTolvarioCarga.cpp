// Loading, resetting and unloading the window: start-up, connection, the register table
// check, the configuration fields, the drives, and the end of the run.
#include "register/FrmTolvario.h"

#include "register/Informes.h"

#include "data/DB_Dll.h"
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
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QScreen>
#include <QSettings>
#include <QTabBar>
#include <QTableView>

namespace {

const QString TituloPorDefecto = QStringLiteral("libro de movimientos y existencia de Mercadería");

} // namespace

void FrmTolvario::Form_Load()
{
    EstablecerEnlaceConsultas(&Lib_ClsCons3::Instancia());
    QLineEdit* titulo = TxtFields[cTitulo];
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
            if (!RegistroTolvario::ConEntregas(true))
                faltan << QStringLiteral("las entregas a ONCCA");
            if (!RegistroTolvario::ConHistoria(true))
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
            const RegistroTolvario::Ajustes a = RegistroTolvario::LeerAjustes();
            TxtFields[cOncca]->setText(a.oncca);
            TxtFields[cDecimales]->setText(a.decimales);
            TxtFields[cMedida]->setText(a.medida);
            titulo->setText(a.titulo);
            TxtFields[cLinea]->setText(a.linea);
        },
        [&] {
            if (titulo->text().trimmed().isEmpty())
                titulo->setText(TituloPorDefecto);
            tomarAjustesGuardados();
        },
        [&] { TomarDecimales(); },
        [&] { LblDetalle->setText(QStringLiteral("TOTALES EXPRESADOS EN ") + TxtFields[cMedida]->text()); },
        [&] { ActualizarUnidades(); },
        [&] { restaurarGeometria(); },
    }, InformarCon("Form_Load"));
}

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

} // namespace

void FrmTolvario::restaurarGeometria()
{
    const QByteArray guardada = ajustesDelUsuario().value(claveDeGeometria()).toByteArray();
    if (!guardada.isEmpty() && restoreGeometry(guardada))
        return;
    // A screen smaller than the window with its title bar and borders: all of it, rather than
    // days and totals out of reach (1366 x 768 among them).
    constexpr int Marco = 60;
    const QScreen* pantalla = screen();
    if (pantalla
        && (pantalla->availableGeometry().width() < width() + Marco || pantalla->availableGeometry().height() < height() + Marco))
        setWindowState(windowState() | Qt::WindowMaximized);
}

void FrmTolvario::guardarGeometria()
{
    QSettings ajustes = ajustesDelUsuario();
    ajustes.setValue(claveDeGeometria(), saveGeometry());
}

void FrmTolvario::TomarDecimales()
{
    // A text like "2.6" rounds to 3; nothing configured means whole numbers (-2), not the
    // workstation's currency digits that 0 would mean to the formatter.
    m_sesion.PonerDecimales(Planilla::Decimales(TxtFields[cDecimales]->text()));
}

void FrmTolvario::ActualizarUnidades()
{
    // The disk the clerk chose stays chosen while it is still there.
    const QString elegida = CmbLetra->currentText();
    CmbLetra->clear();
    // Mount points are kept as they are: Linux paths are case-sensitive. No removable disk
    // is the common case and leaves the combo empty without a word.
    for (const Unidades::Unidad& u : Unidades::actual().Lista())
        if (TipoUnidad(u.ruta).compare(QStringLiteral("Removible"), Qt::CaseInsensitive) == 0)
            CmbLetra->addItem(u.ruta);
    if (CmbLetra->count() > 0)
        CmbLetra->setCurrentIndex(qMax(0, CmbLetra->findText(elegida)));
}

void FrmTolvario::Inicializa()
{
    // However the steps end, the window is not left loading (nothing would be saved again)
    // and shows the frame of the tab it is on.
    const AlSalir fin([this] {
        m_cargando = false;
        mostrarUsuarios(m_usuariosALaVista);
    });
    Pasos::Ejecutar({
        [&] {
            SuiteForms::StyleControls(this, QStringLiteral("txtfields"));
            SuiteForms::BindFields(TxtFields, RegistroTolvario::Tabla, DB_Dll::Instancia().gCnn.ConnectionString());
        },
        [&] { InicializaGrids(); },
        [&] {
            for (QLabel* l : std::as_const(LblDesc))
                l->clear();
        },
        [&] { DetalleOn(false); },
        [&] {
            m_cargando = true;
            m_sesion.Cargado().Vaciar();
            LblEntrega->clear();
            marcarAjustes();
            SSTab1->setTabText(TabMolino, QStringLiteral("Molino"));
            for (int k = 1; k <= Usuarios; ++k)
                SSTab1->setTabVisible(k, false);
            SSTab1->setTabText(TabUsuarios, QStringLiteral("Usuarios Molino"));
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
        mostrarUsuarios(m_usuariosALaVista);
    });
    if (SSTab1->currentIndex() == TabUsuarios)
        SSTab1_Click(TabUsuarios);
    else
        SSTab1->setCurrentIndex(TabUsuarios);
    SSTab1->setCurrentIndex(TabMolino);
}

void FrmTolvario::InicializaGrids()
{
    m_modelo->Inicializar();
    const QFontMetrics fm = MSFlexGrid->fontMetrics();
    // The figures first, wide enough for the largest one with its decimals; the remarks take
    // what is left (the last column stretches).
    const int cifra = fm.horizontalAdvance(QStringLiteral("-999,999,999.9999")) + fm.horizontalAdvance(QStringLiteral("XX"));
    const int anchos[] = {fm.horizontalAdvance(QStringLiteral("XXXX")), cifra, cifra, cifra,
                          fm.horizontalAdvance(QString(24, u'X'))};
    for (int c = 0; c < Planilla::Columnas; ++c)
        MSFlexGrid->setColumnWidth(c, anchos[c]);
    txtEdit->hide();
}

void FrmTolvario::DetalleOn(bool edicion)
{
    FrmEnc->setEnabled(true);
    FrmDet->setEnabled(true);
    Panobar1->setNuevoenabled(false);
    // Offered: a clerk closes from the toolbar (F12) and drops a loaded month (F9) as the
    // other suite windows let them; both ask first about what is unsaved.
    Panobar1->setCerrarenabled(true);
    Panobar1->setCancelarenabled(edicion);
    Panobar1->setGrabarenabled(edicion);
    Panobar1->setBorrarenabled(true);
    Panobar1->setReporteenabled(true);
}

const QString& FrmTolvario::NombreTabla() const
{
    return RegistroTolvario::Tabla;
}

void FrmTolvario::Form_Unload(int& Cancel)
{
    if (m_descargada || Cancel != 0)
        return;
    // A save waiting its turn is not cut off halfway: the window closes after it.
    if (m_grabando) {
        Cancel = 1;
        return;
    }
    // A value still open in the editor is part of what the clerk would lose.
    if (!terminarEdicion() || !resolverPendientes(true)) {
        Cancel = 1;
        return;
    }
    m_descargada = true;
    guardarGeometria();
    Pasos::Ejecutar({
        [&] { GrabarCfgLocal(); },
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
