#pragma once

#include <QString>

#include "quiz/authoring/Lang.h"

struct ResultsRequest
{
    QString folder;            // the logs' folder, normally QCM/Résultats
    QString mergedFile;        // every line merged into this file, if named
    bool questions = false;    // each quiz's table per question, also as CSV beside mergedFile
    bool allAttempts = false;  // not only each pupil's first attempt
};

// Where the per-question tables go beside the merged file: tous.csv, tous-questions.csv.
QString questionsFileBeside(const QString &mergedFile);

// qcmtool results: the tables of every computer's results log, optionally
// all lines merged into one file and the statistics of each question.
int resultsCommand(const ResultsRequest &request, qcm::authoring::Lang lang);
