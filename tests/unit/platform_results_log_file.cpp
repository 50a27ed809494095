#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

#include "platform/ResultsLogFile.h"
#include "quiz/ResultLine.h"

namespace {

qcm::QuizResult resultOf(const QString &pupil, int n)
{
    qcm::QuizResult r;
    r.finished = QDateTime(QDate(2026, 12, 8), QTime(9, 0, 0)).addSecs(n);
    r.pupil = pupil;
    r.subject = QStringLiteral("Sciences");
    r.title = QStringLiteral("L'électricité");
    r.questions = 10;
    r.right = n % 11;
    r.percentage = r.right * 10;
    r.seconds = n;
    return r;
}

// Run as a second program by the test: appends `count` results for `pupil`.
int appendMany(const QString &path, const QString &pupil, int count)
{
    for (int n = 1; n <= count; ++n) {
        const QString reason = platform::appendResultLine(path, qcm::resultLine(resultOf(pupil, n)));
        if (!reason.isEmpty()) {
            std::fprintf(stderr, "%s\n", qPrintable(reason));
            return 1;
        }
    }
    return 0;
}

QByteArray contentOf(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList linesOf(const QString &path)
{
    QString text = QString::fromUtf8(contentOf(path));
    return text.split(QStringLiteral("\r\n"), Qt::SkipEmptyParts);
}

// A folder nobody may write in, even the administrator (tests may run as root).
// Windows keeps folders writable whatever their read-only mark; the file's
// own mark still holds.
bool setReadOnly(const QString &path, bool readOnly)
{
#ifdef Q_OS_UNIX
    if (geteuid() == 0)
        return QProcess::execute(QStringLiteral("chattr"), {readOnly ? QStringLiteral("+i") : QStringLiteral("-i"), path}) == 0;
#endif
    return QFile::setPermissions(path, readOnly ? QFile::ReadOwner | QFile::ExeOwner
                                                : QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
}

} // namespace

class ResultsLogFileTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_dir;

    QString logPath(const QString &name) const { return m_dir.filePath(name + QStringLiteral("/Résultats/poste.csv")); }

private slots:
    void logIsNamedAfterTheComputer()
    {
        const QString name = platform::computerName();
        QVERIFY(!name.isEmpty());
        for (QChar c : QStringLiteral("\\/:*?\"<>|"))
            QVERIFY(!name.contains(c));
        QCOMPARE(platform::resultsLogPath(QStringLiteral("/home/eleve/QCM")),
                 QStringLiteral("/home/eleve/QCM/Résultats/%1.csv").arg(name));
    }

    void firstLineMakesTheFolderAndTheHeader()
    {
        const QString path = logPath(QStringLiteral("first"));
        QCOMPARE(platform::appendResultLine(path, qcm::resultLine(resultOf(QStringLiteral("Inès"), 1))), QString());
        QCOMPARE(platform::appendResultLine(path, qcm::resultLine(resultOf(QStringLiteral("Noé"), 2))), QString());
        const QByteArray bytes = contentOf(path);
        QVERIFY(bytes.startsWith("\xEF\xBB\xBF"));
        QCOMPARE(bytes.count("\xEF\xBB\xBF"), 1);
        const QStringList lines = linesOf(path);
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0], qcm::resultsHeader());
        QVERIFY(lines[1].contains(QStringLiteral("Inès;Sciences;L'électricité")));
        QVERIFY(lines[2].contains(QStringLiteral("Noé")));
        QVERIFY(!QFile::exists(path + QStringLiteral(".lock")));
    }

    void lineCutByACrashStaysAlone()
    {
        const QString path = logPath(QStringLiteral("cut"));
        QVERIFY(QDir().mkpath(QFileInfo(path).path()));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(qcm::resultsFileStart() + "2026-12-08T09:00:00;Hal");
        file.close();
        QCOMPARE(platform::appendResultLine(path, qcm::resultLine(resultOf(QStringLiteral("Inès"), 1))), QString());
        const QStringList lines = linesOf(path);
        QCOMPARE(lines.size(), 3);
        qcm::QuizResult read;
        QString reason;
        QVERIFY(qcm::parseResultLine(lines[2], read, reason));
        QCOMPARE(read.pupil, QStringLiteral("Inès"));
    }

    void readOnlyFolderLosesNothingAndSaysWhy()
    {
        const QString path = logPath(QStringLiteral("locked"));
        QCOMPARE(platform::appendResultLine(path, qcm::resultLine(resultOf(QStringLiteral("Inès"), 1))), QString());
        const QByteArray before = contentOf(path);
        const QString folder = QFileInfo(path).path();
        if (!setReadOnly(path, true) || !setReadOnly(folder, true))
            QSKIP("this file system cannot make a folder read-only");
        if (QFile probe(path); probe.open(QIODevice::Append)) {
            probe.close();
            setReadOnly(folder, false);
            setReadOnly(path, false);
            QSKIP("this user writes in read-only files");
        }
        const QString reason =
            platform::appendResultLine(path, qcm::resultLine(resultOf(QStringLiteral("Noé"), 2)));
        setReadOnly(folder, false);
        setReadOnly(path, false);
        QVERIFY(!reason.isEmpty());
        QVERIFY2(reason.contains(QStringLiteral("interdit")), qPrintable(reason));
        QCOMPARE(contentOf(path), before);
    }

    void missingQuizFolderCannotBeMadeSaysWhy()
    {
        // A file where the folder should be.
        const QString blocker = m_dir.filePath(QStringLiteral("blocked"));
        QFile file(blocker);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.close();
        const QString reason = platform::appendResultLine(blocker + QStringLiteral("/Résultats/poste.csv"),
                                                          qcm::resultLine(resultOf(QStringLiteral("Inès"), 1)));
        QVERIFY(reason.contains(QStringLiteral("dossier")));
    }

    void twoProgramsFinishingTogetherLoseNoLine()
    {
        const QString path = logPath(QStringLiteral("shared"));
        constexpr int Each = 150;
        QProcess first, second;
        const QString self = QCoreApplication::applicationFilePath();
        first.start(self, {QStringLiteral("--append"), path, QStringLiteral("Alice")});
        second.start(self, {QStringLiteral("--append"), path, QStringLiteral("Bruno")});
        QVERIFY(first.waitForFinished(60000) && second.waitForFinished(60000));
        QCOMPARE(first.exitCode(), 0);
        QCOMPARE(second.exitCode(), 0);

        const QStringList lines = linesOf(path);
        QCOMPARE(lines.size(), 1 + 2 * Each);
        QCOMPARE(lines[0], qcm::resultsHeader());
        QMap<QString, int> next{{QStringLiteral("Alice"), 1}, {QStringLiteral("Bruno"), 1}};
        for (qsizetype i = 1; i < lines.size(); ++i) {
            qcm::QuizResult read;
            QString reason;
            QVERIFY2(qcm::parseResultLine(lines[i], read, reason), qPrintable(lines[i]));
            // Each program's lines come whole and in its own order.
            QCOMPARE(read.seconds, qint64(next[read.pupil]++));
        }
        QCOMPARE(next[QStringLiteral("Alice")], Each + 1);
        QCOMPARE(next[QStringLiteral("Bruno")], Each + 1);
    }
};

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    if (argc == 4 && qstrcmp(argv[1], "--append") == 0)
        return appendMany(QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[3]), 150);
    ResultsLogFileTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "platform_results_log_file.moc"
