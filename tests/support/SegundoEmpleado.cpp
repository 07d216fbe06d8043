// A second clerk in a process of its own: opens the register on the same database, loads a
// period, puts one value in every day's receipts of the mill and saves it, round after round.
//   segundo_empleado "<command line>" MM/AAAA valor vueltas
// Prints how many saves completed and how many did not.
#include "tests/support/Controles.h"
#include "platform/Carpetas.h"
#include "register/FrmTolvario.h"
#include "register/ModeloRegistro.h"
#include "tools/esquema/OperadorConsola.h"

#include <QApplication>
#include <QLineEdit>
#include <QTemporaryDir>
#include <cstdio>

namespace {

// Told that the other clerk saved the account first, this clerk takes theirs and goes on.
class OperadorQueCede : public OperadorConsola
{
public:
    int Mensaje(const QString& texto, int estilo, const QString& titulo) override
    {
        const int r = OperadorConsola::Mensaje(texto, estilo, titulo);
        return texto.startsWith(QStringLiteral("Otro puesto grabó")) ? int(No) : r;
    }
};

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 5)
        return 2;
    establecerOperador(std::make_unique<OperadorQueCede>());
    QTemporaryDir carpeta;
    Carpetas::EstablecerAplicacion(carpeta.path());
    Carpetas::EstablecerLineaComandos(args[1]);
    int completas = 0;
    int fallidas = 0;
    {
        FrmTolvario ventana;
        ventana.Form_Load();
        QLineEdit* periodo = Controles::Caja(&ventana, FrmTolvario::cPeriodo);
        periodo->setText(args[2]);
        ventana.CampoValida(periodo);
        // The other clerk starts its rounds only once this one is ready.
        std::printf("listo\n");
        std::fflush(stdout);
        for (int vuelta = 0; vuelta < args[4].toInt(); ++vuelta) {
            // A new figure each round: a save writes only what changed.
            const QString cifra = vuelta % 2 ? args[3] + QStringLiteral(".5") : args[3];
            for (int dia = 1; dia <= 31; ++dia)
                ventana.Modelo().PonerTexto(dia + 1, Planilla::ColEntradas, cifra);
            ventana.Panobar1_click(QStringLiteral("GRABAR"));
            (ventana.Sesion().UltimaGrabacion() != SesionRegistro::Grabacion::Grabada ? fallidas : completas) += 1;
        }
    }
    std::printf("%d %d\n", completas, fallidas);
    return 0;
}
