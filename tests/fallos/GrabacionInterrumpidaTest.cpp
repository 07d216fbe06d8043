// A save that fails at any of its statements leaves the account's stored register exactly as
// it was, tells the clerk, and the window goes on working: a retry saves, a period loads.
#include "data/DB_Dll.h"
#include "register/ModeloRegistro.h"
#include "tests/register/BaseDeRegistro.h"
#include "tests/support/SoloLectura.h"

#include <QFile>

namespace {

using P = Planilla;

class GrabacionInterrumpidaTest : public BaseDeRegistro
{
protected:
    void SetUp() override
    {
        BaseDeRegistro::SetUp();
        if (IsSkipped() || HasFatalFailure())
            return;
        for (int dia = 1; dia <= 31; ++dia)
            fila(QStringLiteral("04/2005"), QStringLiteral("MOLINO"), dia, QStringLiteral("1"), QStringLiteral("0"));
        if (esPostgres())
            ejecutar(QStringLiteral("CREATE FUNCTION falla() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                                    "IF TG_OP = 'DELETE' OR NEW.DIA::text = ANY(TG_ARGV) THEN RAISE EXCEPTION 'falla forzada'; END IF; "
                                    "RETURN NEW; END $$"));
        elegirPeriodo(QStringLiteral("04/2005"));
    }
    // Fails the insert of day k, or the delete when k is 0.
    void fallarEn(int k)
    {
        if (esPostgres())
            ejecutar(k == 0 ? QStringLiteral("CREATE TRIGGER falla BEFORE DELETE ON EM_Tolvario FOR EACH ROW EXECUTE FUNCTION falla('0')")
                            : QStringLiteral("CREATE TRIGGER falla BEFORE INSERT ON EM_Tolvario FOR EACH ROW EXECUTE FUNCTION falla('%1')").arg(k));
        else
            ejecutar(k == 0 ? QStringLiteral("CREATE TRIGGER falla BEFORE DELETE ON EM_Tolvario BEGIN SELECT RAISE(ABORT, 'falla forzada'); END")
                            : QStringLiteral("CREATE TRIGGER falla BEFORE INSERT ON EM_Tolvario WHEN NEW.DIA = %1 "
                                             "BEGIN SELECT RAISE(ABORT, 'falla forzada'); END").arg(k));
    }
    void quitarFalla() { ejecutar(QStringLiteral("DROP TRIGGER falla") + (esPostgres() ? QStringLiteral(" ON EM_Tolvario") : QString())); }
    // The stored register of the mill: 31 rows, every day's receipts equal to `entradas`.
    void esperoRegistro(const QString& entradas, const std::string& cuando)
    {
        EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '04/2005' AND Cuenta = 'MOLINO'")),
                  QStringLiteral("31")) << cuando;
        EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '04/2005' AND Cuenta = 'MOLINO' AND "
                                       "Entradas = %1").arg(entradas)),
                  QStringLiteral("31")) << cuando;
    }
};

} // namespace

TEST_P(GrabacionInterrumpidaTest, FallaEnCadaSentenciaYQuedaLoViejoOLoNuevo)
{
    for (int k = 0; k <= 31; ++k) {
        const QString nuevo = QString::number(k + 2);
        for (int dia = 1; dia <= 31; ++dia)
            m_ventana->Modelo().PonerTexto(dia + 1, P::ColEntradas, nuevo);
        const QString viejo = valor(QStringLiteral("SELECT MAX(Entradas) FROM EM_Tolvario WHERE Periodo = '04/2005' AND Cuenta = 'MOLINO'"));
        fallarEn(k);
        m_guion->avisos.clear();
        m_guion->respuestas = {Operador::Ignorar};
        tecla(Qt::Key_F5);
        ASSERT_FALSE(m_guion->avisos.empty()) << "statement " << k;
        EXPECT_TRUE(m_guion->avisos[0].texto.contains(QStringLiteral("falla forzada"))) << m_guion->todo().toStdString();
        EXPECT_EQ(m_guion->avisos[0].titulo, QStringLiteral("Aviso al operador..."));
        esperoRegistro(viejo, "old register whole after a failure at statement " + std::to_string(k));
        quitarFalla();
        // A retry saves it all.
        m_guion->avisos.clear();
        tecla(Qt::Key_F5);
        EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
        esperoRegistro(nuevo, "new register after the retry at statement " + std::to_string(k));
    }
    // And the window goes on: another period loads.
    elegirPeriodo(QStringLiteral("05/2005"));
    EXPECT_EQ(celda(P::FilaSaldoAnterior, P::ColSaldo), QStringLiteral("1023"));
}

TEST_P(GrabacionInterrumpidaTest, UnArchivoBloqueadoPorOtroProcesoSeEsperaYLuegoSeGraba)
{
    if (esPostgres())
        GTEST_SKIP() << "file locks are SQLite's";
    DB_Dll::Instancia().gCnn.EstablecerCommandTimeout(0);
    for (int dia = 1; dia <= 31; ++dia)
        m_ventana->Modelo().PonerTexto(dia + 1, P::ColEntradas, QStringLiteral("9"));
    const QString hojasAntes = valor(QStringLiteral("SELECT COUNT(*) FROM ta_configuracion WHERE CLAVE LIKE 'TOLVARIO_HOJA_%'"));
    ejecutar(QStringLiteral("BEGIN IMMEDIATE"));
    // The save waits its turn under the notice; the clerk gives up waiting: no error box, the
    // sheet number and settings not stored either.
    m_guion->cancelarEspera = true;
    tecla(Qt::Key_F5);
    m_guion->cancelarEspera = false;
    EXPECT_NE(aviso(QStringLiteral("esperando…")), nullptr) << todo();
    EXPECT_EQ(aviso(QStringLiteral("Ha ocurrido")), nullptr) << todo();
    ejecutar(QStringLiteral("ROLLBACK"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM ta_configuracion WHERE CLAVE LIKE 'TOLVARIO_HOJA_%'")), hojasAntes);
    esperoRegistro(QStringLiteral("1"), "locked: nothing written");
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
    esperoRegistro(QStringLiteral("9"), "unlocked: saved");
}

// The database file turns read-only (a restored copy, a share mounted read-only) and the
// program opens it again: the save is told and stores nothing; once the file is writable
// again the next GRABAR stores it all, without restarting the program.
TEST_P(GrabacionInterrumpidaTest, UnArchivoDeSoloLecturaSeInformaYLuegoSeGraba)
{
    if (esPostgres())
        GTEST_SKIP() << "a read-only file is SQLite's";
    for (int dia = 1; dia <= 31; ++dia)
        m_ventana->Modelo().PonerTexto(dia + 1, P::ColEntradas, QStringLiteral("7"));
    {
        SoloLectura soloLectura(m_base);
        ASSERT_TRUE(soloLectura.activo()) << "the file could not be made read-only";
        DB_Dll::Instancia().gCnn.Close();
        m_guion->respuestas = {Operador::Reintentar, Operador::Ignorar};
        tecla(Qt::Key_F5);
        ASSERT_GE(m_guion->avisos.size(), 2u) << m_guion->todo().toStdString();
        EXPECT_TRUE(m_guion->avisos[0].texto.contains(QStringLiteral("es de sólo lectura"))) << m_guion->todo().toStdString();
        esperoRegistro(QStringLiteral("1"), "read-only: nothing written");
    }
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
    esperoRegistro(QStringLiteral("7"), "writable again: saved");
    elegirPeriodo(QStringLiteral("05/2005"));
    EXPECT_EQ(celda(P::FilaSaldoAnterior, P::ColSaldo), QStringLiteral("217"));
}

// The database file is gone when the program has to open it again (a share unmounted, the
// file moved): the clerk reads why, and once the file is back the next GRABAR stores it.
TEST_P(GrabacionInterrumpidaTest, UnArchivoQueNoEstaSeInformaYAlVolverSeGraba)
{
    if (esPostgres())
        GTEST_SKIP() << "a database file is SQLite's";
    for (int dia = 1; dia <= 31; ++dia)
        m_ventana->Modelo().PonerTexto(dia + 1, P::ColEntradas, QStringLiteral("6"));
    const QString lejos = m_base + QStringLiteral(".movida");
    ASSERT_TRUE(QFile::rename(m_base, lejos));
    DB_Dll::Instancia().gCnn.Close();
    m_guion->respuestas = {Operador::Ignorar, Operador::Ignorar, Operador::Ignorar};
    tecla(Qt::Key_F5);
    ASSERT_TRUE(QFile::rename(lejos, m_base));
    ASSERT_FALSE(m_guion->avisos.empty());
    EXPECT_TRUE(m_guion->todo().contains(QStringLiteral("No se puede abrir el archivo de la base de datos"))) << m_guion->todo().toStdString();
    EXPECT_FALSE(m_guion->todo().contains(QStringLiteral("no está abierta"))) << m_guion->todo().toStdString();
    esperoRegistro(QStringLiteral("1"), "gone: nothing written");
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
    esperoRegistro(QStringLiteral("6"), "back: saved");
}

// The server ends the program's connection in the middle of a save: the register is the old
// one; Retry opens the connection again and repeats the whole account.
TEST_P(GrabacionInterrumpidaTest, ElServidorCortaLaConexionAMitadDeLaGrabacion)
{
    if (!esPostgres())
        GTEST_SKIP() << "a SQLite file has no server to lose";
    // A sequence is not undone by the rollback: the connection is cut the first time only.
    ejecutar(QStringLiteral("CREATE SEQUENCE corte"));
    ejecutar(QStringLiteral("CREATE FUNCTION corta() RETURNS trigger LANGUAGE plpgsql AS $$ BEGIN "
                            "IF NEW.DIA = 15 AND nextval('corte') = 1 THEN PERFORM pg_terminate_backend(pg_backend_pid()); END IF; "
                            "RETURN NEW; END $$"));
    ejecutar(QStringLiteral("CREATE TRIGGER corta BEFORE INSERT ON EM_Tolvario FOR EACH ROW EXECUTE FUNCTION corta()"));
    for (int dia = 1; dia <= 31; ++dia)
        m_ventana->Modelo().PonerTexto(dia + 1, P::ColEntradas, QStringLiteral("8"));
    m_guion->respuestas = {Operador::Abortar};
    tecla(Qt::Key_F5);
    ASSERT_FALSE(m_guion->avisos.empty());
    EXPECT_TRUE(m_guion->avisos[0].texto.contains(QStringLiteral("3709"))) << m_guion->todo().toStdString();
    esperoRegistro(QStringLiteral("1"), "the old register whole after the cut");
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    EXPECT_TRUE(m_guion->avisos.empty()) << m_guion->todo().toStdString();
    esperoRegistro(QStringLiteral("8"), "the next save stored the whole account");
    EXPECT_EQ(m_ventana->Sesion().UltimaGrabacion(), SesionRegistro::Grabacion::Grabada);
    elegirPeriodo(QStringLiteral("05/2005"));
    EXPECT_EQ(celda(P::FilaSaldoAnterior, P::ColSaldo), QStringLiteral("248"));
}

CON_CADA_MOTOR(GrabacionInterrumpidaTest);
