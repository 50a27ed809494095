#pragma once

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <nlohmann/json.hpp>
#include <vector>

#include "quiz/QuestionRecord.h"
#include "quiz/authoring/Lang.h"

// A quiz as JSON: {"records":[{"number":1,"isQuestion":true,"QuestionText":…}]}.
namespace qcm::authoring {

// The fields a JSON record holds, in record order (RecordTag is never written).
const std::vector<Field> &textFields();

// One record, decoded, as an element of the "records" list.
nlohmann::ordered_json recordToJson(const QuestionRecord &record, int number, bool isQuestion);
// Every record, decoded; "isQuestion" marks the records the player asks.
nlohmann::ordered_json quizToJson(const std::vector<QuestionRecord> &records);

struct BuiltQuiz
{
    std::vector<QuestionRecord> records;
    QStringList errors;   // nothing is written when there is one
    QStringList warnings; // the quiz is written anyway
};
// Encodes a quiz from JSON text; fileName only names the source in messages.
BuiltQuiz quizFromJson(const QByteArray &jsonText, const QString &fileName, Lang lang);

// Reads a whole file (not limited to the bank's 100 slots). False with a
// message when the file cannot be read.
bool readWholeQuiz(const QString &path, std::vector<QuestionRecord> &records, std::size_t &trailingBytes,
    QString &error, Lang lang);

} // namespace qcm::authoring
