#include <QBuffer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QSignalSpy>
#include <QTest>

#include "pictures/DecodeBudget.h"
#include "pictures/PictureLimits.h"
#include "pictures/PictureLoader.h"
#include "pictures/PictureQueue.h"

namespace {

const QString Hostile = QStringLiteral(TAVELOR_SOURCE_DIR "/fuzz/corpus/");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray smallBmp()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}

// The picture once its decode has ended, as the window would take it.
std::optional<pictures::DecodedPicture> waitFor(pictures::PictureQueue &queue, const pictures::PictureRequest &request)
{
    if (std::optional<pictures::DecodedPicture> picture = queue.take(request))
        return picture;
    QSignalSpy announced(&queue, &pictures::PictureQueue::awaitedReady);
    if (!announced.wait(10000))
        return std::nullopt;
    return queue.takeAwaited();
}

} // namespace

class PictureBudget : public QObject
{
    Q_OBJECT
private slots:
    // Files that once held the window for seconds end within the budget:
    // drawn, or failed as too complex, never later than the budget allows.
    void hostileFilesEndWithinTheBudget_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("polyline under a pen 30,000 wide") << "wmf/wide-pen.wmf";
        QTest::newRow("long polylines under a wide pen") << "wmf/long-polylines.wmf";
        QTest::newRow("long texts in a 2,000-px font") << "emf/huge-text.emf";
        QTest::newRow("dashed line millions of pixels long") << "emf/long-dashed-line.emf";
        QTest::newRow("font of the most negative height and angle") << "emf/extreme-font.emf";
    }
    void hostileFilesEndWithinTheBudget()
    {
        QFETCH(QString, file);
        const QByteArray data = readFile(Hostile + file);
        QVERIFY(!data.isEmpty());
        pictures::DecodeBudget budget(pictures::DecodeBudget::DefaultMillis);
        QString error;
        const QImage image = pictures::decodePicture(data, pictures::pictureFormatOf(file), &error, &budget);
        QVERIFY(image.isNull() ? error == QString::fromUtf8(pictures::picture_error::TooComplex) : error.isEmpty());
    }

    void manyLongPolylinesStopAtTheDeadline()
    {
        // 300 polylines of 32,000 points (38 MB): made here rather than kept.
        if (QStandardPaths::findExecutable(QStringLiteral("python3")).isEmpty())
            QSKIP("python3 is not installed");
        QTemporaryDir dir;
        QProcess make;
        make.start(QStringLiteral("python3"), {QStringLiteral(TAVELOR_SOURCE_DIR "/fuzz/make_hostile_seeds.py"),
                                               dir.path(), QStringLiteral("--polylines"), QStringLiteral("300")});
        QVERIFY(make.waitForFinished(120000));
        const QByteArray data = readFile(dir.filePath(QStringLiteral("many-long-polylines.wmf")));
        QVERIFY(data.size() > 30'000'000);
        pictures::DecodeBudget budget(300);
        QString error;
        QVERIFY(pictures::decodePicture(data, pictures::PictureFormat::Wmf, &error, &budget).isNull());
        QCOMPARE(error, QString::fromUtf8(pictures::picture_error::TooComplex));
    }

    void aCancelledDecodeStopsAtOnce_data()
    {
        QTest::addColumn<QString>("file");
        QTest::newRow("metafile") << "wmf/long-polylines.wmf";
        QTest::newRow("jpeg") << "jpeg/progressive.jpg";
    }
    void aCancelledDecodeStopsAtOnce()
    {
        QFETCH(QString, file);
        pictures::DecodeBudget budget;
        budget.cancel();
        QString error;
        QVERIFY(pictures::decodePicture(readFile(Hostile + file), pictures::pictureFormatOf(file), &error, &budget)
                    .isNull());
        QVERIFY(!error.isEmpty());
    }

    void memoryCountsTheOutputPicture()
    {
        // 7000 x 7000 progressive: its picture and coefficients exceed 256 MB.
        QString error;
        QVERIFY(pictures::decodePicture(readFile(Hostile + "jpeg/flat-7000-progressive.jpg"),
                                        pictures::PictureFormat::Jpeg, &error)
                    .isNull());
        QCOMPARE(error, QString::fromUtf8(pictures::picture_error::TooLarge));

        const QByteArray bmp = smallBmp();
        pictures::DecodeBudget tight(2000, bmp.size() + 4 * 3 * 4 - 1);
        QVERIFY(pictures::decodePicture(bmp, pictures::PictureFormat::Bmp, &error, &tight).isNull());
        QCOMPARE(error, QString::fromUtf8(pictures::picture_error::TooLarge));
        pictures::DecodeBudget enough(2000, bmp.size() + 4 * 3 * 4);
        QVERIFY(!pictures::decodePicture(bmp, pictures::PictureFormat::Bmp, &error, &enough).isNull());
    }

    void picturesStayInsideTheQuizFolders_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("beside the quiz") << "p.bmp" << true;
        QTest::newRow("sub-folder") << "img\\p.bmp" << true;
        QTest::newRow("up to another subject") << "..\\..\\Histoire\\h.bmp" << true;
        QTest::newRow("up and down again") << "..\\Fractions\\p.bmp" << true;
        QTest::newRow("out of the quiz folder") << "..\\..\\..\\outside\\secret.bmp" << false;
        QTest::newRow("link to a file outside") << "link.bmp" << false;
        QTest::newRow("link to a folder outside") << "linked\\secret.bmp" << false;
        QTest::newRow("link to a file inside") << "inside-link.bmp" << true;
    }
    void picturesStayInsideTheQuizFolders()
    {
        QFETCH(QString, name);
        QFETCH(bool, allowed);
#ifdef Q_OS_WIN
        if (QByteArray(QTest::currentDataTag()).startsWith("link"))
            QSKIP("on Windows Qt makes shortcuts, which file names do not lead through");
#endif
        QTemporaryDir dir;
        const QString root = dir.filePath(QStringLiteral("QCM"));
        const QString quiz = root + QStringLiteral("/Maths/Fractions/");
        const QByteArray bmp = smallBmp();
        QVERIFY(writeFile(quiz + "p.bmp", bmp));
        QVERIFY(writeFile(quiz + "img/p.bmp", bmp));
        QVERIFY(writeFile(root + "/Histoire/h.bmp", bmp));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("outside/secret.bmp")), bmp));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("outside/secret.bmp")), quiz + "link.bmp"));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("outside")), quiz + "linked"));
        QVERIFY(QFile::link(root + "/Histoire/h.bmp", quiz + "inside-link.bmp"));

        QString error;
        const QString path = pictures::resolvePicture(quiz, name, &error);
        QCOMPARE(!path.isEmpty(), allowed);
        if (!allowed)
            QCOMPARE(error, QString::fromUtf8(pictures::picture_error::OutsideQuizFolders));

        // The window's decodes follow the same rule.
        pictures::PictureQueue queue;
        const pictures::PictureRequest request{quiz, name};
        queue.prefetch(request);
        const std::optional<pictures::DecodedPicture> picture = waitFor(queue, request);
        QVERIFY(picture);
        QCOMPARE(picture->image.isNull(), !allowed);
    }

    void theQueueKeepsOnlyWhatItIsTold()
    {
        QTemporaryDir dir;
        const QString quiz = dir.filePath(QStringLiteral("QCM/S/Q/"));
        QVERIFY(writeFile(quiz + "a.bmp", smallBmp()));
        QVERIFY(writeFile(quiz + "b.bmp", smallBmp()));
        const pictures::PictureRequest a{quiz, QStringLiteral("a.bmp")}, b{quiz, QStringLiteral("b.bmp")},
            missing{quiz, QStringLiteral("none.bmp")};
        pictures::PictureQueue queue;
        queue.prefetch(a);
        queue.prefetch(b);
        queue.prefetch(a);
        QCOMPARE(queue.size(), 2);
        queue.keepOnly({b});
        QCOMPARE(queue.size(), 1);

        std::optional<pictures::DecodedPicture> picture = waitFor(queue, missing);
        QVERIFY(picture && picture->image.isNull());
        QCOMPARE(picture->error, QString::fromUtf8(pictures::picture_error::NotFound));

        picture = waitFor(queue, b);
        QVERIFY(picture);
        QCOMPARE(picture->image.size(), QSize(4, 3));
        QCOMPARE(queue.size(), 0); // handed over, no longer kept
    }
};

QTEST_MAIN(PictureBudget)
#include "picture_budget.moc"
