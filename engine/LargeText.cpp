#include "app/FormQCM.h"
#include "platform/ReadingAids.h"
#include "ui_FormQCM.h"

namespace {

// Size first, then room between letters and words: what helps children who
// read with difficulty, more than any special typeface.
constexpr qreal LargePointSize = 14;
constexpr qreal LetterSpacingPercent = 112;
constexpr qreal WordSpacingEm = 0.3;

QFont largeFont(const QFont &normal)
{
    QFont font = normal;
    font.setPointSizeF(LargePointSize);
    font.setLetterSpacing(QFont::PercentageSpacing, LetterSpacingPercent);
    font.setWordSpacing(QFontMetricsF(font).horizontalAdvance(u'M') * WordSpacingEm);
    return font;
}

} // namespace

void TFormQCM::ToolButton16Click()
{
    platform::setReadingAidWanted(platform::ReadingAid::LargeText, ui->ToolButton16->isChecked());
    applyTextSize();
}

void TFormQCM::applyTextSize()
{
    const bool large = ui->ToolButton16->isChecked();
    for (QPlainTextEdit *memo : {ui->Memo1, ui->Memo2, ui->Memo3, ui->Memo4, ui->Memo5, ui->Memo6}) {
        // Back to the window's own font when off, so that it looks as it
        // always did; a longer text scrolls in its box rather than being cut.
        memo->setFont(large ? largeFont(font()) : QFont());
        memo->setVerticalScrollBarPolicy(large ? Qt::ScrollBarAsNeeded : Qt::ScrollBarAlwaysOff);
    }
}
