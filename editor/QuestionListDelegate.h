#pragma once

#include <QStyledItemDelegate>

namespace editor {

// Draws a question of the list with its class results as a badge at the
// right, orange when the question is to be checked; the label gives up the
// badge's room, so that the badge is never cut.
class QuestionListDelegate : public QStyledItemDelegate
{
    Q_OBJECT

public:
    using QStyledItemDelegate::QStyledItemDelegate;

    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override;
};

} // namespace editor
