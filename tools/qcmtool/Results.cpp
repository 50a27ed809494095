#include "tools/qcmtool/Results.h"

#include <QDir>
#include <QSaveFile>
#include <cstdio>

#include "quiz/authoring/ResultsTable.h"

using namespace qcm::authoring;

namespace {

void print(const QString &text, std::FILE *stream)
{
    const QByteArray bytes = text.toUtf8();
    std::fwrite(bytes.constData(), 1, std::size_t(bytes.size()), stream);
}

bool writeMerged(const QString &path, const LoggedResults &logged, Lang lang)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(mergedResultsFile(logged.results)) >= 0 && file.commit())
        return true;
    print(placeOf(lang, path) + say(lang, "écriture impossible\n", "cannot write\n"), stderr);
    return false;
}

} // namespace

int resultsCommand(const QString &folder, const QString &mergedFile, Lang lang)
{
    const LoggedResults logged = readResultsFolder(folder, lang, mergedFile);
    for (const QString &problem : logged.problems)
        print(problem + QLatin1Char('\n'), stderr);
    if (!QDir(folder).exists())
        return 2;

    print(groupTable(say(lang, "Élève", "Pupil"), groupByPupil(logged.results, lang), lang), stdout);
    print(QStringLiteral("\n"), stdout);
    print(groupTable(say(lang, "QCM", "Quiz"), groupByQuiz(logged.results), lang), stdout);
    if (!mergedFile.isEmpty() && !writeMerged(mergedFile, logged, lang))
        return 2;
    return 0;
}
