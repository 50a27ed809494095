#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include "pictures/PictureLoader.h"
#include "pictures/PicturePath.h"
#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"
#include "tests/common/ProcessUsage.h"

using namespace qcm;

namespace {

const QString Tool = QStringLiteral(TAVELOR_QCMTOOL);

struct Run
{
    int exitCode = -1;
    QString err;
    qint64 elapsedMs = 0;
};

Run runTool(const QString &program, const QStringList &arguments, const QString &folder = {})
{
    QProcess process;
    process.setWorkingDirectory(folder);
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer timer;
    timer.start();
    process.start(program, arguments);
    Run run;
    if (!process.waitForFinished(90000)) {
        process.kill();
        process.waitForFinished();
        return run;
    }
    run.elapsedMs = timer.elapsed();
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

Run runTool(const QStringList &arguments, const QString &folder = {}) { return runTool(Tool, arguments, folder); }

// The largest resident size of any child waited for so far, in megabytes.
// Under AddressSanitizer freed memory waits in quarantine (256 MB), so a
// child's peak there says nothing about the tool's own use.
void verifyChildrenStayedSmall()
{
#ifndef __SANITIZE_ADDRESS__
    const long peakKb = childrenPeakMemoryKb();
    if (peakKb < 0)
        return; // Windows keeps no such figure
    QVERIFY2(peakKb / 1024 < 100, qPrintable(QStringLiteral("%1 MB").arg(peakKb / 1024)));
#endif
}

std::vector<QuestionRecord> readQuiz(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray bytes = file.readAll();
    return parseRecords(std::span(reinterpret_cast<const std::uint8_t *>(bytes.constData()), std::size_t(bytes.size())));
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(path));
}

} // namespace

// The teachers' tool on files that are not what they seem: it never blocks,
// never grows with the file and writes only what the player reads.
class QcmtoolSafeInputTest : public QObject
{
    Q_OBJECT
    QTemporaryDir dir;

private slots:
    void initTestCase() { QVERIFY2(QFile::exists(Tool), "build the qcmtool target first"); }

    // Before anything else: the memory figure is the largest of all children.
    void aSparseGigabyteIsReadInLittleMemory()
    {
        const QString path = dir.filePath(QStringLiteral("huge.qcm"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        QVERIFY(file.resize(qint64(1) << 30)); // sparse: no disk taken
        file.close();
        const Run check = runTool({QStringLiteral("check"), path});
        QCOMPARE(check.exitCode, 1); // its first question is empty
        QVERIFY2(check.err.isEmpty(), qPrintable(check.err));
        const Run dump = runTool({QStringLiteral("dump"), path});
        QCOMPARE(dump.exitCode, 0);
        QVERIFY2(dump.err.contains(QStringLiteral("404 octets")), qPrintable(dump.err));
        verifyChildrenStayedSmall();
    }

    void pipesAndDevicesAreRefusedAtOnce_data()
    {
        QTest::addColumn<QString>("command");
        QTest::newRow("dump") << "dump";
        QTest::newRow("check") << "check";
        QTest::newRow("import") << "import";
        QTest::newRow("export") << "export";
        QTest::newRow("build") << "build";
    }
    void pipesAndDevicesAreRefusedAtOnce()
    {
        QFETCH(QString, command);
#ifdef Q_OS_WIN
        QSKIP("no named pipe or /dev/zero among Windows files");
#endif
        const QString fifo = dir.filePath(QStringLiteral("pipe.gift"));
        const QString zero = dir.filePath(QStringLiteral("zero.gift"));
        if (!QFile::exists(fifo))
            QCOMPARE(QProcess::execute(QStringLiteral("mkfifo"), {fifo}), 0);
        if (!QFile::exists(zero))
            QVERIFY(QFile::link(QStringLiteral("/dev/zero"), zero));
        const QString output = dir.filePath(QStringLiteral("never.out"));
        for (const QString &input : {fifo, zero, dir.path()}) {
            QStringList arguments{command, input};
            if (command == QLatin1String("import") || command == QLatin1String("build"))
                arguments << QStringLiteral("-o") << output;
            if (command == QLatin1String("export"))
                arguments << QStringLiteral("--to") << QStringLiteral("gift") << QStringLiteral("-o") << output;
            const Run run = runTool(arguments);
            QCOMPARE(run.exitCode, 2);
            QVERIFY2(run.err.contains(QStringLiteral("ce n'est pas un fichier ordinaire")), qPrintable(run.err));
            QVERIFY(!QFile::exists(output));
        }
        const Run absent = runTool({command, dir.filePath(QStringLiteral("absent.qcm")), QStringLiteral("-o"), output});
        QVERIFY(absent.exitCode != 0);
    }

    void aLongGiftSourceGivesTheFirstHundredOrQuizzesOfAHundred()
    {
        QByteArray gift;
        for (int i = 1; i <= 250; ++i)
            gift += "Question " + QByteArray::number(i) + " ? {=oui ~non}\n\n";
        const QString source = dir.filePath(QStringLiteral("long.gift"));
        writeFile(source, gift);

        const QString first = dir.filePath(QStringLiteral("first/cent.qcm"));
        QDir().mkpath(QFileInfo(first).absolutePath());
        const Run bounded = runTool({QStringLiteral("import"), source, QStringLiteral("-o"), first});
        QCOMPARE(bounded.exitCode, 1);
        QVERIFY2(bounded.err.contains(QString::fromUtf8("150 question(s) au-delà des 100")), qPrintable(bounded.err));
        QVERIFY2(bounded.err.contains(QString::fromUtf8("250 question(s) lue(s), 100 importée(s), 150 laissée(s) de côté")),
            qPrintable(bounded.err));
        QCOMPARE(readQuiz(first).size(), std::size_t(100));

        const QString split = dir.filePath(QStringLiteral("split/long.qcm"));
        QDir().mkpath(QFileInfo(split).absolutePath());
        const Run all = runTool({QStringLiteral("import"), source, QStringLiteral("-o"), split, QStringLiteral("--split")});
        QCOMPARE(all.exitCode, 0);
        const QStringList quizzes = QDir(QFileInfo(split).absolutePath()).entryList({QStringLiteral("*.qcm")}, QDir::Files, QDir::Name);
        QCOMPARE(quizzes, QStringList({QStringLiteral("long-01.qcm"), QStringLiteral("long-02.qcm"), QStringLiteral("long-03.qcm")}));
        const auto third = readQuiz(QFileInfo(split).absoluteDir().filePath(quizzes[2]));
        QCOMPARE(third.size(), std::size_t(50));
        QCOMPARE(decodeField(third[0], Field::QuestionText), QStringLiteral("Question 201 ?"));
    }

    void aQuestionWithAMillionAnswersIsLeftOutInLittleMemory()
    {
        // Written piece by piece: a child starts with a copy of this process.
        const QString source = dir.filePath(QStringLiteral("many.xml"));
        QFile file(source);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("<?xml version=\"1.0\"?><quiz><question type=\"multichoice\"><questiontext format=\"html\">"
                   "<text>Beaucoup ?</text></questiontext><answer fraction=\"100\"><text>oui</text></answer>");
        const QByteArray answers = QByteArray("<answer fraction=\"0\"><text>x</text></answer>").repeated(10000);
        for (int i = 0; i < 100; ++i)
            file.write(answers);
        file.write("</question><question type=\"truefalse\"><questiontext><text>Vrai ?</text></questiontext>"
                   "<answer fraction=\"100\"><text>true</text></answer><answer fraction=\"0\"><text>false</text></answer>"
                   "</question></quiz>");
        file.close();
        const QString output = dir.filePath(QStringLiteral("many.qcm"));
        const Run run = runTool({QStringLiteral("import"), source, QStringLiteral("-o"), output});
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.contains(QStringLiteral("plus de 100 propositions")), qPrintable(run.err));
        QCOMPARE(readQuiz(output).size(), std::size_t(1));
        verifyChildrenStayedSmall();
    }

    void aLargePictureBecomesOneThePlayerShows()
    {
        // A drawing of 5600 × 5600 that fits in a small PNG.
        QImage drawing(5600, 5600, QImage::Format_Mono);
        drawing.fill(0);
        for (int y = 0; y < drawing.height(); y += 50)
            std::fill_n(drawing.scanLine(y), drawing.bytesPerLine(), 0xFF);
        QByteArray png;
        {
            QBuffer buffer(&png);
            buffer.open(QIODevice::WriteOnly);
            QVERIFY(drawing.save(&buffer, "PNG"));
        }
        drawing = QImage();
        // And a photograph: smooth colours everywhere.
        QImage photo(2400, 1800, QImage::Format_RGB32);
        for (int y = 0; y < photo.height(); ++y) {
            for (int x = 0; x < photo.width(); ++x)
                photo.setPixel(x, y, qRgb(x % 256, y % 256, (x * y) % 251));
        }
        QByteArray photoPng;
        {
            QBuffer buffer(&photoPng);
            buffer.open(QIODevice::WriteOnly);
            QVERIFY(photo.save(&buffer, "PNG"));
        }
        const auto question = [](const QByteArray &name, const QByteArray &data) {
            return "<question type=\"truefalse\"><questiontext format=\"html\"><text><![CDATA[<p>Vu ?</p><img src=\"@@PLUGINFILE@@/"
                + name + "\">]]></text><file name=\"" + name + "\" path=\"/\" encoding=\"base64\">" + data.toBase64()
                + "</file></questiontext><answer fraction=\"100\"><text>true</text></answer>"
                  "<answer fraction=\"0\"><text>false</text></answer></question>";
        };
        const QString source = dir.filePath(QStringLiteral("pictures.xml"));
        writeFile(source, "<quiz>" + question("graphe.png", png) + question("photo.png", photoPng) + "</quiz>");
        const QString output = dir.filePath(QStringLiteral("pictures/pictures.qcm"));
        QDir().mkpath(QFileInfo(output).absolutePath());
        const Run run = runTool({QStringLiteral("import"), source, QStringLiteral("-o"), output});
        QCOMPARE(run.exitCode, 0);
        QVERIFY2(run.err.contains(QString::fromUtf8("« graphe.png » (PNG, 5600 × 5600) : réduite à 1600 × 1600, écrite en BMP")),
            qPrintable(run.err));
        QVERIFY2(run.err.contains(QString::fromUtf8("« photo.png » (PNG, 2400 × 1800) : réduite à 1600 × 1200, écrite en JPEG")),
            qPrintable(run.err));
        const auto records = readQuiz(output);
        QCOMPARE(records.size(), std::size_t(2));
        const QString folder = QFileInfo(output).absolutePath();
        for (const auto &[record, side] : {std::pair{records[0], 1600}, std::pair{records[1], 1600}}) {
            const QString path = pictures::picturePath(folder, decodeField(record, Field::PictureFile));
            QString error;
            const QImage shown = pictures::loadPicture(path, &error);
            QVERIFY2(!shown.isNull(), qPrintable(path + QStringLiteral(": ") + error));
            QCOMPARE(std::max(shown.width(), shown.height()), side);
            QVERIFY(QFileInfo(path).size() < 4 * 1024 * 1024);
        }
    }

    void namesThatAreNotUtf8AreOpenedAsGiven()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows names files in UTF-16: no name is stored in bytes it cannot read");
#endif
        // Latin-1 "é", as old USB keys carry it; the shell passes the bytes untouched.
        const QString script = QStringLiteral(
            "cd \"$1\" && printf 'Vrai ? {T}\\n' > \"$(printf 'caf\\351.gift')\" && "
            "\"$0\" import \"$(printf 'caf\\351.gift')\" -o ok.qcm && \"$0\" check ok.qcm && "
            "cp ok.qcm \"$(printf 'r\\351sum\\351.qcm')\" && \"$0\" dump \"$(printf 'r\\351sum\\351.qcm')\" && "
            "rm \"$(printf 'caf\\351.gift')\" \"$(printf 'r\\351sum\\351.qcm')\"");
        const Run run = runTool(QStringLiteral("/bin/sh"), {QStringLiteral("-c"), script, Tool, dir.path()});
        QVERIFY2(run.exitCode == 0, qPrintable(run.err));
        QCOMPARE(readQuiz(dir.filePath(QStringLiteral("ok.qcm"))).size(), std::size_t(1));
    }
};

QTEST_MAIN(QcmtoolSafeInputTest)
#include "qcmtool_safe_input.moc"
