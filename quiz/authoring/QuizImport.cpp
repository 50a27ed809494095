#include "quiz/authoring/QuizImport.h"

#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <bit>

#include "pictures/PictureFormat.h"
#include "quiz/Cp1252.h"
#include "quiz/RecordText.h"
#include "quiz/Judging.h"

namespace qcm::authoring {

namespace {

QString questionPlace(const QString &source, const SourceQuestion &q, Lang lang)
{
    QString place = QFileInfo(source).fileName() + (lang == Lang::French ? QStringLiteral(" : ") : QStringLiteral(": "))
        + QStringLiteral("question %1").arg(q.number);
    if (q.line > 0)
        place += say(lang, " (ligne %1)", " (line %1)").arg(q.line);
    else if (!q.title.isEmpty())
        place += QStringLiteral(" « %1 »").arg(q.title.left(40));
    return place;
}

QString unicodeName(char32_t c)
{
    return QStringLiteral("« %1 » (U+%2)")
        .arg(QString::fromUcs4(&c, 1), QString::number(uint(c), 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

class Converter
{
public:
    Converter(const QString &sourceName, const ImportOptions &options) : sourceName(sourceName), options(options) {}

    bool convert(const SourceQuestion &q, ImportResult &result)
    {
        place = questionPlace(sourceName, q, options.lang);
        lines.clear();
        ok = true;
        for (const QString &lost : q.lost)
            note(QString(), lost);
        if (q.type != QLatin1String("multichoice") && q.type != QLatin1String("truefalse")) {
            fail(QString(), say(options.lang, "type de question %1 non pris en charge (seuls les choix multiples et vrai/faux le "
                                              "sont) : question laissée de côté",
                                "question type %1 not supported (only multiple choice and true/false are): question left out")
                                .arg(q.type));
            return finish(result);
        }
        if (q.answers.size() > 5) {
            fail(QString(), say(options.lang, "%1 propositions, 5 au plus : question laissée de côté",
                                "%1 answers, at most 5: question left out")
                                .arg(q.answers.size()));
            return finish(result);
        }
        if (q.answers.empty() || q.text.trimmed().isEmpty()) {
            fail(QString(), say(options.lang, "question sans texte ou sans proposition : laissée de côté",
                                "question without text or answers: left out"));
            return finish(result);
        }
        const int n = int(q.answers.size());
        bool anyRight = false;
        for (int s = 1; s < (1 << n); ++s)
            anyRight = anyRight || sourceGivesFullCredit(q, s);
        if (!anyRight) {
            fail(QStringLiteral("AnswerKey"), say(options.lang, "aucune réponse ne donne tous les points : question laissée de côté",
                                                  "no answer gives full credit: question left out"));
            return finish(result);
        }

        // The key and rule under which the player judges right exactly what
        // the source gives full credit for; a single-choice source is only
        // compared on single ticks, the only ones it allows.
        int key = -1;
        QString rule;
        for (const QString &candidate : {QStringLiteral("ET"), QStringLiteral("OU")}) {
            for (int k = 1; k < (1 << n) && key < 0; ++k) {
                bool same = true;
                for (int s = 0; s < (1 << n) && same; ++s) {
                    if (q.single && std::popcount(unsigned(s)) > 1)
                        continue;
                    same = judgedRight(QString::number(k), candidate, s) == sourceGivesFullCredit(q, s);
                }
                if (same) {
                    key = k;
                    rule = candidate;
                }
            }
            if (key >= 0)
                break;
        }
        if (key < 0) {
            key = 0;
            for (int i = 0; i < n; ++i) {
                if (q.answers[std::size_t(i)].weight > 0)
                    key |= 1 << i;
            }
            rule = QStringLiteral("ET");
            note(QStringLiteral("AnswerKey"),
                say(options.lang, "notes partielles non reprises : seul le choix exact des propositions à note positive (clé %1) "
                                  "sera jugé juste",
                    "partial credit not carried over: only ticking exactly the answers of positive weight (key %1) is "
                    "judged right")
                    .arg(key));
        }

        QuestionRecord record;
        put(record, Field::QuestionText, q.text);
        for (int i = 0; i < n; ++i) {
            QString text = q.answers[std::size_t(i)].text;
            if (text.isEmpty()) {
                text = QStringLiteral(" "); // an empty proposition would be hidden
                note(fieldName(int(answerField(i + 1))),
                    say(options.lang, "proposition vide, écrite comme un blanc", "empty answer, written as a blank"));
            }
            put(record, answerField(i + 1), text);
        }
        put(record, Field::AnswerKey, QString::number(key));
        put(record, Field::ValidityRule, rule);

        // Feedback: the source's own for a right or wrong answer, else what its
        // answers share, else the general one; a correction is always given.
        const auto shared = [&q, key](bool right) {
            QString common;
            for (int i = 0; i < int(q.answers.size()); ++i) {
                const bool isRight = (key >> i) & 1;
                const QString &f = q.answers[std::size_t(i)].feedback;
                if (isRight != right || f.isEmpty())
                    continue;
                if (!common.isEmpty() && common != f)
                    return QString();
                common = f;
            }
            return common;
        };
        QString right = q.correctFeedback;
        if (right.isEmpty())
            right = shared(true);
        if (right.isEmpty())
            right = q.generalFeedback;
        QString wrong = q.incorrectFeedback;
        if (wrong.isEmpty())
            wrong = shared(false);
        if (wrong.isEmpty())
            wrong = q.generalFeedback;
        if (wrong.isEmpty()) {
            QStringList names;
            for (int i = 0; i < n; ++i) {
                if ((key >> i) & 1)
                    names << QStringLiteral("« %1 »").arg(q.answers[std::size_t(i)].text);
            }
            wrong = isAllOfRule(rule)
                ? (names.size() == 1 ? QStringLiteral("La bonne réponse était : ") : QStringLiteral("Les bonnes réponses étaient : "))
                    + names.join(QStringLiteral(", ")) + QLatin1Char('.')
                : QStringLiteral("Il suffisait de cocher l'une de ces propositions : ") + names.join(QStringLiteral(", "))
                    + QLatin1Char('.');
            note(QStringLiteral("WrongComment"), say(options.lang, "pas de correction dans la source : elle nomme les bonnes propositions",
                                                     "no correction in the source: it names the right answers"));
        }
        bool differing = false;
        for (const SourceAnswer &a : q.answers)
            differing = differing || (!a.feedback.isEmpty() && a.feedback != right && a.feedback != wrong);
        if (differing)
            note(QString(), say(options.lang, "les remarques propres à chaque proposition ne sont pas reprises (le lecteur n'a qu'un "
                                              "commentaire et une correction par question)",
                                "per-answer feedback not carried over (the player has one comment and one correction per question)"));
        put(record, Field::RightComment, right);
        put(record, Field::WrongComment, wrong);

        if (!q.pictures.empty())
            takePicture(q, record, result);
        if (ok)
            result.records.push_back(record);
        return finish(result);
    }

private:
    void note(const QString &field, const QString &text)
    {
        lines << place + (field.isEmpty() ? QString() : QStringLiteral(", ") + field)
                + (options.lang == Lang::French ? QStringLiteral(" : ") : QStringLiteral(": ")) + text;
    }
    void fail(const QString &field, const QString &text)
    {
        note(field, text);
        ok = false;
    }
    bool finish(ImportResult &result)
    {
        result.report << lines;
        if (!ok)
            ++result.leftOut;
        return ok;
    }

    void put(QuestionRecord &record, Field field, QString text)
    {
        const QString name = fieldName(int(field));
        const auto bad = unencodableCharacters(text);
        if (!bad.empty()) {
            if (!options.replace) {
                for (const Unencodable &c : bad)
                    note(name, say(options.lang, "caractère %1 absent de Windows-1252, au caractère %2",
                                   "character %1 is not in Windows-1252, at character %2")
                                   .arg(unicodeName(c.character))
                                   .arg(c.position));
                fail(name, say(options.lang, "question laissée de côté (--replace remplace ces caractères)",
                               "question left out (--replace replaces such characters)"));
                return;
            }
            QString replaced;
            for (const char32_t c : QStringView(text).toUcs4()) {
                if (windows1252Byte(c) >= 0) {
                    replaced += QString::fromUcs4(&c, 1);
                    continue;
                }
                const QString by = replacementFor(c);
                note(name, say(options.lang, "%1 remplacé par « %2 »", "%1 replaced with \"%2\"").arg(unicodeName(c), by));
                replaced += by;
            }
            text = replaced;
        }
        const qsizetype capacity = qsizetype(layoutOf(field).capacity);
        if (text.size() > capacity) {
            if (!options.cut) {
                fail(name, say(options.lang, "texte de %1 caractères, %2 au plus : question laissée de côté (--cut le coupe)",
                               "text of %1 characters, at most %2: question left out (--cut cuts it)")
                               .arg(text.size())
                               .arg(capacity));
                return;
            }
            note(name, say(options.lang, "texte de %1 caractères coupé à %2", "text of %1 characters cut to %2")
                           .arg(text.size())
                           .arg(capacity));
            text = text.left(capacity - 1) + QChar(0x2026);
        }
        encodeField(record, field, text);
    }

    void takePicture(const SourceQuestion &q, QuestionRecord &record, ImportResult &result)
    {
        for (std::size_t i = 1; i < q.pictures.size(); ++i)
            note(QStringLiteral("PictureFile"), say(options.lang, "image %1 non reprise : une seule image par question",
                                                    "picture %1 not carried over: one picture per question")
                                                    .arg(q.pictures[i].name));
        const SourcePicture &picture = q.pictures.front();
        QFileInfo info(picture.name);
        QString extension = info.suffix().toLower();
        QByteArray data = picture.data;
        if (!pictures::pictureExtensions().contains(extension)) {
            QString converted;
            data = options.convertPicture ? options.convertPicture(picture.data, &converted) : QByteArray();
            if (data.isEmpty()) {
                note(QStringLiteral("PictureFile"), say(options.lang, "image %1 dans un format que le lecteur ne sait pas afficher, "
                                                                      "non reprise",
                                                        "picture %1 in a format the player cannot show, not carried over")
                                                        .arg(picture.name));
                return;
            }
            note(QStringLiteral("PictureFile"), say(options.lang, "image %1 convertie en %2", "picture %1 converted to %2")
                                                    .arg(picture.name, converted));
            extension = converted;
        }
        // Short, plain names: the field holds 50 characters with the folder.
        static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9_-]+"));
        QString base = info.completeBaseName();
        base = base.normalized(QString::NormalizationForm_D).replace(unsafe, QStringLiteral("_"));
        if (base.isEmpty())
            base = QStringLiteral("image");
        const QString folder = QStringLiteral("images");
        const qsizetype room = 50 - folder.size() - 1 - extension.size() - 1 - 3;
        base = base.left(room);
        QString name = base + QLatin1Char('.') + extension;
        for (int n = 2; used.contains(name.toLower()); ++n)
            name = base + QStringLiteral("-%1.").arg(n) + extension;
        used.insert(name.toLower());
        put(record, Field::PictureFile, folder + QLatin1Char('\\') + name);
        result.pictures.push_back({folder + QLatin1Char('/') + name, data});
    }

    QString sourceName;
    const ImportOptions &options;
    QString place;
    QStringList lines;
    bool ok = true;
    QSet<QString> used;
};

} // namespace

QString replacementFor(char32_t c)
{
    static const QHash<char32_t, QString> table = {
        {0x2212, QStringLiteral("-")}, {0x2010, QStringLiteral("-")}, {0x2011, QStringLiteral("-")},
        {0x2264, QStringLiteral("<=")}, {0x2265, QStringLiteral(">=")}, {0x2260, QStringLiteral("<>")},
        {0x2248, QStringLiteral("~")}, {0x221A, QStringLiteral("racine de ")}, {0x03C0, QStringLiteral("pi")},
        {0x2009, QStringLiteral(" ")}, {0x202F, QStringLiteral("\u00A0")}, {0x2007, QStringLiteral(" ")},
        {0x200B, QString()}, {0x2192, QStringLiteral("->")}, {0x2190, QStringLiteral("<-")},
        {0x2032, QStringLiteral("'")}, {0x2033, QStringLiteral("\"")}, {0x2153, QStringLiteral("1/3")},
        {0x2154, QStringLiteral("2/3")}, {0x215B, QStringLiteral("1/8")}, {0x2074, QStringLiteral("^4")},
        {0x2070, QStringLiteral("^0")}, {0x2075, QStringLiteral("^5")}, {0x2076, QStringLiteral("^6")},
        {0x2217, QStringLiteral("*")}, {0x2215, QStringLiteral("/")}, {0x03B1, QStringLiteral("alpha")},
        {0x03B2, QStringLiteral("bêta")}, {0x03B3, QStringLiteral("gamma")}, {0x03B4, QStringLiteral("delta")},
        {0x0394, QStringLiteral("Delta")}, {0x03B8, QStringLiteral("thêta")}, {0x03BB, QStringLiteral("lambda")},
        {0x03BC, QStringLiteral("\u00B5")}, {0x03C3, QStringLiteral("sigma")}, {0x03A9, QStringLiteral("Oméga")}};
    if (const auto it = table.constFind(c); it != table.constEnd())
        return *it;
    // A letter with a mark the code page lacks keeps its base letter.
    const QString decomposed = QString::fromUcs4(&c, 1).normalized(QString::NormalizationForm_KD);
    QString kept;
    for (const char32_t d : QStringView(decomposed).toUcs4()) {
        if (windows1252Byte(d) >= 0 && !(d >= 0x300 && d < 0x370))
            kept += QString::fromUcs4(&d, 1);
    }
    return kept.isEmpty() ? QStringLiteral("?") : kept;
}

std::optional<InterchangeFormat> guessFormat(const QString &path, const QByteArray &contents)
{
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == QLatin1String("gift"))
        return InterchangeFormat::Gift;
    if (suffix == QLatin1String("xml"))
        return InterchangeFormat::MoodleXml;
    if (suffix == QLatin1String("txt")) {
        static const QRegularExpression aiken(QStringLiteral("^\\s*ANSWER\\s*:\\s*[A-Z]\\s*$"),
            QRegularExpression::MultilineOption);
        return aiken.match(QString::fromUtf8(contents)).hasMatch() ? InterchangeFormat::Aiken : InterchangeFormat::Gift;
    }
    return std::nullopt;
}

SourceQuiz readSource(InterchangeFormat format, const QByteArray &contents, Lang lang)
{
    QByteArray text = contents;
    if (text.startsWith("\xEF\xBB\xBF"))
        text.remove(0, 3);
    switch (format) {
    case InterchangeFormat::Gift: return readGift(QString::fromUtf8(text), lang);
    case InterchangeFormat::Aiken: return readAiken(QString::fromUtf8(text), lang);
    case InterchangeFormat::MoodleXml: return readMoodleXml(contents, lang);
    }
    return {};
}

ImportResult importQuestions(const SourceQuiz &source, const QString &sourceName, const ImportOptions &options)
{
    ImportResult result;
    Converter converter(sourceName, options);
    for (const SourceQuestion &question : source.questions)
        converter.convert(question, result);
    if (result.records.size() > std::size_t(MaxQuestions))
        result.report << QFileInfo(sourceName).fileName()
                + say(options.lang, " : %1 questions, le lecteur n'en pose que 100", ": %1 questions, the player asks only 100")
                      .arg(result.records.size());
    return result;
}

} // namespace qcm::authoring
