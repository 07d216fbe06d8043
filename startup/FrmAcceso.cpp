#include "startup/FrmAcceso.h"

#include "data/DB_Dll.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace {

QLabel* etiqueta(const char* nombre, const QString& texto, QLineEdit* compania, QWidget* padre)
{
    auto* l = new QLabel(texto, padre);
    l->setObjectName(QString::fromLatin1(nombre));
    l->setFont(QFont(QStringLiteral("Courier")));
    l->setBuddy(compania);
    return l;
}

QLineEdit* caja(const char* nombre, QWidget* padre)
{
    auto* t = new QLineEdit(padre);
    t->setObjectName(QString::fromLatin1(nombre));
    return t;
}

} // namespace

FrmAcceso::FrmAcceso(QWidget* parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAcceso"));
    setWindowTitle(QStringLiteral("Control de Acceso"));
    setModal(true);

    auto* marco = new QGroupBox(this);
    marco->setObjectName(QStringLiteral("framAcceso"));
    TxtUserId = caja("TxtUserId", marco);
    TxtUserPassword = caja("TxtUserPassword", marco);
    TxtUserPassword->setEchoMode(QLineEdit::Password);
    TxtDbName = caja("TxtDbName", marco);
    TxtServidor = caja("TxtServidor", marco);
    CboPlataformaDB = new QComboBox(marco);
    CboPlataformaDB->setObjectName(QStringLiteral("CboPlataformaDB"));
    CboPlataformaDB->addItems({QStringLiteral("SQL Server"), QStringLiteral("ORACLE"), QStringLiteral("PostgreSQL"),
                               QStringLiteral("SQLite")});

    auto* campos = new QFormLayout(marco);
    campos->addRow(etiqueta("lbUsuario", QStringLiteral("&Usuario"), TxtUserId, marco), TxtUserId);
    campos->addRow(etiqueta("lbcontrasena", QStringLiteral("&Contraseña"), TxtUserPassword, marco), TxtUserPassword);
    campos->addRow(etiqueta("Label1", QStringLiteral("&Base de Datos"), TxtDbName, marco), TxtDbName);
    campos->addRow(etiqueta("Label2", QStringLiteral("&Servidor"), TxtServidor, marco), TxtServidor);
    campos->addRow(QString(), CboPlataformaDB);

    auto* aceptar = new QPushButton(QStringLiteral("Aceptar"), this);
    aceptar->setObjectName(QStringLiteral("bcAceptar"));
    aceptar->setDefault(true);
    auto* cancelar = new QPushButton(QStringLiteral("Cancelar"), this);
    cancelar->setObjectName(QStringLiteral("bcCancelar"));
    connect(aceptar, &QPushButton::clicked, this, [this] { Aceptar = true; hide(); done(QDialog::Accepted); });
    connect(cancelar, &QPushButton::clicked, this, [this] { Aceptar = false; hide(); done(QDialog::Rejected); });

    auto* botones = new QHBoxLayout;
    botones->addStretch();
    botones->addWidget(aceptar);
    botones->addWidget(cancelar);
    auto* todo = new QVBoxLayout(this);
    todo->addWidget(marco);
    todo->addLayout(botones);

    setTabOrder(TxtUserId, TxtUserPassword);
    setTabOrder(TxtUserPassword, TxtDbName);
    setTabOrder(TxtDbName, TxtServidor);
    setTabOrder(TxtServidor, CboPlataformaDB);
}

void FrmAcceso::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (const QScreen* pantalla = screen()) {
        const QRect r = pantalla->geometry();
        move(r.x() + (r.width() - width()) / 2, r.y() + (r.height() - height()) / 2);
    }
    TxtUserId->setFocus();
}

bool FrmAcceso::Pedir(DatosAcceso& datos)
{
    FrmAcceso dlg;
    dlg.TxtDbName->setText(datos.base);
    dlg.TxtServidor->setText(datos.servidor);
    dlg.TxtUserId->setText(datos.usuario);
    dlg.TxtUserPassword->setText(datos.contrasena);
    dlg.CboPlataformaDB->setCurrentIndex(datos.plataforma);
    dlg.exec();
    if (!dlg.Aceptar)
        return false;
    datos.usuario = dlg.TxtUserId->text();
    datos.contrasena = dlg.TxtUserPassword->text();
    datos.base = dlg.TxtDbName->text();
    datos.servidor = dlg.TxtServidor->text();
    datos.plataforma = dlg.CboPlataformaDB->currentIndex();
    return true;
}
