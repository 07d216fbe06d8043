// The module as the suite's menu starts it:
//   tolvario [--carpeta DIR] "@Server=...;@DbName=...;@Usuario=...;@Password=...;..."
#include "output/LibroDelRegistro.h"
#include "platform/Carpetas.h"
#include "platform/Operador.h"
#include "platform/OperadorQt.h"
#include "register/FrmTolvario.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolvario"));
    establecerOperador(std::make_unique<OperadorQt>());

    // The menu's command line may arrive as one argument or split at its blanks.
    QStringList resto;
    const QStringList args = QApplication::arguments().mid(1);
    for (int i = 0; i < args.size(); ++i) {
        if (args[i] == QLatin1String("--carpeta") && i + 1 < args.size())
            Carpetas::EstablecerAplicacion(args[++i]);
        else
            resto << args[i];
    }
    Carpetas::EstablecerLineaComandos(resto.join(u' '));

    FrmTolvario ventana;
    ventana.EstablecerLibro(std::make_unique<LibroDelRegistro>());
    ventana.Form_Load();
    ventana.show();
    return app.exec();
}
