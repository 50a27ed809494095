#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

#include "quiz/QuestionRecord.h"
#include "quiz/authoring/Interchange.h"

// Interchange formats to quiz records and back.
namespace qcm::authoring {

enum class InterchangeFormat { Gift, Aiken, MoodleXml };
// By extension (gift, xml), and for .txt by content (an "ANSWER:" line means Aiken).
std::optional<InterchangeFormat> guessFormat(const QString &path, const QByteArray &contents);
SourceQuiz readSource(InterchangeFormat format, const QByteArray &contents, Lang lang);

struct ImportOptions
{
    Lang lang = Lang::French;
    bool replace = false; // replace characters Windows-1252 lacks
    bool cut = false;     // cut texts longer than their field
    // Turns a picture the player cannot show into one it can; sets the new
    // extension. Empty data when it cannot.
    std::function<QByteArray(const QByteArray &data, QString *extension)> convertPicture;
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
    QStringList report;   // what could not be carried over, question by question
    int leftOut = 0;
};

ImportResult importQuestions(const SourceQuiz &source, const QString &sourceName, const ImportOptions &options);

// The characters that --replace puts for one Windows-1252 lacks.
QString replacementFor(char32_t character);

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
