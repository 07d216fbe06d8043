// The password of the connection line never stays where other users read the process list:
// the program's own arguments and environment, as /proc shows them, once it is running.
#include "platform/LineaPrivada.h"
#include "tests/support/BaseDePrueba.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

class LineaPrivadaTest : public BaseDePrueba
{
protected:
    // The window started as the suite's menu (or a script) would; once its start-up got past
    // the connection (it writes the lookup masks then), what /proc shows of it.
    struct Visto {
        QByteArray argumentos;
        QByteArray entorno;
        bool arranco = false;
    };
    Visto arrancar(const QStringList& argumentos, const QProcessEnvironment& entorno, const QByteArray& entrada = {})
    {
        QTemporaryDir dir;
        QProcess p;
        p.setProgram(QCoreApplication::applicationDirPath() + QStringLiteral("/tolvario"));
        p.setArguments(QStringList{QStringLiteral("--carpeta"), dir.path()} + argumentos);
        QProcessEnvironment e = entorno;
        e.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p.setProcessEnvironment(e);
        p.start();
        Visto v;
        if (!p.waitForStarted(30000))
            return v;
        if (!entrada.isEmpty()) {
            p.write(entrada);
            p.closeWriteChannel();
        }
        v.arranco = QTest::qWaitFor([&] { return QFileInfo::exists(dir.filePath(QStringLiteral("consultas.vlm"))); }, 60000);
        const QString proc = QStringLiteral("/proc/%1/").arg(p.processId());
        QFile a(proc + QStringLiteral("cmdline")), b(proc + QStringLiteral("environ"));
        if (a.open(QIODevice::ReadOnly))
            v.argumentos = a.readAll();
        if (b.open(QIODevice::ReadOnly))
            v.entorno = b.readAll();
        p.kill();
        p.waitForFinished(30000);
        return v;
    }
    QString linea() const
    {
        return QStringLiteral("@Server=sqlite:;@DbName=%1;@Usuario=admin;@Password=%2;@UsuarioLogeado=admin;@Caja=1;")
            .arg(m_base, Clave);
    }
    static inline const QString Clave = QStringLiteral("clave-que-nadie-ve-4471");
};

} // namespace

TEST_P(LineaPrivadaTest, LaClaveNoQuedaALaVistaDeOtrosUsuarios)
{
    if (esPostgres())
        GTEST_SKIP() << "the process list is the same whichever database";
    crearEsquema();
    const QProcessEnvironment sistema = QProcessEnvironment::systemEnvironment();
    // As the suite's menu passes it, one argument; a variable exported in the shell goes
    // from the environment all the same.
    QProcessEnvironment exportada = sistema;
    exportada.insert(QStringLiteral("TOLVARIO_CONEXION"), linea());
    Visto v = arrancar({linea()}, exportada);
    ASSERT_TRUE(v.arranco) << "the window did not start";
    EXPECT_FALSE(v.argumentos.contains(Clave.toUtf8())) << v.argumentos.toStdString();
    EXPECT_FALSE(v.argumentos.contains("@Password"));
    EXPECT_FALSE(v.entorno.contains("TOLVARIO_CONEXION"));

    // From the environment: read, then gone from it.
    QProcessEnvironment conVariable = sistema;
    conVariable.insert(QStringLiteral("TOLVARIO_CONEXION"), linea());
    v = arrancar({}, conVariable);
    ASSERT_TRUE(v.arranco) << "the window did not start from TOLVARIO_CONEXION";
    EXPECT_FALSE(v.entorno.contains("TOLVARIO_CONEXION"));
    EXPECT_FALSE(v.entorno.contains(Clave.toUtf8()));

    // From standard input.
    v = arrancar({QStringLiteral("--conexion"), QStringLiteral("-")}, sistema, linea().toUtf8() + '\n');
    ASSERT_TRUE(v.arranco) << "the window did not start from standard input";
    EXPECT_FALSE(v.argumentos.contains(Clave.toUtf8()));
}

CON_CADA_MOTOR(LineaPrivadaTest);
