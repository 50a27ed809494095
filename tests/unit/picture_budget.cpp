#include <QBuffer>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "pictures/DecodeBudget.h"
#include "pictures/PictureLimits.h"
#include "pictures/PictureLoader.h"
#include "tests/common/SmallBmp.h"

namespace {

const QString Hostile = QStringLiteral(TAVELOR_SOURCE_DIR "/fuzz/corpus/");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
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
};

QTEST_MAIN(PictureBudget)
#include "picture_budget.moc"
