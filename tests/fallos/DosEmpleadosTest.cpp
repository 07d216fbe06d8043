// Two clerks saving the same period at once, each from its own process: every account ends
// with exactly its 31 rows, all of one clerk's version, never duplicated or mixed.
#include "register/ModeloRegistro.h"
#include "tests/register/BaseDeRegistro.h"

#include <QCoreApplication>
#include <QProcess>

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
    otro.start(QCoreApplication::applicationDirPath() + QStringLiteral("/segundo_empleado"),
               {comando(), QStringLiteral("06/2005"), QStringLiteral("7"), QString::number(Vueltas)});
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
        if (m_ventana->ValidacionFallida()) {
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
    ASSERT_TRUE(otro.waitForFinished(120000));
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
    EXPECT_FALSE(m_ventana->ValidacionFallida()) << m_guion->todo().toStdString();
    EXPECT_EQ(valor(QStringLiteral("SELECT MAX(Entradas) FROM EM_Tolvario WHERE Periodo = '06/2005'")).toDouble(), 5.0);
    RecordProperty("fallidas", fallidas);
}

CON_CADA_MOTOR(DosEmpleadosTest);
