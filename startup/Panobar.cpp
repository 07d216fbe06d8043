#include "startup/Panobar.h"

#include "platform/Teclas.h"

#include <QAction>
#include <QStyle>
#include <QToolButton>
#include <algorithm>
#include <cmath>

namespace {

struct Definicion {
    const char* clave;
    const char* rotulo;
    QStyle::StandardPixmap icono;
    int tecla;
    const char* nombreTecla;
};

// Function keys as the suite's other modules bind them.
const Definicion Botones[] = {
    {"NUEVO", "Nuevo", QStyle::SP_FileIcon, Teclas::F2, "F2"},
    {"CONSULTAR", "Consultar", QStyle::SP_FileDialogContentsView, Teclas::F3, "F3"},
    {"BORRAR", "Borrar", QStyle::SP_TrashIcon, Teclas::F4, "F4"},
    {"GRABAR", "Grabar", QStyle::SP_DialogSaveButton, Teclas::F5, "F5"},
    {"PLANILLA", "Planilla", QStyle::SP_FileDialogDetailedView, Teclas::F6, "F6"},
    {"REPORTE", "Reporte", QStyle::SP_ComputerIcon, Teclas::F8, "F8"},
    {"CANCELAR", "Cancelar", QStyle::SP_DialogCancelButton, Teclas::F9, "F9"},
    {"CERRAR", "Cerrar", QStyle::SP_DialogCloseButton, Teclas::F12, "F12"},
};

} // namespace

Panobar::Panobar(QWidget* parent)
    : QToolBar(parent)
{
    setMovable(false);
    setFloatable(false);
    for (const Definicion& d : Botones) {
        const QString clave = QString::fromLatin1(d.clave);
        QAction* a = addAction(style()->standardIcon(d.icono), QString::fromLatin1(d.rotulo));
        a->setObjectName(clave);
        a->setToolTip(QStringLiteral("%1 (%2)").arg(QString::fromLatin1(d.rotulo), QString::fromLatin1(d.nombreTecla)));
        a->setEnabled(false);
        connect(a, &QAction::triggered, this, [this, clave] { emit click(clave); });
        m_botones.insert(clave, a);
        m_teclas.insert(d.tecla, clave);
    }
    setStyleBar(0);
}

bool Panobar::habilitado(const char* clave) const
{
    return m_botones.value(QString::fromLatin1(clave))->isEnabled();
}

void Panobar::habilitar(const char* clave, bool v)
{
    m_botones.value(QString::fromLatin1(clave))->setEnabled(v);
}

void Panobar::setStyleBar(double estilo)
{
    m_estilo = estilo;
    // Whatever number a setting holds: only 0, 1 and 2 or more mean something.
    const int modo = std::isnan(estilo) ? 0 : int(std::clamp(estilo, -1.0, 2.0));
    setToolButtonStyle(modo >= 2 ? Qt::ToolButtonIconOnly : Qt::ToolButtonTextUnderIcon);
    for (QAction* a : std::as_const(m_botones))
        if (auto* b = qobject_cast<QToolButton*>(widgetForAction(a)))
            b->setAutoRaise(modo != 0);
}

void Panobar::Tecla(int& codigo)
{
    const auto it = m_teclas.constFind(codigo);
    if (it == m_teclas.cend())
        return;
    QAction* a = m_botones.value(*it);
    if (!a->isEnabled())
        return;
    codigo = 0;
    a->trigger();
}
