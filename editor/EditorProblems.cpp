// The problems panel: what the player would meet in the quiz as it stands.
#include "editor/FormEditeur.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QStyle>

#include "editor/TextLimits.h"
#include "pictures/PictureLoader.h"
#include "quiz/Cp1252.h"
#include "quiz/FieldName.h"
#include "quiz/Judging.h"
#include "quiz/authoring/QuizCheck.h"
#include "ui_FormEditeur.h"

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
                        .arg(qcm::fieldNameInFrench(field))
                        .arg(text.size())
                        .arg(capacity)});
            const QString proposal = replacementProposal(text);
            if (!proposal.isEmpty())
                findings.push_back({Finding::Level::Error, record, {},
                    QStringLiteral("%1 contient des caractères que le fichier ne peut pas garder (%2)")
                        .arg(qcm::fieldNameInFrench(field), proposal)});
        }
    }
    return findings;
}

QString propositionNumbers(int bits)
{
    QStringList numbers;
    for (int i = 0; i < 5; ++i) {
        if (bits & (1 << i))
            numbers << QString::number(i + 1);
    }
    return (numbers.size() == 1 ? QStringLiteral("proposition ") : QStringLiteral("propositions "))
           + numbers.join(QStringLiteral(", "));
}

// The check speaks of the file's key; the teacher sees "juste" boxes. Keys
// the editor did not write are left in the file's words.
QString inFormWords(const Finding &finding, const EditedQuestion &question)
{
    const QString key = question.text(Field::AnswerKey);
    if (finding.field != QLatin1String("AnswerKey") || !finding.text.contains(QStringLiteral("clé"))
        || !qcm::isPlainKey(key))
        return finding.text;
    int shown = 0;
    for (int i = 1; i <= 5; ++i) {
        if (!question.text(qcm::answerField(i)).isEmpty())
            shown |= 1 << (i - 1);
    }
    const int right = question.rightBits();
    const bool never = finding.level == Finding::Level::Error;
    QString why;
    if (right == 0)
        why = question.allOf()
            ? QStringLiteral("aucune case « juste » n'est cochée : la réponse n'est juste que si l'élève ne coche rien")
            : QStringLiteral("aucune case « juste » n'est cochée");
    else if ((right & ~shown) != 0)
        why = QStringLiteral("la case « juste » est cochée sur une proposition vide, que l'élève ne peut pas cocher (%1)")
                  .arg(propositionNumbers(right & ~shown));
    else
        return finding.text;
    return never ? QStringLiteral("cette question ne peut jamais être jugée juste : ") + why : why;
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
    ui->problemList->clear();
    for (const Finding &finding : report.findings) {
        if (finding.level == Finding::Level::Remark)
            continue;
        const QString place = finding.record > 0 ? QStringLiteral("Question %1").arg(finding.record)
                                                 : QStringLiteral("QCM");
        const QString text = finding.record > 0 && finding.record <= quiz.count()
            ? inFormWords(finding, quiz.question(finding.record - 1))
            : finding.text;
        auto *item = new QListWidgetItem(place + QStringLiteral(" : ") + text, ui->problemList);
        item->setData(Qt::UserRole, finding.record - 1);
        item->setIcon(QApplication::style()->standardIcon(
            finding.level == Finding::Level::Error ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning));
        item->setToolTip(item->text());
    }
    if (ui->problemList->count() == 0)
        new QListWidgetItem(QStringLiteral("Aucun problème : le lecteur peut poser chaque question."), ui->problemList);
}

void FormEditeur::problemActivated(QListWidgetItem *item)
{
    const QVariant row = item->data(Qt::UserRole);
    if (row.isValid() && row.toInt() >= 0)
        selectQuestion(row.toInt());
}

} // namespace editor
