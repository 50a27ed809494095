#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "quiz/QuestionRecord.h"
#include "quiz/authoring/Lang.h"

// Quiz records to the interchange formats.
namespace qcm::authoring {

struct ExportResult
{
    QByteArray data;
    QStringList report;
    int exported = 0;
};
// The asked questions of a quiz; quizFolder is where its pictures are found.
ExportResult exportGift(const std::vector<QuestionRecord> &records, const QString &quizName, Lang lang);
ExportResult exportMoodleXml(const std::vector<QuestionRecord> &records, const QString &quizName,
    const QString &quizFolder, Lang lang);

} // namespace qcm::authoring
