#pragma once

#include <QByteArray>
#include <QString>
#include <QIODevice>
#include <QStringList>
#include <memory>
#include <vector>

#include "quiz/authoring/Lang.h"
#include "quiz/authoring/Markup.h"

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
    QString name; // empty for a picture held in the text itself (a data: address)
    QByteArray data;
};

struct SourceQuestion
{
    int number = 0; // 1-based among the source's questions
    int line = 0;   // where it starts, when the source has lines
    QString title;
    QString category; // the source's category path, empty when it has none
    QString type;   // "multichoice", "truefalse" or what the source calls an unsupported one
    QString text;
    std::vector<SourceAnswer> answers;
    int answersNotRead = 0; // beyond what a reader keeps of one question
    bool single = true; // only one answer can be chosen in the source
    QString generalFeedback;
    QString correctFeedback;
    QString incorrectFeedback;
    std::vector<SourcePicture> pictures; // the one to carry first, then others the text also shows
    QStringList lost; // what the reader already knows it cannot carry over
};

// Questions read one at a time, so that a long source never sits in memory
// whole; each question's parts are bounded too.
class SourceReader
{
public:
    virtual ~SourceReader() = default;
    // The next question; false at the end of the source or when it cannot be read.
    virtual bool next(SourceQuestion &question) = 0;

    QStringList errors; // the source cannot be read (any further)
    QStringList notes;  // about the source as a whole, such as the encoding it was read in
};

enum class TextEncoding { Detect, Utf8, Windows1252 };

// The device is opened for reading, stays owned by the caller and outlives
// the reader. A text source that is not valid UTF-8 is read as Windows-1252
// unless an encoding is given.
std::unique_ptr<SourceReader> giftReader(QIODevice &device, TextEncoding encoding, Lang lang);
std::unique_ptr<SourceReader> aikenReader(QIODevice &device, TextEncoding encoding, Lang lang);
std::unique_ptr<SourceReader> moodleXmlReader(QIODevice &device, Lang lang);

// A whole small source at once (tests and previews).
struct SourceQuiz
{
    std::vector<SourceQuestion> questions;
    QStringList errors; // the source cannot be read at all
};
SourceQuiz readAll(SourceReader &reader);

// "son « bonjour.mp3 » non repris …": a teacher's words for what a text lost.
QString droppedMediaText(const DroppedMedia &media, Lang lang);

// Whether the source gives full credit for ticking exactly `ticked` (a bit set).
bool sourceGivesFullCredit(const SourceQuestion &question, int ticked);

} // namespace qcm::authoring
