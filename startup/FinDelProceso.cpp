#include "startup/FinDelProceso.h"

#include "data/DB_Dll.h"
#include "platform/ErrorVB.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <QString>

#include <cerrno>
#include <csignal>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_tubo[2] = {-1, -1};
QtMessageHandler g_anterior = nullptr;

// Only what is safe in a signal handler: the number goes to the event loop.
extern "C" void alRecibir(int senal)
{
    const int error = errno;
    const unsigned char n = static_cast<unsigned char>(senal);
    [[maybe_unused]] const ssize_t escrito = ::write(g_tubo[0], &n, 1);
    errno = error;
}

QString nombreDe(int senal)
{
    switch (senal) {
    case SIGTERM:
        return QStringLiteral("SIGTERM (el escritorio cerró la sesión o se apaga el equipo)");
    case SIGHUP:
        return QStringLiteral("SIGHUP (se cerró la terminal o la sesión)");
    case SIGINT:
        return QStringLiteral("SIGINT (Ctrl+C)");
    default:
        return QStringLiteral("la señal %1").arg(senal);
    }
}

void anotar(long numero, const QString& texto, const QString& detalle)
{
    DB_Dll::Instancia().AnotarSinAviso(ErrorVB(numero, texto, QStringLiteral("Tolvario")), QStringLiteral("FIN"), detalle);
}

void alMensaje(QtMsgType tipo, const QMessageLogContext& contexto, const QString& texto)
{
    // Qt's X11 platform ends the process itself once the display is gone: noted first.
    if (texto.startsWith(QLatin1String("The X11 connection broke")))
        anotar(1, QStringLiteral("Se perdió la conexión con la pantalla (%1). El programa terminó sin grabar; lo escrito quedó en el "
                                 "respaldo de recuperación.")
                      .arg(texto.simplified()),
               QStringLiteral("código de salida 1"));
    if (g_anterior)
        g_anterior(tipo, contexto, texto);
}

} // namespace

void FinDelProceso::Instalar()
{
    if (g_tubo[0] >= 0 || ::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, g_tubo) != 0)
        return;
    auto* aviso = new QSocketNotifier(g_tubo[1], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(aviso, &QSocketNotifier::activated, [] {
        unsigned char n = 0;
        if (::read(g_tubo[1], &n, 1) != 1)
            return;
        const int codigo = 128 + n;
        anotar(codigo,
               QStringLiteral("El programa recibió %1 y terminó sin grabar; lo escrito quedó en el respaldo de recuperación.").arg(nombreDe(n)),
               QStringLiteral("código de salida %1").arg(codigo));
        // No destructor runs: nothing may reach the database on the way out.
        ::_exit(codigo);
    });
    struct sigaction accion {};
    accion.sa_handler = alRecibir;
    sigemptyset(&accion.sa_mask);
    accion.sa_flags = SA_RESTART;
    for (int senal : {SIGTERM, SIGHUP, SIGINT})
        ::sigaction(senal, &accion, nullptr);
    g_anterior = qInstallMessageHandler(alMensaje);
}
