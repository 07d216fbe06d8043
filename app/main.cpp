// The module as the suite's menu starts it:
//   tolvario [--carpeta DIR] [--conexion -] [--prueba-de-arranque] "@Server=...;@DbName=...;@Usuario=...;@Password=...;..."
// --prueba-de-arranque starts as usual, says the window is shown and ends (an installation's check).
// Without the line on the command line it is read from TOLVARIO_CONEXION, or from standard
// input with "--conexion -", so the password never shows in the process list.
#include "output/LibroDelRegistro.h"
#include "platform/Carpetas.h"
#include "platform/LineaPrivada.h"
#include "platform/Operador.h"
#include "platform/OperadorQt.h"
#include "register/FrmTolvario.h"
#include "startup/FinDelProceso.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>
#include <cstdio>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolvario"));
    establecerOperador(std::make_unique<OperadorQt>());
    FinDelProceso::Instalar();

    // The menu's command line may arrive as one argument or split at its blanks.
    QStringList resto;
    QString conexion;
    bool pruebaDeArranque = false;
    const QStringList args = QApplication::arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--carpeta") && i + 1 < args.size())
            Carpetas::EstablecerAplicacion(args[++i]);
        else if (args[i] == QLatin1String("--conexion") && i + 1 < args.size())
            conexion = args[++i];
        else if (args[i] == QLatin1String("--prueba-de-arranque"))
            pruebaDeArranque = true;
        else
            resto << args[i];
    }
    // Read, then gone from what other users can see.
    LineaPrivada::BorrarArgumentos(argc, argv);
    Carpetas::EstablecerLineaComandos(LineaPrivada::Tomar(conexion.isEmpty() ? resto.join(u' ') : conexion));

    FrmTolvario ventana;
    ventana.EstablecerLibro(std::make_unique<LibroDelRegistro>());
    ventana.Form_Load();
    ventana.show();
    // Started by the suite's menu, the clerk types at once: the keyboard is the register's,
    // also where no window manager hands it over.
    ventana.activateWindow();
    if (pruebaDeArranque)
        QTimer::singleShot(0, &ventana, [&ventana] {
            std::printf("Ventana mostrada: %s (%dx%d)\n", qPrintable(ventana.windowTitle()), ventana.width(), ventana.height());
            std::fflush(stdout);
            QApplication::exit(ventana.isVisible() ? 0 : 1);
        });
    return app.exec();
}
