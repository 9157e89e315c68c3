#pragma once

#include <QStyledItemDelegate>

// Draws the search grid's cells: the whole text, never elided, one pixel from the cell's
// left edge. A column is 9 pixels a byte of its longest text and a double-byte character
// is 16 pixels wide in the grid's font, so the default margins and elision would cut
// texts that fit.
class SearchCellDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    static constexpr int Inset = 1;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};
