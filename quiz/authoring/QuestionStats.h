#pragma once

#include <QString>
#include <array>
#include <optional>
#include <vector>

#include "quiz/ResultLine.h"
#include "quiz/authoring/Lang.h"

// What the class's answers say of each question of a quiz: the teacher's
// statistics, from the results logs the player writes.
namespace qcm::authoring {

struct PropositionCount
{
    int ticked = 0;     // attempts that ticked it
    bool right = false; // it is a right one by the quiz's key (false when the quiz file is unknown)
};

struct QuestionStats
{
    int question = 0;       // its number in the quiz file, from 1
    QString textStart;      // the start of its text; empty when the quiz file was not found
    int asked = 0;          // attempts that were asked it
    int facility = 0;       // share judged right, in whole %, rounded as the player rounds
    std::array<PropositionCount, 5> propositions{};
    int blanks = 0;         // attempts that ticked nothing
    // Correlation between the question's mark and the rest of the test, in
    // whole %; none with fewer than two attempts or without variance.
    std::optional<int> discrimination;
    // "à vérifier": discrimination under 30, or (the quiz file being known) a
    // wrong proposition ticked more often than every right one.
    bool toCheck = false;
};

// One version of a quiz (one fingerprint) and the attempts counted for it.
struct QuizStats
{
    QString fingerprint;
    QString subject;
    QString title;
    QString quizFile;       // the quiz file found with this fingerprint; empty if none
    std::vector<QuizResult> attempts; // those counted, oldest first
    // Of the attempts' percentages; none where they cannot be computed (no
    // attempt; the deviation with fewer than two; alpha without variance).
    std::optional<double> mean, median, minimum, maximum, deviation;
    std::optional<double> alpha; // Cronbach's alpha of the questions' marks
    std::vector<QuestionStats> questions; // by number
};

// Groups the results with answers by fingerprint, sorted by subject and
// title; lines without answers (older ones) are left out. Only each pupil's
// first attempt counts unless `allAttempts`; attempts without a pupil's name
// each count. Quiz files under `quizFolder` (searched recursively) with the
// same fingerprint give the questions' texts and keys.
std::vector<QuizStats> questionStatistics(const std::vector<QuizResult> &results, bool allAttempts,
                                          const QString &quizFolder);

// The plain-text tables of one quiz for qcmtool: its figures, then a line
// per question.
QString questionStatsTable(const QuizStats &quiz, Lang lang);
// Every quiz's per-question table in one CSV file for a spreadsheet.
QByteArray questionStatsCsv(const std::vector<QuizStats> &quizzes, Lang lang);
// Whether a file's first line is that of such a table, in either language:
// the reader of the logs leaves it out when it lies among them.
bool isQuestionStatsCsvHeader(const QString &line);

} // namespace qcm::authoring
