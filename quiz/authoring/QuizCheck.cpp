#include "quiz/authoring/QuizCheck.h"

#include <QFileInfo>

#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"
#include "quiz/Judging.h"
#include "quiz/PictureFormat.h"
#include "quiz/authoring/QuizJson.h"
#include "quiz/authoring/RecordReader.h"

namespace qcm::authoring {

namespace {

using Level = Finding::Level;

QString quoted(const QString &text) { return QStringLiteral("« %1 »").arg(text); }

QString propositionList(int bits, Lang lang)
{
    QStringList numbers;
    for (int i = 0; i < 5; ++i) {
        if (bits & (1 << i))
            numbers << QString::number(i + 1);
    }
    if (numbers.isEmpty())
        return say(lang, "aucune proposition", "no proposition");
    return (numbers.size() == 1 ? say(lang, "la proposition ", "proposition ") : say(lang, "les propositions ", "propositions "))
        + numbers.join(QStringLiteral(", "));
}

class Checker
{
public:
    Checker(Lang lang, CheckReport &report) : lang(lang), report(report) {}

    void add(Level level, int record, const QString &field, const QString &text)
    {
        report.findings.push_back({level, record, field, text});
    }

    void checkLengths(const QuestionRecord &record, int number)
    {
        for (const Field field : textFields()) {
            const FieldLayout layout = layoutOf(field);
            if (record.storedLength(field) > layout.capacity)
                add(Level::Warning, number, fieldName(int(field)),
                    say(lang, "octet de longueur %1 pour un champ de %2 caractères (fichier abîmé) : le texte est coupé à %2",
                        "length byte %1 for a field of %2 characters (damaged file): the text is cut to %2")
                        .arg(record.storedLength(field))
                        .arg(layout.capacity));
        }
    }

    void checkQuestion(const QuestionRecord &record, int number, const QString &quizFolder, const PictureProbeFn &probe)
    {
        const QString key = decodeField(record, Field::AnswerKey);
        const QString rule = decodeField(record, Field::ValidityRule);
        int shown = 0;
        for (int i = 1; i <= 5; ++i) {
            if (record.storedLength(answerField(i)) != 0)
                shown |= 1 << (i - 1);
        }
        const bool allOf = isAllOfRule(rule);
        const int named = keyPropositions(readKeyNumber(key));
        bool reachable = false;
        for (int ticked = 0; ticked < 32 && !reachable; ++ticked)
            reachable = (ticked & ~shown) == 0 && judgedRight(key, rule, ticked);

        if (shown == 0)
            add(reachable ? Level::Warning : Level::Error, number, QString(),
                say(lang, "question sans proposition : l'élève n'a aucune case à cocher",
                    "question without propositions: the pupil has no box to tick"));

        for (int i = 2; i <= 4; ++i) {
            const int bit = 1 << (i - 1);
            if ((shown & bit) == 0 && (shown & (bit - 1)) != 0 && (shown & ~(2 * bit - 1)) != 0)
                add(Level::Warning, number, fieldName(int(answerField(i))),
                    say(lang, "proposition %1 vide entre deux propositions remplies : l'élève verra un trou à sa place",
                        "proposition %1 is empty between two filled ones: the pupil will see a gap in its place")
                        .arg(i));
        }

        const QString keyField = QStringLiteral("AnswerKey");
        if (!reachable) {
            QString why;
            if (allOf && !isPlainKey(key))
                why = say(lang, "la clé %1 n'est pas l'écriture décimale simple d'un nombre de 0 à 31 (sans zéro ni blanc "
                                "devant) : sous la règle « ET » elle n'égale jamais les cases cochées",
                    "the key %1 is not the plain decimal text of a number from 0 to 31 (no leading zero or blank): "
                    "under the rule \"ET\" it never equals the ticked boxes")
                          .arg(quoted(key));
            else if (allOf)
                why = say(lang, "la clé %1 désigne %2, dont une proposition vide que l'élève ne peut pas cocher",
                    "the key %1 names %2, among them an empty proposition the pupil cannot tick")
                          .arg(quoted(key), propositionList(named, lang));
            else if (named == 0)
                why = say(lang, "la clé %1 ne désigne aucune proposition : avec la règle « au moins une », rien n'est juste",
                    "the key %1 names no proposition: under the at-least-one rule nothing is right")
                          .arg(quoted(key));
            else
                why = say(lang, "la clé %1 ne désigne que des propositions vides (%2)",
                    "the key %1 names only empty propositions (%2)")
                          .arg(quoted(key), propositionList(named, lang));
            add(Level::Error, number, keyField,
                say(lang, "cette question ne peut jamais être jugée juste : ", "this question can never be judged right: ")
                    + why);
        } else {
            if (!isPlainKey(key))
                add(Level::Warning, number, keyField,
                    say(lang, "la clé %1 n'est pas écrite simplement ; lue comme %2 (%3), elle ne marche que parce que la "
                              "règle n'est pas « ET »",
                        "the key %1 is not written plainly; read as %2 (%3), it only works because the rule is not \"ET\"")
                        .arg(quoted(key))
                        .arg(readKeyNumber(key))
                        .arg(propositionList(named, lang)));
            else if (allOf && key == QLatin1String("0"))
                add(Level::Warning, number, keyField,
                    say(lang, "clé 0 : la réponse n'est juste que si l'élève ne coche rien",
                        "key 0: the answer is right only when the pupil ticks nothing"));
            if ((named & ~shown) != 0 && !(allOf && !isPlainKey(key)))
                add(Level::Warning, number, keyField,
                    say(lang, "la clé %1 désigne %2, mais %3 vide",
                        "the key %1 names %2, but %3 empty")
                        .arg(quoted(key), propositionList(named, lang),
                            say(lang, "%1 est", "%1 is").arg(propositionList(named & ~shown, lang))));
            if (!allOf && (shown & ~named) == 0 && shown != 0)
                add(Level::Warning, number, keyField,
                    say(lang, "toutes les propositions sont bonnes et la règle n'est pas « ET » : n'importe quelle case "
                              "cochée donne une bonne réponse",
                        "every proposition is right and the rule is not \"ET\": any ticked box gives a right answer"));
        }

        const QString ruleField = QStringLiteral("ValidityRule");
        const QString atLeastOne = say(lang, "il suffit de cocher une des bonnes propositions (%1), les autres cases cochées "
                                             "ne comptent pas",
            "ticking one of the right propositions (%1) is enough; other ticked boxes do not count")
                                       .arg(propositionList(named & shown, lang));
        if (!allOf && isAllOfRule(rule.toUpper()))
            add(Level::Warning, number, ruleField,
                say(lang, "règle %1 : seul « ET » en majuscules exige toutes les bonnes propositions ; ici ",
                    "rule %1: only \"ET\" in capitals requires all the right propositions; here ")
                        .arg(quoted(rule))
                    + atLeastOne);
        else if (!allOf)
            add(Level::Remark, number, ruleField,
                (rule.isEmpty() ? say(lang, "règle vide : ", "empty rule: ")
                                : say(lang, "règle %1 : ", "rule %1: ").arg(quoted(rule)))
                    + atLeastOne);

        if (record.storedLength(Field::RightComment) == 0)
            add(Level::Remark, number, QStringLiteral("RightComment"),
                say(lang, "commentaire vide : la fenêtre de correction n'affichera que « Bonne réponse ! »",
                    "empty comment: the correction window will only show \"Bonne réponse !\""));
        if (record.storedLength(Field::WrongComment) == 0)
            add(Level::Remark, number, QStringLiteral("WrongComment"),
                say(lang, "correction vide : l'élève ne saura pas pourquoi il s'est trompé",
                    "empty correction: the pupil will not learn why the answer was wrong"));

        const QString picture = decodeField(record, Field::PictureFile);
        if (!picture.isEmpty())
            checkPicture(picture, number, quizFolder, probe);
    }

    void checkPicture(const QString &picture, int number, const QString &quizFolder, const PictureProbeFn &probe)
    {
        const QString field = QStringLiteral("PictureFile");
        if (!isShownPictureFormat(picture)) {
            add(Level::Error, number, field,
                say(lang, "l'image %1 n'est pas dans un format que le lecteur sait afficher (%2)",
                    "the picture %1 is not in a format the player can show (%2)")
                    .arg(quoted(picture), pictureExtensions().join(QStringLiteral(", "))));
            return;
        }
        const PictureProbe result = probe ? probe(quizFolder, picture) : PictureProbe{};
        if (result.loaded) {
            add(Level::Remark, number, field,
                say(lang, "image %1 : %2 × %3 pixels", "picture %1: %2 × %3 pixels")
                    .arg(quoted(picture))
                    .arg(result.width)
                    .arg(result.height));
            if (!fitsPictureArea(QSize(result.width, result.height)))
                add(Level::Warning, number, field,
                    say(lang, "l'image %1 (%2 × %3) est plus grande que la zone d'image (%4 × %5) : l'élève devra la "
                              "faire défiler",
                        "the picture %1 (%2 × %3) is larger than the picture area (%4 × %5): the pupil will have to "
                        "scroll it")
                        .arg(quoted(picture), QString::number(result.width), QString::number(result.height),
                            QString::number(PictureArea.width()), QString::number(PictureArea.height())));
        } else {
            add(Level::Error, number, field,
                say(lang, "l'image %1 ne peut pas être affichée (%2) : le lecteur émettra un bip",
                    "the picture %1 cannot be shown (%2): the player will beep")
                    .arg(quoted(picture), result.reason));
        }
    }

private:
    Lang lang;
    CheckReport &report;
};

} // namespace

bool CheckReport::hasErrors() const
{
    return std::any_of(findings.begin(), findings.end(), [](const Finding &f) { return f.level == Level::Error; });
}

bool isShownPictureFormat(const QString &pictureName)
{
    const qsizetype dot = pictureName.lastIndexOf(QLatin1Char('.'));
    return dot >= 0 && pictureExtensions().contains(pictureName.mid(dot + 1).toLower());
}

namespace {

// Meets the records in the player's order, one at a time, so that a quiz on
// disk and one in memory are judged alike.
class QuizWalk
{
public:
    QuizWalk(const QString &quizFolder, Lang lang, const PictureProbeFn &probe, CheckReport &report)
        : quizFolder(quizFolder), lang(lang), probe(probe), report(report), checker(lang, report)
    {
    }

    void add(const QuestionRecord &record)
    {
        const int number = ++report.records;
        if (number <= MaxQuestions) {
            checker.checkLengths(record, number);
            if (!ended && record.hasQuestion()) {
                ++report.questions;
                checker.checkQuestion(record, number, quizFolder, probe);
                return;
            }
            ended = true;
        }
        // Records past the ones the player reads only matter as questions never asked.
        if (record.hasQuestion()) {
            firstNeverAsked = neverAsked == 0 ? number : firstNeverAsked;
            lastNeverAsked = number;
            ++neverAsked;
        }
    }

    void finish()
    {
        if (report.records > MaxQuestions)
            checker.add(Level::Warning, 0, QString(),
                say(lang, "%1 enregistrements : le lecteur ne lit que les 100 premiers",
                    "%1 records: the player reads only the first 100")
                    .arg(report.records));
        if (report.questions == 0)
            checker.add(Level::Error, 1, QStringLiteral("QuestionText"),
                say(lang, "la première question est vide : le QCM n'a aucune question",
                    "the first question is empty: the quiz has no questions"));
        if (neverAsked > 0)
            checker.add(Level::Warning, 0, QString(), neverAskedMessage());
    }

private:
    QString neverAskedMessage() const
    {
        const bool afterEmpty = report.questions < std::min(report.records, MaxQuestions);
        const QString numbers = neverAsked == 1 ? QString::number(firstNeverAsked)
            : neverAsked == 2 ? QStringLiteral("%1, %2").arg(firstNeverAsked).arg(lastNeverAsked)
                              : QStringLiteral("%1 … %2 (%3)").arg(firstNeverAsked).arg(lastNeverAsked).arg(neverAsked);
        return (afterEmpty ? say(lang, "l'enregistrement %1 a une question vide, qui termine le QCM : ",
                                 "record %1 has an empty question, which ends the quiz: ")
                                 .arg(report.questions + 1)
                           : say(lang, "au-delà de 100 : ", "beyond 100: "))
            + say(lang, "les questions des enregistrements %1 ne seront jamais posées",
                "the questions of records %1 will never be asked")
                  .arg(numbers);
    }

    const QString quizFolder;
    const Lang lang;
    const PictureProbeFn &probe;
    CheckReport &report;
    Checker checker;
    bool ended = false;
    int neverAsked = 0, firstNeverAsked = 0, lastNeverAsked = 0;
};

} // namespace

CheckReport checkQuiz(QIODevice &quiz, const QString &path, Lang lang, const PictureProbeFn &probe)
{
    CheckReport report;
    QuizWalk walk(QFileInfo(path).absolutePath(), lang, probe, report);
    RecordReader reader(quiz);
    QuestionRecord record;
    while (reader.next(record))
        walk.add(record);
    Checker checker(lang, report);
    if (!reader.errorString().isEmpty()) {
        checker.add(Level::Error, 0, QString(),
            say(lang, "lecture impossible (%1)", "cannot read (%1)").arg(reader.errorString()));
        return report;
    }
    if (report.records == 0) {
        checker.add(Level::Error, 0, QString(),
            say(lang, "aucun enregistrement complet de 2108 octets : le lecteur signalera une lecture au-delà de la fin "
                      "du fichier",
                "no whole record of 2108 bytes: the player will report a read past the end of the file"));
        return report;
    }
    if (reader.trailingBytes() != 0)
        checker.add(Level::Warning, 0, QString(),
            say(lang, "%1 octets après le dernier enregistrement complet ne seront jamais lus (fichier tronqué ?)",
                "%1 bytes after the last whole record will never be read (truncated file?)")
                .arg(reader.trailingBytes()));
    walk.finish();
    return report;
}

void checkRecords(const std::vector<QuestionRecord> &records, const QString &quizFolder, Lang lang,
    const PictureProbeFn &probe, CheckReport &report)
{
    QuizWalk walk(quizFolder, lang, probe, report);
    for (const QuestionRecord &record : records)
        walk.add(record);
    walk.finish();
}

QString formatFinding(const Finding &finding, const QString &file, Lang lang)
{
    const bool french = lang == Lang::French;
    const QString colon = french ? QStringLiteral(" : ") : QStringLiteral(": ");
    QString line = QFileInfo(file).fileName();
    if (finding.record > 0)
        line += colon + QStringLiteral("question %1").arg(finding.record);
    if (!finding.field.isEmpty())
        line += (finding.record > 0 ? QStringLiteral(", ") : colon) + finding.field;
    switch (finding.level) {
    case Level::Error: line += colon + say(lang, "erreur", "error"); break;
    case Level::Warning: line += colon + say(lang, "attention", "warning"); break;
    case Level::Remark: line += colon + say(lang, "remarque", "remark"); break;
    }
    return line + colon + finding.text;
}

QString formatSummary(const CheckReport &report, const QString &file, Lang lang)
{
    int counts[3] = {0, 0, 0};
    for (const Finding &f : report.findings)
        ++counts[int(f.level)];
    return QFileInfo(file).fileName() + (lang == Lang::French ? QStringLiteral(" : ") : QStringLiteral(": "))
        + say(lang, "%1 questions sur %2 enregistrements ; %3 erreur(s), %4 avertissement(s), %5 remarque(s)",
            "%1 questions in %2 records; %3 error(s), %4 warning(s), %5 remark(s)")
              .arg(report.questions)
              .arg(report.records)
              .arg(counts[2])
              .arg(counts[1])
              .arg(counts[0]);
}

} // namespace qcm::authoring
