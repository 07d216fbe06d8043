#include "lookup/VentanaConsulta.h"

#include <QFrame>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

VentanaConsulta::VentanaConsulta(QWidget* parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("Consulta..."));
    setModal(true);
    Frame1 = new QFrame(this);
    auto* botones = new QHBoxLayout(Frame1);
    CmdAceptar = new QPushButton(QStringLiteral("&Aceptar"), Frame1);
    CmdCancelar = new QPushButton(QStringLiteral("&Cancelar"), Frame1);
    CmdNueva = new QPushButton(QStringLiteral("&Nueva Busqueda"), Frame1);
    botones->addStretch();
    for (QPushButton* b : {CmdAceptar, CmdCancelar, CmdNueva}) {
        // Enter accepts wherever the focus is, as the window's default button.
        b->setAutoDefault(false);
        botones->addWidget(b);
    }
    botones->addStretch();
    CmdAceptar->setDefault(true);
    connect(CmdAceptar, &QPushButton::clicked, this, [this] { Aceptar(); });
    connect(CmdCancelar, &QPushButton::clicked, this, [this] { Cancelar(); });
    connect(CmdNueva, &QPushButton::clicked, this, [this] { NuevaBusqueda(); });
}

void VentanaConsulta::Mostrar()
{
    exec();
}

void VentanaConsulta::terminar(bool aceptada)
{
    hide();
    if (aceptada)
        QDialog::accept();
    else
        QDialog::reject();
}

void VentanaConsulta::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (m_cargada)
        return;
    m_cargada = true;
    Form_Load();
    if (!CmbSearch.isEmpty())
        CmbSearch[0]->setFocus();
}

void VentanaConsulta::reject()
{
    Cancelar();
}
