#include <QRegularExpression>
#include <QStringDecoder>
#include <utility>

#include "quiz/Cp1252.h"
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
    QString category;
    bool tooLong = false;
};

// Longest line and question kept: far beyond any real question, small
// enough that a damaged or hostile file cannot fill the memory.
constexpr qint64 MaxLineBytes = 1 << 20;
constexpr qsizetype MaxBlockCharacters = 1 << 20;

// The lines of a text source, decoded as they are read.
class TextLines
{
public:
    TextLines(QIODevice &device, TextEncoding encoding, Lang lang, QStringList &notes) : device(device)
    {
        if (encoding == TextEncoding::Detect)
            encoding = isUtf8() ? TextEncoding::Utf8 : TextEncoding::Windows1252;
        if (encoding == TextEncoding::Windows1252) {
            // Our own table: Qt knows this code page only where it has ICU,
            // which the Windows build has not.
            windows1252 = true;
            notes << say(lang, "le fichier n'est pas en UTF-8 : lu en Windows-1252 (--encoding choisit)",
                "the file is not UTF-8: read as Windows-1252 (--encoding chooses)");
        }
        const QByteArray start = device.peek(3);
        if (start == "\xEF\xBB\xBF" && encoding == TextEncoding::Utf8)
            device.read(3);
    }

    // The next line without its end; false at the end of the source.
    bool read(QString &line)
    {
        if (device.atEnd())
            return false;
        QByteArray bytes = device.readLine(MaxLineBytes);
        if (bytes.isEmpty() && device.atEnd())
            return false;
        ++number;
        if (!bytes.endsWith('\n') && !device.atEnd()) {
            // A line this long is no question text: skip what is left of it.
            while (!device.atEnd() && !device.readLine(MaxLineBytes).endsWith('\n')) {
            }
            longLine = true;
        }
        while (bytes.endsWith('\n') || bytes.endsWith('\r'))
            bytes.chop(1);
        line = windows1252 ? qcm::fromWindows1252(bytes) : decoder.decode(bytes);
        return true;
    }
    int lineNumber() const { return number; }
    bool cutLine()
    {
        return std::exchange(longLine, false);
    }

private:
    bool isUtf8()
    {
        QStringDecoder check(QStringDecoder::Utf8);
        const qint64 start = device.pos();
        bool valid = true;
        while (valid && !device.atEnd()) {
            const QByteArray chunk = device.read(1 << 20);
            if (chunk.isEmpty())
                break;
            (void)QString(check.decode(chunk));
            valid = !check.hasError();
        }
        device.seek(start);
        return valid;
    }

    QIODevice &device;
    QStringDecoder decoder{QStringDecoder::Utf8};
    bool windows1252 = false;
    int number = 0;
    bool longLine = false;
};

// Questions are separated by blank lines; a blank line inside braces does not end one.
class BlockSplitter
{
public:
    BlockSplitter(QIODevice &device, TextEncoding encoding, Lang lang, QStringList &notes)
        : lines(device, encoding, lang, notes)
    {
    }

    bool next(Block &block)
    {
        Block current;
        current.category = category;
        int depth = 0;
        QString line;
        while (lines.read(line)) {
            current.tooLong = current.tooLong || lines.cutLine();
            const QString trimmed = line.trimmed();
            if (trimmed.startsWith(QLatin1String("$CATEGORY:")) && depth == 0) {
                category = trimmed.mid(10).trimmed();
                if (current.text.trimmed().isEmpty())
                    current.category = category;
                continue;
            }
            if (trimmed.startsWith(QLatin1String("//")))
                continue;
            if (trimmed.isEmpty() && depth == 0) {
                if (!current.text.trimmed().isEmpty()) {
                    block = current;
                    return true;
                }
                current = Block{};
                current.category = category;
                continue;
            }
            if (current.text.isEmpty())
                current.line = lines.lineNumber();
            else
                current.text += QLatin1Char('\n');
            if (current.text.size() + line.size() > MaxBlockCharacters)
                current.tooLong = true;
            else
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
        if (current.text.trimmed().isEmpty())
            return false;
        block = current;
        return true;
    }

private:
    TextLines lines;
    QString category;
};

enum class TextFormat { Plain, Html, Markdown };

TextFormat formatNamed(const QString &name)
{
    if (name == QLatin1String("html"))
        return TextFormat::Html;
    if (name == QLatin1String("markdown"))
        return TextFormat::Markdown;
    return TextFormat::Plain;
}

// Text in the block's format ([html] and [markdown] are converted, the rest
// is plain GIFT); what a link or a sound pointed to goes to `dropped`.
QString giftText(const QString &piece, TextFormat format, QList<DroppedMedia> &dropped)
{
    // A format marker may also stand before an answer or a feedback.
    static const QRegularExpression marker(QStringLiteral("^\\s*\\[(html|moodle|plain|markdown)\\]"));
    QString raw = piece;
    if (const auto match = marker.match(raw); match.hasMatch()) {
        format = formatNamed(match.captured(1));
        raw = raw.mid(match.capturedLength());
    }
    if (format == TextFormat::Html)
        return htmlToText(giftUnescape(raw), &dropped);
    // Lines of a GIFT text are wrapped prose; only \n breaks a line.
    static const QRegularExpression wrap(QStringLiteral("[ \\t]*\\n[ \\t]*"));
    QString joined = raw.trimmed();
    joined.replace(wrap, QStringLiteral(" "));
    if (format == TextFormat::Markdown)
        return markdownToText(giftUnescape(joined), &dropped);
    return normalisedLines(giftUnescape(joined));
}

void readAnswers(SourceQuestion &question, QString answers, TextFormat format, QList<DroppedMedia> &dropped)
{
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
            question.incorrectFeedback = giftText(second < 0 ? feedback : feedback.left(second), format, dropped);
            if (second >= 0)
                question.correctFeedback = giftText(feedback.mid(second + 1), format, dropped);
        }
    } else {
        bool weighted = false;
        bool anyWrong = false;
        bool arrows = false;
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
                answer.feedback = giftText(piece.mid(hash + 1), format, dropped);
                piece = piece.left(hash);
            }
            arrows = arrows || findUnescapedString(piece, QStringLiteral("->")) >= 0;
            answer.text = giftText(piece, format, dropped);
            question.answers.push_back(answer);
            at = next;
        }
        // A block with a wrong answer is multiple choice, where "->" is only
        // text; without one it is matching (with arrows) or short answer.
        if (!anyWrong)
            question.type = arrows ? QStringLiteral("matching") : QStringLiteral("shortanswer");
        question.single = !weighted;
    }
}

SourceQuestion giftQuestion(const Block &block, int number, Lang lang)
{
    SourceQuestion question;
    question.number = number;
    question.line = block.line;
    question.category = block.category;
    question.type = QStringLiteral("multichoice");
    if (block.tooLong) {
        question.type = QStringLiteral("?");
        question.lost << say(lang, "question de plus d'un million de caractères", "question of more than a million characters");
        return question;
    }
    QString text = block.text.trimmed();
    if (text.startsWith(QLatin1String("::"))) {
        const qsizetype end = findUnescapedString(text, QStringLiteral("::"), 2);
        if (end > 0) {
            question.title = giftUnescape(text.mid(2, end - 2)).trimmed();
            text = text.mid(end + 2).trimmed();
        }
    }
    TextFormat format = TextFormat::Plain;
    static const QRegularExpression marker(QStringLiteral("^\\[(html|moodle|plain|markdown)\\]"));
    if (const auto match = marker.match(text); match.hasMatch()) {
        format = formatNamed(match.captured(1));
        text = text.mid(match.capturedLength()).trimmed();
    }
    QList<DroppedMedia> dropped;
    const qsizetype open = findUnescaped(text, QStringLiteral("{"));
    const qsizetype close = open < 0 ? -1 : findUnescaped(text, QStringLiteral("}"), open + 1);
    if (open < 0 || close < 0) {
        question.type = open < 0 ? QStringLiteral("description") : QStringLiteral("?");
        if (close < 0 && open >= 0)
            question.lost << say(lang, "accolade « { » sans « } »", "\"{\" without \"}\"");
        question.text = giftText(text, format, dropped);
        return question;
    }
    const QString before = text.left(open).trimmed();
    const QString after = text.mid(close + 1).trimmed();
    question.text = giftText(after.isEmpty() ? before : before + QStringLiteral(" _____ ") + after, format, dropped);
    QString answers = text.mid(open + 1, close - open - 1).trimmed();
    if (const qsizetype general = findUnescapedString(answers, QStringLiteral("####")); general >= 0) {
        question.generalFeedback = giftText(answers.mid(general + 4), format, dropped);
        answers = answers.left(general).trimmed();
    }
    readAnswers(question, answers, format, dropped);
    for (const DroppedMedia &media : dropped)
        question.lost << droppedMediaText(media, lang);
    return question;
}

class GiftReader : public SourceReader
{
public:
    GiftReader(QIODevice &device, TextEncoding encoding, Lang lang) : blocks(device, encoding, lang, notes), lang(lang) {}

    bool next(SourceQuestion &question) override
    {
        Block block;
        if (!blocks.next(block))
            return false;
        question = giftQuestion(block, ++number, lang);
        return true;
    }

private:
    BlockSplitter blocks;
    Lang lang;
    int number = 0;
};

class AikenReader : public SourceReader
{
public:
    AikenReader(QIODevice &device, TextEncoding encoding, Lang lang) : lines(device, encoding, lang, notes), lang(lang) {}

    bool next(SourceQuestion &question) override
    {
        static const QRegularExpression option(QStringLiteral("^([A-Z])[.)]\\s+(.*)$"));
        static const QRegularExpression answerLine(QStringLiteral("^ANSWER\\s*:\\s*([A-Z])\\s*$"));
        QString raw;
        while (lines.read(raw)) {
            const QString line = raw.trimmed();
            if (line.isEmpty())
                continue;
            if (const auto a = answerLine.match(line); a.hasMatch()) {
                const qsizetype index = letters.indexOf(a.captured(1));
                if (index < 0)
                    current.lost << say(lang, "la réponse %1 ne désigne aucune proposition", "the answer %1 names no option")
                                        .arg(a.captured(1));
                else
                    current.answers[std::size_t(index)].weight = 100;
                if (finish(question))
                    return true;
            } else if (const auto o = option.match(line); o.hasMatch() && !current.text.isEmpty()) {
                letters << o.captured(1);
                if (current.answers.size() < MaxAnswers)
                    current.answers.push_back({normalisedLines(o.captured(2)), 0, {}});
                else
                    ++current.answersNotRead;
            } else {
                SourceQuestion ended;
                if (!current.answers.empty()) {
                    current.lost << say(lang, "pas de ligne « ANSWER: »", "no \"ANSWER:\" line");
                    finish(ended);
                }
                if (current.text.isEmpty())
                    current.line = lines.lineNumber();
                if (current.text.size() < MaxBlockCharacters)
                    current.text = current.text.isEmpty() ? line : current.text + QLatin1Char(' ') + line;
                if (!ended.text.isEmpty() || !ended.answers.empty()) {
                    question = ended;
                    return true;
                }
            }
        }
        if (!current.answers.empty())
            current.lost << say(lang, "pas de ligne « ANSWER: »", "no \"ANSWER:\" line");
        return finish(question);
    }

private:
    static constexpr std::size_t MaxAnswers = 26;

    bool finish(SourceQuestion &question)
    {
        if (current.text.isEmpty() && current.answers.empty())
            return false;
        current.number = ++number;
        current.type = QStringLiteral("multichoice");
        question = std::exchange(current, SourceQuestion{});
        letters.clear();
        return true;
    }

    TextLines lines;
    Lang lang;
    SourceQuestion current;
    QStringList letters;
    int number = 0;
};

} // namespace

std::unique_ptr<SourceReader> giftReader(QIODevice &device, TextEncoding encoding, Lang lang)
{
    return std::make_unique<GiftReader>(device, encoding, lang);
}

std::unique_ptr<SourceReader> aikenReader(QIODevice &device, TextEncoding encoding, Lang lang)
{
    return std::make_unique<AikenReader>(device, encoding, lang);
}

SourceQuiz readAll(SourceReader &reader)
{
    SourceQuiz quiz;
    for (SourceQuestion question; reader.next(question);)
        quiz.questions.push_back(std::move(question));
    quiz.errors = reader.errors;
    return quiz;
}

QString droppedMediaText(const DroppedMedia &media, Lang lang)
{
    switch (media.kind) {
    case DroppedMedia::Kind::Sound:
        return say(lang, "son « %1 » non repris : le lecteur ne joue pas de son", "sound \"%1\" dropped: the player plays no sound")
            .arg(media.target);
    case DroppedMedia::Kind::Video:
        return say(lang, "vidéo « %1 » non reprise : le lecteur ne montre pas de vidéo", "video \"%1\" dropped: the player shows no video")
            .arg(media.target);
    case DroppedMedia::Kind::Link:
        break;
    }
    return say(lang, "lien vers « %1 » non repris (son texte reste)", "link to \"%1\" dropped (its text stays)").arg(media.target);
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
