#pragma once

#include <QString>

#include "quiz/authoring/Lang.h"

// qcmtool report: the class report in PDF, from every computer's results log
// and the quiz files found beside the logs' folder.
int reportCommand(const QString &folder, const QString &pdfPath, bool anonymous, bool allAttempts,
                  qcm::authoring::Lang lang);
