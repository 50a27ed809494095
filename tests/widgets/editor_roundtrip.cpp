#include <QDirIterator>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include "editor/FormEditeur.h"
#include "tests/common/SettingsOfThisRun.h"
#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"
#include "quiz/Scramble.h"

using namespace editor;
using qcm::Field;

namespace {

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

// A field written by another program: scrambled text, then leftovers of an
// older, longer text after it.
void putRaw(qcm::QuestionRecord &record, Field field, const QByteArray &text)
{
    qcm::ShortString value{};
    value.fill(0xA5);
    value[0] = std::uint8_t(text.size());
    std::copy(text.begin(), text.end(), value.begin() + 1);
    qcm::crypt(value, value[0]);
    const qcm::FieldLayout layout = qcm::layoutOf(field);
    std::copy_n(value.begin(), layout.capacity + 1, record.bytes.begin() + qsizetype(layout.offset));
}

} // namespace

// Opening a quiz and saving it again changes nothing the teacher did not change.
class EditorRoundTripTest : public QObject
{
    Q_OBJECT

    QByteArray openAndSave(const QString &source, const QString &copy)
    {
        if (!QFile::copy(source, copy))
            return {};
        FormEditeur w;
        if (!w.openQuiz(copy))
            return {};
        if (!w.save())
            return {};
        return fileBytes(copy);
    }

private slots:
    void sampleQuizzesComeBackByteForByte_data()
    {
        QTest::addColumn<QString>("path");
        QDirIterator it(QStringLiteral(TAVELOR_BINARY_DIR "/examples/QCM"), {QStringLiteral("*.qcm")}, QDir::Files,
            QDirIterator::Subdirectories);
        int count = 0;
        while (it.hasNext()) {
            const QString path = it.next();
            QTest::newRow(qPrintable(QFileInfo(path).fileName())) << path;
            ++count;
        }
        QVERIFY2(count >= 2, "the sample quizzes are not built");
    }

    void sampleQuizzesComeBackByteForByte()
    {
        QFETCH(QString, path);
        QTemporaryDir dir;
        const QByteArray saved = openAndSave(path, dir.filePath(QStringLiteral("copie.qcm")));
        QVERIFY(!saved.isEmpty());
        QCOMPARE(saved, fileBytes(path));
    }

    void oddRecordsOfOtherWritersAreKept()
    {
        // Leftover bytes after texts, a tag, a key "05", a rule "et", and a
        // question after an empty one: all of it survives.
        std::vector<qcm::QuestionRecord> records(3);
        for (qcm::QuestionRecord &record : records) {
            record.bytes.fill(0x5A);
            putRaw(record, Field::RecordTag, "QQ");
            for (int i = 1; i <= 5; ++i)
                putRaw(record, qcm::answerField(i), "r\xe9ponse");
            putRaw(record, Field::RightComment, "");
            putRaw(record, Field::WrongComment, "Non.");
            putRaw(record, Field::PictureFile, "");
        }
        putRaw(records[0], Field::QuestionText, "Premi\xe8re");
        putRaw(records[0], Field::AnswerKey, "05");
        putRaw(records[0], Field::ValidityRule, "et");
        putRaw(records[1], Field::QuestionText, "");
        putRaw(records[2], Field::QuestionText, "Jamais pos\xe9""e");
        QByteArray bytes;
        for (const qcm::QuestionRecord &record : records)
            bytes.append(reinterpret_cast<const char *>(record.bytes.data()), qcm::RecordSize);
        QTemporaryDir dir;
        const QString original = dir.filePath(QStringLiteral("autre.qcm"));
        QVERIFY(writeBytes(original, bytes));
        QCOMPARE(openAndSave(original, dir.filePath(QStringLiteral("copie.qcm"))), bytes);
    }

    void anEditRewritesOnlyItsField()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("quiz.qcm"));
        QDirIterator it(QStringLiteral(TAVELOR_BINARY_DIR "/examples/QCM"), {QStringLiteral("*.qcm")}, QDir::Files,
            QDirIterator::Subdirectories);
        QVERIFY(it.hasNext());
        QVERIFY(QFile::copy(it.next(), path));
        const QByteArray before = fileBytes(path);
        FormEditeur w;
        QVERIFY(w.openQuiz(path));
        w.document().setText(1, Field::Answer2, QStringLiteral("Nouvelle proposition"));
        QVERIFY(w.save());
        const QByteArray after = fileBytes(path);
        QCOMPARE(after.size(), before.size());
        const qsizetype start = qsizetype(qcm::RecordSize + qcm::layoutOf(Field::Answer2).offset);
        const qsizetype end = start + 256;
        for (qsizetype i = 0; i < before.size(); ++i) {
            if (i < start || i >= end)
                QVERIFY2(before[i] == after[i], qPrintable(QStringLiteral("byte %1 changed").arg(i)));
        }
        const auto records = qcm::parseRecords(
            std::span(reinterpret_cast<const std::uint8_t *>(after.constData()), std::size_t(after.size())));
        QCOMPARE(qcm::decodeField(records[1], Field::Answer2), QStringLiteral("Nouvelle proposition"));
    }
};

QTEST_MAIN(EditorRoundTripTest)
#include "editor_roundtrip.moc"
