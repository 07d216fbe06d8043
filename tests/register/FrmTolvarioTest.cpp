// The register window driven as the clerk works it: a period, its carried-over balance,
// the milling users and their tabs, changes, saving, cancelling and deleting.
#include "register/EditorDeCelda.h"
#include "tests/support/Controles.h"
#include "lookup/Lib_FrmCons3.h"
#include "platform/AlSalir.h"
#include "register/ModeloRegistro.h"
#include "startup/Configuracion.h"
#include "startup/Panobar.h"
#include "suite/SuiteUtil.h"
#include "tests/register/BaseDeRegistro.h"

#include "data/DB_Dll.h"
#include "data/Dialecto.h"

#include <QAction>
#include <QSqlError>
#include <QSqlQuery>
#include <QSqlRecord>
#include <QImage>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QFile>
#include <QSet>
#include <QStatusBar>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QApplication>
#include <QCoreApplication>
#include <QGroupBox>
#include <QScrollBar>
#include "tests/support/VentanaModal.h"

namespace {

using P = Planilla;

class FrmTolvarioTest : public BaseDeRegistro
{
protected:
    void SetUp() override
    {
        BaseDeRegistro::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        // Earlier periods of the mill and of C001, across a change of year.
        fila(QStringLiteral("12/2004"), QStringLiteral("MOLINO"), 1, QStringLiteral("100"), QStringLiteral("0"));
        fila(QStringLiteral("01/2005"), QStringLiteral("MOLINO"), 1, QStringLiteral("20.5"), QStringLiteral("5"));
        fila(QStringLiteral("01/2005"), QStringLiteral("C001"), 1, QStringLiteral("40"), QStringLiteral("0"));
        fila(QStringLiteral("01/2005"), QStringLiteral("C003"), 2, QStringLiteral("0"), QStringLiteral("0"));
        fila(QStringLiteral("03/2005"), QStringLiteral("MOLINO"), 1, QStringLiteral("1000"), QStringLiteral("0"));
    }
    QLineEdit* campo(int i) const { return Controles::Caja(m_ventana.get(), i); }
    QTabBar* tabs() const { return Controles::Pestanas(m_ventana.get()); }
};

} // namespace

TEST_P(FrmTolvarioTest, AlArrancarLaGrillaEstaVaciaYSoloSeVeElMolino)
{
    EXPECT_EQ(celda(0, 0), QStringLiteral("Dia"));
    EXPECT_EQ(celda(2, P::ColDia), QStringLiteral("1"));
    EXPECT_EQ(celda(32, P::ColDia), QStringLiteral("31"));
    EXPECT_TRUE(celda(1, P::ColSaldo).isEmpty()) << "no period: no opening balance, not 0";
    EXPECT_TRUE(celda(2, P::ColSaldo).isEmpty());
    EXPECT_TRUE(tabs()->isTabVisible(FrmTolvario::TabMolino));
    for (int k = 1; k <= 5; ++k)
        EXPECT_FALSE(tabs()->isTabVisible(k));
    EXPECT_TRUE(tabs()->isTabVisible(FrmTolvario::TabUsuarios));
    EXPECT_FALSE(Controles::Barra(m_ventana.get())->grabarenabled()) << "browse state until a period is chosen";
    EXPECT_TRUE(Controles::Barra(m_ventana.get())->borrarenabled());
    EXPECT_EQ(campo(FrmTolvario::cTitulo)->text(), QStringLiteral("libro de movimientos y existencia de Mercadería"));
    EXPECT_EQ(campo(FrmTolvario::cMedida)->text(), QStringLiteral(" ")) << "a missing key replaces TONELADAS";
    EXPECT_EQ(m_ventana->Sesion().Decimales(), -2);
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(FrmTolvarioTest, UnPeriodoNuevoArrastraElSaldoYLosUsuariosDelMesAnterior)
{
    elegirPeriodo(QStringLiteral("02/2005"));
    EXPECT_EQ(campo(FrmTolvario::cPeriodo)->text(), QStringLiteral("02/2005"));
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
    // 100 + 20.5 - 5 from December and January; March does not count.
    EXPECT_EQ(celda(1, P::ColSaldo), QStringLiteral("116")) << "no decimals configured: whole numbers";
    EXPECT_EQ(celda(P::FilaTotales, P::ColSaldo), QStringLiteral("116"));
    EXPECT_EQ(campo(FrmTolvario::cUsuario1)->text(), QStringLiteral("C001"));
    EXPECT_EQ(campo(FrmTolvario::cUsuario1 + 1)->text(), QStringLiteral("C003"));
    EXPECT_TRUE(tabs()->isTabVisible(1));
    EXPECT_EQ(tabs()->tabText(1), QStringLiteral("Panificado"));
    EXPECT_EQ(tabs()->tabText(2), QStringLiteral("Molienda O"));
    EXPECT_EQ(Controles::Descripcion(m_ventana.get(), 1)->text(), QStringLiteral("Panificadora La Espiga S.R.L. 30-71234567-1"));
    EXPECT_FALSE(tabs()->isTabVisible(3));
    EXPECT_TRUE(Controles::Barra(m_ventana.get())->grabarenabled());
    EXPECT_EQ(campo(FrmTolvario::cHoja)->text(), QStringLiteral("1")) << "no sheet number anywhere yet";

    // The user's tab shows its own balance: 40 from January.
    tabs()->setCurrentIndex(1);
    EXPECT_EQ(celda(1, P::ColSaldo), QStringLiteral("40"));
    EXPECT_EQ(m_ventana->CuentaDeTab(tabs()->currentIndex()), QStringLiteral("C001"));
}

TEST_P(FrmTolvarioTest, CambiarGuardarYVolverACargarDevuelveLoMismo)
{
    campo(FrmTolvario::cDecimales)->setText(QStringLiteral("2"));
    m_ventana->CampoValida(campo(FrmTolvario::cDecimales));
    elegirPeriodo(QStringLiteral("02/2005"));
    escribir(2, P::ColEntradas, QStringLiteral("2.5"));
    escribir(3, P::ColSalidas, QStringLiteral("1.25"));
    escribir(4, P::ColObservaciones, QStringLiteral("  remito de O'Brien, año 2005  "));
    // Leaving the mill's tab stores it, once the clerk accepts that March's opening balance
    // moves; the user's grid comes in its place.
    m_guion->respuestas.push_back(Operador::Si);
    tabs()->setCurrentIndex(1);
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(QStringLiteral("saldo anterior de los meses siguientes: 03/2005.")));
    m_guion->avisos.clear();
    EXPECT_EQ(cuantas(QStringLiteral("02/2005"), QStringLiteral("MOLINO")), QStringLiteral("31"));
    escribir(10, P::ColEntradas, QStringLiteral("7"));
    // The decimals changed before the period was chosen: shown, old and new, and stored on Sí.
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F5);
    ASSERT_EQ(m_guion->avisos.size(), 1u) << m_guion->todo().toStdString();
    EXPECT_TRUE(m_guion->avisos[0].texto.startsWith(QStringLiteral("Cambió el encabezado:\n    Cantidad Decimales: «» → «2»")));
    EXPECT_FALSE(m_ventana->Sesion().Grabando());
    for (const char* cuenta : {"MOLINO", "C001", "C003"})
        EXPECT_EQ(cuantas(QStringLiteral("02/2005"), QString::fromLatin1(cuenta)), QStringLiteral("31")) << cuenta;
    EXPECT_EQ(valor(QStringLiteral("SELECT Observaciones FROM EM_Tolvario WHERE Periodo = '02/2005' AND Cuenta = 'MOLINO' AND DIA = 3")),
              QStringLiteral("remito de O'Brien, año 2005"));
    EXPECT_EQ(LeerConfiguracion(QStringLiteral("TOLVARIO_HOJA_200502")), QStringLiteral("1"));
    EXPECT_EQ(LeerConfiguracion(QStringLiteral("TOLVARIO_DECIMALES")), QStringLiteral("2"));

    // Another period and back: exactly what was saved.
    elegirPeriodo(QStringLiteral("01/2005"));
    elegirPeriodo(QStringLiteral("02/2005"));
    EXPECT_EQ(tabs()->currentIndex(), FrmTolvario::TabMolino);
    EXPECT_EQ(celda(2, P::ColEntradas), QStringLiteral("2.50"));
    EXPECT_EQ(celda(3, P::ColSalidas), QStringLiteral("1.25"));
    EXPECT_EQ(celda(4, P::ColObservaciones), QStringLiteral("remito de O'Brien, año 2005"));
    EXPECT_EQ(celda(P::FilaTotales, P::ColSaldo), QStringLiteral("116.75"));
    tabs()->setCurrentIndex(1);
    EXPECT_EQ(celda(10, P::ColEntradas), QStringLiteral("7.00"));
    EXPECT_EQ(celda(P::FilaTotales, P::ColSaldo), QStringLiteral("47.00"));
}

TEST_P(FrmTolvarioTest, CancelarYBorrarPreguntanYSoloConSiActuan)
{
    elegirPeriodo(QStringLiteral("01/2005"));
    escribir(5, P::ColEntradas, QStringLiteral("9"));
    m_guion->respuestas = {Operador::No};
    m_ventana->Panobar1_click(QStringLiteral("CANCELAR"));
    EXPECT_EQ(celda(5, P::ColEntradas), QStringLiteral("9")) << "No leaves the window untouched";
    m_guion->respuestas = {Operador::Si};
    m_ventana->Panobar1_click(QStringLiteral("CANCELAR"));
    EXPECT_TRUE(celda(5, P::ColEntradas).isEmpty()) << "nothing on screen; nothing saved";
    EXPECT_TRUE(campo(FrmTolvario::cPeriodo)->text().isEmpty()) << "the next command does not load it again";
    EXPECT_EQ(m_guion->avisos.back().titulo, QStringLiteral("Aviso al Operador"));
    EXPECT_EQ(m_guion->avisos.back().texto, QStringLiteral("¿Realmente desea abandonar la carga de datos?\nLos cambios sin grabar se perderán."));
    EXPECT_TRUE(campo(FrmTolvario::cHoja)->text().isEmpty()) << "no sheet number of a period gone";
    for (int k = 1; k <= FrmTolvario::Usuarios; ++k)
        EXPECT_FALSE(tabs()->isTabVisible(k)) << "no user of a period gone comes back as a tab: " << k;
    EXPECT_EQ(cuantas(QStringLiteral("01/2005"), QStringLiteral("MOLINO")), QStringLiteral("1"));
    elegirPeriodo(QStringLiteral("01/2005"));

    GrabarConfiguracion(QStringLiteral("TOLVARIO_HOJA_200501"), QStringLiteral("12"));
    m_guion->respuestas = {Operador::No};
    tecla(Qt::Key_F4);
    EXPECT_EQ(cuantas(QStringLiteral("01/2005"), QStringLiteral("MOLINO")), QStringLiteral("1"));
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F4);
    EXPECT_TRUE(m_guion->avisos.back().texto.startsWith(QStringLiteral("Confirma la baja de este registro?\n01/2005\nCuentas: MOLINO")))
        << m_guion->avisos.back().texto.toStdString();
    EXPECT_EQ(m_guion->avisos.back().estilo, 4 + 48 + 256);
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '01/2005'")), QStringLiteral("0"))
        << "every account of the period";
    EXPECT_EQ(cuantas(QStringLiteral("12/2004"), QStringLiteral("MOLINO")), QStringLiteral("1"));
    EXPECT_EQ(LeerConfiguracion(QStringLiteral("TOLVARIO_HOJA_200501")), QStringLiteral("12"));
    EXPECT_FALSE(Controles::Barra(m_ventana.get())->grabarenabled()) << "back to browsing";
}

TEST_P(FrmTolvarioTest, PeriodosMalEscritosSeRechazanConSuMensaje)
{
    GrabarConfiguracion(QStringLiteral("TOLVARIO_HOJA_200601"), QStringLiteral("12"));
    const std::pair<const char*, const char*> casos[] = {
        {"", " Debe informar el Periodo!"},
        {"1/2006", " Formato del Campo Periodo Incorrecto!, por favor verifique sea MM/AAAA"},
        {"01'2006", " Formato del Campo Periodo Incorrecto!, por favor verifique sea MM/AAAA"},
        {"13/2006", " Formato del Campo Periodo Incorrecto!, por favor verifique sea MM/AAAA"},
        {"01/abcd", " Formato del Campo Periodo Incorrecto!, por favor verifique sea MM/AAAA"},
    };
    for (const auto& [periodo, mensaje] : casos) {
        m_guion->avisos.clear();
        campo(FrmTolvario::cPeriodo)->setText(QString::fromLatin1(periodo));
        EXPECT_FALSE(m_ventana->CampoValida(campo(FrmTolvario::cPeriodo)));
        ASSERT_EQ(m_guion->avisos.size(), 1u) << periodo;
        EXPECT_EQ(m_guion->avisos[0].texto, QString::fromLatin1(mensaje));
        EXPECT_EQ(m_guion->avisos[0].titulo, QStringLiteral("Aviso al operador..."));
    }
    // The typing aid refuses months out of range.
    for (const char* mes : {"00", "13"}) {
        m_guion->avisos.clear();
        QLineEdit* p = campo(FrmTolvario::cPeriodo);
        p->clear();
        p->setFocus();
        QTest::keyClicks(p, QString::fromLatin1(mes));
        ASSERT_EQ(m_guion->avisos.size(), 1u) << mes;
        EXPECT_EQ(m_guion->avisos[0].texto, QStringLiteral("Debe ingresar un mes"));
        EXPECT_EQ(p->selectedText(), QString::fromLatin1(mes));
    }
    // During a save an empty period stops everything: not even the settings are written.
    m_guion->avisos.clear();
    campo(FrmTolvario::cPeriodo)->clear();
    campo(FrmTolvario::cOncca)->setText(QStringLiteral("12345"));
    m_ventana->Panobar1_click(QStringLiteral("GRABAR"));
    EXPECT_EQ(LeerConfiguracion(QStringLiteral("ONCCA")), QStringLiteral(" "));
    EXPECT_FALSE(m_ventana->Sesion().Grabando());
    campo(FrmTolvario::cPeriodo)->setText(QStringLiteral("01'2006"));
    m_ventana->Panobar1_click(QStringLiteral("GRABAR"));
    EXPECT_EQ(LeerConfiguracion(QStringLiteral("TOLVARIO_HOJA_200601")), QStringLiteral("12")) << "a refused period writes no sheet number";
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario")), QStringLiteral("5"));
}

// Whatever the header says by then, the grid is stored only as the register it was loaded
// from: a period typed but not confirmed, a deleted period, a user box changed afterwards.
TEST_P(FrmTolvarioTest, LaGrillaSeGrabaSoloComoElRegistroQueSeCargo)
{
    elegirPeriodo(QStringLiteral("01/2005"));
    escribir(3, P::ColEntradas, QStringLiteral("4"));
    // A period typed and not confirmed is validated before the tab changes: refused, the box
    // goes back to the period on screen and the click goes no further.
    campo(FrmTolvario::cPeriodo)->setText(QStringLiteral("04/20"));
    tabs()->setCurrentIndex(FrmTolvario::TabUsuarios);
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(QStringLiteral("Formato del Campo Periodo")));
    EXPECT_EQ(campo(FrmTolvario::cPeriodo)->text(), QStringLiteral("01/2005"));
    EXPECT_EQ(tabs()->currentIndex(), FrmTolvario::TabMolino);
    EXPECT_EQ(celda(3, P::ColEntradas), QStringLiteral("4"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo NOT IN ('12/2004', '01/2005', '03/2005')")),
              QStringLiteral("0"));

    // A user box changed to a code that is no customer: told, the box goes back to the
    // customer its tab stands for, and the save stops until the clerk repeats it.
    campo(FrmTolvario::cUsuario1)->setText(QStringLiteral("NOESCLIENTE"));
    campo(FrmTolvario::cUsuario1)->setModified(true); // as typed
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_EQ(m_guion->avisos[0].texto, QStringLiteral("El código NOESCLIENTE no es un cliente."));
    EXPECT_EQ(campo(FrmTolvario::cUsuario1)->text(), QStringLiteral("C001"));
    EXPECT_TRUE(m_ventana->findChild<QStatusBar*>()->currentMessage().startsWith(QStringLiteral("Período 01/2005: no se grabó nada")))
        << m_ventana->findChild<QStatusBar*>()->currentMessage().toStdString();
    EXPECT_EQ(cuantas(QStringLiteral("01/2005"), QStringLiteral("MOLINO")), QStringLiteral("1"));
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si}; // March's opening balance moves
    tecla(Qt::Key_F5);
    ASSERT_EQ(m_guion->avisos.size(), 1u) << m_guion->todo().toStdString();
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(QStringLiteral("03/2005")));
    m_guion->avisos.clear();
    EXPECT_EQ(cuantas(QStringLiteral("01/2005"), QStringLiteral("MOLINO")), QStringLiteral("31"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Cuenta NOT IN ('MOLINO', 'C001', 'C003')")),
              QStringLiteral("0"));

    // F5 with a period typed but not confirmed loads it and stops: nothing is stored under it.
    campo(FrmTolvario::cPeriodo)->setText(QStringLiteral("05/2005"));
    m_guion->respuestas = {Operador::Si}; // two months after the latest stored: asked, and opened
    tecla(Qt::Key_F5);
    ASSERT_NE(aviso(QStringLiteral("está lejos de los guardados")), nullptr) << todo();
    m_guion->avisos.clear();
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
    EXPECT_EQ(m_ventana->Sesion().Cargado().Periodo(), QStringLiteral("05/2005"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '05/2005'")), QStringLiteral("0"));

    // Deleted, and no tab brings it back.
    elegirPeriodo(QStringLiteral("01/2005"));
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F4);
    EXPECT_TRUE(campo(FrmTolvario::cPeriodo)->text().isEmpty());
    for (int tab : {1, 0, int(FrmTolvario::TabUsuarios), 0})
        if (tabs()->isTabVisible(tab))
            tabs()->setCurrentIndex(tab);
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '01/2005'")), QStringLiteral("0"));
}

// The frame shown follows the tab: the users' boxes on their tab, the grid on the others;
// loading a period from the users' tab ends on the mill's grid.
TEST_P(FrmTolvarioTest, ElMarcoVisibleSigueALaPestana)
{
    const auto* detalle = m_ventana->findChild<QWidget*>(QStringLiteral("FrmDet"));
    const auto* usuarios = m_ventana->findChild<QWidget*>(QStringLiteral("FrmUsuarios"));
    ASSERT_TRUE(detalle && usuarios);
    elegirPeriodo(QStringLiteral("01/2005"));
    EXPECT_TRUE(!detalle->isHidden() && usuarios->isHidden());
    tabs()->setCurrentIndex(FrmTolvario::TabUsuarios);
    EXPECT_TRUE(detalle->isHidden() && !usuarios->isHidden());
    elegirPeriodo(QStringLiteral("12/2004"));
    EXPECT_EQ(tabs()->currentIndex(), FrmTolvario::TabMolino);
    EXPECT_TRUE(!detalle->isHidden() && usuarios->isHidden());
    tabs()->setCurrentIndex(FrmTolvario::TabUsuarios);
    EXPECT_TRUE(detalle->isHidden() && !usuarios->isHidden());
}

// The grid's own cell painting: the lines that stand out have their background, a figure is
// drawn, an empty cell stays empty, the cursor's cell shows as selected.
TEST_P(FrmTolvarioTest, LaGrillaPintaFondoTextoYCursor)
{
    elegirPeriodo(QStringLiteral("01/2005"));
    QTableView* grilla = Controles::Grilla(m_ventana.get());
    m_ventana->Editor().IrACelda(2, P::ColEntradas);
    grilla->selectionModel()->select(grilla->currentIndex(), QItemSelectionModel::ClearAndSelect);
    const QImage imagen = grilla->viewport()->grab().toImage();
    const auto colores = [&](int fila, int columna) {
        const QRect r = grilla->visualRect(grilla->model()->index(ModeloRegistro::FilaDeVista(fila), columna)).adjusted(1, 1, -2, -2);
        QSet<QRgb> c;
        for (int y = r.top(); y <= r.bottom(); ++y)
            for (int x = r.left(); x <= r.right(); ++x)
                c.insert(imagen.pixel(x, y));
        return c;
    };
    const QPalette paleta = grilla->palette();
    // The opening balance stays above the days, in a frozen row of its own.
    auto* fija = Controles::Hijo<QTableView>(m_ventana.get(), "FilaFijaArriba");
    const QImage arriba = fija->viewport()->grab().toImage();
    const QRect saldo = fija->visualRect(fija->model()->index(0, P::ColEntradas)).adjusted(1, 1, -2, -2);
    EXPECT_EQ(arriba.pixel(saldo.center()), paleta.color(QPalette::AlternateBase).rgb());
    EXPECT_GT(colores(3, P::ColSaldo).size(), 2) << "a figure is drawn in the stock column";
    EXPECT_EQ(colores(3, P::ColObservaciones).size(), 1) << "an empty remark is background only";
    EXPECT_TRUE(colores(2, P::ColEntradas).contains(paleta.color(QPalette::Highlight).rgb())) << "the cursor's cell is selected";
}

TEST_P(FrmTolvarioTest, ObservacionesLargasConComillasYAcentosVuelvenIntactas)
{
    elegirPeriodo(QStringLiteral("01/2005"));
    const QString larga = QStringLiteral("Camión de \"La Espiga\" con 30 t; remito N° 0001-%1 'urgente' ñandú ").arg(QString(90, u'9'));
    escribir(6, P::ColObservaciones, larga);
    tecla(Qt::Key_F5);
    elegirPeriodo(QStringLiteral("12/2004"));
    elegirPeriodo(QStringLiteral("01/2005"));
    EXPECT_EQ(celda(6, P::ColObservaciones), larga.trimmed());
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
}

TEST_P(FrmTolvarioTest, EneroTomaLosUsuariosDeDiciembre)
{
    fila(QStringLiteral("12/2005"), QStringLiteral("C005"), 1, QStringLiteral("1"), QStringLiteral("0"));
    elegirPeriodo(QStringLiteral("01/2006"));
    EXPECT_EQ(campo(FrmTolvario::cUsuario1)->text(), QStringLiteral("C005"));
    EXPECT_TRUE(tabs()->isTabVisible(1));
}

TEST_P(FrmTolvarioTest, UsuariosYCantidadesDudosos)
{
    elegirPeriodo(QStringLiteral("02/2005"));
    QLineEdit* u3 = campo(FrmTolvario::cUsuario1 + 2);
    u3->setText(QStringLiteral("X'1"));
    m_ventana->CampoValida(u3);
    EXPECT_FALSE(tabs()->isTabVisible(3)) << "not a customer: no tab";
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_EQ(m_guion->avisos[0].texto, QStringLiteral("El código X'1 no es un cliente."));
    EXPECT_TRUE(u3->text().isEmpty()) << "the box back to the code it had";
    m_guion->avisos.clear();
    u3->setText(QStringLiteral("c004"));
    m_ventana->CampoValida(u3);
    EXPECT_TRUE(tabs()->isTabVisible(3)) << "codes compare without case";
    EXPECT_EQ(u3->text(), QStringLiteral("C004"));
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();

    for (const char* malo : {"abc", "-", "1.2.3", "99999999999999999999"}) {
        const bool grande = QByteArray(malo).startsWith("999");
        m_guion->avisos.clear();
        Controles::Grilla(m_ventana.get())->setCurrentIndex(m_ventana->Modelo().index(ModeloRegistro::FilaDeVista(5), P::ColEntradas));
        Controles::Editor(m_ventana.get())->setProperty("DataField", QStringLiteral("Entradas"));
        Controles::Editor(m_ventana.get())->setText(QString::fromLatin1(malo));
        m_ventana->CampoValida(Controles::Editor(m_ventana.get()));
        ASSERT_EQ(m_guion->avisos.size(), 1u) << malo;
        EXPECT_EQ(m_guion->avisos[0].texto, grande ? QStringLiteral(" La cantidad debe estar entre -999999999 y 999999999.")
                                                   : QStringLiteral(" Debe ser Numerico!"));
        EXPECT_TRUE(celda(5, P::ColEntradas).isEmpty()) << malo;
    }
    Controles::Editor(m_ventana.get())->setText(QStringLiteral("3,5"));
    m_ventana->CampoValida(Controles::Editor(m_ventana.get()));
    EXPECT_EQ(celda(5, P::ColEntradas), QStringLiteral("4")) << "shown as a loaded figure, whole numbers; kept exact";
    EXPECT_EQ(celda(5, P::ColSaldo), QStringLiteral("119")) << "115.5 carried over (shown 116) + 3.5: the stock counts the exact balance";
}

TEST_P(FrmTolvarioTest, LaHojaSigueALaUltimaGuardada)
{
    fila(QStringLiteral("01/2006"), QStringLiteral("MOLINO"), 1, QStringLiteral("1"), QStringLiteral("0"));
    fila(QStringLiteral("02/2006"), QStringLiteral("MOLINO"), 1, QStringLiteral("1"), QStringLiteral("0"));
    fila(QStringLiteral("12/2005"), QStringLiteral("MOLINO"), 1, QStringLiteral("1"), QStringLiteral("0"));
    GrabarConfiguracion(QStringLiteral("TOLVARIO_HOJA_200601"), QStringLiteral("12"));
    GrabarConfiguracion(QStringLiteral("TOLVARIO_HOJA_200602"), QStringLiteral("20"));
    // Two months given one number before it was checked, and a slip of the hand opened once:
    // a key whose period has no lines counts for nothing.
    GrabarConfiguracion(QStringLiteral("TOLVARIO_HOJA_200512"), QStringLiteral("12"));
    GrabarConfiguracion(QStringLiteral("TOLVARIO_HOJA_999912"), QStringLiteral("500"));
    elegirPeriodo(QStringLiteral("03/2006"));
    EXPECT_EQ(campo(FrmTolvario::cHoja)->text(), QStringLiteral("21"));
    elegirPeriodo(QStringLiteral("01/2006"));
    EXPECT_EQ(campo(FrmTolvario::cHoja)->text(), QStringLiteral("12"));
    ASSERT_TRUE(m_guion->avisos.empty()) << todo();

    // A number another period has is refused, typed or saved, and nothing is stored.
    elegirPeriodo(QStringLiteral("03/2006"));
    teclearEnCaja(QStringLiteral("HOJA"), QStringLiteral("020"));
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F5);
    const auto* repetida = aviso(QStringLiteral("Hoja Nro"));
    ASSERT_NE(repetida, nullptr) << todo();
    EXPECT_EQ(repetida->texto, QStringLiteral("La Hoja Nro 020 ya es la del período 02/2006.")) << "the same number, written otherwise";
    EXPECT_EQ(cuantas(QStringLiteral("03/2006"), QStringLiteral("MOLINO")), QStringLiteral("0"));
    EXPECT_TRUE(LeerConfiguracion(QStringLiteral("TOLVARIO_HOJA_200603")).trimmed().isEmpty());
    teclearEnCaja(QStringLiteral("HOJA"), QStringLiteral("21"));
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F5);
    EXPECT_EQ(LeerConfiguracion(QStringLiteral("TOLVARIO_HOJA_200603")).trimmed(), QStringLiteral("21")) << todo();

    // The two that already share one stay as they are and still save.
    elegirPeriodo(QStringLiteral("12/2005"));
    EXPECT_EQ(campo(FrmTolvario::cHoja)->text(), QStringLiteral("12"));
    escribirDia(2, P::ColEntradas, QStringLiteral("7"));
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    EXPECT_EQ(aviso(QStringLiteral("Hoja Nro")), nullptr) << todo();
    EXPECT_EQ(valor(QStringLiteral("SELECT Entradas FROM EM_Tolvario WHERE Periodo = '12/2005' AND Cuenta = 'MOLINO' AND DIA = 2")).toDouble(), 7.0);

    // A key left by a month with no lines, whose number another month took since: opening
    // it and saving is refused, so the two never share it.
    GrabarConfiguracion(QStringLiteral("TOLVARIO_HOJA_200604"), QStringLiteral("21"));
    elegirPeriodo(QStringLiteral("04/2006"));
    ASSERT_EQ(campo(FrmTolvario::cHoja)->text(), QStringLiteral("21"));
    escribirDia(1, P::ColEntradas, QStringLiteral("3"));
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F5);
    EXPECT_NE(aviso(QStringLiteral("La Hoja Nro 21 ya es la del período 03/2006.")), nullptr) << todo();
    EXPECT_EQ(cuantas(QStringLiteral("04/2006"), QStringLiteral("MOLINO")), QStringLiteral("0"));
}

// A year typed wrong is asked about before it is opened; No keeps the loaded period and
// stores nothing under the other one.
TEST_P(FrmTolvarioTest, UnPeriodoLejanoPreguntaAntesDeAbrirse)
{
    elegirPeriodo(QStringLiteral("02/2005"));
    elegirPeriodo(QStringLiteral("04/2005"));
    ASSERT_TRUE(m_guion->avisos.empty()) << "inside the stored ones or the month after: " << todo();
    for (const char* lejos : {"02/1899", "12/9999", "11/2004"}) {
        m_guion->avisos.clear();
        m_guion->respuestas = {Operador::No};
        elegirPeriodo(QString::fromLatin1(lejos));
        ASSERT_EQ(m_guion->avisos.size(), 1u) << lejos << todo();
        EXPECT_EQ(m_guion->avisos[0].texto,
                  QStringLiteral("El período %1 está lejos de los guardados (12/2004 a 03/2005). ¿Abrirlo?").arg(QString::fromLatin1(lejos)));
        EXPECT_EQ(m_guion->avisos[0].estilo, Operador::SiNo + Operador::Pregunta + Operador::SegundoBoton) << "No the default";
        EXPECT_EQ(periodo(), QStringLiteral("04/2005")) << "the loaded one back in the box";
    }
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo IN ('02/1899', '12/9999', '11/2004')")), QStringLiteral("0"));
    EXPECT_TRUE(LeerConfiguracion(QStringLiteral("TOLVARIO_HOJA_189902")).trimmed().isEmpty());
    // Sí opens it as any other.
    m_guion->respuestas = {Operador::Si};
    elegirPeriodo(QStringLiteral("02/1899"));
    EXPECT_EQ(periodo(), QStringLiteral("02/1899"));
    EXPECT_TRUE(campo(FrmTolvario::cHoja)->isEnabled());
}

TEST_P(FrmTolvarioTest, ElReporteGrabaYDiceQueElLibroNoEstaTodavia)
{
    elegirPeriodo(QStringLiteral("02/2005"));
    tecla(Qt::Key_F8);
    EXPECT_EQ(cuantas(QStringLiteral("02/2005"), QStringLiteral("MOLINO")), QStringLiteral("31"));
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(QStringLiteral("todavía no está disponible")));
    // A save that does not complete stops the report before the book.
    m_guion->avisos.clear();
    campo(FrmTolvario::cPeriodo)->setText(QStringLiteral("2/2005"));
    m_ventana->CmdArchivo_Click();
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(QStringLiteral("Formato del Campo Periodo")));
}

// A failure in the middle of an account's save leaves that account exactly as it was stored.
TEST_P(FrmTolvarioTest, UnaGrabacionQueFallaNoDejaLaCuentaAMedias)
{
    // No later month to ask about: only the failures' boxes answer here.
    ejecutar(QStringLiteral("DELETE FROM EM_Tolvario WHERE Periodo = '03/2005'"));
    elegirPeriodo(QStringLiteral("01/2005"));
    escribir(2, P::ColEntradas, QStringLiteral("55"));
    rechazarDia(15);
    m_guion->respuestas = {Operador::Ignorar};
    tecla(Qt::Key_F5);
    ASSERT_GE(m_guion->avisos.size(), 1u);
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(QStringLiteral("ACTUALIZAR DATOS"))) << m_guion->todo().toStdString();
    EXPECT_EQ(cuantas(QStringLiteral("01/2005"), QStringLiteral("MOLINO")), QStringLiteral("1")) << "the old register whole";
    EXPECT_EQ(SuiteUtil::TextToAmount(valor(QStringLiteral("SELECT Entradas FROM EM_Tolvario WHERE Periodo = '01/2005' AND Cuenta = 'MOLINO'"))),
              SuiteUtil::TextToAmount(QStringLiteral("20.5")));

    // Abort on leaving the tab: the grid keeps its edits on its own tab.
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Abortar};
    tabs()->setCurrentIndex(FrmTolvario::TabUsuarios);
    EXPECT_EQ(tabs()->currentIndex(), FrmTolvario::TabMolino);
    EXPECT_EQ(celda(2, P::ColEntradas), QStringLiteral("55"));

    // Going past the error is not a complete save: no book is offered.
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Ignorar, Operador::Ignorar, Operador::Ignorar, Operador::Ignorar};
    tecla(Qt::Key_F8);
    EXPECT_FALSE(m_guion->todo().contains(QStringLiteral("libro"))) << m_guion->todo().toStdString();

    // Retry meets the same fault; abort: the save is known not to have completed, and the
    // next period still loads.
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Reintentar, Operador::Abortar};
    tecla(Qt::Key_F5);
    EXPECT_NE(m_ventana->Sesion().UltimaGrabacion(), SesionRegistro::Grabacion::Grabada);
    // Every one of those boxes left its line in the error log, with the answer given.
    {
        QFile log(carpeta() + QStringLiteral("/VMERR.LOG"));
        ASSERT_TRUE(log.open(QIODevice::ReadOnly));
        const QString lineas = QString::fromUtf8(log.readAll());
        const QRegularExpression forma(QStringLiteral("^\\d\\d-\\d\\d-\\d{4} \\d\\d:\\d\\d:\\d\\d Rutina: - ACTUALIZAR DATOS Mensaje "
                                                      "Ha ocurrido el Siguiente Error \\(-?\\d+\\) .* Respondió : (Ignorar|Abortar|Reintentar)\\r$"),
                                       QRegularExpression::MultilineOption);
        int ignorar = 0, abortar = 0, reintentar = 0;
        for (auto it = forma.globalMatch(lineas); it.hasNext();) {
            const QString palabra = it.next().captured(1);
            (palabra == QStringLiteral("Ignorar") ? ignorar : palabra == QStringLiteral("Abortar") ? abortar : reintentar)++;
        }
        EXPECT_GE(ignorar, 2) << lineas.toStdString();
        EXPECT_GE(reintentar, 1) << lineas.toStdString();
        EXPECT_GE(abortar, 1) << lineas.toStdString();
    }
    EXPECT_FALSE(m_ventana->Sesion().Grabando());
    quitarRechazo();
    m_guion->avisos.clear();
    // The edits still unsaved are asked about; No drops them.
    m_guion->respuestas = {Operador::No};
    elegirPeriodo(QStringLiteral("12/2004"));
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_TRUE(m_guion->avisos[0].texto.startsWith(QStringLiteral("Hay cambios sin grabar en 01/2005 (Molino)")));
    EXPECT_EQ(celda(2, P::ColEntradas), QStringLiteral("100"));
    m_guion->avisos.clear();
    escribir(3, P::ColEntradas, QStringLiteral("1"));
    m_guion->respuestas = {Operador::Si}; // January's opening balance moves
    tecla(Qt::Key_F5);
    ASSERT_EQ(m_guion->avisos.size(), 1u) << m_guion->todo().toStdString();
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(QStringLiteral("01/2005")));
    EXPECT_EQ(cuantas(QStringLiteral("12/2004"), QStringLiteral("MOLINO")), QStringLiteral("31"));
}

TEST_P(FrmTolvarioTest, EnUnaPantallaComunSeVenDosSemanasYLaGrillaTomaElEspacio)
{
    QTableView* grilla = Controles::Grilla(m_ventana.get());
    const auto visible = [grilla](int dia) {
        const int fila = ModeloRegistro::FilaDeVista(dia + 1);
        return grilla->rowViewportPosition(fila) >= 0
               && grilla->rowViewportPosition(fila) + grilla->rowHeight(fila) <= grilla->viewport()->height();
    };
    m_ventana->resize(1366, 768);
    QCoreApplication::processEvents();
    EXPECT_TRUE(visible(14)) << "viewport " << grilla->viewport()->height();
    const int alto = grilla->viewport()->height();
    m_ventana->resize(1366, 1000);
    QCoreApplication::processEvents();
    EXPECT_GT(grilla->viewport()->height(), alto + 150) << "the spare height goes to the grid";
    m_ventana->resize(1000, 500);
    QCoreApplication::processEvents();
    EXPECT_FALSE(visible(31));
    EXPECT_TRUE(grilla->verticalScrollBar()->isVisible()) << "a small window scrolls the days";
    EXPECT_EQ(m_ventana->Modelo().data(m_ventana->Modelo().index(1, P::ColEntradas), Qt::TextAlignmentRole).toInt()
                  & Qt::AlignRight,
              int(Qt::AlignRight));

    tabs()->setCurrentIndex(FrmTolvario::TabUsuarios);
    EXPECT_TRUE(Controles::Hijo<QWidget>(m_ventana.get(), "FrmUsuarios")->isVisible());
    EXPECT_FALSE(Controles::Hijo<QWidget>(m_ventana.get(), "FrmDet")->isVisible());
    tabs()->setCurrentIndex(FrmTolvario::TabMolino);
    EXPECT_TRUE(Controles::Hijo<QWidget>(m_ventana.get(), "FrmDet")->isVisible());
}

// The customer lookup answers the user box; a toolbar key pressed while it is open belongs
// to the lookup, never to the register behind it.
TEST_P(FrmTolvarioTest, LaConsultaDeClientesLlenaElUsuarioYSusTeclasNoLleganALaBarra)
{
    elegirPeriodo(QStringLiteral("02/2005"));
    tabs()->setCurrentIndex(FrmTolvario::TabUsuarios);
    QLineEdit* u3 = campo(FrmTolvario::cUsuario1 + 2);
    u3->setFocus();
    EXPECT_TRUE(Controles::Barra(m_ventana.get())->consultaenabled()) << "a box with a lookup";
    const QString filas = valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario"));
    m_guion->respuestas = {Operador::Si};
    ConVentanaModal(
        [&](QWidget* w) {
            auto* consulta = qobject_cast<Lib_FrmCons3*>(w);
            ASSERT_NE(consulta, nullptr);
            QApplication::setActiveWindow(consulta);
            consulta->CmbSearch[0]->setFocus();
            ASSERT_EQ(QApplication::focusWidget(), consulta->CmbSearch[0]);
            QTest::keyClick(consulta->CmbSearch[0], Qt::Key_F4);
            QTest::keyClicks(consulta->CmbSearch[0], QStringLiteral("Fide"));
            QTest::keyClick(consulta->CmbSearch[0], Qt::Key_Return);
        },
        [&] { tecla(Qt::Key_F3); });
    EXPECT_EQ(u3->text(), QStringLiteral("C004"));
    EXPECT_TRUE(tabs()->isTabVisible(3));
    EXPECT_EQ(Controles::Descripcion(m_ventana.get(), 3)->text(), QStringLiteral("Fideera del Sur 30-69876543-2"));
    EXPECT_FALSE(m_guion->todo().contains(QStringLiteral("Confirma la baja"))) << m_guion->todo().toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario")), filas) << "nothing saved or deleted";

    // On a box without a lookup the key does nothing.
    QApplication::setActiveWindow(m_ventana.get());
    campo(FrmTolvario::cOncca)->setFocus();
    EXPECT_FALSE(Controles::Barra(m_ventana.get())->consultaenabled());
}

// The statements that would read the whole register are answered by an index instead, as
// they reach each database: the opening balance's sums (the account and the year-month
// expression) and the look for a typed period (the trimmed period).
TEST_P(FrmTolvarioTest, ElSaldoAnteriorYElPeriodoUsanSusIndices)
{
    std::vector<QString> enviadas;
    Conexion::EstablecerTraza([&](const QString& sql, const QVariantList&) { enviadas.push_back(sql); });
    AlSalir sinTraza([] { Conexion::EstablecerTraza({}); });
    campo(FrmTolvario::cPeriodo)->setText(QStringLiteral("02/2005"));
    m_ventana->CampoValida(campo(FrmTolvario::cPeriodo));
    EXPECT_EQ(m_ventana->Sesion().SaldoInicialCuenta(QStringLiteral("MOLINO")), SuiteUtil::TextToAmount(QStringLiteral("115.5")));

    const auto planDe = [&](const QString& comienzo) {
        const auto s = std::find_if(enviadas.begin(), enviadas.end(), [&](const QString& e) { return e.contains(comienzo, Qt::CaseInsensitive); });
        if (s == enviadas.end())
            return QStringLiteral("no se envió: ") + comienzo;
        QSqlQuery q(m_cnn.bd());
        if (esPostgres())
            q.exec(QStringLiteral("SET enable_seqscan = off"));
        if (!q.exec((esPostgres() ? QStringLiteral("EXPLAIN ") : QStringLiteral("EXPLAIN QUERY PLAN ")) + *s))
            return q.lastError().text();
        QString plan = *s + u'\n';
        while (q.next())
            plan += q.value(q.record().count() - 1).toString() + u'\n';
        return plan;
    };
    const QString saldo = planDe(QStringLiteral("sum(Salidas) as Sal"));
    EXPECT_TRUE(saldo.contains(QStringLiteral("ix_em_tolvario_aniomes"), Qt::CaseInsensitive)) << saldo.toStdString();
    EXPECT_FALSE(saldo.contains(QStringLiteral("Filter"))) << "the year-month condition is the index's: " << saldo.toStdString();
    // The period's users are found through the key, never by reading the whole register.
    const QString usuarios = planDe(QStringLiteral("Select CUENTA from EM_Tolvario where Periodo"));
    EXPECT_TRUE(usuarios.contains(QStringLiteral("index"), Qt::CaseInsensitive)) << usuarios.toStdString();
}

CON_CADA_MOTOR(FrmTolvarioTest);
