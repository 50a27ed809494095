#include <QAction>

#include "app/FormQCM.h"
#include "platform/ReadingAids.h"
#include "platform/Speaker.h"
#include "quiz/SpokenText.h"
#include "ui_FenetreMessage.h"
#include "ui_FormQCM.h"
#include "windows/UnitFenetreMessage.h"

namespace {

// A part read with a pause after it, whatever the teacher's punctuation.
QString sentence(const QString &written)
{
    QString spoken = qcm::spokenText(written);
    if (!spoken.isEmpty() && !QStringLiteral(".?!:;").contains(spoken.back()))
        spoken += u'.';
    return spoken;
}

} // namespace

void TFormQCM::setUpReadAloud()
{
    auto *slow = new QAction(QStringLiteral("Lire plus lentement"), ui->ToolButton15);
    slow->setObjectName(QStringLiteral("SlowReading"));
    slow->setCheckable(true);
    slow->setChecked(platform::readingAidWanted(platform::ReadingAid::SlowReading));
    connect(slow, &QAction::toggled, this, [this](bool on) {
        platform::setReadingAidWanted(platform::ReadingAid::SlowReading, on);
        if (m_speaker)
            m_speaker->setSlow(on);
    });
    // The speed is a right click (or the menu key) away from the toggle.
    ui->ToolButton15->addAction(slow);
    ui->ToolButton15->setContextMenuPolicy(Qt::ActionsContextMenu);
    ui->ToolButton15->setChecked(platform::readingAidWanted(platform::ReadingAid::ReadAloud));
}

void TFormQCM::ToolButton15Click()
{
    const bool on = ui->ToolButton15->isChecked();
    // Where no voice can speak, the toggle greys and its hint says why.
    if (on && !speaker())
        return;
    platform::setReadingAidWanted(platform::ReadingAid::ReadAloud, on);
    if (on)
        readQuestionAloud();
    else
        stopReading();
}

platform::Speaker *TFormQCM::speaker()
{
    if (!m_speaker) {
        m_speaker = platform::createSpeaker();
        m_speaker->setSlow(platform::readingAidWanted(platform::ReadingAid::SlowReading));
        connect(m_speaker.get(), &platform::Speaker::failed, this, &TFormQCM::speechFailed);
        if (!m_speaker->unavailability().isEmpty())
            speechFailed(m_speaker->unavailability());
    }
    return ui->ToolButton15->isEnabled() ? m_speaker.get() : nullptr;
}

// The quiz goes on in silence; the toggle says why until the next run, which
// tries again.
void TFormQCM::speechFailed(const QString &why)
{
    ui->ToolButton15->setChecked(false);
    ui->ToolButton15->setEnabled(false);
    ui->ToolButton15->setToolTip(why);
}

void TFormQCM::readAloud(const QString &text)
{
    if (!ui->ToolButton15->isChecked())
        return;
    if (platform::Speaker *voice = speaker())
        voice->say(text);
}

void TFormQCM::readQuestionAloud()
{
    const int position = State.CurrentPosition;
    if (position < 1 || position > State.QuestionCount || ui->Memo1->toPlainText().isEmpty()) {
        stopReading();
        return;
    }
    QStringList parts{QStringLiteral("Question %1.").arg(position), sentence(ui->Memo1->toPlainText())};
    const QPlainTextEdit *const memos[] = {ui->Memo2, ui->Memo3, ui->Memo4, ui->Memo5, ui->Memo6};
    const QCheckBox *const boxes[] = {ui->CheckBox1, ui->CheckBox2, ui->CheckBox3, ui->CheckBox4, ui->CheckBox5};
    for (int i = 0; i < 5; ++i) {
        const QString proposition = memos[i]->toPlainText();
        if (!boxes[i]->isHidden() && !proposition.trimmed().isEmpty())
            parts << QStringLiteral("Proposition %1 : %2").arg(i + 1).arg(sentence(proposition));
    }
    readAloud(parts.join(u' '));
}

void TFormQCM::readCorrectionAloud()
{
    if (!m_windows.FormFenetreMessage)
        return;
    const Ui::FormFenetreMessage &popup = *m_windows.FormFenetreMessage->ui;
    readAloud(sentence(popup.Label1->text()) + u' ' + sentence(popup.Memo1->toPlainText()));
}

void TFormQCM::stopReading()
{
    if (m_speaker)
        m_speaker->stop();
}
