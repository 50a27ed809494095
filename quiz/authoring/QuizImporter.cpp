#include "quiz/authoring/QuizImport.h"

#include <QCryptographicHash>
#include <QFileInfo>
#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <bit>
#include <optional>
#include <utility>

#include "quiz/Cp1252.h"
#include "quiz/FieldName.h"
#include "quiz/PictureFormat.h"
#include "quiz/RecordText.h"
#include "quiz/Judging.h"

namespace qcm::authoring {

namespace {

constexpr int MaxPropositions = 5;

QString colon(Lang lang) { return lang == Lang::French ? QStringLiteral(" : ") : QStringLiteral(": "); }

QString questionPlace(const QString &source, const SourceQuestion &q, Lang lang)
{
    QString place = QFileInfo(source).fileName() + colon(lang) + QStringLiteral("question %1").arg(q.number);
    if (q.line > 0)
        place += say(lang, " (ligne %1)", " (line %1)").arg(q.line);
    else if (!q.title.isEmpty())
        place += QStringLiteral(" « %1 »").arg(q.title.left(40));
    return place;
}

// A field as the teacher knows it, after the question's place.
QString fieldLabel(Field field, Lang lang)
{
    if (lang == Lang::French)
        return fieldNameInFrenchAlone(field);
    switch (field) {
    case Field::QuestionText: return QStringLiteral("question text");
    case Field::Answer1:
    case Field::Answer2:
    case Field::Answer3:
    case Field::Answer4:
    case Field::Answer5: return QStringLiteral("answer %1").arg(int(field) - int(Field::Answer1) + 1);
    case Field::RightComment: return QStringLiteral("comment");
    case Field::WrongComment: return QStringLiteral("correction");
    case Field::PictureFile: return QStringLiteral("picture");
    case Field::AnswerKey: return QStringLiteral("key");
    case Field::ValidityRule: return QStringLiteral("rule");
    case Field::RecordTag: break;
    }
    return {};
}

QString unicodeName(char32_t c)
{
    return QStringLiteral("« %1 » (U+%2)")
        .arg(QString::fromUcs4(&c, 1), QString::number(uint(c), 16).toUpper().rightJustified(4, QLatin1Char('0')));
}

// Parts of an emoji that are not shown on their own: no message of their own.
bool isEmojiJoiner(char32_t c) { return c == 0xFE0F || c == 0x200D || c == 0x20E3 || (c >= 0x1F3FB && c <= 0x1F3FF); }

struct KeyAndRule
{
    int key = 0;
    QString rule;
    bool exact = true; // judged exactly as the source grades
};

// The key and rule under which the player judges right exactly what the
// source gives full credit for; a single-choice source is only compared on
// single ticks, the only ones it allows. Otherwise the answers of positive
// weight, all required.
KeyAndRule keyAndRuleFor(const SourceQuestion &q)
{
    const int n = int(q.answers.size());
    for (const QString &rule : {QStringLiteral("ET"), QStringLiteral("OU")}) {
        for (int key = 1; key < (1 << n); ++key) {
            bool same = true;
            for (int s = 0; s < (1 << n) && same; ++s) {
                if (q.single && std::popcount(unsigned(s)) > 1)
                    continue;
                same = judgedRight(QString::number(key), rule, s) == sourceGivesFullCredit(q, s);
            }
            if (same)
                return {key, rule, true};
        }
    }
    KeyAndRule fallback{0, QStringLiteral("ET"), false};
    for (int i = 0; i < n; ++i) {
        if (q.answers[std::size_t(i)].weight > 0)
            fallback.key |= 1 << i;
    }
    return fallback;
}

// "Il suffisait de cocher la proposition « … »." and its kin, in the teacher's language.
QString generatedCorrection(const SourceQuestion &q, const KeyAndRule &judging, Lang lang)
{
    QStringList names;
    for (int i = 0; i < int(q.answers.size()); ++i) {
        if ((judging.key >> i) & 1)
            names << QStringLiteral("« %1 »").arg(q.answers[std::size_t(i)].text);
    }
    const QString list = names.join(QStringLiteral(", "));
    const bool one = names.size() == 1;
    if (isAllOfRule(judging.rule))
        return (one ? say(lang, "La bonne réponse était : %1.", "The right answer was: %1.")
                    : say(lang, "Les bonnes réponses étaient : %1.", "The right answers were: %1."))
            .arg(list);
    return (one ? say(lang, "Il suffisait de cocher la proposition %1.", "Ticking the answer %1 was enough.")
                : say(lang, "Il suffisait de cocher l'une de ces propositions : %1.", "Ticking one of these answers was enough: %1."))
        .arg(list);
}

struct FeedbackChoice
{
    QString right;   // the verdict's own feedback, or empty
    QString wrong;
    QString general; // for either verdict
    bool generated = false;
    bool differing = false; // per-answer feedback that neither comment carries
};

// The source's own feedback for a right or wrong answer, else what its
// answers of that verdict share; a correction is always given.
FeedbackChoice feedbackFor(const SourceQuestion &q, const KeyAndRule &judging, Lang lang)
{
    const auto shared = [&q, &judging](bool right) {
        QString common;
        for (int i = 0; i < int(q.answers.size()); ++i) {
            const bool isRight = (judging.key >> i) & 1;
            const QString &f = q.answers[std::size_t(i)].feedback;
            if (isRight != right || f.isEmpty())
                continue;
            if (!common.isEmpty() && common != f)
                return QString();
            common = f;
        }
        return common;
    };
    FeedbackChoice choice;
    choice.general = q.generalFeedback;
    choice.right = q.correctFeedback.isEmpty() ? shared(true) : q.correctFeedback;
    choice.wrong = q.incorrectFeedback.isEmpty() ? shared(false) : q.incorrectFeedback;
    if (choice.wrong.isEmpty() && choice.general.isEmpty()) {
        choice.wrong = generatedCorrection(q, judging, lang);
        choice.generated = true;
    }
    for (const SourceAnswer &a : q.answers)
        choice.differing = choice.differing || (!a.feedback.isEmpty() && a.feedback != choice.right && a.feedback != choice.wrong);
    return choice;
}

QString plainFileName(const QString &name)
{
    // Short, plain names: the field holds the folder too.
    static const QRegularExpression marks(QStringLiteral("\\p{Mn}+"));
    static const QRegularExpression unsafe(QStringLiteral("[^A-Za-z0-9_-]+"));
    QString base = QFileInfo(name).completeBaseName().normalized(QString::NormalizationForm_KD);
    base.remove(marks).replace(unsafe, QStringLiteral("_"));
    return base.isEmpty() ? QStringLiteral("image") : base;
}

// What the player shows without conversion: its own formats, left as they are.
ConvertedPicture keptAsItIs(const QByteArray &data, const QString &extension, Lang lang)
{
    ConvertedPicture kept;
    kept.source = extension.toUpper();
    if (pictureExtensions().contains(extension)) {
        kept.data = data;
        kept.extension = extension;
    } else {
        kept.failure = say(lang, "format que le lecteur ne sait pas afficher", "a format the player cannot show");
    }
    return kept;
}

} // namespace

QuizImporter::QuizImporter(const QString &sourceName, const ImportOptions &options)
    : sourceName(sourceName)
    , options(options)
{
}

ImportResult QuizImporter::take() { return std::exchange(pending, ImportResult{}); }

bool QuizImporter::add(const SourceQuestion &source)
{
    ++counted.read;
    place = questionPlace(sourceName, source, options.lang);
    lines.clear();
    ok = true;
    shortened = false;
    for (const QString &lost : source.lost)
        note(QString(), lost);
    SourceQuestion q = source;
    if (supported(q) && fewEnoughPropositions(q)) {
        QuestionRecord record;
        fill(q, record);
        if (ok && !q.pictures.empty())
            takePicture(q, record);
        if (ok)
            pending.records.push_back(record);
    }
    pending.report << lines;
    ok ? ++counted.imported : ++counted.leftOut;
    counted.shortened += ok && shortened;
    if (!ok)
        ++pending.leftOut;
    return ok;
}

bool QuizImporter::supported(const SourceQuestion &q)
{
    if (q.type != QLatin1String("multichoice") && q.type != QLatin1String("truefalse")) {
        fail(QString(), say(options.lang, "type de question %1 non pris en charge (seuls les choix multiples et vrai/faux le "
                                          "sont) : question laissée de côté",
                            "question type %1 not supported (only multiple choice and true/false are): question left out")
                            .arg(q.type));
        return false;
    }
    if (q.answers.empty() || q.text.trimmed().isEmpty()) {
        fail(QString(), say(options.lang, "question sans texte ou sans proposition : laissée de côté",
                            "question without text or answers: left out"));
        return false;
    }
    if (q.answersNotRead > 0) {
        fail(QString(), say(options.lang, "plus de %1 propositions : question laissée de côté", "more than %1 answers: question left out")
                            .arg(q.answers.size()));
        return false;
    }
    return true;
}

// Distractors worth 0 % go, the last first, until five propositions remain.
bool QuizImporter::fewEnoughPropositions(SourceQuestion &q)
{
    const std::size_t count = q.answers.size();
    for (std::size_t i = count; i-- > 0 && q.answers.size() > std::size_t(MaxPropositions);) {
        if (q.answers[i].weight != 0)
            continue;
        note(QString(), say(options.lang, "proposition %1 « %2 » (0 %) non reprise : 5 propositions au plus",
                            "answer %1 \"%2\" (0 %) dropped: at most 5 answers")
                            .arg(i + 1)
                            .arg(q.answers[i].text.left(60)));
        q.answers.erase(q.answers.begin() + qsizetype(i));
        shortened = true;
    }
    if (q.answers.size() <= std::size_t(MaxPropositions))
        return true;
    fail(QString(), say(options.lang, "%1 propositions dont %2 comptent dans la note, 5 au plus : question laissée de côté",
                        "%1 answers of which %2 count in the grade, at most 5: question left out")
                        .arg(count)
                        .arg(q.answers.size()));
    return false;
}

void QuizImporter::fill(const SourceQuestion &q, QuestionRecord &record)
{
    bool anyRight = false;
    for (int s = 1; s < (1 << q.answers.size()); ++s)
        anyRight = anyRight || sourceGivesFullCredit(q, s);
    if (!anyRight) {
        fail(fieldLabel(Field::AnswerKey, options.lang),
            say(options.lang, "aucune réponse ne donne tous les points : question laissée de côté",
                "no answer gives full credit: question left out"));
        return;
    }
    const KeyAndRule judging = keyAndRuleFor(q);
    if (!judging.exact)
        note(fieldLabel(Field::AnswerKey, options.lang),
            say(options.lang, "notes partielles non reprises : seul le choix exact des propositions à note positive (clé %1) "
                              "sera jugé juste",
                "partial credit not carried over: only ticking exactly the answers of positive weight (key %1) is "
                "judged right")
                .arg(judging.key));
    put(record, Field::QuestionText, q.text);
    for (int i = 0; i < int(q.answers.size()); ++i) {
        QString text = q.answers[std::size_t(i)].text;
        if (q.type == QLatin1String("truefalse") && options.lang == Lang::English)
            text = text == QLatin1String("Vrai") ? QStringLiteral("True") : text == QLatin1String("Faux") ? QStringLiteral("False") : text;
        if (text.isEmpty()) {
            text = QStringLiteral(" "); // an empty proposition would be hidden
            note(fieldLabel(answerField(i + 1), options.lang),
                say(options.lang, "proposition vide, écrite comme un blanc", "empty answer, written as a blank"));
        }
        put(record, answerField(i + 1), text);
    }
    put(record, Field::AnswerKey, QString::number(judging.key));
    put(record, Field::ValidityRule, judging.rule);

    const FeedbackChoice feedback = feedbackFor(q, judging, options.lang);
    if (feedback.generated)
        note(fieldLabel(Field::WrongComment, options.lang),
            say(options.lang, "pas de correction dans la source : elle nomme les bonnes propositions",
                "no correction in the source: it names the right answers"));
    if (feedback.differing)
        note(QString(), say(options.lang, "les remarques propres à chaque proposition ne sont pas reprises (le lecteur n'a qu'un "
                                          "commentaire et une correction par question)",
                            "per-answer feedback not carried over (the player has one comment and one correction per question)"));
    putComment(record, Field::RightComment, feedback.right, feedback.general);
    putComment(record, Field::WrongComment, feedback.wrong, feedback.general);
}

void QuizImporter::note(const QString &field, const QString &text)
{
    lines << place + (field.isEmpty() ? QString() : QStringLiteral(", ") + field) + colon(options.lang) + text;
}

void QuizImporter::fail(const QString &field, const QString &text)
{
    note(field, text);
    ok = false;
}

// The text in NFC, with what Windows-1252 lacks replaced when asked;
// nothing when the question must be left out.
std::optional<QString> QuizImporter::encodable(Field field, const QString &source)
{
    const QString text = source.normalized(QString::NormalizationForm_C);
    const QString name = fieldLabel(field, options.lang);
    const auto bad = unencodableCharacters(text);
    if (bad.empty())
        return text;
    if (!options.replace) {
        for (const Unencodable &c : bad)
            note(name, say(options.lang, "caractère %1 absent de Windows-1252, au caractère %2",
                           "character %1 is not in Windows-1252, at character %2")
                           .arg(unicodeName(c.character))
                           .arg(c.position));
        fail(name, say(options.lang, "question laissée de côté (--replace remplace ces caractères)",
                       "question left out (--replace replaces such characters)"));
        return std::nullopt;
    }
    QString replaced;
    bool dropped = false; // a blank after a dropped character would double the one before it
    for (const char32_t c : QStringView(text).toUcs4()) {
        if (windows1252Byte(c) >= 0) {
            if (!(dropped && c == U' ' && (replaced.isEmpty() || replaced.endsWith(QLatin1Char(' ')))))
                replaced += QString::fromUcs4(&c, 1);
            dropped = false;
            continue;
        }
        const QString by = replacementFor(c);
        if (by.isEmpty() && !isEmojiJoiner(c))
            note(name, say(options.lang, "%1 supprimé", "%1 removed").arg(unicodeName(c)));
        else if (!by.isEmpty())
            note(name, say(options.lang, "%1 remplacé par « %2 »", "%1 replaced with \"%2\"").arg(unicodeName(c), by));
        replaced += by;
        dropped = dropped || by.isEmpty();
    }
    if (dropped && replaced.endsWith(QLatin1Char(' ')))
        replaced.chop(1);
    return replaced.trimmed().isEmpty() && !text.isEmpty() ? QStringLiteral(" ") : replaced;
}

void QuizImporter::put(QuestionRecord &record, Field field, const QString &source)
{
    if (const std::optional<QString> text = encodable(field, source))
        store(record, field, *text);
}

void QuizImporter::store(QuestionRecord &record, Field field, QString text)
{
    const QString name = fieldLabel(field, options.lang);
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
        shortened = true;
    }
    encodeField(record, field, text);
}

// The verdict's own feedback first, then the general explanation. Without
// --cut, an explanation that does not fit is left out, not the question.
void QuizImporter::putComment(QuestionRecord &record, Field field, const QString &verdict, const QString &general)
{
    if (verdict.isEmpty() || general.isEmpty() || general == verdict) {
        put(record, field, verdict.isEmpty() ? general : verdict);
        return;
    }
    const std::optional<QString> own = encodable(field, verdict);
    const std::optional<QString> shared = encodable(field, general);
    if (!own || !shared)
        return;
    const QString both = *own + QStringLiteral("\r\n") + *shared;
    if (both.size() <= qsizetype(layoutOf(field).capacity) || options.cut) {
        store(record, field, both);
        return;
    }
    note(fieldLabel(field, options.lang),
        say(options.lang, "explication générale non reprise : elle dépasserait %1 caractères (--cut la coupe)",
            "general explanation left out: it would go beyond %1 characters (--cut cuts it)")
            .arg(layoutOf(field).capacity));
    shortened = true;
    store(record, field, *own);
}

void QuizImporter::takePicture(const SourceQuestion &q, QuestionRecord &record)
{
    const QString label = fieldLabel(Field::PictureFile, options.lang);
    const auto described = [this](const SourcePicture &p) {
        return p.name.isEmpty() ? say(options.lang, "image intégrée", "inline picture") : QStringLiteral("« %1 »").arg(p.name);
    };
    for (std::size_t i = 1; i < q.pictures.size(); ++i)
        note(label, say(options.lang, "%1 non reprise : une seule image par question", "%1 not carried over: one picture per question")
                        .arg(described(q.pictures[i])));
    const SourcePicture &picture = q.pictures.front();
    const QByteArray hash = QCryptographicHash::hash(picture.data, QCryptographicHash::Sha1);
    if (const auto known = written.constFind(hash); known != written.constEnd()) {
        put(record, Field::PictureFile, *known);
        return;
    }
    const QString extension = QFileInfo(picture.name).suffix().toLower();
    const ConvertedPicture shown = options.convertPicture ? options.convertPicture(picture.data, extension, options.lang)
                                                          : keptAsItIs(picture.data, extension, options.lang);
    QString what = described(picture);
    if (!shown.source.isEmpty())
        what += QStringLiteral(" (%1)").arg(shown.source);
    if (shown.data.isEmpty()) {
        note(label, say(options.lang, "%1 non reprise : %2", "%1 not carried over: %2").arg(what, shown.failure));
        return;
    }
    if (!shown.change.isEmpty())
        note(label, QStringLiteral("%1 : %2").arg(what, shown.change));
    const QString folder = QStringLiteral("images");
    const qsizetype room = qsizetype(layoutOf(Field::PictureFile).capacity) - folder.size() - 1
        - shown.extension.size() - 1 - 4;
    const QString base = plainFileName(picture.name.isEmpty() ? QStringLiteral("image") : picture.name).left(room);
    QString name = base + QLatin1Char('.') + shown.extension;
    for (int n = 2; used.contains(name.toLower()); ++n)
        name = base + QStringLiteral("-%1.").arg(n) + shown.extension;
    used.insert(name.toLower());
    const QString stored = folder + QLatin1Char('\\') + name;
    written.insert(hash, stored);
    put(record, Field::PictureFile, stored);
    pending.pictures.push_back({folder + QLatin1Char('/') + name, shown.data});
    ++counted.pictures;
}

} // namespace qcm::authoring
