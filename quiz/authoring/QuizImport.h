#pragma once

#include <QByteArray>
#include <QHash>
#include <QIODevice>
#include <QSet>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "quiz/QuestionRecord.h"
#include "quiz/authoring/Interchange.h"

// Interchange formats (GIFT, Aiken, Moodle XML) to quiz records.
namespace qcm::authoring {

enum class InterchangeFormat { Gift, Aiken, MoodleXml };
// By extension (gift, xml), and for .txt by the start of its content (an
// "ANSWER:" line means Aiken); the device is only peeked at.
std::optional<InterchangeFormat> guessFormat(const QString &path, QIODevice &device);
std::optional<InterchangeFormat> guessFormat(const QString &path, const QByteArray &contents);
std::unique_ptr<SourceReader> sourceReader(InterchangeFormat format, QIODevice &device, TextEncoding encoding, Lang lang);
// A whole small source held in memory (tests and previews).
SourceQuiz readSource(InterchangeFormat format, const QByteArray &contents, Lang lang);

// A picture made into one the player shows within its limits.
struct ConvertedPicture
{
    QByteArray data;   // empty when it cannot be shown
    QString extension; // of the written file
    QString source;    // what it was, for messages: "PNG, 435 × 369"
    QString change;    // what was done to it, empty when kept as it was
    QString failure;   // why it cannot be shown
};
using PictureConverter = std::function<ConvertedPicture(const QByteArray &data, const QString &extension, Lang lang)>;

struct ImportOptions
{
    Lang lang = Lang::French;
    bool replace = false; // replace characters Windows-1252 lacks, drop emoji
    bool cut = false;     // cut texts longer than their field
    // Without one, pictures in a format the player reads are kept as they are
    // and others are left out.
    PictureConverter convertPicture;
};

struct ImportedPicture
{
    QString relativePath; // below the quiz's folder, with forward slashes
    QByteArray data;
};

struct ImportResult
{
    std::vector<QuestionRecord> records;
    std::vector<ImportedPicture> pictures;
    QStringList report; // what could not be carried over, question by question
    int leftOut = 0;
};

struct ImportCounts
{
    int read = 0;
    int imported = 0;
    int leftOut = 0;
    int shortened = 0; // imported with a text cut or propositions dropped
    int pictures = 0;  // distinct pictures
};

// Converts questions one at a time into the records of quizzes that share one
// folder: a picture used by several questions is named and given once.
class QuizImporter
{
public:
    QuizImporter(const QString &sourceName, const ImportOptions &options);

    // False when the question is left out; the report says why.
    bool add(const SourceQuestion &question);
    // The records, pictures and report lines since the last take.
    ImportResult take();
    const ImportCounts &counts() const { return counted; }

private:
    bool supported(const SourceQuestion &q);
    bool fewEnoughPropositions(SourceQuestion &q);
    void fill(const SourceQuestion &q, QuestionRecord &record);
    void note(const QString &field, const QString &text);
    void fail(const QString &field, const QString &text);
    std::optional<QString> encodable(Field field, const QString &source);
    void put(QuestionRecord &record, Field field, const QString &source);
    void store(QuestionRecord &record, Field field, QString text);
    void putComment(QuestionRecord &record, Field field, const QString &verdict, const QString &general);
    void takePicture(const SourceQuestion &q, QuestionRecord &record);

    QString sourceName;
    ImportOptions options;
    ImportCounts counted;
    ImportResult pending;
    // The question being converted: where it is, for the report, and what is said of it.
    QString place;
    QStringList lines;
    bool ok = true;
    bool shortened = false;
    QSet<QString> used;                 // picture names given, in lower case
    QHash<QByteArray, QString> written; // source picture's digest to its stored name
};

// Every question of a source into one result.
ImportResult importQuestions(const SourceQuiz &source, const QString &sourceName, const ImportOptions &options);

// "bank.xml : 120 questions lues, 95 importées, …"
QString importSummary(const QString &sourceName, const ImportCounts &counts, Lang lang);

// What --replace puts for a character Windows-1252 lacks (empty: dropped).
QString replacementFor(char32_t character);

} // namespace qcm::authoring
