#include "editor/FieldGuard.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>

#include "editor/TextLimits.h"

namespace editor {

FieldGuard::FieldGuard(int capacity, const QString &field, QWidget *form)
    : QObject(form)
    , capacity(capacity)
    , counterLabel(form->findChild<QLabel *>(field + QStringLiteral("Count")))
    , warningRow(form->findChild<QWidget *>(field + QStringLiteral("WarningRow")))
    , warningText(form->findChild<QLabel *>(field + QStringLiteral("Warning")))
    , replaceButton(form->findChild<QPushButton *>(field + QStringLiteral("Replace")))
    , cutButton(form->findChild<QPushButton *>(field + QStringLiteral("Cut")))
{
    Q_ASSERT(counterLabel && warningRow && warningText && replaceButton && cutButton);
    cutButton->setText(QStringLiteral("Couper à %1").arg(capacity));
    // As wide as its widest text, bold: the field beside it keeps its width.
    QFont bold = counterLabel->font();
    bold.setBold(true);
    counterLabel->setMinimumWidth(QFontMetrics(bold).horizontalAdvance(QStringLiteral("0000/%1").arg(capacity)));
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
