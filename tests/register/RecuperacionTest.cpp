// What the clerk typed survives the process: a real window process types with keys and is
// cut off (SIGKILL as a power cut leaves it, SIGTERM as a desktop logging out); the next
// window on the same database offers it back before anything else. The database is read with
// SQL after each step: nothing reaches it until the clerk saves.
#include "platform/Operador.h"
#include "register/DiarioDeRecuperacion.h"
#include "register/Planilla.h"
#include "tests/register/BaseDeRegistro.h"
#include "tests/support/Controles.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QStatusBar>
#include <QTabBar>
#include <QTemporaryDir>

#include <csignal>

using namespace Qt::Literals::StringLiterals;

namespace {

using P = Planilla;

class RecuperacionTest : public BaseDeRegistro
{
protected:
    void datos() override
    {
        BaseDeRegistro::datos();
        for (int dia = 1; dia <= 31; ++dia) {
            fila(u"10/2026"_s, u"MOLINO"_s, dia, u"1"_s, u"0"_s);
            fila(u"10/2026"_s, u"C002"_s, dia, u"2"_s, u"0"_s);
        }
    }
    void SetUp() override
    {
        BaseDeRegistro::SetUp();
        // The clerk's window of this test is not open while the other process types: one
        // user's journal is one window's.
        m_ventana.reset();
    }
    // The other process types `pasos` ("tab:dia:columna:texto") into 10/2026, then waits.
    void teclearYEsperar(QProcess& p, const QStringList& pasos, const QString& linea = {})
    {
        p.start(QCoreApplication::applicationDirPath() + u"/empleado_interrumpido"_s,
                QStringList{linea.isEmpty() ? comando() : linea, carpeta(), u"10/2026"_s} + pasos);
        ASSERT_TRUE(p.waitForStarted());
        while (!p.canReadLine() && p.waitForReadyRead(60000)) {
        }
        ASSERT_EQ(p.readLine().trimmed(), "escrito") << p.readAllStandardError().toStdString();
    }
    void cortar(QProcess& p, int senal)
    {
        ::kill(pid_t(p.processId()), senal);
        ASSERT_TRUE(p.waitForFinished(30000));
    }
    // Every stored line, to compare the database before and after.
    QString registro()
    {
        QString todo;
        for (int dia = 1; dia <= 31; ++dia)
            for (const char* cuenta : {"MOLINO", "C002"})
                todo += valor(u"SELECT Entradas FROM EM_Tolvario WHERE Periodo = '10/2026' AND Cuenta = '%1' AND DIA = %2"_s
                                  .arg(QLatin1String(cuenta))
                                  .arg(dia)) + u' ';
        return todo + valor(u"SELECT COUNT(*) FROM EM_TolvarioHistoria"_s);
    }
    double entradas(const char* cuenta, int dia)
    {
        return valor(u"SELECT Entradas FROM EM_Tolvario WHERE Periodo = '10/2026' AND Cuenta = '%1' AND DIA = %2"_s
                         .arg(QLatin1String(cuenta))
                         .arg(dia))
            .toDouble();
    }
    QStringList apartados() const
    {
        return QDir(DiarioDeRecuperacion::Carpeta()).entryList({u"*.apartado"_s}, QDir::Files);
    }
    const OperadorGuionado::Aviso* oferta() const { return aviso(u"Quedaron cambios sin grabar de"_s); }
};

} // namespace

// Cut off after typing into two accounts: the mill was stored when its tab was left; the
// user's day, still on screen only, is offered, Sí shows it pending and F5 stores exactly it.
TEST_P(RecuperacionTest, UnCorteDeLuzNoPierdeLoTecleado)
{
    QProcess otro;
    teclearYEsperar(otro, {u"0:1:1:11"_s, u"0:2:1:12"_s, u"0:3:1:13"_s, u"1:7:1:77"_s, u"1:7:4:OJO"_s});
    const QString antes = registro();
    cortar(otro, SIGKILL);
    EXPECT_EQ(entradas("MOLINO", 2), 12.0) << "stored when its tab was left";
    EXPECT_EQ(entradas("C002", 7), 2.0);

    m_guion->respuestas = {Operador::Si};
    reabrir();
    const auto* pregunta = oferta();
    ASSERT_NE(pregunta, nullptr) << todo();
    EXPECT_TRUE(pregunta->texto.startsWith(u"Quedaron cambios sin grabar de 10/2026 (C002: día 7), escritos el "_s)) << todo();
    EXPECT_TRUE(pregunta->texto.endsWith(u". ¿Recuperarlos?"_s)) << todo();
    EXPECT_EQ(pregunta->estilo & Operador::SegundoBoton, 0) << "Sí is the default";
    EXPECT_EQ(aviso(u"está lejos de los guardados"_s), nullptr) << "accepting it opens the period";
    EXPECT_EQ(periodo(), u"10/2026"_s);
    EXPECT_EQ(tabs()->currentIndex(), 1);
    EXPECT_EQ(enGrilla(8, P::ColEntradas), u"77"_s);
    EXPECT_EQ(enGrilla(8, P::ColObservaciones), u"OJO"_s);
    EXPECT_EQ(registro(), antes) << "nothing stored by taking it back";

    m_guion->avisos.clear();
    tecla(Qt::Key_F5);
    EXPECT_EQ(entradas("C002", 7), 77.0) << todo();
    EXPECT_EQ(valor(u"SELECT Observaciones FROM EM_Tolvario WHERE Periodo = '10/2026' AND Cuenta = 'C002' AND DIA = 7"_s), u"OJO"_s);
    EXPECT_EQ(entradas("C002", 8), 2.0) << "only what was typed";
    m_guion->avisos.clear();
    reabrir();
    EXPECT_EQ(oferta(), nullptr) << "stored: nothing left to offer";
}

// A desktop logging out: the process ends at once with 128 + 15, says so in the error log and
// writes nothing. No at the next start keeps the journal aside, never offered again by itself.
TEST_P(RecuperacionTest, AlCerrarLaSesionSeAnotaYNoLoGuardaAparte)
{
    QProcess otro;
    teclearYEsperar(otro, {u"0:2:1:22"_s});
    const QString antes = registro();
    cortar(otro, SIGTERM);
    EXPECT_EQ(otro.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(otro.exitCode(), 128 + SIGTERM);
    QFile log(carpeta() + u"/VMERR.LOG"_s);
    ASSERT_TRUE(log.open(QIODevice::ReadOnly));
    const QString lineas = QString::fromUtf8(log.readAll());
    EXPECT_TRUE(lineas.contains(u"El programa recibió SIGTERM"_s)) << lineas.toStdString();
    EXPECT_TRUE(lineas.contains(u"código de salida 143"_s)) << lineas.toStdString();
    EXPECT_EQ(registro(), antes);

    m_guion->respuestas = {Operador::No};
    reabrir();
    ASSERT_NE(oferta(), nullptr) << todo();
    EXPECT_TRUE(oferta()->texto.contains(u"(Molino: día 2)"_s)) << todo();
    EXPECT_TRUE(periodo().isEmpty());
    EXPECT_EQ(apartados().size(), 1) << "kept aside under a dated name";
    EXPECT_TRUE(Controles::Estado(m_ventana.get())->currentMessage().contains(u"quedaron aparte"_s));
    m_guion->avisos.clear();
    reabrir();
    EXPECT_EQ(oferta(), nullptr) << todo();
    EXPECT_EQ(registro(), antes);
}

// Another station saved the account between the cut and the recovery: the save asks, as
// any save over another station's does; Sí puts the clerk's screen over theirs.
TEST_P(RecuperacionTest, SiOtroPuestoGraboEntretantoLaGrabacionPregunta)
{
    QProcess otro;
    teclearYEsperar(otro, {u"0:4:1:44"_s});
    cortar(otro, SIGKILL);
    ejecutar(u"UPDATE EM_Tolvario SET Entradas = 555 WHERE Periodo = '10/2026' AND Cuenta = 'MOLINO' AND DIA = 5"_s);
    m_guion->respuestas = {Operador::Si};
    reabrir();
    EXPECT_EQ(enGrilla(5, P::ColEntradas), u"44"_s) << todo();
    EXPECT_EQ(enGrilla(6, P::ColEntradas), u"1"_s) << "the screen as the clerk left it";
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F5);
    EXPECT_NE(aviso(u"Otro puesto grabó la cuenta Molino de 10/2026"_s), nullptr) << todo();
    EXPECT_EQ(entradas("MOLINO", 4), 44.0);
    EXPECT_EQ(entradas("MOLINO", 5), 1.0) << "theirs replaced, as the clerk chose";
}

// One user's journal is one window's: a second window of the same user on the station is
// told and does not open; one on another database never sees this one's journal.
TEST_P(RecuperacionTest, UnaSegundaVentanaNoAbreYOtraBaseNoLoVe)
{
    QProcess otro;
    teclearYEsperar(otro, {u"0:2:1:22"_s});
    QProcess segunda;
    segunda.start(QCoreApplication::applicationDirPath() + u"/empleado_interrumpido"_s, {comando(), carpeta(), u"10/2026"_s});
    ASSERT_TRUE(segunda.waitForFinished(60000));
    EXPECT_EQ(segunda.exitCode(), 4);
    EXPECT_TRUE(QString::fromUtf8(segunda.readAllStandardError()).contains(u"El registro ya está abierto para JUAN en este puesto"_s));
    cortar(otro, SIGKILL);

    // The same user and station on another database.
    DiarioDeRecuperacion otraBase;
    ASSERT_TRUE(otraBase.Abrir({m_servidor, m_base + u"_otra"_s, u"3"_s, u"JUAN"_s}));
    EXPECT_TRUE(otraBase.Leer().Vacio());
    DiarioDeRecuperacion esta;
    ASSERT_TRUE(esta.Abrir({m_servidor, m_base, u"3"_s, u"JUAN"_s})) << "the process that held it is gone";
    EXPECT_FALSE(esta.Leer().Vacio());
}

// In the window itself: every cell committed is in the journal before it shows; a save
// removes what it stored; CANCELAR confirmed and No to the pending question drop it all, and
// a Cancelar to another station's save keeps it.
TEST_P(RecuperacionTest, LoQueSeGrabaOSeDescartaSaleDelDiario)
{
    reabrir();
    const auto diario = [this] { return m_ventana->Sesion().Diario().Leer(); };
    elegirPeriodo(u"10/2026"_s);
    // The same figure typed over a day, or a figure typed and then put back, is no change.
    escribirDia(2, P::ColEntradas, u"1"_s);
    escribirDia(3, P::ColEntradas, u"9"_s);
    escribirDia(3, P::ColEntradas, u"1"_s);
    EXPECT_TRUE(diario().Vacio());
    escribirDia(2, P::ColEntradas, u"22"_s);
    ASSERT_EQ(diario().cuentas.size(), 1u);
    EXPECT_EQ(diario().cuentas[0].dias.value(2).entradas, Importe::desdeEntero(22));
    tecla(Qt::Key_F5);
    EXPECT_TRUE(diario().Vacio()) << todo();

    escribirDia(3, P::ColEntradas, u"33"_s);
    ejecutar(u"UPDATE EM_Tolvario SET Entradas = 555 WHERE Periodo = '10/2026' AND Cuenta = 'MOLINO' AND DIA = 5"_s);
    m_guion->respuestas = {Operador::Cancelar};
    tecla(Qt::Key_F5);
    EXPECT_FALSE(diario().Vacio()) << "Cancelar to the other station keeps it";
    m_guion->respuestas = {Operador::Si};
    m_ventana->Panobar1_click(u"CANCELAR"_s);
    EXPECT_TRUE(diario().Vacio());

    elegirPeriodo(u"10/2026"_s);
    escribirDia(4, P::ColEntradas, u"44"_s);
    m_guion->respuestasFijas = {{u"está lejos de los guardados"_s, Operador::Si}};
    m_guion->respuestas = {Operador::No};
    elegirPeriodo(u"09/2026"_s);
    EXPECT_TRUE(diario().Vacio()) << todo();
    EXPECT_EQ(entradas("MOLINO", 4), 1.0);
}

// The header's setting and a user added come back as well, pending; F5 stores them with the
// day, after the settings' own question.
TEST_P(RecuperacionTest, ElEncabezadoYUnUsuarioAgregadoTambienVuelven)
{
    const QString titulo = valor(u"SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'TOLVARIO_TITULO'"_s);
    QProcess otro;
    teclearYEsperar(otro, {u"0:2:1:22"_s, u"caja:TITULO:LIBRO NUEVO"_s, u"caja:USMOLINO2:C004"_s});
    cortar(otro, SIGKILL);
    EXPECT_EQ(cuantas(u"10/2026"_s, u"C004"_s), u"0"_s);
    m_guion->respuestas = {Operador::Si};
    reabrir();
    ASSERT_NE(oferta(), nullptr) << todo();
    EXPECT_TRUE(oferta()->texto.contains(u"(Molino: día 2; usuario 2: C004; Título)"_s)) << todo();
    EXPECT_EQ(caja(u"TITULO"_s)->text(), u"LIBRO NUEVO"_s);
    EXPECT_TRUE(caja(u"TITULO"_s)->property("cambiado").toBool());
    EXPECT_EQ(usuario(2)->text(), u"C004"_s);
    EXPECT_TRUE(tabs()->isTabVisible(2));
    EXPECT_EQ(enGrilla(3, P::ColEntradas), u"22"_s);
    EXPECT_EQ(valor(u"SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'TOLVARIO_TITULO'"_s), titulo) << "pending, not stored";
    m_guion->avisos.clear();
    m_guion->respuestas = {Operador::Si};
    tecla(Qt::Key_F5);
    EXPECT_NE(aviso(u"Cambió el encabezado"_s), nullptr) << todo();
    EXPECT_EQ(valor(u"SELECT VALOR FROM ta_configuracion WHERE CLAVE = 'TOLVARIO_TITULO'"_s).trimmed(), u"LIBRO NUEVO"_s);
    EXPECT_EQ(cuantas(u"10/2026"_s, u"C004"_s), u"31"_s);
    EXPECT_EQ(entradas("MOLINO", 2), 22.0);
    m_guion->avisos.clear();
    reabrir();
    EXPECT_EQ(oferta(), nullptr) << todo();
}

// A journal folder that cannot be made: said once, in Spanish, and the register works.
TEST_P(RecuperacionTest, SinDondeGuardarElRespaldoSeAvisaYSeTrabajaIgual)
{
    const QString tolvario = QFileInfo(DiarioDeRecuperacion::Carpeta()).path();
    ASSERT_TRUE(QDir(tolvario).removeRecursively());
    QFile bloqueo(tolvario);
    ASSERT_TRUE(bloqueo.open(QIODevice::WriteOnly)) << "a file where the folder would go";
    bloqueo.close();
    reabrir();
    ASSERT_EQ(m_guion->avisos.size(), 1u) << todo();
    EXPECT_TRUE(m_guion->avisos[0].texto.startsWith(u"No se puede guardar el respaldo de lo que escribe en"_s)) << todo();
    elegirPeriodo(u"10/2026"_s);
    escribirDia(2, P::ColEntradas, u"22"_s);
    tecla(Qt::Key_F5);
    EXPECT_EQ(entradas("MOLINO", 2), 22.0);
    EXPECT_EQ(m_guion->avisos.size(), 1u) << "told once: " << todo();
}

CON_CADA_MOTOR(RecuperacionTest);
