#include "startup/Iconos.h"

#include <QPainter>
#include <QPixmap>

namespace {

// The suite's emblem, drawn rather than shipped as a file: a mill hopper on the suite's blue.
QIcon emblema()
{
    QIcon icono;
    for (int lado : {16, 32, 48}) {
        QPixmap p(lado, lado);
        p.fill(Qt::transparent);
        QPainter g(&p);
        g.setRenderHint(QPainter::Antialiasing);
        g.setBrush(QColor(0x1f, 0x4e, 0x79));
        g.setPen(Qt::NoPen);
        g.drawRoundedRect(QRectF(0, 0, lado, lado), lado / 6.0, lado / 6.0);
        g.setBrush(QColor(0xf2, 0xc1, 0x4e));
        const qreal u = lado / 8.0;
        const QPointF tolva[] = {{u, u * 2}, {u * 7, u * 2}, {u * 4.6, u * 5}, {u * 4.6, u * 7}, {u * 3.4, u * 7}, {u * 3.4, u * 5}};
        g.drawPolygon(tolva, 6);
        icono.addPixmap(p);
    }
    return icono;
}

} // namespace

QIcon Iconos::Recurso(const QString& nombre)
{
    if (nombre.compare(QStringLiteral("ICONVELMORA"), Qt::CaseInsensitive) == 0) {
        static const QIcon icono = emblema();
        return icono;
    }
    return {};
}
