#include "editor/FieldGuard.h"

#include <QHBoxLayout>
#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include "editor/TextLimits.h"

namespace editor {

FieldGuard::FieldGuard(int capacity, const QString &objectPrefix, QWidget *parent)
    : QObject(parent)
    , capacity(capacity)
    , counterLabel(new QLabel(parent))
    , warningRow(new QWidget(parent))
    , warningText(new QLabel(warningRow))
    , replaceButton(new QPushButton(QStringLiteral("Remplacer"), warningRow))
    , cutButton(new QPushButton(QStringLiteral("Couper à %1").arg(capacity), warningRow))
{
    counterLabel->setObjectName(objectPrefix + QStringLiteral("Count"));
    warningText->setObjectName(objectPrefix + QStringLiteral("Warning"));
    replaceButton->setObjectName(objectPrefix + QStringLiteral("Replace"));
    cutButton->setObjectName(objectPrefix + QStringLiteral("Cut"));
    counterLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    // As wide as its widest text, bold: the field beside it keeps its width.
    QFont bold = counterLabel->font();
    bold.setBold(true);
    counterLabel->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(QStringLiteral("0000/%1").arg(capacity)));
    warningText->setWordWrap(true);
    warningText->setStyleSheet(QStringLiteral("color: #b00000"));
    auto *layout = new QHBoxLayout(warningRow);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(warningText, 1);
    layout->addWidget(replaceButton);
    layout->addWidget(cutButton);
    warningRow->hide();
    connect(replaceButton, &QPushButton::clicked, this, &FieldGuard::replaceRequested);
    connect(cutButton, &QPushButton::clicked, this, &FieldGuard::cutRequested);
}

void FieldGuard::show(const QString &stored)
{
    const qsizetype length = stored.size();
    counterLabel->setText(QStringLiteral("%1/%2").arg(length).arg(capacity));
    const bool over = length > capacity;
    counterLabel->setStyleSheet(over ? QStringLiteral("color: #d00000; font-weight: bold") : QString());
    counterLabel->setAccessibleName(over ? QStringLiteral("%1 caractères sur %2 : trop long").arg(length).arg(capacity)
                                         : QStringLiteral("%1 caractères sur %2").arg(length).arg(capacity));
    const QString proposal = replacementProposal(stored);
    QStringList warnings;
    if (over)
        warnings << QStringLiteral("%1 caractères de trop : le fichier QCM en garde %2.").arg(length - capacity).arg(capacity);
    if (!proposal.isEmpty()) {
        warnings << QStringLiteral("Caractères que le fichier QCM ne peut pas garder : %1.").arg(proposal);
        replaceButton->setAccessibleName(QStringLiteral("Remplacer : %1").arg(proposal));
    }
    warningText->setText(warnings.join(u' '));
    replaceButton->setVisible(!proposal.isEmpty());
    cutButton->setVisible(over);
    warningRow->setVisible(!warnings.isEmpty());
}

} // namespace editor
