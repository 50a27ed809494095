#include "quiz/authoring/QuestionStats.h"

#include <QDirIterator>
#include <QLocale>
#include <algorithm>
#include <cmath>
#include <map>
#include <memory>
#include <set>

#include "quiz/Judging.h"
#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"
#include "quiz/Rounding.h"

namespace qcm::authoring {

namespace {

constexpr int TextStartLength = 40;
// Under this discrimination (in %), a question hardly tells the pupils who
// know from those who do not.
constexpr int LowDiscrimination = 30;

// Sums of whole numbers, so that spreads are exact and a zero one is truly zero.
struct Sums
{
    qint64 n = 0, sum = 0, squares = 0;
    void add(qint64 x)
    {
        ++n;
        sum += x;
        squares += x * x;
    }
    // n² times the population variance.
    qint64 spread() const { return n * squares - sum * sum; }
};

// Pearson's correlation; none without two values or without a spread on either side.
std::optional<double> correlation(const std::vector<int> &x, const std::vector<int> &y)
{
    Sums sx, sy;
    qint64 products = 0;
    for (std::size_t i = 0; i < x.size(); ++i) {
        sx.add(x[i]);
        sy.add(y[i]);
        products += qint64(x[i]) * y[i];
    }
    if (sx.n < 2 || sx.spread() == 0 || sy.spread() == 0)
        return std::nullopt;
    const double covariance = double(sx.n * products - sx.sum * sy.sum);
    return covariance / std::sqrt(double(sx.spread()) * double(sy.spread()));
}

const AnsweredQuestion *answerTo(const QuizResult &attempt, int question)
{
    const auto found = std::find_if(attempt.answers.begin(), attempt.answers.end(),
                                    [question](const AnsweredQuestion &a) { return a.question == question; });
    return found == attempt.answers.end() ? nullptr : &*found;
}

int rightAnswers(const QuizResult &attempt)
{
    return int(std::count_if(attempt.answers.begin(), attempt.answers.end(),
                             [](const AnsweredQuestion &a) { return a.right; }));
}

// The counted attempts of each fingerprint, oldest first.
using AttemptGroups = std::map<QString, std::vector<QuizResult>>;

AttemptGroups attemptsByFingerprint(const std::vector<QuizResult> &results, bool allAttempts)
{
    std::vector<const QuizResult *> withAnswers;
    for (const QuizResult &r : results) {
        if (!r.fingerprint.isEmpty() && !r.answers.empty())
            withAnswers.push_back(&r);
    }
    std::stable_sort(withAnswers.begin(), withAnswers.end(),
                     [](const QuizResult *a, const QuizResult *b) { return a->finished < b->finished; });
    AttemptGroups groups;
    std::set<std::pair<QString, QString>> seen; // fingerprint and pupil
    for (const QuizResult *r : withAnswers) {
        if (allAttempts || r->pupil.isEmpty() || seen.insert({r->fingerprint, r->pupil}).second)
            groups[r->fingerprint].push_back(*r);
    }
    return groups;
}

// One walk through the folder, each quiz file hashed once, stopping as soon
// as every fingerprint wanted is found.
std::map<QString, QString> findQuizFiles(const QString &folder, const AttemptGroups &groups)
{
    std::map<QString, QString> found;
    if (folder.isEmpty())
        return found;
    QDirIterator it(folder, {QStringLiteral("*.qcm")}, QDir::Files, QDirIterator::Subdirectories);
    while (found.size() < groups.size() && it.hasNext()) {
        const QString path = it.next();
        const QString fingerprint = fingerprintOfQuizFile(path);
        if (groups.count(fingerprint) && !found.count(fingerprint))
            found[fingerprint] = path;
    }
    return found;
}

QString textStart(const QuestionRecord &record)
{
    const QString text = decodeField(record, Field::QuestionText).simplified();
    if (text.size() <= TextStartLength)
        return text;
    return text.left(TextStartLength - 1).trimmed() + QStringLiteral("…");
}

// A wrong proposition ticked more often than every right one: most often a
// wrong key or a misleading text. One right proposition among several being
// ticked less than a tempting wrong one is common and not flagged.
bool wrongBeatsRight(const QuestionStats &q)
{
    int mostRight = 0, mostWrong = 0;
    for (const PropositionCount &p : q.propositions) {
        int &most = p.right ? mostRight : mostWrong;
        most = std::max(most, p.ticked);
    }
    return mostWrong > mostRight;
}

QuestionStats questionStats(int number, const std::vector<QuizResult> &attempts, const QuestionRecord *record)
{
    QuestionStats q;
    q.question = number;
    int right = 0;
    std::vector<int> marks, rests;
    for (const QuizResult &attempt : attempts) {
        const AnsweredQuestion *a = answerTo(attempt, number);
        if (!a)
            continue;
        ++q.asked;
        right += a->right;
        q.blanks += a->ticked == 0;
        for (int p = 0; p < 5; ++p)
            q.propositions[p].ticked += (a->ticked >> p) & 1;
        marks.push_back(a->right);
        rests.push_back(rightAnswers(attempt) - a->right);
    }
    q.facility = successPercentage(q.asked, q.asked - right);
    if (const std::optional<double> r = correlation(marks, rests))
        q.discrimination = int(roundHalfEven(*r * 100));
    if (record) {
        q.textStart = textStart(*record);
        const int key = keyPropositions(readKeyNumber(decodeField(*record, Field::AnswerKey)));
        for (int p = 0; p < 5; ++p)
            q.propositions[p].right = (key >> p) & 1;
    }
    q.toCheck = (q.discrimination && *q.discrimination < LowDiscrimination) || (record && wrongBeatsRight(q));
    return q;
}

// Cronbach's alpha on the questions every attempt was asked. Item and total
// variances share one scale, so their exact spreads stand in for them.
std::optional<double> cronbachAlpha(const std::vector<QuizResult> &attempts, const std::set<int> &numbers)
{
    std::vector<int> common;
    for (int number : numbers) {
        const auto asked = [number](const QuizResult &a) { return answerTo(a, number) != nullptr; };
        if (std::all_of(attempts.begin(), attempts.end(), asked))
            common.push_back(number);
    }
    if (common.size() < 2 || attempts.size() < 2)
        return std::nullopt;
    Sums totals;
    qint64 itemSpreads = 0;
    for (int number : common) {
        Sums item;
        for (const QuizResult &attempt : attempts)
            item.add(answerTo(attempt, number)->right);
        itemSpreads += item.spread();
    }
    for (const QuizResult &attempt : attempts) {
        int total = 0;
        for (int number : common)
            total += answerTo(attempt, number)->right;
        totals.add(total);
    }
    if (totals.spread() == 0)
        return std::nullopt;
    const double k = double(common.size());
    return k / (k - 1) * (1 - double(itemSpreads) / double(totals.spread()));
}

// Of the percentages the pupils were shown. The deviation is the sample one
// (divided by n − 1), as the statistics of online course platforms give it:
// a class is a sample of the pupils who may take the quiz.
void scoreFigures(QuizStats &quiz)
{
    std::vector<int> scores;
    Sums sums;
    for (const QuizResult &attempt : quiz.attempts) {
        scores.push_back(attempt.percentage);
        sums.add(attempt.percentage);
    }
    if (scores.empty())
        return;
    std::sort(scores.begin(), scores.end());
    const std::size_t middle = scores.size() / 2;
    quiz.mean = double(sums.sum) / double(sums.n);
    quiz.median = scores.size() % 2 ? scores[middle] : (scores[middle - 1] + scores[middle]) / 2.0;
    quiz.minimum = scores.front();
    quiz.maximum = scores.back();
    if (sums.n > 1)
        quiz.deviation = std::sqrt(double(sums.spread()) / double(sums.n * (sums.n - 1)));
}

// The questions of the quiz file, if it still is the version hashed.
std::unique_ptr<QuestionBank> readQuiz(const QString &path, const QString &fingerprint, int &records)
{
    if (path.isEmpty())
        return nullptr;
    auto bank = std::make_unique<QuestionBank>();
    const ReadResult read = readQuizFile(path, *bank);
    if (read.fingerprint != fingerprint)
        return nullptr;
    records = read.recordsRead;
    return bank;
}

QuizStats quizStats(const QString &fingerprint, std::vector<QuizResult> attempts, const QString &quizFile)
{
    QuizStats quiz;
    quiz.fingerprint = fingerprint;
    // The latest names, should the quiz have been renamed or moved since.
    quiz.subject = attempts.back().subject;
    quiz.title = attempts.back().title;
    quiz.quizFile = quizFile;
    quiz.attempts = std::move(attempts);
    scoreFigures(quiz);

    std::set<int> numbers;
    for (const QuizResult &attempt : quiz.attempts) {
        for (const AnsweredQuestion &a : attempt.answers)
            numbers.insert(a.question);
    }
    quiz.alpha = cronbachAlpha(quiz.attempts, numbers);

    int records = 0;
    const std::unique_ptr<QuestionBank> bank = readQuiz(quizFile, fingerprint, records);
    if (!bank)
        quiz.quizFile.clear();
    for (int number : numbers)
        quiz.questions.push_back(questionStats(number, quiz.attempts, number <= records ? &(*bank)[number] : nullptr));
    return quiz;
}

QString percentText(std::optional<double> value)
{
    return value ? QStringLiteral("%1 %").arg(int(roundHalfEven(*value))) : QStringLiteral("—");
}

QString quizName(const QuizStats &quiz)
{
    return quiz.subject.isEmpty() ? quiz.title : quiz.subject + QStringLiteral(" / ") + quiz.title;
}

QString rightPropositions(const QuestionStats &q, Lang lang)
{
    QStringList right;
    for (int p = 0; p < 5; ++p) {
        if (q.propositions[p].right)
            right << QString::number(p + 1);
    }
    return right.join(say(lang, " et ", " and "));
}

// Columns aligned, text ones to the left and figures to the right.
QString alignedRows(const std::vector<QStringList> &rows, const std::vector<bool> &leftAligned)
{
    std::vector<qsizetype> widths(leftAligned.size(), 0);
    for (const QStringList &row : rows) {
        for (qsizetype c = 0; c < row.size(); ++c)
            widths[c] = std::max(widths[c], row[c].size());
    }
    QString out;
    for (const QStringList &row : rows) {
        QStringList cells;
        for (qsizetype c = 0; c < row.size(); ++c)
            cells << (leftAligned[c] ? row[c].leftJustified(widths[c]) : row[c].rightJustified(widths[c]));
        QString line = cells.join(QStringLiteral("  "));
        // Only the blanks at the end: the first column is aligned to the right.
        while (line.endsWith(QLatin1Char(' ')))
            line.chop(1);
        out += line + QLatin1Char('\n');
    }
    return out;
}

QString headerBlock(const QuizStats &quiz, Lang lang)
{
    const QLocale locale(lang == Lang::French ? QLocale::French : QLocale::English);
    const QString alpha = quiz.alpha ? locale.toString(*quiz.alpha, 'f', 2) : QStringLiteral("—");
    const QString file = quiz.quizFile.isEmpty() ? say(lang, "introuvable", "not found") : quiz.quizFile;
    return quizName(quiz) + QLatin1Char('\n')
        + say(lang, "Empreinte : %1\n", "Fingerprint: %1\n").arg(quiz.fingerprint)
        + say(lang, "Fichier : %1\n", "File: %1\n").arg(file)
        + say(lang, "Tentatives : %1\n", "Attempts: %1\n").arg(quiz.attempts.size())
        + say(lang, "Moyenne : %1   Médiane : %2   Minimum : %3   Maximum : %4\n",
              "Mean: %1   Median: %2   Minimum: %3   Maximum: %4\n")
              .arg(percentText(quiz.mean), percentText(quiz.median), percentText(quiz.minimum),
                   percentText(quiz.maximum))
        + say(lang, "Écart type : %1   Alpha de Cronbach : %2\n", "Standard deviation: %1   Cronbach's alpha: %2\n")
              .arg(percentText(quiz.deviation), alpha);
}

QString csvField(const QString &text)
{
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')))
        return text;
    return QLatin1Char('"') + QString(text).replace(QLatin1String("\""), QLatin1String("\"\"")) + QLatin1Char('"');
}

} // namespace

std::vector<QuizStats> questionStatistics(const std::vector<QuizResult> &results, bool allAttempts,
                                          const QString &quizFolder)
{
    AttemptGroups groups = attemptsByFingerprint(results, allAttempts);
    const std::map<QString, QString> files = findQuizFiles(quizFolder, groups);
    std::vector<QuizStats> quizzes;
    for (auto &[fingerprint, attempts] : groups) {
        const auto file = files.find(fingerprint);
        quizzes.push_back(quizStats(fingerprint, std::move(attempts), file == files.end() ? QString() : file->second));
    }
    std::sort(quizzes.begin(), quizzes.end(), [](const QuizStats &a, const QuizStats &b) {
        if (const int bySubject = QString::localeAwareCompare(a.subject, b.subject))
            return bySubject < 0;
        if (const int byTitle = QString::localeAwareCompare(a.title, b.title))
            return byTitle < 0;
        return a.attempts.front().finished < b.attempts.front().finished;
    });
    return quizzes;
}

QString questionStatsTable(const QuizStats &quiz, Lang lang)
{
    std::vector<QStringList> rows = {{say(lang, "N°", "No."), say(lang, "Question", "Question"),
                                      say(lang, "Réussite", "Facility"), QStringLiteral("1 "), QStringLiteral("2 "),
                                      QStringLiteral("3 "), QStringLiteral("4 "), QStringLiteral("5 "),
                                      say(lang, "Vides", "Blank"), say(lang, "Discrimination", "Discrimination"),
                                      QString()}};
    for (const QuestionStats &q : quiz.questions) {
        QStringList row = {QString::number(q.question), q.textStart, QStringLiteral("%1 %").arg(q.facility)};
        // The mark follows the count; a blank in its place keeps the digits under their heading.
        for (const PropositionCount &p : q.propositions)
            row << QString::number(p.ticked) + (p.right ? QLatin1Char('*') : QLatin1Char(' '));
        row << QString::number(q.blanks)
            << (q.discrimination ? QStringLiteral("%1 %").arg(*q.discrimination) : QStringLiteral("—"))
            << (q.toCheck ? say(lang, "à vérifier", "to check") : QString());
        rows.push_back(row);
    }
    const std::vector<bool> leftAligned = {false, true, false, false, false, false, false, false, false, false, true};
    QString table = headerBlock(quiz, lang) + QLatin1Char('\n') + alignedRows(rows, leftAligned);
    if (!quiz.quizFile.isEmpty())
        table += say(lang, "* : proposition juste\n", "* right proposition\n");
    return table;
}

namespace {

QString questionStatsCsvHeader(Lang lang)
{
    QStringList header = {say(lang, "Matière", "Subject"), say(lang, "QCM", "Quiz"),
                          say(lang, "Empreinte", "Fingerprint"), say(lang, "Tentatives", "Attempts"),
                          say(lang, "Question", "Question"), say(lang, "Texte", "Text"), say(lang, "Posée", "Asked"),
                          say(lang, "Réussite (%)", "Facility (%)")};
    for (int p = 1; p <= 5; ++p)
        header << say(lang, "Proposition %1", "Proposition %1").arg(p);
    header << say(lang, "Propositions justes", "Right propositions") << say(lang, "Vides", "Blank")
           << say(lang, "Discrimination (%)", "Discrimination (%)") << say(lang, "À vérifier", "To check");
    return header.join(QLatin1Char(';'));
}

} // namespace

bool isQuestionStatsCsvHeader(const QString &line)
{
    return line == questionStatsCsvHeader(Lang::French) || line == questionStatsCsvHeader(Lang::English);
}

QByteArray questionStatsCsv(const std::vector<QuizStats> &quizzes, Lang lang)
{
    QByteArray bytes = "\xEF\xBB\xBF" + questionStatsCsvHeader(lang).toUtf8() + "\r\n";
    for (const QuizStats &quiz : quizzes) {
        for (const QuestionStats &q : quiz.questions) {
            QStringList row = {csvField(quiz.subject), csvField(quiz.title), quiz.fingerprint,
                               QString::number(quiz.attempts.size()), QString::number(q.question),
                               csvField(q.textStart), QString::number(q.asked), QString::number(q.facility)};
            for (const PropositionCount &p : q.propositions)
                row << QString::number(p.ticked);
            row << rightPropositions(q, lang) << QString::number(q.blanks)
                << (q.discrimination ? QString::number(*q.discrimination) : QString())
                << (q.toCheck ? say(lang, "oui", "yes") : say(lang, "non", "no"));
            bytes += row.join(QLatin1Char(';')).toUtf8() + "\r\n";
        }
    }
    return bytes;
}

} // namespace qcm::authoring
