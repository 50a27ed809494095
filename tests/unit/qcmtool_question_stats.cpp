#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"
#include "quiz/Rounding.h"
#include "quiz/authoring/QuestionStats.h"
#include "quiz/authoring/ResultsTable.h"

using namespace qcm;
using namespace qcm::authoring;

// A class of five took "Les rois" (4 questions, rule ET; right propositions:
// Q1 {1}, Q2 {2}, Q3 {1, 3}, Q4 {3}). Marks, first attempts only:
//
//            Q1 Q2 Q3 Q4  total  %     ticked (Q1 Q2 Q3 Q4)
//   Anne      1  1  1  1    4   100    1  2  13  3
//   Bruno     1  1  0  0    2    50    1  2  1   1
//   Chloé     1  1  0  0    2    50    1  2  12  1
//   (no name) 1  1  0  0    2    50    1  2  2   -   (blank)
//   (no name) 1  0  0  0    1    25    1  1  1   2   (exam order 3 1 4 2)
//
// Mean 275/5 = 55; median 50; deviation (sample): squares 45² + 3·5² + 30²
// = 3000, /4 = 750, √750 = 27.39 → 27 %.
// Alpha: item variances (n − 1) Q1 0, Q2 .8/4, Q3 .8/4, Q4 .8/4 = .6;
// totals 4 2 2 2 1, mean 2.2, squares 4.8/4 = 1.2; 4/3 · (1 − .6/1.2) = 0.67.
// Discrimination, mark against the rest (total − mark):
//   Q1 no spread → none.
//   Q2 x 1 1 1 1 0, rest 3 1 1 1 1: nΣxy − ΣxΣy = 30 − 28 = 2,
//      nΣx² − (Σx)² = 4, nΣy² − (Σy)² = 65 − 49 = 16 → 2/√64 = 25 %.
//   Q3, Q4 x 1 0 0 0 0, rest 3 2 2 2 1: 15 − 10 = 5; 5 − 1 = 4; 110 − 100 = 10
//      → 5/√40 = 79 %.
// To check: Q2 (25 < 30); Q4, wrong 1 ticked twice, right 3 once. Not Q3:
// wrong 2 (twice) beats right 3 (once) but not right 1 (four times).
//
// Anne's second attempt the next day (1 0 0 1, ticked 1 3 2 3, 50 %) counts
// only with allAttempts: mean 325/6 = 54.2; Q2 facility 4/6 → 67; Q3 1/6 →
// 17; Q4 ticked 1 and 3 twice each, so only its discrimination can flag it:
// x 1 0 0 0 0 1, rest 3 2 2 2 1 1: 6·6 − 2·11 = 14; 12 − 4 = 8;
// 6·23 − 121 = 17 → 14/√136 = 17 %.
namespace {

const QString Subject = QStringLiteral("Histoire");
const QString Title = QStringLiteral("Les rois");

struct Attempt
{
    QString when;
    QString pupil;
    std::vector<AnsweredQuestion> answers;
    bool exam = false;
};

QString line(const Attempt &a, const QString &fingerprint)
{
    QuizResult r;
    r.finished = QDateTime::fromString(a.when, Qt::ISODate);
    r.pupil = a.pupil;
    r.subject = Subject;
    r.title = Title;
    r.exam = a.exam;
    r.questions = int(a.answers.size());
    for (const AnsweredQuestion &answer : a.answers)
        r.right += answer.right;
    r.percentage = successPercentage(r.questions, r.questions - r.right);
    r.seconds = 120;
    r.fingerprint = fingerprint;
    r.answers = a.answers;
    return resultLine(r) + QStringLiteral("\r\n");
}

QuestionRecord question(const QString &text, const QStringList &answers, const QString &key)
{
    QuestionRecord r;
    encodeField(r, Field::QuestionText, text);
    for (int i = 0; i < answers.size(); ++i)
        encodeField(r, answerField(i + 1), answers[i]);
    encodeField(r, Field::AnswerKey, key);
    encodeField(r, Field::ValidityRule, QStringLiteral("ET"));
    return r;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).absolutePath()) && file.open(QIODevice::WriteOnly)
        && file.write(bytes) == bytes.size();
}

// Blanks squeezed, so that column widths do not matter.
QString squeezed(const QString &text)
{
    return QString(text).remove(QRegularExpression(QStringLiteral("\\s")));
}

QString rowOf(const QString &table, int question)
{
    for (const QString &row : table.split(QLatin1Char('\n'))) {
        if (row.trimmed().startsWith(QString::number(question) + QLatin1Char(' ')))
            return row;
    }
    return {};
}

} // namespace

class QcmtoolQuestionStatsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_quiz, m_logs, m_fingerprint;

    QString quizFolder() const { return m_dir.filePath(QStringLiteral("QCM")); }

    std::vector<QuizStats> statistics(bool allAttempts)
    {
        return questionStatistics(readResultsFolder(m_logs, Lang::French).results, allAttempts, quizFolder());
    }

private slots:
    void initTestCase()
    {
        m_quiz = m_dir.filePath(QStringLiteral("QCM/Histoire/Les rois.qcm"));
        m_logs = m_dir.filePath(QStringLiteral("QCM/Résultats"));
        QVERIFY(QDir().mkpath(QFileInfo(m_quiz).absolutePath()));
        QVERIFY(writeQuizFile(
            m_quiz,
            {question(QStringLiteral("Qui fut, selon la tradition, le premier\nroi des Francs ?"),
                      {QStringLiteral("Pharamond"), QStringLiteral("Clovis"), QStringLiteral("Charlemagne")},
                      QStringLiteral("1")),
             question(QStringLiteral("En quelle année Clovis fut-il baptisé ?"),
                      {QStringLiteral("486"), QStringLiteral("496"), QStringLiteral("511")}, QStringLiteral("2")),
             question(QStringLiteral("Lesquels furent rois des Francs ?"),
                      {QStringLiteral("Clovis"), QStringLiteral("Vercingétorix"), QStringLiteral("Dagobert")},
                      QStringLiteral("5")),
             question(QStringLiteral("Qui fut sacré empereur en 800 ?"),
                      {QStringLiteral("Pépin le Bref"), QStringLiteral("Louis le Pieux"),
                       QStringLiteral("Charlemagne")},
                      QStringLiteral("4"))}));
        // Another quiz of the folder, which must not be taken for this one.
        QVERIFY(QDir().mkpath(m_dir.filePath(QStringLiteral("QCM/Géographie"))));
        QVERIFY(writeQuizFile(m_dir.filePath(QStringLiteral("QCM/Géographie/Fleuves.qcm")),
                              {question(QStringLiteral("Quel fleuve passe à Paris ?"),
                                        {QStringLiteral("La Seine"), QStringLiteral("La Loire")},
                                        QStringLiteral("1"))}));
        m_fingerprint = fingerprintOfQuizFile(m_quiz);
        QCOMPARE(m_fingerprint.size(), 16);

        const QString f = m_fingerprint;
        QuizResult old; // before the answers were kept: nine fields
        old.finished = QDateTime::fromString(QStringLiteral("2026-11-20T09:00:00"), Qt::ISODate);
        old.pupil = QStringLiteral("Farid");
        old.subject = Subject;
        old.title = Title;
        old.questions = 4;
        old.right = 3;
        old.percentage = 75;
        const QString oldLine = resultLine(old).chopped(2) + QStringLiteral("\r\n");
        const QString damaged = line({QStringLiteral("2026-12-01T09:30:00"), QStringLiteral("Gaël"),
                                      {{1, 1, true}, {2, 2, true}, {3, 5, true}, {4, 4, true}}},
                                     f)
                                    .section(QLatin1Char(';'), 0, 9)
            + QStringLiteral(";1:9:J\r\n");
        QVERIFY(writeFile(m_logs + QStringLiteral("/poste-2.csv"),
                          resultsFileStart()
                              + (oldLine
                                 + line({QStringLiteral("2026-12-01T09:00:00"), QStringLiteral("Anne"),
                                         {{1, 1, true}, {2, 2, true}, {3, 5, true}, {4, 4, true}}},
                                        f)
                                 + line({QStringLiteral("2026-12-01T09:15:00"), QString(),
                                         {{1, 1, true}, {2, 2, true}, {3, 2, false}, {4, 0, false}}},
                                        f)
                                 + damaged)
                                    .toUtf8()));
        // Anne's second attempt is read first, from the other computer.
        QVERIFY(writeFile(m_logs + QStringLiteral("/poste-1.csv"),
                          resultsFileStart()
                              + (line({QStringLiteral("2026-12-02T10:00:00"), QStringLiteral("Anne"),
                                       {{1, 1, true}, {2, 4, false}, {3, 2, false}, {4, 4, true}}},
                                      f)
                                 + line({QStringLiteral("2026-12-01T09:05:00"), QStringLiteral("Bruno"),
                                         {{1, 1, true}, {2, 2, true}, {3, 1, false}, {4, 1, false}}},
                                        f)
                                 + line({QStringLiteral("2026-12-01T09:10:00"), QStringLiteral("Chloé"),
                                         {{1, 1, true}, {2, 2, true}, {3, 3, false}, {4, 1, false}}},
                                        f)
                                 + line({QStringLiteral("2026-12-01T09:20:00"), QString(),
                                         {{3, 1, false}, {1, 1, true}, {4, 2, false}, {2, 1, false}},
                                         true},
                                        f))
                                    .toUtf8()));
    }

    void oldAndDamagedLinesCountForScoresOnly()
    {
        const LoggedResults logged = readResultsFolder(m_logs, Lang::French);
        QCOMPARE(logged.problems,
                 QStringList{QStringLiteral("poste-2.csv : ligne 5 : réponses illisibles, ignorées")});
        const std::vector<ResultGroup> quizzes = groupByQuiz(logged.results);
        QCOMPARE(quizzes.size(), std::size_t(1));
        QCOMPARE(quizzes[0].count, 8);

        const std::vector<QuizStats> stats = statistics(false);
        QCOMPARE(stats.size(), std::size_t(1));
        for (const QuizResult &attempt : stats[0].attempts) {
            QVERIFY(attempt.pupil != QStringLiteral("Farid"));
            QVERIFY(attempt.pupil != QStringLiteral("Gaël"));
        }
    }

    void firstAttemptsGiveTheQuizFigures()
    {
        const QuizStats quiz = statistics(false).at(0);
        QCOMPARE(quiz.fingerprint, m_fingerprint);
        QCOMPARE(quiz.subject, Subject);
        QCOMPARE(quiz.title, Title);
        QCOMPARE(quiz.quizFile, m_quiz);
        QCOMPARE(quiz.attempts.size(), std::size_t(5));
        QCOMPARE(quiz.attempts[0].percentage, 100); // Anne's first, oldest first
        QCOMPARE(*quiz.mean, 55.0);
        QCOMPARE(*quiz.median, 50.0);
        QCOMPARE(*quiz.minimum, 25.0);
        QCOMPARE(*quiz.maximum, 100.0);
        QCOMPARE(*quiz.deviation, std::sqrt(750.0));
        QCOMPARE(*quiz.alpha, 2.0 / 3.0);
        QCOMPARE(quiz.questions.size(), std::size_t(4));
        QCOMPARE(quiz.questions[0].textStart, QStringLiteral("Qui fut, selon la tradition, le premier…"));
        QCOMPARE(quiz.questions[3].textStart, QStringLiteral("Qui fut sacré empereur en 800 ?"));
    }

    void questionFigures_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("facility");
        QTest::addColumn<QList<int>>("ticked");
        QTest::addColumn<int>("rightOnes"); // as bits
        QTest::addColumn<int>("blanks");
        QTest::addColumn<int>("discrimination"); // -1: none
        QTest::addColumn<bool>("toCheck");
        QTest::newRow("all right, no spread") << 1 << 100 << QList<int>{5, 0, 0, 0, 0} << 1 << 0 << -1 << false;
        QTest::newRow("low discrimination") << 2 << 80 << QList<int>{1, 4, 0, 0, 0} << 2 << 0 << 25 << true;
        QTest::newRow("a wrong one beats only the less ticked right one")
            << 3 << 20 << QList<int>{4, 2, 1, 0, 0} << 5 << 0 << 79 << false;
        QTest::newRow("a wrong one beats every right one, a blank")
            << 4 << 20 << QList<int>{2, 1, 1, 0, 0} << 4 << 1 << 79 << true;
    }

    void questionFigures()
    {
        QFETCH(int, number);
        const QuestionStats q = statistics(false).at(0).questions.at(number - 1);
        QCOMPARE(q.question, number);
        QCOMPARE(q.asked, 5);
        QTEST(q.facility, "facility");
        QList<int> ticked;
        int rightOnes = 0;
        for (int p = 0; p < 5; ++p) {
            ticked << q.propositions[p].ticked;
            rightOnes |= int(q.propositions[p].right) << p;
        }
        QTEST(ticked, "ticked");
        QTEST(rightOnes, "rightOnes");
        QTEST(q.blanks, "blanks");
        QTEST(q.discrimination.value_or(-1), "discrimination");
        QTEST(q.toCheck, "toCheck");
    }

    void allAttemptsCountsTheSecondTry()
    {
        const QuizStats quiz = statistics(true).at(0);
        QCOMPARE(quiz.attempts.size(), std::size_t(6));
        QCOMPARE(*quiz.mean, 325.0 / 6);
        QCOMPARE(quiz.questions[1].facility, 67);
        QCOMPARE(quiz.questions[2].facility, 17);
        const QuestionStats &q4 = quiz.questions[3];
        QCOMPARE(q4.propositions[0].ticked, 2);
        QCOMPARE(q4.propositions[2].ticked, 2);
        QCOMPARE(*q4.discrimination, 17);
        QVERIFY(q4.toCheck);
    }

    void figuresWithoutEnoughAttemptsOrSpreadAreAbsent()
    {
        std::vector<QuizResult> results = readResultsFolder(m_logs, Lang::French).results;
        results.erase(std::remove_if(results.begin(), results.end(),
                                     [](const QuizResult &r) { return r.pupil != QStringLiteral("Bruno"); }),
                      results.end());
        // One attempt, and no quiz file to mark right propositions.
        const QuizStats alone = questionStatistics(results, false, QString()).at(0);
        QCOMPARE(*alone.mean, 50.0);
        QVERIFY(!alone.deviation && !alone.alpha);
        QVERIFY(alone.quizFile.isEmpty());
        for (const QuestionStats &q : alone.questions) {
            QVERIFY(!q.discrimination && !q.toCheck && q.textStart.isEmpty());
            QVERIFY(std::none_of(q.propositions.begin(), q.propositions.end(),
                                 [](const PropositionCount &p) { return p.right; }));
        }
        // Two attempts with the same marks: a deviation of nothing, no alpha.
        results.push_back(results[0]);
        results.back().pupil = QStringLiteral("Bruna");
        const QuizStats twins = questionStatistics(results, false, QString()).at(0);
        QCOMPARE(*twins.deviation, 0.0);
        QVERIFY(!twins.alpha);
    }

    void alphaTakesOnlyTheQuestionsEveryAttemptWasAsked()
    {
        // Q1, Q2 asked to all: items 1 1 0 and 1 0 0 (variances 1/3 each),
        // totals 2 1 0 (variance 1): 2/1 · (1 − 2/3) = 2/3. Counting the
        // third question as wrong for Zoé would give 6/7 instead.
        const auto attempt = [](const QString &pupil, std::vector<AnsweredQuestion> answers) {
            QuizResult r;
            r.finished = QDateTime::fromString(QStringLiteral("2026-12-05T10:00:00"), Qt::ISODate);
            r.pupil = pupil;
            r.fingerprint = QStringLiteral("0123456789abcdef");
            r.answers = std::move(answers);
            return r;
        };
        const std::vector<QuizResult> results = {
            attempt(QStringLiteral("Xavier"), {{1, 1, true}, {2, 1, true}, {3, 1, true}}),
            attempt(QStringLiteral("Yasmine"), {{1, 1, true}, {2, 2, false}, {3, 2, false}}),
            attempt(QStringLiteral("Zoé"), {{1, 2, false}, {2, 2, false}})};
        const QuizStats quiz = questionStatistics(results, false, quizFolder()).at(0);
        QCOMPARE(*quiz.alpha, 2.0 / 3.0);
        QCOMPARE(quiz.questions[2].asked, 2);
        QVERIFY(quiz.quizFile.isEmpty());
    }

    void tableAndCsvShowTheFigures()
    {
        const QuizStats quiz = statistics(false).at(0);
        const QString table = questionStatsTable(quiz, Lang::French);
        const QStringList lines = table.split(QLatin1Char('\n'));
        QCOMPARE(lines.mid(0, 6),
                 (QStringList{QStringLiteral("Histoire / Les rois"), QStringLiteral("Empreinte : ") + m_fingerprint,
                              QStringLiteral("Fichier : ") + m_quiz, QStringLiteral("Tentatives : 5"),
                              QStringLiteral("Moyenne : 55 %   Médiane : 50 %   Minimum : 25 %   Maximum : 100 %"),
                              QStringLiteral("Écart type : 27 %   Alpha de Cronbach : 0,67")}));
        const QString header = lines[7];
        const QString q2 = rowOf(table, 2);
        QCOMPARE(squeezed(q2), squeezed(QStringLiteral(
                                   "2 En quelle année Clovis fut-il baptisé ? 80 % 1 4* 0 0 0 0 25 % à vérifier")));
        QVERIFY(squeezed(rowOf(table, 1)).endsWith(squeezed(QStringLiteral("100 % 5* 0 0 0 0 0 —"))));
        // Figures end under their heading.
        const auto endOf = [](const QString &row, const QString &cell) { return row.indexOf(cell) + cell.size(); };
        QCOMPARE(endOf(q2, QStringLiteral("80 %")), endOf(header, QStringLiteral("Réussite")));
        QCOMPARE(endOf(q2, QStringLiteral("25 %")), endOf(header, QStringLiteral("Discrimination")));
        QCOMPARE(endOf(q2, QStringLiteral("4*")), endOf(header, QStringLiteral("2")) + 1);
        QVERIFY(table.contains(QStringLiteral("* : proposition juste")));

        const QString english = questionStatsTable(quiz, Lang::English);
        QVERIFY(english.contains(QStringLiteral("Standard deviation: 27 %   Cronbach's alpha: 0.67")));
        QVERIFY(rowOf(english, 4).endsWith(QStringLiteral("to check")));

        const QByteArray csv = questionStatsCsv({quiz}, Lang::French);
        QVERIFY(csv.startsWith("\xEF\xBB\xBF"));
        const QStringList rows = QString::fromUtf8(csv.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 5);
        QCOMPARE(rows[0].split(QLatin1Char(';')).size(), 17);
        QCOMPARE(rows[3], QStringLiteral("Histoire;Les rois;%1;5;3;Lesquels furent rois des Francs ?;"
                                         "5;20;4;2;1;0;0;1 et 3;0;79;non")
                              .arg(m_fingerprint));
        QVERIFY(rows[1].endsWith(QStringLiteral(";1;0;;non")));
    }

    void theToolPrintsEachQuizTable()
    {
        const QString tool = QStringLiteral(TAVELOR_QCMTOOL);
        QVERIFY2(QFile::exists(tool), "build the qcmtool target first");
        // Written among the logs, the tables must not be read as logs next time.
        const QString merged = m_logs + QStringLiteral("/tous.csv");
        const QString csv = m_logs + QStringLiteral("/tous-questions.csv");
        QProcess process;
        process.start(tool, {QStringLiteral("results"), m_logs, QStringLiteral("--questions"),
                             QStringLiteral("--csv"), merged});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 0);
        const QString out = QString::fromUtf8(process.readAllStandardOutput());
        const QString err = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(err.contains(QStringLiteral("poste-2.csv : ligne 5 : réponses illisibles, ignorées")),
                 qPrintable(err));
        // The score tables first, the old and the damaged lines counted.
        QVERIFY(out.indexOf(QStringLiteral("Farid")) < out.indexOf(QStringLiteral("Tentatives : 5")));
        QVERIFY(out.contains(QStringLiteral("Écart type : 27 %   Alpha de Cronbach : 0,67")));
        QCOMPARE(squeezed(rowOf(out, 4)),
                 squeezed(QStringLiteral("4 Qui fut sacré empereur en 800 ? 20 % 2 1 1* 0 0 1 79 % à vérifier")));
        QVERIFY(QFileInfo(csv).size() > 0);

        process.start(tool, {QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("results"), m_logs,
                             QStringLiteral("--all-attempts"), QStringLiteral("--questions")});
        QVERIFY(process.waitForFinished());
        QVERIFY(QString::fromUtf8(process.readAllStandardOutput()).contains(QStringLiteral("Attempts: 6")));

        process.start(tool, {QStringLiteral("results"), m_logs, QStringLiteral("--questions")});
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitCode(), 0);
        const QString again = QString::fromUtf8(process.readAllStandardError());
        QVERIFY2(again.contains(QStringLiteral("tous-questions.csv : tableau des questions écrit par qcmtool, ignoré")),
                 qPrintable(again));
        QVERIFY(!again.contains(QStringLiteral("tous-questions.csv : ligne")));
        QVERIFY(QString::fromUtf8(process.readAllStandardOutput()).contains(QStringLiteral("Tentatives : 5")));
        QFile::remove(merged);
        QFile::remove(csv);
    }
};

QTEST_GUILESS_MAIN(QcmtoolQuestionStatsTest)
#include "qcmtool_question_stats.moc"
