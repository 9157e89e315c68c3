#include "searchcells.h"

#include <QApplication>
#include <QPainter>

void SearchCellDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    QStyleOptionViewItem cell = option;
    initStyleOption(&cell, index);
    const QString text = cell.text;
    cell.text.clear(); // the style draws background, selection and focus; the text is ours
    const QWidget *widget = cell.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    style->drawControl(QStyle::CE_ItemViewItem, &cell, painter, widget);

    const QPalette::ColorGroup group = !(cell.state & QStyle::State_Enabled) ? QPalette::Disabled
        : (cell.state & QStyle::State_Active)                                ? QPalette::Active
                                                                              : QPalette::Inactive;
    const QPalette::ColorRole role = (cell.state & QStyle::State_Selected) ? QPalette::HighlightedText : QPalette::Text;
    painter->save();
    painter->setFont(cell.font);
    painter->setPen(cell.palette.color(group, role));
    painter->drawText(cell.rect.adjusted(Inset, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine, text);
    painter->restore();
}
