#include "editor/QuestionListDelegate.h"

#include <QApplication>
#include <QPainter>

#include "editor/QuestionListModel.h"

namespace editor {

namespace {

const QColor ToCheckColour(0xf6, 0xc0, 0x5a);
const QColor PlainColour(0xdc, 0xe5, 0xee);
const QColor BadgeText(0x22, 0x22, 0x22);

} // namespace

void QuestionListDelegate::paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const
{
    const QString badge = index.data(QuestionListModel::BadgeRole).toString();
    if (badge.isEmpty()) {
        QStyledItemDelegate::paint(painter, option, index);
        return;
    }
    QStyleOptionViewItem item = option;
    initStyleOption(&item, index);
    QFont font = item.font;
    font.setPointSizeF(font.pointSizeF() * 0.85);
    const QFontMetrics metrics(font);
    const int padding = metrics.height() / 3;
    QRect badgeRect(0, 0, metrics.horizontalAdvance(badge) + 2 * padding, metrics.height());
    badgeRect.moveCenter(item.rect.center());
    badgeRect.moveRight(item.rect.right() - padding);

    const QWidget *widget = option.widget;
    QStyle *style = widget ? widget->style() : QApplication::style();
    const QRect textRect = style->subElementRect(QStyle::SE_ItemViewItemText, &item, widget);
    item.text = item.fontMetrics.elidedText(item.text, Qt::ElideRight, badgeRect.left() - 2 * padding - textRect.left());
    style->drawControl(QStyle::CE_ItemViewItem, &item, painter, widget);

    painter->save();
    painter->setRenderHint(QPainter::Antialiasing);
    painter->setPen(Qt::NoPen);
    painter->setBrush(index.data(QuestionListModel::ToCheckRole).toBool() ? ToCheckColour : PlainColour);
    painter->drawRoundedRect(badgeRect, padding, padding);
    painter->setPen(BadgeText);
    painter->setFont(font);
    painter->drawText(badgeRect, Qt::AlignCenter, badge);
    painter->restore();
}

} // namespace editor
