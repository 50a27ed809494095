#include <QDateTime>
#include <QDir>

#include "app/FormQCM.h"
#include "engine/QuizPath.h"
#include "quiz/Rounding.h"
#include "platform/Desktop.h"
#include "platform/Folders.h"
#include "platform/ResultsLogFile.h"
#include "ui_FormQCM.h"

void TFormQCM::keepResult()
{
    qcm::QuizResult &r = m_lastResult;
    r.finished = QDateTime::fromSecsSinceEpoch(QDateTime::currentSecsSinceEpoch());
    r.pupil = m_pupilName;
    // From the path: the subject box is the pupil's to edit.
    r.subject = splitQuizPath(State.QuizFileName, platform::nativePathRule()).subject;
    r.title = ui->DRLabel12->caption();
    r.exam = State.ExamOrder;
    r.questions = State.QuestionCount;
    r.right = State.QuestionCount - State.WrongCount;
    r.percentage = successPercentage(State.QuestionCount, State.WrongCount);
    r.seconds = std::max<qint64>(0, qRound64(StopWatch1->ElapsedTime() * 86400.0));
    r.fingerprint = m_quizFingerprint;
    r.answers = m_answers;
    ui->ToolButton11->setEnabled(true);
    logResult();
}

void TFormQCM::logResult()
{
    if (!ui->ToolButton14->isChecked())
        return;
    const QString path = platform::resultsLogPath(platform::quizFolder());
    const QString reason = platform::appendResultLine(path, qcm::resultLine(m_lastResult));
    if (!reason.isEmpty())
        platform::showMessage(this, QStringLiteral("Le résultat n'a pas pu être ajouté au journal %1 : %2.")
                                        .arg(QDir::toNativeSeparators(path), reason));
}

void TFormQCM::ToolButton14Click()
{
    hideToolBars();
    platform::setResultsLogWanted(ui->ToolButton14->isChecked());
}
