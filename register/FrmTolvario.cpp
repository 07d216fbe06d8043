#include "register/FrmTolvario.h"

#include "startup/Panobar.h"

#include <QStatusBar>
#include <QVBoxLayout>

FrmTolvario::FrmTolvario(QWidget* parent)
    : QMainWindow(parent)
{
    construir();
}

void FrmTolvario::construir()
{
    setObjectName(QStringLiteral("FrmTolvario"));
    setWindowTitle(QStringLiteral("Libro de Movimientos y existencia de Mercadería"));

    Panobar1 = new Panobar(this);
    Panobar1->setObjectName(QStringLiteral("Panobar1"));
    addToolBar(Qt::TopToolBarArea, Panobar1);

    BStat = new QStatusBar(this);
    BStat->setObjectName(QStringLiteral("BStat"));
    setStatusBar(BStat);

    auto* centro = new QWidget(this);
    centro->setObjectName(QStringLiteral("centro"));
    new QVBoxLayout(centro);
    setCentralWidget(centro);
    resize(900, 700);
}
