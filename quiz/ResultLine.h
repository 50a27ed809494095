#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <vector>

// One finished quiz as the results log keeps it: one line of a CSV file that a
// French spreadsheet opens as it is (UTF-8 with a byte order mark, ';').
namespace qcm {

// One question as the pupil answered it.
struct AnsweredQuestion
{
    int question = 0; // its number in the quiz file, from 1
    int ticked = 0;   // the propositions ticked, as bits 1, 2, 4, 8 and 16
    bool right = false;
    bool operator==(const AnsweredQuestion &) const = default;
};

struct QuizResult
{
    QDateTime finished;  // local time, to the second
    QString pupil;       // may be empty
    QString subject;
    QString title;
    bool exam = false;   // the questions came in random order
    int questions = 0;
    int right = 0;
    int percentage = 0;
    qint64 seconds = 0;  // time taken
    // The quiz file's content, so that two versions of a quiz never mix;
    // empty in lines written before it was kept, as is `answers`.
    QString fingerprint;
    std::vector<AnsweredQuestion> answers; // in the order asked
    QString computer;    // whose log it was read from; not part of a line
};

// Written once at the start of every log file.
QByteArray resultsFileStart();
// The column names, as the first line reads once decoded.
QString resultsHeader();
// Whether a line is the header of a log, as written now or before the
// fingerprint and the answers were kept.
bool isResultsHeader(const QString &line);

// The line for one result, without its end of line.
QString resultLine(const QuizResult &result);
// Reads back a line made by resultLine, or by the player before it kept the
// answers; false, with the reason in French, for anything else (a damaged or
// half-written line). A line whose only fault is in its answers is read
// without them, and `reason` then says what was wrong.
bool parseResultLine(const QString &line, QuizResult &result, QString &reason);

// A time taken as hours (not wrapped at a day), minutes and seconds: 1:05:09.
QString durationText(qint64 seconds);

} // namespace qcm
