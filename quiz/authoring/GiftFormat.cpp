#include <QRegularExpression>

#include "quiz/authoring/Interchange.h"
#include "quiz/authoring/Markup.h"

namespace qcm::authoring {

namespace {

// Position of the next unescaped character among `wanted`, or -1.
qsizetype findUnescaped(const QString &text, const QString &wanted, qsizetype from = 0)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\\'))
            ++i;
        else if (wanted.contains(text.at(i)))
            return i;
    }
    return -1;
}

qsizetype findUnescapedString(const QString &text, const QString &wanted, qsizetype from = 0)
{
    for (qsizetype i = from; i < text.size(); ++i) {
        if (text.at(i) == QLatin1Char('\\'))
            ++i;
        else if (QStringView(text).mid(i).startsWith(wanted))
            return i;
    }
    return -1;
}

struct Block
{
    QString text;
    int line = 0;
};

// Questions are separated by blank lines; a blank line inside braces does not end one.
std::vector<Block> splitBlocks(const QString &source)
{
    std::vector<Block> blocks;
    Block current;
    int depth = 0;
    const QStringList lines = QString(source).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString &line = lines[n];
        const QString trimmed = line.trimmed();
        if (trimmed.startsWith(QLatin1String("//")) || trimmed.startsWith(QLatin1String("$CATEGORY:")))
            continue;
        if (trimmed.isEmpty() && depth == 0) {
            if (!current.text.trimmed().isEmpty())
                blocks.push_back(current);
            current = Block{};
            continue;
        }
        if (current.text.isEmpty())
            current.line = n + 1;
        else
            current.text += QLatin1Char('\n');
        current.text += line;
        for (qsizetype i = 0; i < line.size(); ++i) {
            if (line.at(i) == QLatin1Char('\\'))
                ++i;
            else if (line.at(i) == QLatin1Char('{'))
                ++depth;
            else if (line.at(i) == QLatin1Char('}'))
                depth = std::max(0, depth - 1);
        }
    }
    if (!current.text.trimmed().isEmpty())
        blocks.push_back(current);
    return blocks;
}

// Text in the block's format: [html] is converted, the rest is plain GIFT.
QString giftText(const QString &piece, bool html)
{
    // A format marker may also stand before an answer or a feedback.
    static const QRegularExpression marker(QStringLiteral("^\\s*\\[(html|moodle|plain|markdown)\\]"));
    QString raw = piece;
    if (const auto match = marker.match(raw); match.hasMatch()) {
        html = match.captured(1) == QLatin1String("html");
        raw = raw.mid(match.capturedLength());
    }
    if (html)
        return htmlToText(giftUnescape(raw));
    // Lines of a GIFT text are wrapped prose; only \n breaks a line.
    static const QRegularExpression wrap(QStringLiteral("[ \\t]*\\n[ \\t]*"));
    QString joined = raw.trimmed();
    joined.replace(wrap, QStringLiteral(" "));
    return normalisedLines(giftUnescape(joined));
}

} // namespace

SourceQuiz readGift(const QString &source, Lang lang)
{
    SourceQuiz quiz;
    int number = 0;
    for (const Block &block : splitBlocks(source)) {
        SourceQuestion question;
        question.number = ++number;
        question.line = block.line;
        question.type = QStringLiteral("multichoice");
        QString text = block.text.trimmed();
        if (text.startsWith(QLatin1String("::"))) {
            const qsizetype end = findUnescapedString(text, QStringLiteral("::"), 2);
            if (end > 0) {
                question.title = giftUnescape(text.mid(2, end - 2)).trimmed();
                text = text.mid(end + 2).trimmed();
            }
        }
        bool html = false;
        static const QRegularExpression format(QStringLiteral("^\\[(html|moodle|plain|markdown)\\]"));
        if (const auto match = format.match(text); match.hasMatch()) {
            html = match.captured(1) == QLatin1String("html");
            text = text.mid(match.capturedLength()).trimmed();
        }
        const qsizetype open = findUnescaped(text, QStringLiteral("{"));
        const qsizetype close = open < 0 ? -1 : findUnescaped(text, QStringLiteral("}"), open + 1);
        if (open < 0 || close < 0) {
            question.type = open < 0 ? QStringLiteral("description") : QStringLiteral("?");
            if (close < 0 && open >= 0)
                question.lost << say(lang, "accolade « { » sans « } »", "\"{\" without \"}\"");
            question.text = giftText(text, html);
            quiz.questions.push_back(question);
            continue;
        }
        const QString before = text.left(open).trimmed();
        const QString after = text.mid(close + 1).trimmed();
        question.text = giftText(after.isEmpty() ? before : before + QStringLiteral(" _____ ") + after, html);
        QString answers = text.mid(open + 1, close - open - 1).trimmed();

        if (const qsizetype general = findUnescapedString(answers, QStringLiteral("####")); general >= 0) {
            question.generalFeedback = giftText(answers.mid(general + 4), html);
            answers = answers.left(general).trimmed();
        }
        static const QRegularExpression trueFalse(QStringLiteral("^(T|TRUE|F|FALSE)\\s*(#.*)?$"),
            QRegularExpression::DotMatchesEverythingOption);
        if (answers.isEmpty()) {
            question.type = QStringLiteral("essay");
        } else if (answers.startsWith(QLatin1Char('#'))) {
            question.type = QStringLiteral("numerical");
        } else if (const auto tf = trueFalse.match(answers); tf.hasMatch()) {
            question.type = QStringLiteral("truefalse");
            const bool isTrue = tf.captured(1).startsWith(QLatin1Char('T'));
            question.answers = {{QStringLiteral("Vrai"), isTrue ? 100.0 : 0.0, {}}, {QStringLiteral("Faux"), isTrue ? 0.0 : 100.0, {}}};
            // {T#wrong#right}: the first feedback is for a wrong answer.
            QString feedback = tf.captured(2);
            if (!feedback.isEmpty()) {
                feedback = feedback.mid(1);
                const qsizetype second = findUnescaped(feedback, QStringLiteral("#"));
                question.incorrectFeedback = giftText(second < 0 ? feedback : feedback.left(second), html);
                if (second >= 0)
                    question.correctFeedback = giftText(feedback.mid(second + 1), html);
            }
        } else {
            bool weighted = false;
            bool anyWrong = false;
            qsizetype at = findUnescaped(answers, QStringLiteral("=~"));
            while (at >= 0) {
                const qsizetype next = findUnescaped(answers, QStringLiteral("=~"), at + 1);
                QString piece = answers.mid(at + 1, next < 0 ? -1 : next - at - 1).trimmed();
                SourceAnswer answer;
                const bool right = answers.at(at) == QLatin1Char('=');
                anyWrong = anyWrong || !right;
                answer.weight = right ? 100 : 0;
                static const QRegularExpression weight(QStringLiteral("^%(-?[0-9]+(?:[.,][0-9]+)?)%"));
                if (const auto w = weight.match(piece); w.hasMatch()) {
                    answer.weight = w.captured(1).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
                    piece = piece.mid(w.capturedLength());
                    weighted = true;
                }
                if (const qsizetype hash = findUnescaped(piece, QStringLiteral("#")); hash >= 0) {
                    answer.feedback = giftText(piece.mid(hash + 1), html);
                    piece = piece.left(hash);
                }
                if (findUnescapedString(piece, QStringLiteral("->")) >= 0)
                    question.type = QStringLiteral("matching");
                answer.text = giftText(piece, html);
                question.answers.push_back(answer);
                at = next;
            }
            if (question.type == QLatin1String("multichoice") && !anyWrong)
                question.type = QStringLiteral("shortanswer");
            question.single = !weighted;
        }
        quiz.questions.push_back(question);
    }
    return quiz;
}

SourceQuiz readAiken(const QString &source, Lang lang)
{
    SourceQuiz quiz;
    static const QRegularExpression option(QStringLiteral("^([A-Z])[.)]\\s+(.*)$"));
    static const QRegularExpression answerLine(QStringLiteral("^ANSWER\\s*:\\s*([A-Z])\\s*$"));
    SourceQuestion current;
    QStringList letters;
    const auto finish = [&]() {
        if (current.text.isEmpty() && current.answers.empty())
            return;
        current.number = int(quiz.questions.size()) + 1;
        current.type = QStringLiteral("multichoice");
        quiz.questions.push_back(current);
        current = SourceQuestion{};
        letters.clear();
    };
    const QStringList lines = QString(source).replace(QStringLiteral("\r\n"), QStringLiteral("\n")).split(QLatin1Char('\n'));
    for (int n = 0; n < lines.size(); ++n) {
        const QString line = lines[n].trimmed();
        if (line.isEmpty())
            continue;
        if (const auto a = answerLine.match(line); a.hasMatch()) {
            const qsizetype index = letters.indexOf(a.captured(1));
            if (index < 0)
                current.lost << say(lang, "la réponse %1 ne désigne aucune proposition", "the answer %1 names no option")
                                    .arg(a.captured(1));
            else
                current.answers[std::size_t(index)].weight = 100;
            finish();
        } else if (const auto o = option.match(line); o.hasMatch() && !current.text.isEmpty()) {
            letters << o.captured(1);
            current.answers.push_back({normalisedLines(o.captured(2)), 0, {}});
        } else {
            if (!current.answers.empty()) {
                current.lost << say(lang, "pas de ligne « ANSWER: »", "no \"ANSWER:\" line");
                finish();
            }
            if (current.text.isEmpty())
                current.line = n + 1;
            current.text = current.text.isEmpty() ? line : current.text + QLatin1Char(' ') + line;
        }
    }
    if (!current.answers.empty())
        current.lost << say(lang, "pas de ligne « ANSWER: »", "no \"ANSWER:\" line");
    finish();
    return quiz;
}

bool sourceGivesFullCredit(const SourceQuestion &question, int ticked)
{
    if (ticked == 0)
        return false;
    const int count = int(question.answers.size());
    if (question.single) {
        for (int i = 0; i < count; ++i) {
            if (ticked == (1 << i))
                return question.answers[std::size_t(i)].weight >= 99.99;
        }
        return false;
    }
    double sum = 0;
    for (int i = 0; i < count; ++i) {
        if (ticked & (1 << i))
            sum += question.answers[std::size_t(i)].weight;
    }
    return sum >= 99.99;
}

} // namespace qcm::authoring
