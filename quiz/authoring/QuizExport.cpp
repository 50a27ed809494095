#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QXmlStreamWriter>
#include <bit>

#include "quiz/RecordText.h"
#include "quiz/Judging.h"
#include "quiz/authoring/Markup.h"
#include "quiz/authoring/QuizExport.h"

namespace qcm::authoring {

namespace {

// Weights that sum to 100 for a Moodle-style grading of k right answers.
QString shareOf(int k)
{
    switch (k) {
    case 1: return QStringLiteral("100");
    case 2: return QStringLiteral("50");
    case 3: return QStringLiteral("33.33333");
    case 4: return QStringLiteral("25");
    default: return QStringLiteral("20");
    }
}

struct ExportAnswer
{
    QString text;
    QString weight;
    bool right = false;
};

struct ExportQuestion
{
    int record = 0;
    QString text;
    std::vector<ExportAnswer> answers;
    bool single = true;
    QString rightComment;
    QString wrongComment;
    QString picture;
};

// The asked questions with Moodle-style weights under which the source's
// full-credit answers are exactly what the player judges right.
std::vector<ExportQuestion> exportable(const std::vector<QuestionRecord> &records, const QString &quizName, Lang lang,
    QStringList &report)
{
    std::vector<ExportQuestion> questions;
    const QString file = QFileInfo(quizName).fileName();
    const QString colon = lang == Lang::French ? QStringLiteral(" : ") : QStringLiteral(": ");
    int count = 0;
    while (count < int(records.size()) && count < MaxQuestions && records[std::size_t(count)].hasQuestion())
        ++count;
    if (count < int(records.size()))
        report << file + colon
                + say(lang, "%1 enregistrement(s) après les questions posées ne sont pas exportés",
                    "%1 record(s) after the asked questions are not exported")
                      .arg(int(records.size()) - count);
    for (int r = 0; r < count; ++r) {
        const QuestionRecord &record = records[std::size_t(r)];
        const QString place = file + colon + QStringLiteral("question %1").arg(r + 1) + colon;
        const QString key = decodeField(record, Field::AnswerKey);
        const QString rule = decodeField(record, Field::ValidityRule);
        const bool allOf = isAllOfRule(rule);
        ExportQuestion q;
        q.record = r + 1;
        q.text = decodeField(record, Field::QuestionText);
        q.rightComment = decodeField(record, Field::RightComment);
        q.wrongComment = decodeField(record, Field::WrongComment);
        q.picture = decodeField(record, Field::PictureFile);
        int shown = 0;
        bool gap = false;
        for (int i = 1; i <= 5; ++i) {
            const QString text = decodeField(record, answerField(i));
            if (text.isEmpty()) {
                gap = gap || decodeField(record, answerField(std::min(i + 1, 5))).size() > 0;
                continue;
            }
            shown |= 1 << (i - 1);
            q.answers.push_back({text, QString(), false});
        }
        const int named = keyPropositions(readKeyNumber(key));
        const int right = named & shown;
        bool reachable = false;
        for (int t = 0; t < 32 && !reachable; ++t)
            reachable = (t & ~shown) == 0 && judgedRight(key, rule, t);
        if (!reachable || right == 0) {
            report << place
                    + say(lang, "non exportée : elle ne peut être jugée juste qu'en ne cochant rien, ou jamais (clé « %1 », règle « %2 »)",
                        "not exported: it can be judged right only by ticking nothing, or never (key \"%1\", rule \"%2\")")
                          .arg(key, rule);
            continue;
        }
        if (gap)
            report << place
                    + say(lang, "proposition vide entre deux autres : les suivantes sont renumérotées",
                        "empty proposition between two others: the next ones are renumbered");
        if (!isPlainKey(key))
            report << place + say(lang, "clé « %1 » écrite sous la forme %2", "key \"%1\" written as %2").arg(key).arg(readKeyNumber(key));
        if (!allOf && rule != QLatin1String("OU"))
            report << place + say(lang, "règle « %1 » (au moins une) écrite sous la forme « OU »",
                                  "rule \"%1\" (at least one) written as \"OU\"").arg(rule);
        const int k = std::popcount(unsigned(right));
        int index = 0;
        for (int i = 0; i < 5; ++i) {
            if (!(shown & (1 << i)))
                continue;
            ExportAnswer &a = q.answers[std::size_t(index++)];
            a.right = (right >> i) & 1;
            if (allOf)
                a.weight = a.right ? shareOf(k) : (k == 1 ? QStringLiteral("0") : QStringLiteral("-100"));
            else
                a.weight = a.right ? QStringLiteral("100") : QStringLiteral("0");
        }
        // One right answer under "ET" is a plain single choice; the rest needs check boxes.
        q.single = allOf && k == 1;
        questions.push_back(q);
    }
    return questions;
}

} // namespace

ExportResult exportGift(const std::vector<QuestionRecord> &records, const QString &quizName, Lang lang)
{
    ExportResult result;
    const std::vector<ExportQuestion> questions = exportable(records, quizName, lang, result.report);
    QString gift = QStringLiteral("// %1\n\n").arg(QFileInfo(quizName).fileName());
    const QString colon = lang == Lang::French ? QStringLiteral(" : ") : QStringLiteral(": ");
    for (const ExportQuestion &q : questions) {
        const QString place = QFileInfo(quizName).fileName() + colon + QStringLiteral("question %1").arg(q.record) + colon;
        if (!q.picture.isEmpty())
            result.report << place + say(lang, "l'image « %1 » n'est pas reprise (GIFT ne contient pas d'images)",
                                         "the picture \"%1\" is not carried over (GIFT holds no pictures)").arg(q.picture);
        gift += QStringLiteral("::Question %1:: %2 {\n").arg(q.record).arg(giftEscape(q.text));
        bool anyWrong = false;
        for (const ExportAnswer &a : q.answers) {
            anyWrong = anyWrong || !a.right;
            const QString feedback = a.right ? q.rightComment : q.wrongComment;
            QString marker;
            if (q.single)
                marker = a.right ? QStringLiteral("=") : QStringLiteral("~");
            else
                marker = QStringLiteral("~%") + a.weight + QLatin1Char('%');
            gift += QStringLiteral("  ") + marker + giftEscape(a.text);
            if (!feedback.isEmpty())
                gift += QStringLiteral(" #") + giftEscape(feedback);
            gift += QLatin1Char('\n');
        }
        if (!anyWrong && !q.wrongComment.isEmpty())
            gift += QStringLiteral("  ####") + giftEscape(q.wrongComment) + QLatin1Char('\n');
        gift += QStringLiteral("}\n\n");
        ++result.exported;
    }
    result.data = gift.toUtf8();
    return result;
}

ExportResult exportMoodleXml(const std::vector<QuestionRecord> &records, const QString &quizName,
    const QString &quizFolder, Lang lang)
{
    ExportResult result;
    const std::vector<ExportQuestion> questions = exportable(records, quizName, lang, result.report);
    const QString colon = lang == Lang::French ? QStringLiteral(" : ") : QStringLiteral(": ");
    QXmlStreamWriter xml(&result.data);
    xml.setAutoFormatting(true);
    xml.setAutoFormattingIndent(2);
    xml.writeStartDocument();
    xml.writeStartElement(QStringLiteral("quiz"));
    const auto textElement = [&xml](const QString &element, const QString &html) {
        xml.writeStartElement(element);
        xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
        xml.writeTextElement(QStringLiteral("text"), html);
        xml.writeEndElement();
    };
    for (const ExportQuestion &q : questions) {
        const QString place = QFileInfo(quizName).fileName() + colon + QStringLiteral("question %1").arg(q.record) + colon;
        xml.writeStartElement(QStringLiteral("question"));
        xml.writeAttribute(QStringLiteral("type"), QStringLiteral("multichoice"));
        xml.writeStartElement(QStringLiteral("name"));
        xml.writeTextElement(QStringLiteral("text"), QStringLiteral("Question %1").arg(q.record));
        xml.writeEndElement();

        QByteArray picture;
        QString pictureName;
        if (!q.picture.isEmpty()) {
            QString relative = q.picture;
            relative.replace(QLatin1Char('\\'), QLatin1Char('/'));
            while (relative.startsWith(QLatin1Char('/')))
                relative.remove(0, 1);
            QFile file(QDir(quizFolder).filePath(relative));
            if (file.open(QIODevice::ReadOnly))
                picture = file.readAll();
            pictureName = QFileInfo(relative).fileName();
            if (picture.isEmpty())
                result.report << place + say(lang, "l'image « %1 » est introuvable, non reprise",
                                             "the picture \"%1\" cannot be found, not carried over").arg(q.picture);
        }
        xml.writeStartElement(QStringLiteral("questiontext"));
        xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
        QString html = QStringLiteral("<p>") + textToHtml(q.text) + QStringLiteral("</p>");
        if (!picture.isEmpty())
            html += QStringLiteral("<p><img src=\"@@PLUGINFILE@@/%1\" alt=\"\"></p>").arg(QString(pictureName).toHtmlEscaped());
        xml.writeTextElement(QStringLiteral("text"), html);
        if (!picture.isEmpty()) {
            xml.writeStartElement(QStringLiteral("file"));
            xml.writeAttribute(QStringLiteral("name"), pictureName);
            xml.writeAttribute(QStringLiteral("path"), QStringLiteral("/"));
            xml.writeAttribute(QStringLiteral("encoding"), QStringLiteral("base64"));
            xml.writeCharacters(QString::fromLatin1(picture.toBase64()));
            xml.writeEndElement();
        }
        xml.writeEndElement();
        textElement(QStringLiteral("generalfeedback"), QString());
        xml.writeTextElement(QStringLiteral("defaultgrade"), QStringLiteral("1"));
        xml.writeTextElement(QStringLiteral("penalty"), QStringLiteral("0"));
        xml.writeTextElement(QStringLiteral("hidden"), QStringLiteral("0"));
        xml.writeTextElement(QStringLiteral("single"), q.single ? QStringLiteral("true") : QStringLiteral("false"));
        // The player keeps the order of the propositions.
        xml.writeTextElement(QStringLiteral("shuffleanswers"), QStringLiteral("false"));
        xml.writeTextElement(QStringLiteral("answernumbering"), QStringLiteral("123"));
        textElement(QStringLiteral("correctfeedback"), textToHtml(q.rightComment));
        textElement(QStringLiteral("partiallycorrectfeedback"), textToHtml(q.wrongComment));
        textElement(QStringLiteral("incorrectfeedback"), textToHtml(q.wrongComment));
        for (const ExportAnswer &a : q.answers) {
            xml.writeStartElement(QStringLiteral("answer"));
            xml.writeAttribute(QStringLiteral("fraction"), a.weight);
            xml.writeAttribute(QStringLiteral("format"), QStringLiteral("html"));
            xml.writeTextElement(QStringLiteral("text"), textToHtml(a.text));
            textElement(QStringLiteral("feedback"), QString());
            xml.writeEndElement();
        }
        xml.writeEndElement();
        ++result.exported;
    }
    xml.writeEndElement();
    xml.writeEndDocument();
    return result;
}

} // namespace qcm::authoring
