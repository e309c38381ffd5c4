// Draws an entry of the font name box as its name in the system font and
// the word "Beispiel" in the font itself, so a pupil sees what to choose.
#pragma once

#include <QStyledItemDelegate>

namespace qv {

class FontSampleDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const override;
};

}  // namespace qv
