#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <vector>

#include "quiz/authoring/Lang.h"

// Questions as the interchange formats (GIFT, Aiken, Moodle XML) hold them,
// before they become quiz records, with the source's own grading.
namespace qcm::authoring {

struct SourceAnswer
{
    QString text;
    double weight = 0; // percent of the question's credit, may be negative
    QString feedback;
};

struct SourcePicture
{
    QString name;
    QByteArray data;
};

struct SourceQuestion
{
    int number = 0; // 1-based among the source's questions
    int line = 0;   // where it starts, when the source has lines
    QString title;
    QString type;   // "multichoice", "truefalse" or what the source calls an unsupported one
    QString text;
    std::vector<SourceAnswer> answers;
    bool single = true; // only one answer can be chosen in the source
    QString generalFeedback;
    QString correctFeedback;
    QString incorrectFeedback;
    std::vector<SourcePicture> pictures;
    QStringList lost; // what the reader already knows it cannot carry over
};

struct SourceQuiz
{
    std::vector<SourceQuestion> questions;
    QStringList errors; // the source cannot be read at all
};

SourceQuiz readGift(const QString &text, Lang lang);
SourceQuiz readAiken(const QString &text, Lang lang);
SourceQuiz readMoodleXml(const QByteArray &xml, Lang lang);

// Whether the source gives full credit for ticking exactly `ticked` (a bit set).
bool sourceGivesFullCredit(const SourceQuestion &question, int ticked);

} // namespace qcm::authoring
