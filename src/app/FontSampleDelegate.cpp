#include "app/FontSampleDelegate.h"

#include <QApplication>
#include <QPainter>

namespace qv {

void FontSampleDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem plain = option;
    initStyleOption(&plain, index);
    const QString family = plain.text;
    plain.text.clear();
    QApplication::style()->drawControl(QStyle::CE_ItemViewItem, &plain, painter, plain.widget);

    painter->save();
    painter->setPen(option.state & QStyle::State_Selected ? option.palette.highlightedText().color()
                                                          : option.palette.text().color());
    const QString name = family + QStringLiteral(" / ");
    QRect area = option.rect.adjusted(3, 0, 0, 0);
    painter->setFont(option.font);
    painter->drawText(area, Qt::AlignVCenter | Qt::AlignLeft, name);
    area.setLeft(area.left() + option.fontMetrics.horizontalAdvance(name));
    QFont sample(family);
    sample.setPointSizeF(option.font.pointSizeF());
    painter->setFont(sample);
    painter->drawText(area, Qt::AlignVCenter | Qt::AlignLeft, QStringLiteral("Beispiel"));
    painter->restore();
}

}  // namespace qv
