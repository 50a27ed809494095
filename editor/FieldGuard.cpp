#include "editor/FieldGuard.h"

#include <QHBoxLayout>
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
{
    counterLabel->setObjectName(objectPrefix + QStringLiteral("Count"));
    warningText->setObjectName(objectPrefix + QStringLiteral("Warning"));
    replaceButton->setObjectName(objectPrefix + QStringLiteral("Replace"));
    counterLabel->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    warningText->setWordWrap(true);
    warningText->setStyleSheet(QStringLiteral("color: #b00000"));
    auto *layout = new QHBoxLayout(warningRow);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(warningText, 1);
    layout->addWidget(replaceButton);
    warningRow->hide();
    connect(replaceButton, &QPushButton::clicked, this, &FieldGuard::replaceRequested);
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
    warningRow->setVisible(!proposal.isEmpty());
    if (!proposal.isEmpty()) {
        warningText->setText(QStringLiteral("Caractères que le fichier QCM ne peut pas garder : %1.").arg(proposal));
        replaceButton->setAccessibleName(QStringLiteral("Remplacer : %1").arg(proposal));
    }
}

} // namespace editor
