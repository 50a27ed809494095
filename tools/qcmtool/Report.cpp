#include "tools/qcmtool/Report.h"

#include <QDir>
#include <cstdio>

#include "quiz/authoring/ClassReport.h"
#include "quiz/authoring/ResultsTable.h"

using namespace qcm::authoring;

namespace {

void printLine(const QString &text)
{
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stderr);
}

// The logs live in QCM/Résultats; the quizzes they came from, under QCM.
QString quizFolderOf(const QString &logsFolder)
{
    return QDir::cleanPath(QDir(logsFolder).absoluteFilePath(QStringLiteral("..")));
}

} // namespace

int reportCommand(const QString &folder, const QString &pdfPath, bool anonymous, bool allAttempts, Lang lang)
{
    const LoggedResults logged = readResultsFolder(folder, lang);
    for (const QString &problem : logged.problems)
        printLine(problem);
    if (!QDir(folder).exists())
        return 2;

    const std::vector<QuizStats> quizzes = questionStatistics(logged.results, allAttempts, quizFolderOf(folder));
    // The reason is in French whatever the language asked: the report is.
    const QString reason = writeClassReport(quizzes, pdfPath, anonymous);
    if (!reason.isEmpty()) {
        printLine(placeOf(lang, pdfPath) + reason);
        return 2;
    }
    printLine(placeOf(lang, pdfPath)
        + (quizzes.empty() ? say(lang, "aucun résultat avec réponses pour l'instant : le bilan le dit",
                                 "no results with answers yet: the report says so")
                           : say(lang, "bilan de %1 QCM écrit", "report of %1 quiz(zes) written").arg(quizzes.size())));
    return 0;
}
