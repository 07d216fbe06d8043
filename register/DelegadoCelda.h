#pragma once

#include <QStyledItemDelegate>

// Paints a register cell straight: its background, one line of text with the model's font
// and alignment, the selection and the cursor's frame. The style's general item painting
// (icons, check boxes, wrapping, text layout per cell) costs more than the whole grid's
// statements each time a period is shown, and the register needs none of it.
class DelegadoCelda : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* pintor, const QStyleOptionViewItem& opcion, const QModelIndex& indice) const override;
};
