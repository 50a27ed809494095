#include <QDir>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"
#include "tests/common/QuestionForChecks.h"
#include "quiz/authoring/QuizCheck.h"

using namespace qcm;
using namespace qcm::authoring;
using Level = Finding::Level;

namespace {

// The findings about one record, at one level, whose field is `field`.
int count(const CheckReport &report, Level level, int record, const QString &field = {})
{
    int n = 0;
    for (const Finding &f : report.findings)
        n += f.level == level && f.record == record && (field.isEmpty() || f.field == field);
    return n;
}

} // namespace

class QuizCheckTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

    QString write(const QString &name, const std::vector<QuestionRecord> &records, const QByteArray &extra = {})
    {
        const QString path = dir.filePath(name);
        QFile file(path);
        if (!writeQuizFile(path, records) || !file.open(QIODevice::Append) || file.write(extra) != extra.size())
            qFatal("cannot write");
        return path;
    }
    CheckReport check(const QString &path)
    {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            qFatal("cannot read");
        return checkQuiz(file, path, Lang::French, [](const QString &folder, const QString &name) {
            PictureProbe probe;
            const QImage image(folder + QLatin1Char('/') + QString(name).replace(QLatin1Char('\\'), QLatin1Char('/')));
            probe.loaded = !image.isNull();
            probe.width = image.width();
            probe.height = image.height();
            probe.reason = QStringLiteral("absent");
            return probe;
        });
    }

private slots:
    void keysAndRulesThatSurpriseAreReported_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QStringList>("answers");
        QTest::addColumn<int>("level"); // the worst finding on AnswerKey or ValidityRule, -1 for none
        QTest::newRow("plain key under ET") << "5" << "ET" << Three << -1;
        QTest::newRow("05 under ET never right") << "05" << "ET" << Three << int(Level::Error);
        QTest::newRow("blank 5 under ET never right") << " 5" << "ET" << Three << int(Level::Error);
        QTest::newRow("05 under OU works by accident") << "05" << "OU" << Three << int(Level::Warning);
        QTest::newRow("key naming an empty proposition under ET") << "12" << "ET" << Three << int(Level::Error);
        QTest::newRow("key naming an empty one and a shown one under OU") << "12" << "OU" << Three << int(Level::Warning);
        QTest::newRow("key 0 under ET: tick nothing") << "0" << "ET" << Three << int(Level::Warning);
        QTest::newRow("key 0 under OU never right") << "0" << "OU" << Three << int(Level::Error);
        QTest::newRow("empty key under ET never right") << "" << "ET" << Three << int(Level::Error);
        QTest::newRow("et in lower case") << "5" << "et" << Three << int(Level::Warning);
        QTest::newRow("rule OU is only a remark") << "5" << "OU" << Three << int(Level::Remark);
        QTest::newRow("every proposition right under OU") << "7" << "OU" << Three << int(Level::Warning);
        QTest::newRow("a gap is fine") << "8" << "ET" << QStringList{"a", "", "c", "d"} << -1;
    }
    void keysAndRulesThatSurpriseAreReported()
    {
        QFETCH(QString, key);
        QFETCH(QString, rule);
        QFETCH(QStringList, answers);
        QFETCH(int, level);
        const CheckReport report = check(write(QStringLiteral("k.qcm"), {question(QStringLiteral("Q"), answers, key, rule)}));
        int worst = -1;
        for (const Finding &f : report.findings) {
            if (f.field == QLatin1String("AnswerKey") || f.field == QLatin1String("ValidityRule"))
                worst = std::max(worst, int(f.level));
        }
        QCOMPARE(worst, level);
        QCOMPARE(report.hasErrors(), level == int(Level::Error));
    }

    void damagedFilesAreDescribed()
    {
        QuestionRecord broken = question(QStringLiteral("Q"), Three, QStringLiteral("1"), QStringLiteral("ET"));
        broken.bytes[layoutOf(Field::PictureFile).offset] = 255; // runs into the key
        std::vector<QuestionRecord> records{question(QStringLiteral("Q1"), Three, QStringLiteral("1"), QStringLiteral("ET")),
            QuestionRecord{}, broken};
        const CheckReport report = check(write(QStringLiteral("damaged.qcm"), records, QByteArray(300, 'x')));
        QCOMPARE(report.records, 3);
        QCOMPARE(report.questions, 1);
        QCOMPARE(count(report, Level::Warning, 3, QStringLiteral("PictureFile")), 1); // length byte 255 for 50
        QCOMPARE(count(report, Level::Warning, 0), 2); // the trailing piece, record 3 never asked
        QVERIFY(!report.hasErrors());
    }

    void filesThePlayerCannotUseAreErrors_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("0 bytes") << QByteArray();
        QTest::newRow("less than a record") << QByteArray(2000, '\0');
        QTest::newRow("first question empty") << QByteArray(qsizetype(RecordSize), '\0');
    }
    void filesThePlayerCannotUseAreErrors()
    {
        QFETCH(QByteArray, bytes);
        const CheckReport report = check(write(QStringLiteral("empty.qcm"), {}, bytes));
        QVERIFY(report.hasErrors());
        QCOMPARE(report.questions, 0);
    }

    void moreThanAHundredRecordsAreReported()
    {
        std::vector<QuestionRecord> records(101, question(QStringLiteral("Q"), Three, QStringLiteral("1"), QStringLiteral("ET")));
        const CheckReport report = check(write(QStringLiteral("big.qcm"), records));
        QCOMPARE(report.questions, 100);
        QCOMPARE(count(report, Level::Warning, 0), 2); // over 100, and record 101 never asked
    }

    void picturesAreLoadedOrReported()
    {
        QDir(dir.path()).mkpath(QStringLiteral("img"));
        QImage(30, 20, QImage::Format_RGB32).save(dir.filePath(QStringLiteral("img/ok.bmp")));
        QImage(30, 20, QImage::Format_RGB32).save(dir.filePath(QStringLiteral("img/shown.png")));
        const auto withPicture = [](const QString &name) {
            return question(QStringLiteral("Q"), Three, QStringLiteral("1"), QStringLiteral("ET"), name);
        };
        const CheckReport report = check(write(QStringLiteral("pictures.qcm"),
            {withPicture(QStringLiteral("img\\ok.bmp")), withPicture(QStringLiteral("img\\missing.jpg")),
                withPicture(QStringLiteral("img\\shown.png"))}));
        QCOMPARE(count(report, Level::Remark, 1, QStringLiteral("PictureFile")), 1);
        QCOMPARE(count(report, Level::Error, 2, QStringLiteral("PictureFile")), 1);
        QCOMPARE(count(report, Level::Error, 3, QStringLiteral("PictureFile")), 1); // PNG is not a format the player shows
        bool sized = false;
        for (const Finding &f : report.findings)
            sized = sized || f.text.contains(QStringLiteral("30 × 20"));
        QVERIFY(sized);
    }

    void emptyCommentsAndQuestionsWithoutPropositionsAreReported()
    {
        QuestionRecord bare;
        encodeField(bare, Field::QuestionText, QStringLiteral("Rien à cocher"));
        encodeField(bare, Field::AnswerKey, QStringLiteral("1"));
        const CheckReport report = check(write(QStringLiteral("bare.qcm"), {bare}));
        QCOMPARE(count(report, Level::Error, 1, QString()), 2); // no proposition, and never right
        QCOMPARE(count(report, Level::Remark, 1, QStringLiteral("RightComment")), 1);
        QCOMPARE(count(report, Level::Remark, 1, QStringLiteral("WrongComment")), 1);
    }
};

QTEST_MAIN(QuizCheckTest)
#include "authoring_quiz_check.moc"
