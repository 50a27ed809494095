#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "quiz/authoring/ResultsTable.h"

using namespace qcm;
using namespace qcm::authoring;

namespace {

QString line(const QString &when, const QString &pupil, const QString &title, int percentage)
{
    QuizResult r;
    r.finished = QDateTime::fromString(when, Qt::ISODate);
    r.pupil = pupil;
    r.subject = QStringLiteral("Histoire");
    r.title = title;
    r.questions = 10;
    r.right = percentage / 10;
    r.percentage = percentage;
    r.seconds = 90;
    return resultLine(r);
}

const ResultGroup *find(const std::vector<ResultGroup> &groups, const QString &name)
{
    for (const ResultGroup &g : groups) {
        if (g.name == name)
            return &g;
    }
    return nullptr;
}

} // namespace

class ResultsTableTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    void write(const QString &name, const QByteArray &bytes)
    {
        QFile file(m_dir.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

private slots:
    void initTestCase()
    {
        // Two computers; the second file ends with a line cut by a crash and
        // holds one damaged line in the middle.
        write(QStringLiteral("poste-1.csv"),
              resultsFileStart()
                  + (line(QStringLiteral("2026-12-01T10:00:00"), QStringLiteral("Zoé"), QStringLiteral("Rois"), 40)
                     + QStringLiteral("\r\n")
                     + line(QStringLiteral("2026-12-03T10:00:00"), QStringLiteral("Zoé"), QStringLiteral("Rois"), 70)
                     + QStringLiteral("\r\n"))
                        .toUtf8());
        write(QStringLiteral("poste-2.csv"),
              resultsFileStart()
                  + (line(QStringLiteral("2026-12-02T10:00:00"), QStringLiteral("Zoé"), QStringLiteral("Rois"), 90)
                     + QStringLiteral("\r\nn'importe quoi\r\n")
                     + line(QStringLiteral("2026-12-02T11:00:00"), QString(), QStringLiteral("Gaulois"), 50)
                     + QStringLiteral("\r\n2026-12-04T08:00:00;Lé"))
                        .toUtf8());
        write(QStringLiteral("notes.txt"), "not a log");
    }

    void everyComputerIsReadAndDamagedLinesAreSkipped()
    {
        const LoggedResults logged = readResultsFolder(m_dir.path(), Lang::French);
        QCOMPARE(logged.results.size(), std::size_t(4));
        QCOMPARE(logged.problems.size(), 2);
        QVERIFY(logged.problems[0].startsWith(QStringLiteral("poste-2.csv : ligne 3 ignorée")));
        QVERIFY(logged.problems[1].startsWith(QStringLiteral("poste-2.csv : ligne 5 ignorée")));
        // Oldest first, whichever file they came from.
        QCOMPARE(logged.results[0].percentage, 40);
        QCOMPARE(logged.results[1].computer, QStringLiteral("poste-2"));
        QCOMPARE(logged.results[3].percentage, 70);
    }

    void pupilsAndQuizzesAreCountedWithBestLastAndMean()
    {
        const LoggedResults logged = readResultsFolder(m_dir.path(), Lang::French);
        const std::vector<ResultGroup> pupils = groupByPupil(logged.results, Lang::French);
        QCOMPARE(pupils.size(), std::size_t(2));
        const ResultGroup *zoe = find(pupils, QStringLiteral("Zoé"));
        QVERIFY(zoe);
        QCOMPARE(zoe->count, 3);
        QCOMPARE(zoe->best, 90);
        QCOMPARE(zoe->last, 70); // the latest by date, not the last file read
        QCOMPARE(zoe->mean, (40 + 90 + 70) / 3.0);
        QVERIFY(find(pupils, QStringLiteral("(sans nom)")));

        const std::vector<ResultGroup> quizzes = groupByQuiz(logged.results);
        QCOMPARE(quizzes.size(), std::size_t(2));
        QCOMPARE(quizzes[0].name, QStringLiteral("Histoire / Gaulois"));
        QCOMPARE(quizzes[1].count, 3);

        const QString table = groupTable(QStringLiteral("Élève"), pupils, Lang::French);
        QVERIFY(table.contains(QStringLiteral("66,7 %")));
        const QStringList rows = table.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        QCOMPARE(rows.size(), 3);
        QCOMPARE(rows[1].size(), rows[2].size());
    }

    void mergedFileIsNotReadAgainAsAComputer()
    {
        const LoggedResults logged = readResultsFolder(m_dir.path(), Lang::French);
        const QByteArray merged = mergedResultsFile(logged.results);
        QVERIFY(merged.startsWith("\xEF\xBB\xBF"));
        const QStringList lines = QString::fromUtf8(merged.mid(3)).split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
        QCOMPARE(lines.size(), 5);
        QVERIFY(lines[1].startsWith(QStringLiteral("poste-1;2026-12-01T10:00:00;Zoé")));

        write(QStringLiteral("tous.csv"), merged);
        const LoggedResults again = readResultsFolder(m_dir.path(), Lang::French);
        QCOMPARE(again.results.size(), logged.results.size());
        QVERIFY(again.problems.last().startsWith(QStringLiteral("tous.csv")));
        QVERIFY(QFile::remove(m_dir.filePath(QStringLiteral("tous.csv"))));
    }

    void missingFolderIsReported()
    {
        const LoggedResults logged = readResultsFolder(m_dir.filePath(QStringLiteral("absent")), Lang::English);
        QVERIFY(logged.results.empty());
        QCOMPARE(logged.problems.size(), 1);
        QVERIFY(logged.problems[0].contains(QStringLiteral("no such folder")));
    }
};

QTEST_GUILESS_MAIN(ResultsTableTest)
#include "authoring_results_table.moc"
