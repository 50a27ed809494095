#pragma once

#include <QString>

#include "quiz/authoring/Lang.h"

// qcmtool results: the tables of every computer's results log, and
// optionally all lines merged into one file.
int resultsCommand(const QString &folder, const QString &mergedFile, qcm::authoring::Lang lang);
