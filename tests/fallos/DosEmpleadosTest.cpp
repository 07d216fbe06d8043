// Two clerks saving the same period at once, each from its own process: every account ends
// with exactly its 31 rows, all of one clerk's version, never duplicated or mixed.
#include "register/ModeloRegistro.h"
#include "register/RegistroTolvario.h"
#include "tests/register/BaseDeRegistro.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSqlError>
#include <QSqlQuery>
#include <QStatusBar>
#include <QTimer>

namespace {
using DosEmpleadosTest = BaseDeRegistro;
}

TEST_P(DosEmpleadosTest, LasDosVersionesNuncaSeMezclan)
{
    for (int dia = 1; dia <= 31; ++dia)
        fila(QStringLiteral("06/2005"), QStringLiteral("MOLINO"), dia, QStringLiteral("1"), QStringLiteral("0"));
    elegirPeriodo(QStringLiteral("06/2005"));
    constexpr int Vueltas = 25;
    QProcess otro;
    // The other clerk works at another station.
    otro.start(QCoreApplication::applicationDirPath() + QStringLiteral("/segundo_empleado"),
               {comando().replace(QStringLiteral("@Caja=3;"), QStringLiteral("@Caja=4;")), QStringLiteral("06/2005"),
                QStringLiteral("7"), QString::number(Vueltas)});
    ASSERT_TRUE(otro.waitForStarted());
    // Both clerks save at the same time: this one starts when the other is ready.
    while (!otro.canReadLine() && otro.waitForReadyRead(60000)) {
    }
    ASSERT_EQ(otro.readLine().trimmed(), QByteArray("listo")) << otro.readAllStandardError().toStdString();
    int fallidas = 0;
    for (int vuelta = 0; vuelta < Vueltas; ++vuelta) {
        // A new figure each round: a save writes only what changed.
        for (int dia = 1; dia <= 31; ++dia)
            m_ventana->Modelo().PonerTexto(dia + 1, Planilla::ColEntradas, vuelta % 2 ? QStringLiteral("4") : QStringLiteral("3"));
        const size_t antes = m_guion->avisos.size();
        // Told that the other clerk saved first, this one takes theirs; an error is abandoned.
        m_guion->respuestas = {Operador::No, Operador::Abortar};
        tecla(Qt::Key_F5);
        if (m_ventana->Sesion().UltimaGrabacion() != SesionRegistro::Grabacion::Grabada) {
            ++fallidas;
            EXPECT_GT(m_guion->avisos.size(), antes) << "a save that lost is told";
        }
        const QString filas = valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '06/2005' AND Cuenta = 'MOLINO'"));
        const QString versiones = valor(QStringLiteral("SELECT COUNT(DISTINCT Entradas) FROM EM_Tolvario WHERE Periodo = '06/2005' AND Cuenta = 'MOLINO'"));
        EXPECT_EQ(filas, QStringLiteral("31")) << "round " << vuelta;
        EXPECT_EQ(versiones, QStringLiteral("1")) << "round " << vuelta;
    }
    // Saves queue: the loser is asked, never shown a database error (a key, a busy file).
    EXPECT_FALSE(m_guion->todo().contains(QStringLiteral("Ha ocurrido el siguiente error"))) << m_guion->todo().toStdString();
    // Done already, or done within two minutes.
    ASSERT_TRUE(otro.state() == QProcess::NotRunning || otro.waitForFinished(120000));
    const QStringList cuenta = QString::fromUtf8(otro.readAllStandardOutput()).trimmed().split(u' ');
    const QString errores = QString::fromUtf8(otro.readAllStandardError());
    EXPECT_EQ(otro.exitCode(), 0) << errores.toStdString();
    EXPECT_FALSE(errores.contains(QStringLiteral("Ha ocurrido el siguiente error"))) << errores.toStdString();
    ASSERT_EQ(cuenta.size(), 2);
    EXPECT_GT(cuenta[0].toInt(), 0) << "the other clerk saved too";
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(*) FROM EM_Tolvario WHERE Periodo = '06/2005' AND Cuenta = 'MOLINO'")), QStringLiteral("31"));
    EXPECT_EQ(valor(QStringLiteral("SELECT COUNT(DISTINCT Entradas) FROM EM_Tolvario WHERE Periodo = '06/2005'")), QStringLiteral("1"));
    // A clerk whose save lost can save again: asked, and Sí puts this screen over theirs.
    m_guion->avisos.clear();
    for (int dia = 1; dia <= 31; ++dia)
        m_ventana->Modelo().PonerTexto(dia + 1, Planilla::ColEntradas, QStringLiteral("5"));
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F5);
    EXPECT_EQ(m_ventana->Sesion().UltimaGrabacion(), SesionRegistro::Grabacion::Grabada) << m_guion->todo().toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT MAX(Entradas) FROM EM_Tolvario WHERE Periodo = '06/2005'")).toDouble(), 5.0);
    RecordProperty("fallidas", fallidas);
}

CON_CADA_MOTOR(DosEmpleadosTest);

// Another station's save that lasts longer than the database's own timeouts (3 s): this
// one waits its turn under a notice, then saves; Cancelar writes nothing and keeps the edit.
TEST_P(DosEmpleadosTest, UnaGrabacionEsperaSuTurnoDetrasDeOtroPuesto)
{
    fila(QStringLiteral("06/2005"), QStringLiteral("MOLINO"), 1, QStringLiteral("1"), QStringLiteral("0"));
    // The sheet number stored already: what waits here is the account's turn.
    ejecutar(QStringLiteral("INSERT INTO ta_configuracion (CLAVE, VALOR, Grupo, PoliticaNegocio) VALUES ('TOLVARIO_HOJA_200506', '3', 'DATOS', 0)"));
    elegirPeriodo(QStringLiteral("06/2005"));
    // The other station, mid-save: the account's turn (a server) or the file (SQLite).
    const auto tomarTurno = [&] {
        QSqlQuery q(m_cnn.bd());
        if (esPostgres()) {
            const auto [clase, par] = RegistroTolvario::ClaveDeTurno(QStringLiteral("06/2005"), QStringLiteral("MOLINO"));
            ASSERT_TRUE(q.exec(QStringLiteral("BEGIN")));
            ASSERT_TRUE(q.exec(QStringLiteral("SELECT pg_advisory_xact_lock(%1, %2)").arg(clase).arg(par)));
        } else {
            ASSERT_TRUE(q.exec(QStringLiteral("BEGIN IMMEDIATE"))) << q.lastError().text().toStdString();
        }
    };
    const auto soltarTurno = [&] { QSqlQuery(m_cnn.bd()).exec(QStringLiteral("COMMIT")); };

    tomarTurno();
    QTimer::singleShot(5000, [&] { soltarTurno(); });
    escribirDia(1, Planilla::ColEntradas, QStringLiteral("8"));
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    EXPECT_NE(aviso(QStringLiteral("Otro puesto está grabando la misma cuenta; esperando…")), nullptr) << todo();
    EXPECT_EQ(aviso(QStringLiteral("Ha ocurrido")), nullptr) << todo();
    EXPECT_EQ(valor(QStringLiteral("SELECT Entradas FROM EM_Tolvario WHERE Periodo = '06/2005' AND Cuenta = 'MOLINO' AND DIA = 1")).toDouble(), 8.0);

    // Cancelar: rolled back, nothing written, the change still pending on screen.
    tomarTurno();
    escribirDia(1, Planilla::ColEntradas, QStringLiteral("9"));
    m_guion->avisos.clear();
    m_guion->cancelarEspera = true;
    tecla(Qt::Key_F5);
    soltarTurno();
    EXPECT_NE(aviso(QStringLiteral("esperando…")), nullptr) << todo();
    EXPECT_EQ(aviso(QStringLiteral("Ha ocurrido")), nullptr) << todo();
    EXPECT_EQ(valor(QStringLiteral("SELECT Entradas FROM EM_Tolvario WHERE Periodo = '06/2005' AND Cuenta = 'MOLINO' AND DIA = 1")).toDouble(), 8.0);
    EXPECT_EQ(enGrilla(2, Planilla::ColEntradas), QStringLiteral("9"));
    EXPECT_TRUE(m_ventana->findChild<QStatusBar*>()->currentMessage().startsWith(QStringLiteral("No se grabó nada: otro puesto")))
        << m_ventana->findChild<QStatusBar*>()->currentMessage().toStdString();
    m_guion->cancelarEspera = false;
    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    EXPECT_EQ(valor(QStringLiteral("SELECT Entradas FROM EM_Tolvario WHERE Periodo = '06/2005' AND Cuenta = 'MOLINO' AND DIA = 1")).toDouble(), 9.0)
        << todo();
}

// SQLite's queue across processes: another station holds the file's write lock for longer
// than the busy timeout and changes the account meanwhile; this save waits, then asks.
TEST_P(DosEmpleadosTest, OtroProcesoConElArchivoTomadoHaceEsperarYPreguntar)
{
    if (esPostgres())
        GTEST_SKIP() << "the server's queue is tried by the test above";
    // The month's first save: its sheet number too waits for the queue.
    fila(QStringLiteral("06/2005"), QStringLiteral("MOLINO"), 1, QStringLiteral("1"), QStringLiteral("0"));
    elegirPeriodo(QStringLiteral("06/2005"));
    escribirDia(1, Planilla::ColEntradas, QStringLiteral("8"));

    QProcess otro;
    otro.start(QCoreApplication::applicationDirPath() + QStringLiteral("/retener_base"),
               {m_base, QStringLiteral("5000"),
                QStringLiteral("UPDATE EM_Tolvario SET Entradas = 6 WHERE Periodo = '06/2005' AND Cuenta = 'MOLINO' AND DIA = 1")});
    ASSERT_TRUE(otro.waitForStarted());
    while (!otro.canReadLine() && otro.waitForReadyRead(30000)) {
    }
    ASSERT_EQ(otro.readLine().trimmed(), QByteArray("listo")) << otro.readAllStandardError().toStdString();

    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::No};
    tecla(Qt::Key_F5);
    EXPECT_NE(aviso(QStringLiteral("esperando…")), nullptr) << todo();
    EXPECT_NE(aviso(QStringLiteral("Otro puesto grabó la cuenta")), nullptr) << todo();
    EXPECT_EQ(aviso(QStringLiteral("Ha ocurrido")), nullptr) << todo();
    EXPECT_EQ(aviso(QStringLiteral("ocupada")), nullptr) << todo();
    ASSERT_TRUE(otro.state() == QProcess::NotRunning || otro.waitForFinished(30000));
    EXPECT_EQ(otro.exitCode(), 0) << otro.readAllStandardError().toStdString();
    // No keeps the other station's figure; the sheet number is stored behind it.
    EXPECT_EQ(valor(QStringLiteral("SELECT Entradas FROM EM_Tolvario WHERE Periodo = '06/2005' AND Cuenta = 'MOLINO' AND DIA = 1")).toDouble(), 6.0);
    EXPECT_FALSE(valor(QStringLiteral("SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'TOLVARIO_HOJA_200506'")).isEmpty());
}
