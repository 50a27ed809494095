#include "editor/ClassResults.h"

#include <QDir>
#include <QFileInfo>

#include "platform/Folders.h"
#include "quiz/QuizFile.h"
#include "quiz/authoring/ResultsTable.h"

using qcm::authoring::QuestionStats;
using qcm::authoring::QuizStats;

namespace editor {

namespace {

const QString LogsFolder = QStringLiteral("Résultats");

QString shortened(const QString &text)
{
    const QString simple = text.simplified();
    return simple.size() > 40 ? simple.left(39) + QChar(0x2026) : simple;
}

QString flagged(const QuestionStats &stats, const QString &text)
{
    return stats.toCheck ? text + QStringLiteral(" · à vérifier") : text;
}

} // namespace

QString quizFolderWithLogs(const QString &quizPath)
{
    QDir folder = QFileInfo(quizPath).absoluteDir();
    do {
        if (QFileInfo(folder.filePath(LogsFolder)).isDir())
            return folder.absolutePath();
    } while (folder.cdUp());
    return platform::quizFolder();
}

std::optional<QuizStats> classResultsOf(const QString &quizPath)
{
    const QString fingerprint = quizPath.isEmpty() ? QString() : qcm::fingerprintOfQuizFile(quizPath);
    if (fingerprint.isEmpty())
        return {};
    const QString logs = QDir(quizFolderWithLogs(quizPath)).filePath(LogsFolder);
    std::vector<qcm::QuizResult> ours;
    for (qcm::QuizResult &result : qcm::authoring::readResultsFolder(logs, qcm::authoring::Lang::French).results) {
        if (result.fingerprint == fingerprint)
            ours.push_back(std::move(result));
    }
    if (ours.empty())
        return {};
    // The quiz's own folder holds a file of this version: its key marks the right propositions.
    std::vector<QuizStats> all = qcm::authoring::questionStatistics(ours, false, QFileInfo(quizPath).absolutePath());
    for (QuizStats &stats : all) {
        if (stats.fingerprint == fingerprint)
            return std::move(stats);
    }
    return {};
}

QString pupilCount(int count)
{
    return count > 1 ? QStringLiteral("%1 élèves").arg(count) : QStringLiteral("%1 élève").arg(count);
}

QString facilityText(const QuestionStats &stats)
{
    return flagged(stats, QStringLiteral("%1 % juste").arg(stats.facility));
}

QString badgeText(const QuestionStats &stats)
{
    return flagged(stats, QStringLiteral("%1 %").arg(stats.facility));
}

QString statsDetails(const QuestionStats &stats, const EditedQuestion &question)
{
    QStringList lines{
        flagged(stats, QStringLiteral("Réussite : %1 % (%2)").arg(stats.facility).arg(pupilCount(stats.asked)))};
    for (int i = 1; i <= 5; ++i) {
        const qcm::authoring::PropositionCount &count = stats.propositions[std::size_t(i - 1)];
        const QString text = shortened(question.text(qcm::answerField(i)));
        if (text.isEmpty() && count.ticked == 0 && !count.right)
            continue;
        QString line = QStringLiteral("Proposition %1").arg(i);
        if (count.right)
            line += QStringLiteral(" ✓");
        if (!text.isEmpty())
            line += QStringLiteral(" « %1 »").arg(text);
        lines << line + QStringLiteral(" : ") + pupilCount(count.ticked);
    }
    lines << QStringLiteral("Sans réponse : ") + pupilCount(stats.blanks);
    lines << QStringLiteral("Discrimination : ")
            + (stats.discrimination ? QStringLiteral("%1 %").arg(*stats.discrimination)
                                    : QStringLiteral("non calculable"));
    return lines.join(u'\n');
}

} // namespace editor
