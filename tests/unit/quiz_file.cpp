#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"

using namespace qcm;

namespace {

// Record k carries the question "Qk" (or nothing when k is in `empty`).
QByteArray quizBytes(int records, std::size_t trailing = 0, const QString &prefix = QStringLiteral("Q"))
{
    QByteArray data;
    for (int k = 1; k <= records; ++k) {
        QuestionRecord record;
        encodeField(record, Field::QuestionText, prefix + QString::number(k));
        data.append(reinterpret_cast<const char *>(record.bytes.data()), qsizetype(RecordSize));
    }
    data.append(QByteArray(qsizetype(trailing), 'x'));
    return data;
}

QString writeFile(const QTemporaryDir &dir, const QString &name, const QByteArray &data)
{
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size())
        qFatal("cannot write test file");
    return path;
}

} // namespace

class QuizFileTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;
    std::unique_ptr<QuestionBank> bank;

private slots:
    void init() { bank = std::make_unique<QuestionBank>(); }

    void wholeRecordsAreReadAndATrailingPieceIgnored_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("trailing");
        QTest::newRow("one record of exactly 2108 bytes") << 1 << 0;
        QTest::newRow("three records") << 3 << 0;
        QTest::newRow("three records and a piece") << 3 << 1000;
        QTest::newRow("one byte short of a fourth") << 3 << int(RecordSize - 1);
        QTest::newRow("exactly 100") << 100 << 0;
    }
    void wholeRecordsAreReadAndATrailingPieceIgnored()
    {
        QFETCH(int, records);
        QFETCH(int, trailing);
        const QString path = writeFile(dir, QStringLiteral("whole.qcm"), quizBytes(records, std::size_t(trailing)));
        const ReadResult result = readQuizFile(path, *bank);
        QCOMPARE(result.status, ReadResult::Status::Ok);
        QCOMPARE(result.recordsRead, records);
        QCOMPARE(result.recordsInFile, records);
        QCOMPARE(result.trailingBytes, std::size_t(trailing));
        QVERIFY(!result.truncated());
        QCOMPARE(decodeField((*bank)[records], Field::QuestionText), QStringLiteral("Q%1").arg(records));
        QCOMPARE((*bank)[0].bytes, (*bank)[records].bytes); // slot 0 holds the last record read
    }

    void filesWithoutAWholeRecordReadPastTheEnd_data()
    {
        QTest::addColumn<int>("size");
        QTest::newRow("0 bytes") << 0;
        QTest::newRow("2107 bytes") << int(RecordSize - 1);
    }
    void filesWithoutAWholeRecordReadPastTheEnd()
    {
        QFETCH(int, size);
        (*bank)[1] = QuestionRecord{};
        encodeField((*bank)[1], Field::QuestionText, QStringLiteral("earlier"));
        const QString path = writeFile(dir, QStringLiteral("short.qcm"), QByteArray(size, 'x'));
        const ReadResult result = readQuizFile(path, *bank);
        QCOMPARE(result.status, ReadResult::Status::ReadPastEnd);
        QCOMPARE(result.recordsRead, 0);
        QCOMPARE(decodeField((*bank)[1], Field::QuestionText), QStringLiteral("earlier"));
    }

    void onlyTheFirstHundredRecordsAreKept()
    {
        const QString path = writeFile(dir, QStringLiteral("big.qcm"), quizBytes(101, 7));
        const ReadResult result = readQuizFile(path, *bank);
        QCOMPARE(result.status, ReadResult::Status::Ok);
        QCOMPARE(result.recordsRead, 100);
        QCOMPARE(result.recordsInFile, 101);
        QCOMPARE(result.trailingBytes, std::size_t(7));
        QVERIFY(result.truncated());
        QCOMPARE(decodeField((*bank)[100], Field::QuestionText), QStringLiteral("Q100"));
        QCOMPARE(decodeField((*bank)[0], Field::QuestionText), QStringLiteral("Q100"));
    }

    void aShorterQuizLeavesTheOlderRecordsBehindIt()
    {
        readQuizFile(writeFile(dir, QStringLiteral("twenty.qcm"), quizBytes(20, 0, QStringLiteral("old"))), *bank);
        const ReadResult result
            = readQuizFile(writeFile(dir, QStringLiteral("five.qcm"), quizBytes(5, 0, QStringLiteral("new"))), *bank);
        QCOMPARE(result.recordsRead, 5);
        for (int k = 1; k <= 5; ++k)
            QCOMPARE(decodeField((*bank)[k], Field::QuestionText), QStringLiteral("new%1").arg(k));
        for (int k = 6; k <= 20; ++k)
            QCOMPARE(decodeField((*bank)[k], Field::QuestionText), QStringLiteral("old%1").arg(k));
        QVERIFY(!(*bank)[21].hasQuestion());
    }

    void aFileThatCannotBeOpenedLeavesTheBankAlone_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("missing") << dir.filePath(QStringLiteral("absent.qcm"));
        QTest::newRow("a folder") << dir.path();
        QTest::newRow("empty name") << QString();
    }
    void aFileThatCannotBeOpenedLeavesTheBankAlone()
    {
        QFETCH(QString, path);
        encodeField((*bank)[1], Field::QuestionText, QStringLiteral("kept"));
        const ReadResult result = readQuizFile(path, *bank);
        QCOMPARE(result.status, ReadResult::Status::CannotOpen);
        QCOMPARE(result.recordsRead, 0);
        QCOMPARE(decodeField((*bank)[1], Field::QuestionText), QStringLiteral("kept"));
    }

    void aReadOnlyQuizCanBeLoaded()
    {
        const QString path = writeFile(dir, QStringLiteral("readonly.qcm"), quizBytes(2));
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther);
        QCOMPARE(readQuizFile(path, *bank).recordsRead, 2);
    }

    void writtenRecordsReadBackUnchanged()
    {
        std::vector<QuestionRecord> records(3);
        encodeField(records[0], Field::QuestionText, QStringLiteral("un"));
        encodeField(records[2], Field::AnswerKey, QStringLiteral("31"));
        const QString path = dir.filePath(QStringLiteral("written.qcm"));
        QVERIFY(writeQuizFile(path, records));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        QCOMPARE(data.size(), qsizetype(3 * RecordSize));
        const auto parsed
            = parseRecords(std::span(reinterpret_cast<const std::uint8_t *>(data.constData()), std::size_t(data.size())));
        QCOMPARE(parsed.size(), std::size_t(3));
        for (std::size_t i = 0; i < 3; ++i)
            QCOMPARE(parsed[i].bytes, records[i].bytes);
        QVERIFY(!writeQuizFile(dir.filePath(QStringLiteral("no/such/folder/x.qcm")), records));
    }
};

QTEST_GUILESS_MAIN(QuizFileTest)
#include "quiz_file.moc"
