#include "tools/qcmtool/Results.h"

#include <QDir>
#include <QFileInfo>
#include <QSaveFile>
#include <cstdio>

#include "quiz/authoring/QuestionStats.h"
#include "quiz/authoring/ResultsTable.h"

using namespace qcm::authoring;

namespace {

void print(const QString &text, std::FILE *stream)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

bool write(const QString &path, const QByteArray &bytes, Lang lang)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) >= 0 && file.commit())
        return true;
    print(placeOf(lang, path) + say(lang, "écriture impossible\n", "cannot write\n"), stderr);
    return false;
}

// Each quiz's questions, from the quiz files beside the logs' folder (QCM/).
bool reportQuestions(const ResultsRequest &request, const LoggedResults &logged, Lang lang)
{
    const QString quizFolder = QDir::cleanPath(QDir(request.folder).absoluteFilePath(QStringLiteral("..")));
    const std::vector<QuizStats> quizzes = questionStatistics(logged.results, request.allAttempts, quizFolder);
    if (quizzes.empty())
        print(say(lang, "\nAucun QCM dont les journaux gardent les réponses.\n", "\nNo quiz whose logs keep the answers.\n"),
              stdout);
    for (const QuizStats &quiz : quizzes)
        print(QLatin1Char('\n') + questionStatsTable(quiz, lang), stdout);
    return request.mergedFile.isEmpty()
        || write(questionsFileBeside(request.mergedFile), questionStatsCsv(quizzes, lang), lang);
}

} // namespace

QString questionsFileBeside(const QString &mergedFile)
{
    const QFileInfo merged(mergedFile);
    return merged.dir().filePath(merged.completeBaseName() + QStringLiteral("-questions.csv"));
}

int resultsCommand(const ResultsRequest &request, Lang lang)
{
    const LoggedResults logged = readResultsFolder(request.folder, lang, request.mergedFile);
    for (const QString &problem : logged.problems)
        print(problem + QLatin1Char('\n'), stderr);
    if (!QDir(request.folder).exists())
        return 2;

    print(groupTable(say(lang, "Élève", "Pupil"), groupByPupil(logged.results, lang), lang), stdout);
    print(QStringLiteral("\n"), stdout);
    print(groupTable(say(lang, "QCM", "Quiz"), groupByQuiz(logged.results), lang), stdout);
    if (!request.mergedFile.isEmpty() && !write(request.mergedFile, mergedResultsFile(logged.results), lang))
        return 2;
    if (request.questions && !reportQuestions(request, logged, lang))
        return 2;
    return 0;
}
