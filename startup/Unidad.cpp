#include "startup/Unidad.h"

#include "platform/Unidades.h"

#include <QApplication>
#include <QCursor>

QString TipoUnidad(const QString& unidad)
{
    using Unidades::Tipo;
    switch (Unidades::actual().TipoDe(unidad)) {
    case Tipo::Desconocido:
    case Tipo::SinRaiz:
        return QStringLiteral("Desconocido");
    case Tipo::Removible:
        return QStringLiteral("Removible");
    case Tipo::Rigido:
        return QStringLiteral("Rigido");
    case Tipo::Remota:
        return QStringLiteral("Conexión Remota de Disto ");
    case Tipo::CDROM:
        return QStringLiteral("CD-ROM");
    default:
        return {};
    }
}

QString FormatearUnidad(const QString& unidad, QWidget*)
{
    // No format dialog on this desktop: the warning before the call is the confirmation,
    // and the disk is formatted with the book's label while a busy cursor shows it works.
    QApplication::setOverrideCursor(Qt::WaitCursor);
    QString montada;
    try {
        montada = Unidades::actual().Formatear(unidad, QStringLiteral("ONCCA"));
    } catch (...) {
        QApplication::restoreOverrideCursor();
        throw;
    }
    QApplication::restoreOverrideCursor();
    return montada.isEmpty() ? unidad : montada;
}
