#include "quiz/authoring/QuizJson.h"

#include <QFile>

#include "quiz/Cp1252.h"
#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"

namespace qcm::authoring {

namespace {

std::string utf8(const QString &text) { return text.toStdString(); }

QString codePointText(char32_t c)
{
    return QStringLiteral("« %1 » (U+%2)")
        .arg(QString::fromUcs4(&c, 1), QString::number(uint(c), 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

} // namespace

const std::vector<Field> &textFields()
{
    static const std::vector<Field> fields = {Field::QuestionText, Field::Answer1, Field::Answer2, Field::Answer3,
        Field::Answer4, Field::Answer5, Field::RightComment, Field::WrongComment, Field::PictureFile,
        Field::AnswerKey, Field::ValidityRule};
    return fields;
}

nlohmann::ordered_json recordToJson(const QuestionRecord &record, int number, bool isQuestion)
{
    nlohmann::ordered_json entry = nlohmann::ordered_json::object();
    entry["number"] = number;
    entry["isQuestion"] = isQuestion;
    for (const Field field : textFields())
        entry[utf8(fieldName(int(field)))] = utf8(decodeField(record, field));
    return entry;
}

nlohmann::ordered_json quizToJson(const std::vector<QuestionRecord> &records)
{
    nlohmann::ordered_json list = nlohmann::ordered_json::array();
    bool asked = true;
    for (std::size_t i = 0; i < records.size(); ++i) {
        asked = asked && records[i].hasQuestion() && i < std::size_t(MaxQuestions);
        list.push_back(recordToJson(records[i], int(i + 1), asked));
    }
    nlohmann::ordered_json document = nlohmann::ordered_json::object();
    document["records"] = std::move(list);
    return document;
}

BuiltQuiz quizFromJson(const QByteArray &jsonText, const QString &fileName, Lang lang)
{
    BuiltQuiz built;
    nlohmann::ordered_json document;
    try {
        document = nlohmann::ordered_json::parse(jsonText.constData(), jsonText.constData() + jsonText.size());
    } catch (const nlohmann::json::parse_error &error) {
        built.errors << placeOf(lang, fileName)
                + say(lang, "JSON illisible (octet %1) : %2", "unreadable JSON (byte %1): %2")
                      .arg(error.byte)
                      .arg(QString::fromStdString(error.what()));
        return built;
    }
    const nlohmann::ordered_json *list = &document;
    if (document.is_object() && document.contains("records"))
        list = &document["records"];
    if (!list->is_array()) {
        built.errors << placeOf(lang, fileName)
                + say(lang, "il faut un objet {\"records\": [ … ]} ou une liste d'enregistrements",
                    "expected an object {\"records\": [ … ]} or a list of records");
        return built;
    }
    int number = 0;
    for (const nlohmann::ordered_json &entry : *list) {
        ++number;
        QuestionRecord record;
        if (!entry.is_object()) {
            built.errors << placeOf(lang, fileName, number) + say(lang, "un enregistrement doit être un objet JSON",
                                                                  "a record must be a JSON object");
            continue;
        }
        for (auto it = entry.begin(); it != entry.end(); ++it) {
            const QString key = QString::fromStdString(it.key());
            if (key == QLatin1String("number") || key == QLatin1String("isQuestion"))
                continue; // written by dump, derived again on reading
            int found = -1;
            for (const Field field : textFields()) {
                if (fieldName(int(field)) == key)
                    found = int(field);
            }
            if (found < 0) {
                built.errors << placeOf(lang, fileName, number, key)
                        + say(lang, "champ inconnu (les champs sont QuestionText, Answer1 … Answer5, RightComment, "
                                    "WrongComment, PictureFile, AnswerKey, ValidityRule)",
                            "unknown field (the fields are QuestionText, Answer1 … Answer5, RightComment, "
                            "WrongComment, PictureFile, AnswerKey, ValidityRule)");
                continue;
            }
            const Field field = Field(found);
            QString text;
            if (it->is_string())
                text = QString::fromStdString(it->get<std::string>());
            else if (field == Field::AnswerKey && it->is_number_integer())
                text = QString::number(it->get<long long>());
            else if (it->is_null())
                text.clear();
            else {
                built.errors << placeOf(lang, fileName, number, key)
                        + say(lang, "il faut un texte entre guillemets", "expected a text in double quotes");
                continue;
            }
            switch (encodeField(record, field, text)) {
            case EncodeError::None:
                break;
            case EncodeError::TooLong:
                built.errors << placeOf(lang, fileName, number, key)
                        + say(lang, "texte trop long : %1 caractères pour %2 au plus",
                            "text too long: %1 characters, at most %2")
                              .arg(text.size())
                              .arg(layoutOf(field).capacity);
                break;
            case EncodeError::NotWindows1252:
                for (const Unencodable &bad : unencodableCharacters(text))
                    built.errors << placeOf(lang, fileName, number, key)
                            + say(lang, "caractère %1 absent de Windows-1252, au caractère %2",
                                "character %1 is not in Windows-1252, at character %2")
                                  .arg(codePointText(bad.character))
                                  .arg(bad.position);
                break;
            }
        }
        built.records.push_back(record);
    }
    if (built.records.size() > std::size_t(MaxQuestions))
        built.warnings << placeOf(lang, fileName)
                + say(lang, "%1 enregistrements : le lecteur ne lit que les 100 premiers",
                    "%1 records: the player reads only the first 100")
                      .arg(built.records.size());
    if (built.errors.isEmpty()) {
        for (std::size_t i = 0; i < built.records.size(); ++i) {
            if (!built.records[i].hasQuestion()) {
                if (i + 1 < built.records.size())
                    built.warnings << placeOf(lang, fileName, int(i + 1), QStringLiteral("QuestionText"))
                            + say(lang, "question vide : le QCM s'arrête là, les enregistrements suivants ne seront "
                                        "jamais posés",
                                "empty question: the quiz ends here, the records after it are never asked");
                break;
            }
        }
    }
    return built;
}

bool readWholeQuiz(const QString &path, std::vector<QuestionRecord> &records, std::size_t &trailingBytes,
    QString &error, Lang lang)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        error = placeOf(lang, path) + say(lang, "ouverture impossible (%1)", "cannot open (%1)").arg(file.errorString());
        return false;
    }
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        error = placeOf(lang, path) + say(lang, "lecture impossible (%1)", "cannot read (%1)").arg(file.errorString());
        return false;
    }
    records = parseRecords(std::span(reinterpret_cast<const std::uint8_t *>(data.constData()), std::size_t(data.size())));
    trailingBytes = std::size_t(data.size()) % RecordSize;
    return true;
}

} // namespace qcm::authoring
