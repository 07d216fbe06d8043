#include "data/DB_Dll.h"
#include "startup/FrmAcceso.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

namespace {

// Runs `accion` on the login dialog once it is shown modally.
void alAbrirse(std::function<void(FrmAcceso&)> accion)
{
    QTimer::singleShot(0, [accion] {
        auto* dlg = qobject_cast<FrmAcceso*>(QApplication::activeModalWidget());
        ASSERT_NE(dlg, nullptr);
        QApplication::setActiveWindow(dlg);
        accion(*dlg);
    });
}

} // namespace

TEST(FrmAcceso, ControlesYPlataformas)
{
    FrmAcceso dlg;
    EXPECT_EQ(dlg.windowTitle(), QStringLiteral("Control de Acceso"));
    EXPECT_EQ(dlg.TxtUserPassword->echoMode(), QLineEdit::Password);
    ASSERT_EQ(dlg.CboPlataformaDB->count(), 4);
    EXPECT_EQ(dlg.CboPlataformaDB->itemText(0), QStringLiteral("SQL Server"));
    EXPECT_EQ(dlg.CboPlataformaDB->itemText(1), QStringLiteral("ORACLE"));
    EXPECT_EQ(dlg.CboPlataformaDB->itemText(2), QStringLiteral("PostgreSQL"));
    EXPECT_EQ(dlg.CboPlataformaDB->itemText(3), QStringLiteral("SQLite"));
    for (const char* nombre : {"framAcceso", "lbUsuario", "lbcontrasena", "Label1", "Label2", "bcAceptar", "bcCancelar"})
        EXPECT_NE(dlg.findChild<QWidget*>(QString::fromLatin1(nombre)), nullptr) << nombre;
    EXPECT_FALSE(dlg.Aceptar);
}

TEST(FrmAcceso, EscribirYAceptarDevuelveLosValores)
{
    DatosAcceso datos{QStringLiteral("viejo"), QStringLiteral("clave"), QStringLiteral("BASE"), QStringLiteral("SRV"), 0};
    alAbrirse([](FrmAcceso& dlg) {
        // The user box has the focus; Tab walks the boxes in order.
        dlg.TxtUserId->selectAll();
        QTest::keyClicks(dlg.focusWidget(), QStringLiteral("ana"));
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Tab);
        dlg.TxtUserPassword->clear();
        QTest::keyClicks(dlg.focusWidget(), QStringLiteral("s3creta"));
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Tab);
        QTest::keyClick(dlg.focusWidget(), Qt::Key_Tab);
        dlg.TxtServidor->clear();
        QTest::keyClicks(dlg.focusWidget(), QStringLiteral("sqlite:"));
        dlg.CboPlataformaDB->setCurrentIndex(3);
        EXPECT_NE(dlg.TxtUserPassword->displayText(), QStringLiteral("s3creta"));
        QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("bcAceptar")), Qt::LeftButton);
    });
    ASSERT_TRUE(FrmAcceso::Pedir(datos));
    EXPECT_EQ(datos.usuario, QStringLiteral("ana"));
    EXPECT_EQ(datos.contrasena, QStringLiteral("s3creta"));
    EXPECT_EQ(datos.base, QStringLiteral("BASE"));
    EXPECT_EQ(datos.servidor, QStringLiteral("sqlite:"));
    EXPECT_EQ(datos.plataforma, 3);
}

TEST(FrmAcceso, CancelarOCerrarLaVentanaNoAcepta)
{
    DatosAcceso datos{QStringLiteral("u"), {}, {}, {}, 0};
    alAbrirse([](FrmAcceso& dlg) {
        QTest::keyClicks(dlg.TxtUserId, QStringLiteral("xx"));
        QTest::mouseClick(dlg.findChild<QPushButton*>(QStringLiteral("bcCancelar")), Qt::LeftButton);
    });
    EXPECT_FALSE(FrmAcceso::Pedir(datos));
    EXPECT_EQ(datos.usuario, QStringLiteral("u"));

    alAbrirse([](FrmAcceso& dlg) { dlg.close(); });
    EXPECT_FALSE(FrmAcceso::Pedir(datos));

    alAbrirse([](FrmAcceso& dlg) { QTest::keyClick(&dlg, Qt::Key_Escape); });
    EXPECT_FALSE(FrmAcceso::Pedir(datos));
}
