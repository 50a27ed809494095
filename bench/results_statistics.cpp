// A school's year of results: 30 computers' logs of 40 quizzes each (1,200
// lines, 20 questions a quiz), among 200 quiz files, read and turned into the
// per-question statistics that qcmtool results --questions prints.
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

#include "editor/ClassResults.h"
#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"
#include "quiz/Rounding.h"
#include "quiz/authoring/QuestionStats.h"
#include "quiz/authoring/ResultsTable.h"
#include "tests/common/ProcessUsage.h"

namespace {

constexpr int kComputers = 30;
constexpr int kQuizzesTaken = 40;
constexpr int kQuizzesInFolder = 200;
constexpr int kQuestions = 20;

using namespace qcm;
using namespace qcm::authoring;

// Four propositions, one or two of them right.
QuestionRecord question(int quiz, int number, int key)
{
    QuestionRecord record;
    encodeField(record, Field::QuestionText,
                QStringLiteral("Quiz %1, question %2 : laquelle est juste ?").arg(quiz).arg(number));
    for (int p = 1; p <= 4; ++p)
        encodeField(record, answerField(p), QStringLiteral("Proposition %1").arg(p));
    encodeField(record, Field::AnswerKey, QString::number(key));
    encodeField(record, Field::ValidityRule, QStringLiteral("ET"));
    return record;
}

struct Scene
{
    QTemporaryDir root;
    QString logs = root.filePath(QStringLiteral("QCM/Résultats"));
    QRandomGenerator random{2026};

    Scene()
    {
        QDir().mkpath(logs);
        std::vector<std::vector<int>> keys(kQuizzesTaken);
        std::vector<QString> fingerprints;
        for (int q = 0; q < kQuizzesInFolder; ++q) {
            std::vector<QuestionRecord> records;
            std::vector<int> quizKeys;
            for (int n = 1; n <= kQuestions; ++n) {
                quizKeys.push_back(random.bounded(5) == 0 ? 5 : 1 << random.bounded(4));
                records.push_back(question(q, n, quizKeys.back()));
            }
            const QString dir = root.filePath(QStringLiteral("QCM/Matière %1").arg(q % 8));
            QDir().mkpath(dir);
            const QString path = dir + QStringLiteral("/quiz %1.qcm").arg(q);
            writeQuizFile(path, records);
            if (q < kQuizzesTaken) {
                keys[q] = quizKeys;
                fingerprints.push_back(fingerprintOfQuizFile(path));
            }
        }
        for (int c = 1; c <= kComputers; ++c)
            writeLog(c, keys, fingerprints);
    }

    // One pupil a computer, more or less able, taking every quiz once.
    void writeLog(int computer, const std::vector<std::vector<int>> &keys, const std::vector<QString> &fingerprints)
    {
        const int ability = 30 + int(random.bounded(65));
        QByteArray bytes = resultsFileStart();
        for (int q = 0; q < kQuizzesTaken; ++q) {
            QuizResult r;
            r.finished = QDateTime(QDate(2026, 9, 1).addDays(q * 5), QTime(9, 0).addSecs(computer * 60));
            r.pupil = QStringLiteral("Élève %1").arg(computer);
            r.subject = QStringLiteral("Matière %1").arg(q % 8);
            r.title = QStringLiteral("quiz %1").arg(q);
            r.questions = kQuestions;
            r.seconds = 300 + random.bounded(600);
            r.fingerprint = fingerprints[q];
            for (int n = 1; n <= kQuestions; ++n) {
                const int key = keys[q][n - 1];
                const bool knows = int(random.bounded(100)) < ability;
                const int ticked = knows ? key : random.bounded(20) == 0 ? 0 : 1 << random.bounded(4);
                r.answers.push_back({n, ticked, ticked == key});
                r.right += ticked == key;
            }
            r.percentage = successPercentage(r.questions, r.questions - r.right);
            bytes += (resultLine(r) + QStringLiteral("\r\n")).toUtf8();
        }
        QFile file(logs + QStringLiteral("/poste-%1.csv").arg(computer, 2, 10, QLatin1Char('0')));
        file.open(QIODevice::WriteOnly);
        file.write(bytes);
    }
};

Scene &scene()
{
    static Scene s;
    return s;
}

void BM_ReadLogs(benchmark::State &state)
{
    for (auto _ : state) {
        const LoggedResults logged = readResultsFolder(scene().logs, Lang::French);
        if (logged.results.size() != std::size_t(kComputers * kQuizzesTaken))
            state.SkipWithError("lines missing");
        benchmark::DoNotOptimize(logged.results.data());
    }
}
BENCHMARK(BM_ReadLogs)->Unit(benchmark::kMillisecond);

// What qcmtool does: the logs read, the quiz files found, every figure computed.
void BM_LogsToQuestionStatistics(benchmark::State &state)
{
    const QString quizFolder = scene().root.filePath(QStringLiteral("QCM"));
    for (auto _ : state) {
        const LoggedResults logged = readResultsFolder(scene().logs, Lang::French);
        const std::vector<QuizStats> quizzes = questionStatistics(logged.results, false, quizFolder);
        if (quizzes.size() != std::size_t(kQuizzesTaken) || quizzes[0].quizFile.isEmpty())
            state.SkipWithError("quizzes missing");
        benchmark::DoNotOptimize(quizzes.data());
    }
    state.counters["peak_MiB"] = double(peakMemoryKb()) / 1024;
}
BENCHMARK(BM_LogsToQuestionStatistics)->Unit(benchmark::kMillisecond);

// What the editor does on opening or saving a quiz: every log read, the
// lines of this version kept, its statistics computed.
void BM_EditorOpensAQuizOfTheClass(benchmark::State &state)
{
    const QString quiz = scene().root.filePath(QStringLiteral("QCM/Matière 3/quiz 3.qcm"));
    for (auto _ : state) {
        const std::optional<QuizStats> stats = editor::classResultsOf(quiz);
        if (!stats || stats->attempts.size() != std::size_t(kComputers))
            state.SkipWithError("results missing");
        benchmark::DoNotOptimize(stats);
    }
}
BENCHMARK(BM_EditorOpensAQuizOfTheClass)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    scene();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
