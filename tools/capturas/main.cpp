// The guide's pictures, taken from the real windows on a real X server (scripts/screenshots
// runs it under Xvfb on the demo database):
//   capturas CARPETA_DE_IMAGENES CARPETA_DE_LA_APLICACION "<connection command line>"
// Each window is driven with keys and clicks as a clerk would, and its pixels are read back
// from the X server.
#include "output/LibroDelRegistro.h"
#include "platform/Carpetas.h"
#include "platform/OperadorQt.h"
#include "register/FrmTolvario.h"
#include "startup/FrmAcceso.h"
#include "startup/Panobar.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPixmap>
#include <QScreen>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <functional>

namespace {

QString g_carpeta;

void esperar(int ms = 400)
{
    QTest::qWait(ms);
}

void guardar(QWidget* w, const char* nombre)
{
    esperar();
    const QPixmap imagen = w->screen()->grabWindow(w->winId());
    const QString ruta = QDir(g_carpeta).filePath(QString::fromLatin1(nombre) + QStringLiteral(".png"));
    if (!imagen.save(ruta))
        std::fprintf(stderr, "No se pudo guardar %s\n", qPrintable(ruta));
    else
        std::printf("%s\n", qPrintable(ruta));
}

// `abrir` opens a modal window; once it is up, `enLaVentana` runs on it (a picture, then
// whatever closes it).
void conModal(const std::function<void()>& abrir, const std::function<void(QWidget*)>& enLaVentana)
{
    auto* reloj = new QTimer;
    QObject::connect(reloj, &QTimer::timeout, [reloj, enLaVentana] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal)
            return;
        reloj->stop();
        reloj->deleteLater();
        enLaVentana(modal);
    });
    reloj->start(100);
    abrir();
}

template <typename T>
T* hijo(QWidget* v, const char* nombre)
{
    return v->findChild<T*>(QString::fromLatin1(nombre));
}

QLineEdit* caja(QWidget* v, const char* campo)
{
    for (QLineEdit* c : v->findChildren<QLineEdit*>(QStringLiteral("TxtFields")))
        if (c->property("DataField").toString().compare(QString::fromLatin1(campo), Qt::CaseInsensitive) == 0)
            return c;
    return nullptr;
}

void teclear(QWidget* w, const QString& texto)
{
    for (QChar c : texto)
        QTest::keyClicks(QApplication::focusWidget() ? QApplication::focusWidget() : w, QString(c));
}

void pulsar(QWidget* v, Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
{
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : v, k, m);
}

void elegirPeriodo(FrmTolvario& v, const QString& periodo)
{
    QLineEdit* p = caja(&v, "PERIODO");
    p->setFocus();
    p->selectAll();
    QTest::keyClick(p, Qt::Key_Delete);
    QTest::keyClicks(p, QString(periodo).remove(u'/'));
    QTest::keyClick(p, Qt::Key_Return);
    esperar();
}

void escribirDia(FrmTolvario& v, int dia, int columna, const QString& texto)
{
    QTableView* grilla = hijo<QTableView>(&v, "MSFlexGrid");
    v.activateWindow();
    grilla->setFocus();
    grilla->setCurrentIndex(grilla->model()->index(dia, columna));
    teclear(grilla, texto);
    pulsar(&v, Qt::Key_Return);
}

void clicTab(FrmTolvario& v, int i)
{
    QTabBar* t = hijo<QTabBar>(&v, "SSTab1");
    QTest::mouseClick(t, Qt::LeftButton, {}, t->tabRect(i).center());
    esperar();
}

} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("tolvario"));
    establecerOperador(std::make_unique<OperadorQt>());
    const QStringList args = QApplication::arguments();
    if (args.size() != 4) {
        std::fprintf(stderr, "Uso: capturas CARPETA_DE_IMAGENES CARPETA_DE_LA_APLICACION \"<línea de conexión>\"\n");
        return 2;
    }
    g_carpeta = args[1];
    QDir().mkpath(g_carpeta);
    Carpetas::EstablecerAplicacion(args[2]);
    Carpetas::EstablecerLineaComandos(args[3]);

    // The login dialog, as it shows when the menu passes no connection.
    {
        FrmAcceso acceso;
        acceso.TxtServidor->setText(QStringLiteral("servidor-molino"));
        acceso.TxtDbName->setText(QStringLiteral("empresa"));
        acceso.TxtUserId->setText(QStringLiteral("admin"));
        acceso.show();
        guardar(&acceso, "acceso");
    }

    FrmTolvario v;
    v.EstablecerLibro(std::make_unique<LibroDelRegistro>());
    v.Form_Load();
    v.setGeometry(20, 20, 1300, 740);
    v.show();
    v.activateWindow();
    esperar(800);

    // The latest month loaded, a figure typed and saved.
    elegirPeriodo(v, QStringLiteral("11/2026"));
    escribirDia(v, 5, 1, QStringLiteral("2450,5"));
    pulsar(&v, Qt::Key_F5);
    esperar();
    escribirDia(v, 6, 1, QStringLiteral("1800"));
    guardar(&v, "registro");

    // The users of the month, then the customer lookup from a user box (right button).
    pulsar(&v, Qt::Key_F5);
    clicTab(v, FrmTolvario::TabUsuarios);
    guardar(&v, "usuarios");
    conModal([&] { QTest::mouseClick(caja(&v, "USMOLINO1"), Qt::RightButton); },
             [](QWidget* consulta) {
                 esperar(600);
                 if (auto* buscar = consulta->findChild<QLineEdit*>())
                     QTest::keyClicks(buscar, QStringLiteral("Pana"));
                 guardar(consulta, "consulta");
                 QTest::keyClick(consulta, Qt::Key_Escape);
             });
    esperar();
    clicTab(v, FrmTolvario::TabMolino);

    // The year at a glance (F6).
    conModal([&] { pulsar(&v, Qt::Key_F6); },
             [](QWidget* anio) {
                 anio->resize(1100, 700);
                 esperar(900);
                 guardar(anio, "anio");
                 QTest::keyClick(anio, Qt::Key_Escape);
             });
    esperar();

    // The history of the month (Ctrl+H).
    conModal([&] { pulsar(&v, Qt::Key_H, Qt::ControlModifier); },
             [](QWidget* historial) {
                 guardar(historial, "historial");
                 QTest::keyClick(historial, Qt::Key_Escape);
             });
    esperar();

    // The print preview of the book (F8).
    conModal([&] { pulsar(&v, Qt::Key_F8); },
             [](QWidget* vista) {
                 vista->resize(1100, 720);
                 esperar(1200);
                 guardar(vista, "vista-previa");
                 QMetaObject::invokeMethod(vista, "reject", Qt::QueuedConnection);
             });
    esperar();

    // An earlier month changed: the question before later months move (answered No).
    elegirPeriodo(v, QStringLiteral("09/2026"));
    escribirDia(v, 3, 1, QStringLiteral("999"));
    conModal([&] { pulsar(&v, Qt::Key_F5); },
             [](QWidget* pregunta) {
                 esperar(700);
                 guardar(pregunta, "pregunta-deriva");
                 QTest::keyClick(pregunta, Qt::Key_Escape);
             });
    esperar();
    std::fflush(stdout);
    // Leaves without the closing questions: the pictures are all it was for.
    std::_Exit(0);
}
