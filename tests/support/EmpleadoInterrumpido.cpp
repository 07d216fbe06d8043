// A clerk whose session is cut off: opens the register on the database, loads a period, types
// figures into the grid with keys, says so, and waits for the signal that ends it.
//   empleado_interrumpido "<command line>" CARPETA MM/AAAA tab:dia:columna:texto... caja:CAMPO:texto...
// A tab other than the one on screen is clicked first, as the clerk would (which stores the
// account left); a header box (by its field) is typed over and left with Enter. Ends as the
// real program does on SIGTERM, SIGHUP and SIGINT.
#include "tests/support/Controles.h"
#include "platform/Carpetas.h"
#include "register/FrmTolvario.h"
#include "startup/FinDelProceso.h"
#include "tools/esquema/OperadorConsola.h"

#include <QApplication>
#include <QLineEdit>
#include <QTabBar>
#include <QTableView>
#include <QTest>
#include <cstdio>

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() < 4)
        return 2;
    establecerOperador(std::make_unique<OperadorConsola>());
    FinDelProceso::Instalar();
    Carpetas::EstablecerAplicacion(args[2]);
    Carpetas::EstablecerLineaComandos(args[1]);
    FrmTolvario ventana;
    ventana.Form_Load();
    ventana.show();
    QApplication::setActiveWindow(&ventana);
    if (!QTest::qWaitForWindowActive(&ventana))
        return 3;
    QLineEdit* periodo = Controles::Caja(&ventana, FrmTolvario::cPeriodo);
    periodo->setFocus();
    QTest::keyClicks(periodo, QString(args[3]).remove(u'/'));
    QTest::keyClick(periodo, Qt::Key_Return);
    QTabBar* tabs = Controles::Pestanas(&ventana);
    QTableView* grilla = Controles::Grilla(&ventana);
    for (const QString& paso : args.mid(4)) {
        const QStringList p = paso.split(u':');
        if (p.size() == 3 && p[0] == QLatin1String("caja")) {
            QLineEdit* caja = nullptr;
            for (QLineEdit* c : ventana.findChildren<QLineEdit*>(QStringLiteral("TxtFields")))
                if (c->property("DataField").toString().compare(p[1], Qt::CaseInsensitive) == 0)
                    caja = c;
            if (!caja)
                return 2;
            caja->setFocus();
            caja->selectAll();
            QTest::keyClicks(caja, p[2]);
            QTest::keyClick(caja, Qt::Key_Return);
            continue;
        }
        if (p.size() != 4)
            return 2;
        if (tabs->currentIndex() != p[0].toInt())
            QTest::mouseClick(tabs, Qt::LeftButton, {}, tabs->tabRect(p[0].toInt()).center());
        grilla->setFocus();
        grilla->setCurrentIndex(grilla->model()->index(p[1].toInt(), p[2].toInt()));
        for (QChar c : p[3])
            QTest::keyClicks(QApplication::focusWidget(), QString(c));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    }
    std::printf("escrito\n");
    std::fflush(stdout);
    return app.exec();
}
