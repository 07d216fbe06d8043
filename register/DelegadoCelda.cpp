#include "register/DelegadoCelda.h"

#include <QPainter>

void DelegadoCelda::paint(QPainter* pintor, const QStyleOptionViewItem& opcion, const QModelIndex& indice) const
{
    const bool elegida = opcion.state & QStyle::State_Selected;
    const QPalette& paleta = opcion.palette;
    if (elegida)
        pintor->fillRect(opcion.rect, paleta.brush(QPalette::Highlight));
    else if (const QVariant fondo = indice.data(Qt::BackgroundRole); fondo.isValid())
        pintor->fillRect(opcion.rect, fondo.value<QBrush>());

    const QString texto = indice.data(Qt::DisplayRole).toString();
    if (!texto.isEmpty()) {
        pintor->save();
        const QVariant letra = indice.data(Qt::FontRole);
        const QFont fuente = letra.isValid() ? letra.value<QFont>() : opcion.font;
        pintor->setFont(fuente);
        // The model's own colour (a stock below zero in red) unless the cursor is on it.
        const QVariant color = indice.data(Qt::ForegroundRole);
        pintor->setPen(elegida || !color.isValid() ? paleta.color(elegida ? QPalette::HighlightedText : QPalette::Text)
                                                   : color.value<QBrush>().color());
        const QRect caja = opcion.rect.adjusted(3, 0, -3, 0);
        const Qt::Alignment alineacion = Qt::Alignment(indice.data(Qt::TextAlignmentRole).toInt());
        // A remark longer than its column ends in "…", as the style would show it.
        const QFontMetrics medida(fuente);
        const QString visible = medida.horizontalAdvance(texto) > caja.width() ? medida.elidedText(texto, Qt::ElideRight, caja.width())
                                                                                : texto;
        pintor->drawText(caja, int(alineacion) | Qt::TextSingleLine, visible);
        pintor->restore();
    }
    if (opcion.state & QStyle::State_HasFocus) {
        pintor->save();
        pintor->setPen(QPen(paleta.color(elegida ? QPalette::HighlightedText : QPalette::Text), 1, Qt::DotLine));
        pintor->drawRect(opcion.rect.adjusted(0, 0, -1, -1));
        pintor->restore();
    }
}
