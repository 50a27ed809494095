// The problems panel: what the player would meet in the quiz as it stands.
#include "editor/FormEditeur.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QListWidget>
#include <QStyle>

#include "editor/TextLimits.h"
#include "pictures/PictureLoader.h"
#include "quiz/Cp1252.h"
#include "quiz/authoring/QuizCheck.h"

using qcm::Field;
using namespace qcm::authoring;

namespace editor {

namespace {

PictureProbe probePicture(const QString &quizFolder, const QString &pictureName)
{
    PictureProbe probe;
    if (quizFolder.isEmpty()) {
        probe.reason = QStringLiteral("le QCM n'est pas encore enregistré");
        return probe;
    }
    QString error;
    const QImage image = pictures::loadPicture(pictures::picturePath(quizFolder, pictureName), &error);
    probe.loaded = !image.isNull();
    probe.width = image.width();
    probe.height = image.height();
    probe.reason = error;
    return probe;
}

QString fieldWords(Field field)
{
    switch (field) {
    case Field::QuestionText: return QStringLiteral("la question");
    case Field::RightComment: return QStringLiteral("le commentaire");
    case Field::WrongComment: return QStringLiteral("la correction");
    case Field::PictureFile: return QStringLiteral("le nom de l'image");
    default: return QStringLiteral("la proposition %1").arg(int(field) - int(Field::Answer1) + 1);
    }
}

// Texts the record cannot hold; the check below only sees what it holds.
std::vector<Finding> unstorableTexts(const std::vector<EditedQuestion> &questions)
{
    std::vector<Finding> findings;
    for (std::size_t row = 0; row < questions.size(); ++row) {
        for (const Field field : editedFields()) {
            const QString &text = questions[row].text(field);
            const qsizetype capacity = qsizetype(qcm::layoutOf(field).capacity);
            const int record = int(row) + 1;
            if (text.size() > capacity)
                findings.push_back({Finding::Level::Error, record, {},
                    QStringLiteral("%1 a %2 caractères, %3 au plus : elle ne peut pas être enregistrée")
                        .arg(fieldWords(field))
                        .arg(text.size())
                        .arg(capacity)});
            const QString proposal = replacementProposal(text);
            if (!proposal.isEmpty())
                findings.push_back({Finding::Level::Error, record, {},
                    QStringLiteral("%1 contient des caractères que le fichier ne peut pas garder (%2)")
                        .arg(fieldWords(field), proposal)});
        }
    }
    return findings;
}

} // namespace

void FormEditeur::scheduleCheck()
{
    checkTimer.start();
}

void FormEditeur::refreshProblems()
{
    CheckReport report;
    report.findings = unstorableTexts(quiz.allQuestions());
    checkRecords(quiz.records(), pictureFolder(), Lang::French, probePicture, report);
    problemList->clear();
    for (const Finding &finding : report.findings) {
        if (finding.level == Finding::Level::Remark)
            continue;
        const QString place = finding.record > 0 ? QStringLiteral("Question %1").arg(finding.record)
                                                 : QStringLiteral("QCM");
        auto *item = new QListWidgetItem(place + QStringLiteral(" : ") + finding.text, problemList);
        item->setData(Qt::UserRole, finding.record - 1);
        item->setIcon(QApplication::style()->standardIcon(
            finding.level == Finding::Level::Error ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning));
        item->setToolTip(item->text());
    }
    if (problemList->count() == 0)
        new QListWidgetItem(QStringLiteral("Aucun problème : le lecteur peut poser chaque question."), problemList);
}

void FormEditeur::problemActivated(QListWidgetItem *item)
{
    const QVariant row = item->data(Qt::UserRole);
    if (row.isValid() && row.toInt() >= 0)
        selectQuestion(row.toInt());
}

} // namespace editor
