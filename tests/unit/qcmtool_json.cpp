#include <QDirIterator>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"
#include "quiz/authoring/QuizJson.h"
#include "quiz/authoring/RecordReader.h"

using namespace qcm;
using namespace qcm::authoring;

namespace {

const QString Tool = QStringLiteral(TAVELOR_QCMTOOL);

struct Run
{
    int exitCode = -1;
    QByteArray out;
    QString err;
};

Run runTool(const QStringList &arguments)
{
    QProcess process;
    process.start(Tool, arguments);
    Run run;
    if (!process.waitForFinished(30000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = process.readAllStandardOutput();
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

void put(QByteArray &record, int offset, const QByteArray &bytes) { record.replace(offset, bytes.size(), bytes); }

} // namespace

class QcmtoolJsonTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() { QVERIFY2(QFile::exists(Tool), "build the qcmtool target first"); }

    void aQuizBuiltFromJsonDumpsBackTheSameTexts()
    {
        const QByteArray source = R"({"records":[
          {"QuestionText":"Quels animaux pondent des œufs ?","Answer1":"la poule","Answer2":"","Answer3":"la tortue",
           "RightComment":"Bravo !","WrongComment":"La poule et la tortue… « ovipares »","PictureFile":"img\\œuf.jpg",
           "AnswerKey":5,"ValidityRule":"ET"},
          {"QuestionText":"Deuxième","AnswerKey":"05","ValidityRule":"ou"},
          {"QuestionText":""},
          {"QuestionText":"Jamais posée"}]})";
        const BuiltQuiz built = quizFromJson(source, QStringLiteral("q.json"), Lang::French);
        QVERIFY2(built.errors.isEmpty(), qPrintable(built.errors.join(QLatin1Char('\n'))));
        QCOMPARE(built.records.size(), std::size_t(4));
        QCOMPARE(built.warnings.size(), 1); // records after the empty question are never asked
        QVERIFY(built.warnings[0].contains(QStringLiteral("enregistrement 3")));

        const QString path = dir.filePath(QStringLiteral("built.qcm"));
        QVERIFY(writeQuizFile(path, built.records));
        std::vector<QuestionRecord> records;
        QFile written(path);
        QVERIFY(written.open(QIODevice::ReadOnly));
        RecordReader reader(written);
        for (QuestionRecord r; reader.next(r);)
            records.push_back(r);
        QCOMPARE(reader.trailingBytes(), std::size_t(0));
        const nlohmann::ordered_json dumped = quizToJson(records);
        const auto &list = dumped["records"];
        QCOMPARE(list.size(), std::size_t(4));
        QCOMPARE(list[0]["WrongComment"].get<std::string>(), std::string("La poule et la tortue… « ovipares »"));
        QCOMPARE(list[0]["PictureFile"].get<std::string>(), std::string("img\\œuf.jpg"));
        QCOMPARE(list[0]["AnswerKey"].get<std::string>(), std::string("5"));
        QCOMPARE(list[0]["Answer2"].get<std::string>(), std::string());
        QCOMPARE(list[1]["AnswerKey"].get<std::string>(), std::string("05"));
        QCOMPARE(list[1]["ValidityRule"].get<std::string>(), std::string("ou"));
        QCOMPARE(list[1]["isQuestion"].get<bool>(), true);
        QCOMPARE(list[2]["isQuestion"].get<bool>(), false);
        QCOMPARE(list[3]["isQuestion"].get<bool>(), false);
        QCOMPARE(list[3]["number"].get<int>(), 4);

        // The dump builds the same bytes again.
        const BuiltQuiz again = quizFromJson(QByteArray::fromStdString(dumped.dump()), QStringLiteral("d.json"), Lang::English);
        QVERIFY(again.errors.isEmpty());
        QCOMPARE(again.records.size(), records.size());
        for (std::size_t i = 0; i < records.size(); ++i)
            QCOMPARE(again.records[i].bytes, records[i].bytes);
    }

    void buildErrorsNameTheFileTheRecordAndTheField_data()
    {
        QTest::addColumn<QByteArray>("json");
        QTest::addColumn<QString>("french");
        QTest::addColumn<QString>("english");
        QTest::newRow("bad JSON") << QByteArray(R"({"records":[{"QuestionText":"a",}]})")
                                  << QStringLiteral("q.json : JSON illisible") << QStringLiteral("q.json: unreadable JSON");
        QTest::newRow("too long")
            << QByteArray(R"([{"QuestionText":"a"},{"PictureFile":")" + QByteArray(51, 'p') + R"("}])")
            << QStringLiteral("q.json : enregistrement 2, champ PictureFile : texte trop long : 51 caractères pour 50")
            << QStringLiteral("q.json: record 2, field PictureFile: text too long: 51 characters, at most 50");
        QTest::newRow("not Windows-1252")
            << QByteArray(R"([{"QuestionText":"3 ≤ 4 ?"}])")
            << QString::fromUtf8("q.json : enregistrement 1, champ QuestionText : caractère « ≤ » (U+2264) absent de "
                                 "Windows-1252, au caractère 3")
            << QString::fromUtf8("q.json: record 1, field QuestionText: character « ≤ » (U+2264) is not in Windows-1252, "
                                 "at character 3");
        QTest::newRow("unknown field") << QByteArray(R"([{"Question":"a"}])")
                                       << QStringLiteral("q.json : enregistrement 1, champ Question : champ inconnu")
                                       << QStringLiteral("q.json: record 1, field Question: unknown field");
        QTest::newRow("not a text") << QByteArray(R"([{"Answer1":true}])")
                                    << QStringLiteral("enregistrement 1, champ Answer1 : il faut un texte")
                                    << QStringLiteral("record 1, field Answer1: expected a text");
    }
    void buildErrorsNameTheFileTheRecordAndTheField()
    {
        QFETCH(QByteArray, json);
        QFETCH(QString, french);
        QFETCH(QString, english);
        const QString source = dir.filePath(QStringLiteral("q.json"));
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(json);
        file.close();
        const QString output = dir.filePath(QStringLiteral("never.qcm"));
        const Run fr = runTool({QStringLiteral("build"), source, QStringLiteral("-o"), output});
        QCOMPARE(fr.exitCode, 1);
        QVERIFY2(fr.err.contains(french), qPrintable(fr.err));
        QVERIFY(!QFile::exists(output));
        const Run en = runTool({QStringLiteral("build"), source, QStringLiteral("-o"), output, QStringLiteral("--lang"),
            QStringLiteral("en")});
        QCOMPARE(en.exitCode, 1);
        QVERIFY2(en.err.contains(english), qPrintable(en.err));
    }

    void dumpDecodesEveryFieldOfAHandMadeRecord()
    {
        // Stored bytes worked out by hand: each character is the running sum of the plain ones.
        QByteArray record(qsizetype(RecordSize), '\xAA');
        put(record, 0, QByteArray::fromHex("027A7A"));            // tag, never read
        put(record, 3, QByteArray::fromHex("0361C326"));          // "abc"
        put(record, 259, QByteArray::fromHex("02E9C2"));          // "éÙ" (E9, D9)
        put(record, 515, QByteArray::fromHex("018C"));            // "Œ" alone, unchanged
        put(record, 771, QByteArray::fromHex("00"));              // empty proposition 3
        put(record, 1027, QByteArray::fromHex("0380819D"));       // 80 01 1C: "€", U+0001, U+001C
        put(record, 1283, QByteArray::fromHex("023162"));         // "11"
        put(record, 1539, QByteArray::fromHex("034F9E0D"));       // "OO?" = 4F 4F 6F -> 4F 9E 0D
        put(record, 1795, QByteArray::fromHex("00"));             // empty correction
        put(record, 2051, QByteArray::fromHex("FF61CB"));         // length 255: 50 characters, then the key
        put(record, 2102, QByteArray::fromHex("0135"));           // key "5"
        put(record, 2105, QByteArray::fromHex("024599"));         // "ET"
        const QString path = dir.filePath(QStringLiteral("hand.qcm"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(record + QByteArray(100, '\0')); // and a trailing piece
        file.close();

        const Run run = runTool({QStringLiteral("dump"), path});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.contains(QStringLiteral("100 octets")), qPrintable(run.err));
        const QJsonObject dumped = QJsonDocument::fromJson(run.out).object();
        const QJsonArray list = dumped[QStringLiteral("records")].toArray();
        QCOMPARE(list.size(), 1);
        const QJsonObject r = list[0].toObject();
        QCOMPARE(r[QStringLiteral("number")].toInt(), 1);
        QCOMPARE(r[QStringLiteral("isQuestion")].toBool(), true);
        QCOMPARE(r[QStringLiteral("QuestionText")].toString(), QStringLiteral("abc"));
        QCOMPARE(r[QStringLiteral("Answer1")].toString(), QString::fromUtf8("éÙ"));
        QCOMPARE(r[QStringLiteral("Answer2")].toString(), QString::fromUtf8("Œ"));
        QCOMPARE(r[QStringLiteral("Answer3")].toString(), QString());
        QCOMPARE(r[QStringLiteral("Answer4")].toString(), QString::fromUtf8("€\u0001\u001C"));
        QCOMPARE(r[QStringLiteral("Answer5")].toString(), QStringLiteral("11"));
        QCOMPARE(r[QStringLiteral("RightComment")].toString(), QStringLiteral("OOo"));
        QCOMPARE(r[QStringLiteral("WrongComment")].toString(), QString());
        const QString picture = r[QStringLiteral("PictureFile")].toString();
        QCOMPARE(picture.size(), 50);
        // 61, CB, then the filler AA: "a", "j" (CB - 61), "ß" (AA - CB), then zeros.
        QCOMPARE(picture.left(3), QString::fromUtf8("ajß"));
        QCOMPARE(picture.mid(3), QString(47, QChar(0)));
        QCOMPARE(r[QStringLiteral("AnswerKey")].toString(), QStringLiteral("5"));
        QCOMPARE(r[QStringLiteral("ValidityRule")].toString(), QStringLiteral("ET"));
    }

    void everySampleQuizBuildsWithoutComplaint()
    {
        int samples = 0;
        QDirIterator it(QStringLiteral(TAVELOR_SOURCE_DIR "/examples/QCM"), {QStringLiteral("*.json")}, QDir::Files,
            QDirIterator::Subdirectories);
        while (it.hasNext()) {
            QFile file(it.next());
            QVERIFY(file.open(QIODevice::ReadOnly));
            const BuiltQuiz built = quizFromJson(file.readAll(), file.fileName(), Lang::French);
            QVERIFY2(built.errors.isEmpty() && built.warnings.isEmpty(),
                qPrintable((built.errors + built.warnings).join(QLatin1Char('\n'))));
            QVERIFY(built.records.size() >= 8);
            ++samples;
        }
        QVERIFY(samples >= 2);
    }
};

QTEST_GUILESS_MAIN(QcmtoolJsonTest)
#include "qcmtool_json.moc"
