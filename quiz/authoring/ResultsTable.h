#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "quiz/ResultLine.h"
#include "quiz/authoring/Lang.h"

// The teacher's view of the results logs that the player writes, one file
// per computer.
namespace qcm::authoring {

struct LoggedResults
{
    std::vector<QuizResult> results; // oldest first
    QStringList problems;            // damaged lines and unreadable files, skipped
};

// Reads one log file's lines into `into`; what cannot be read is told in `into.problems`.
void readResultsFile(const QString &path, LoggedResults &into, Lang lang);
// Reads every *.csv of the folder but `skipFile` (the merged file about to
// be written there).
LoggedResults readResultsFolder(const QString &folder, Lang lang, const QString &skipFile = {});

struct ResultGroup
{
    QString name;
    int count = 0;
    int best = 0;
    int last = 0;   // the latest result's percentage
    double mean = 0;
};

// Per pupil (by name; those who gave none together) and per quiz (subject
// and title), sorted by name.
std::vector<ResultGroup> groupByPupil(const std::vector<QuizResult> &results, Lang lang);
std::vector<ResultGroup> groupByQuiz(const std::vector<QuizResult> &results);

// A plain-text table of groups, columns aligned.
QString groupTable(const QString &title, const std::vector<ResultGroup> &groups, Lang lang);

// Every result in one file, oldest first, each line led by its computer's
// name. The folder reader knows it by its header and leaves it out.
QByteArray mergedResultsFile(const std::vector<QuizResult> &results);

} // namespace qcm::authoring
