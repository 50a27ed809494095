#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>

// One finished quiz as the results log keeps it: one line of a CSV file that a
// French spreadsheet opens as it is (UTF-8 with a byte order mark, ';').
namespace qcm {

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
    QString computer;    // whose log it was read from; not part of a line
};

// Written once at the start of every log file.
QByteArray resultsFileStart();
// The column names, as the first line reads once decoded.
QString resultsHeader();

// The line for one result, without its end of line.
QString resultLine(const QuizResult &result);
// Reads back a line made by resultLine; false, with the reason in French, for
// anything else (a damaged or half-written line).
bool parseResultLine(const QString &line, QuizResult &result, QString &reason);

// A time taken as hours (not wrapped at a day), minutes and seconds: 1:05:09.
QString durationText(qint64 seconds);

} // namespace qcm
