// Another station saves the period this window has loaded: nothing it stored is written over
// without the clerk saying so, and each answer leaves exactly the version it promises.
#include "register/EditorDeCelda.h"
#include "platform/Operador.h"
#include "register/ModeloRegistro.h"
#include "tests/register/BaseDeRegistro.h"
#include "tests/support/Controles.h"
#include "tests/support/VentanaModal.h"

#include <QLineEdit>
#include <QStatusBar>
#include <QApplication>
#include <QTabBar>
#include <QTableWidget>
#include <functional>
#include <memory>
#include <QTest>

namespace {

class OtroPuestoTest : public BaseDeRegistro
{
protected:
    void SetUp() override
    {
        BaseDeRegistro::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        for (int dia = 1; dia <= 31; ++dia)
            fila(QStringLiteral("10/2026"), QStringLiteral("MOLINO"), dia, QStringLiteral("1"), QStringLiteral("0"));
        elegirPeriodo(QStringLiteral("10/2026"));
    }
    // The other station's save, straight into the database.
    void otroPuestoGraba(int dia, int cantidad)
    {
        ejecutar(QStringLiteral("UPDATE EM_Tolvario SET Entradas = %1 WHERE Periodo = '10/2026' AND Cuenta = 'MOLINO' AND DIA = %2")
                     .arg(cantidad)
                     .arg(dia));
    }
    double entradas(int dia)
    {
        return valor(QStringLiteral("SELECT Entradas FROM EM_Tolvario WHERE Periodo = '10/2026' AND Cuenta = 'MOLINO' AND DIA = %1").arg(dia))
            .toDouble();
    }
    int preguntas() const
    {
        int n = 0;
        for (const auto& a : m_guion->avisos)
            n += a.texto.startsWith(QStringLiteral("Otro puesto grabó la cuenta Molino de 10/2026 después de que usted la cargó."));
        return n;
    }
};

} // namespace

// The clerk's answer to another station's save is shown where the clerk looks after the box:
// Cancelar leaves the change on screen and the status bar names what is not stored.
TEST_P(OtroPuestoTest, CancelarAlOtroPuestoLoDiceLaBarraDeEstado)
{
    escribir(4, Planilla::ColEntradas, QStringLiteral("333"));
    otroPuestoGraba(5, 555);
    tecla(Qt::Key_F5);
    EXPECT_EQ(preguntas(), 1) << m_guion->todo().toStdString();
    EXPECT_EQ(celda(4, Planilla::ColEntradas), QStringLiteral("333"));
    EXPECT_EQ(entradas(3), 1.0);
    const QString estado = Controles::Estado(m_ventana.get())->currentMessage();
    EXPECT_TRUE(estado.contains(QStringLiteral("la grabación no se completó"))) << estado.toStdString();
    EXPECT_TRUE(estado.contains(QStringLiteral("Sin grabar: Molino"))) << estado.toStdString();
}

// Ctrl+H shows the loaded period's history (not the one half-typed in the box): this
// station's save, with who and the totals.
TEST_P(OtroPuestoTest, ControlHMuestraElHistorialDelPeriodo)
{
    escribir(4, Planilla::ColEntradas, QStringLiteral("5"));
    tecla(Qt::Key_F5);
    teclearEnCaja(QStringLiteral("Periodo"), QStringLiteral("092026"));
    QStringList fila;
    ConVentanaModal(
        [&](QWidget* v) {
            auto* tabla = v->findChild<QTableWidget*>(QStringLiteral("TablaHistorial"));
            ASSERT_NE(tabla, nullptr);
            ASSERT_EQ(tabla->rowCount(), 1);
            for (int c = 0; c < tabla->columnCount(); ++c)
                fila << tabla->item(0, c)->text();
        },
        [&] { QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : m_ventana.get(), Qt::Key_H, Qt::ControlModifier); });
    ASSERT_EQ(fila.size(), 9);
    EXPECT_EQ(fila[1], QStringLiteral("GRABAR"));
    EXPECT_EQ(fila[2], QStringLiteral("MOLINO"));
    EXPECT_EQ(fila[5], QStringLiteral("31.00")) << "thirty-one days of 1 before";
    EXPECT_EQ(fila[6], QStringLiteral("35.00"));
}

// Leaving a tab stores it only over what was read, as GRABAR does.
TEST_P(OtroPuestoTest, DejarLaPestanaTambienPregunta)
{
    escribir(4, Planilla::ColEntradas, QStringLiteral("44"));
    otroPuestoGraba(8, 88);
    Controles::Pestanas(m_ventana.get())->setCurrentIndex(FrmTolvario::TabUsuarios);
    EXPECT_EQ(preguntas(), 1) << m_guion->todo().toStdString();
    EXPECT_EQ(Controles::Pestanas(m_ventana.get())->currentIndex(), FrmTolvario::TabMolino) << "Cancelar keeps the clerk on the tab";
    EXPECT_EQ(entradas(3), 1.0);
    EXPECT_EQ(entradas(8), 88.0);
}

// Enter on the period on screen reads it again, after asking about what is pending; Tab
// leaves it as it is.
TEST_P(OtroPuestoTest, EnterEnElPeriodoCargadoLoVuelveALeer)
{
    otroPuestoGraba(9, 999);
    QLineEdit* periodo = Controles::Caja(m_ventana.get(), FrmTolvario::cPeriodo);
    periodo->setFocus();
    QTest::keyClick(periodo, Qt::Key_Tab);
    EXPECT_EQ(celda(10, Planilla::ColEntradas), QStringLiteral("1")) << "Tab does not reread";
    periodo->setFocus();
    QTest::keyClick(periodo, Qt::Key_Return);
    EXPECT_EQ(celda(10, Planilla::ColEntradas), QStringLiteral("999"));
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();

    escribir(4, Planilla::ColEntradas, QStringLiteral("44"));
    otroPuestoGraba(8, 88);
    periodo->setFocus();
    QTest::keyClick(periodo, Qt::Key_Return);
    ASSERT_EQ(m_guion->avisos.size(), 1u);
    EXPECT_TRUE(m_guion->avisos[0].texto.startsWith(QStringLiteral("Hay cambios sin grabar en 10/2026 (Molino)")));
    EXPECT_EQ(celda(4, Planilla::ColEntradas), QStringLiteral("44")) << "Cancelar keeps the screen";
    m_guion->respuestas = {Operador::No};
    periodo->setFocus();
    QTest::keyClick(periodo, Qt::Key_Return);
    EXPECT_EQ(celda(9, Planilla::ColEntradas), QStringLiteral("88"));
    EXPECT_EQ(entradas(3), 1.0);
}

// The server closed the window's connection while it sat idle (a restart, an administrator):
// the next save opens a fresh one and stores, without a box.
TEST_P(OtroPuestoTest, UnaConexionCerradaEnReposoSeReabreSinAvisos)
{
    if (!esPostgres())
        GTEST_SKIP() << "a file has no server to close it";
    escribir(4, Planilla::ColEntradas, QStringLiteral("44"));
    ejecutar(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                            "WHERE datname = current_database() AND pid <> pg_backend_pid()"));
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
    EXPECT_EQ(m_ventana->Sesion().UltimaGrabacion(), SesionRegistro::Grabacion::Grabada);
    EXPECT_EQ(entradas(3), 44.0);
    // Dropped again while idle: closing opens it again, records the exit, and says nothing.
    ejecutar(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                            "WHERE datname = current_database() AND pid <> pg_backend_pid()"));
    m_guion->avisos.clear();
    m_ventana->close();
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM CONTROL_ACCESO WHERE EGRESO IS NULL")), QStringLiteral("0"));
}

// The server cannot be reached (here: it refuses this database's connections after closing
// the window's): one message says so and what was not stored; nothing on screen is lost, and
// once it is back the next save stores it without a box.
TEST_P(OtroPuestoTest, ConElServidorInalcanzableUnSoloAvisoYNadaSePierde)
{
    if (!esPostgres())
        GTEST_SKIP() << "a file has no server to lose";
    escribir(4, Planilla::ColEntradas, QStringLiteral("44"));
    ASSERT_TRUE(AdministrarServidor(QStringLiteral("ALTER DATABASE %1 ALLOW_CONNECTIONS false").arg(m_base)));
    ejecutar(QStringLiteral("SELECT pg_terminate_backend(pid) FROM pg_stat_activity "
                            "WHERE datname = current_database() AND pid <> pg_backend_pid()"));
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    ASSERT_EQ(m_guion->avisos.size(), 1u) << m_guion->todo().toStdString();
    EXPECT_TRUE(m_guion->avisos[0].texto.startsWith(QStringLiteral("No se puede llegar al servidor de la base de datos")))
        << m_guion->avisos[0].texto.toStdString();
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(QStringLiteral("No se grabó nada de 10/2026; siguen sin grabar: Molino.")));
    EXPECT_EQ(celda(4, Planilla::ColEntradas), QStringLiteral("44"));
    EXPECT_NE(m_ventana->Sesion().UltimaGrabacion(), SesionRegistro::Grabacion::Grabada);

    ASSERT_TRUE(AdministrarServidor(QStringLiteral("ALTER DATABASE %1 ALLOW_CONNECTIONS true").arg(m_base)));
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
    EXPECT_EQ(entradas(3), 44.0);
}

// The server goes away in the middle of a save: the account is stored whole or not at all,
// one message says what was and was not stored, and after it is back the next save stores
// the rest.
TEST_P(OtroPuestoTest, ElServidorSeVaAMitadDeLaGrabacion)
{
    if (!esPostgres())
        GTEST_SKIP() << "a file has no server to lose";
    escribir(4, Planilla::ColEntradas, QStringLiteral("44"));
    ejecutar(QStringLiteral("CREATE FUNCTION corta() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                            "IF NEW.DIA = 15 THEN PERFORM pg_terminate_backend(pg_backend_pid()); END IF; RETURN NEW; END $$"));
    ejecutar(QStringLiteral("CREATE TRIGGER corta BEFORE INSERT ON EM_Tolvario FOR EACH ROW EXECUTE FUNCTION corta()"));
    ASSERT_TRUE(AdministrarServidor(QStringLiteral("ALTER DATABASE %1 ALLOW_CONNECTIONS false").arg(m_base)));
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    ASSERT_EQ(m_guion->avisos.size(), 1u) << m_guion->todo().toStdString();
    EXPECT_TRUE(m_guion->avisos[0].texto.startsWith(QStringLiteral("No se puede llegar al servidor de la base de datos")));
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(QStringLiteral("No se grabó nada de 10/2026; siguen sin grabar: Molino.")))
        << m_guion->avisos[0].texto.toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '10/2026' AND Cuenta = 'MOLINO'")), QStringLiteral("31"));
    EXPECT_EQ(entradas(3), 1.0) << "the old account whole";

    ASSERT_TRUE(AdministrarServidor(QStringLiteral("ALTER DATABASE %1 ALLOW_CONNECTIONS true").arg(m_base)));
    ejecutar(QStringLiteral("DROP TRIGGER corta ON EM_Tolvario"));
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
    EXPECT_EQ(entradas(3), 44.0);
}

CON_CADA_MOTOR(OtroPuestoTest);
