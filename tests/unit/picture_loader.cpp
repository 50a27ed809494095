#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include "pictures/PictureLoader.h"

namespace {

const QString Data = QStringLiteral(TAVELOR_TEST_DATA "/pictures/");
const QString PixbufTests = QStringLiteral("/usr/libexec/installed-tests/gdk-pixbuf/");
const QString MagickDoc = QStringLiteral("/usr/share/doc/imagemagick-6-common/html/");

QByteArray readFile(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

QByteArray encoded(const QImage &image, const char *format)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, format);
    return bytes;
}

QImage testCard()
{
    QImage image(40, 30, QImage::Format_RGB32);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            image.setPixel(x, y, qRgb(x * 6, y * 8, 128));
    return image;
}

// A bitmap header claiming any size, with hardly any pixels behind it.
QByteArray bmpClaiming(qint32 width, qint32 height)
{
    QByteArray bmp("BM", 2);
    auto put = [&bmp](quint32 v, int bytes) {
        for (int i = 0; i < bytes; ++i)
            bmp.append(char(v >> (8 * i)));
    };
    put(54 + 64, 4);
    put(0, 4);
    put(54, 4);
    put(40, 4);
    put(quint32(width), 4);
    put(quint32(height), 4);
    put(1, 2);
    put(24, 2);
    put(0, 4);
    put(0, 4);
    put(2835, 4);
    put(2835, 4);
    put(0, 4);
    put(0, 4);
    return bmp + QByteArray(64, '\x7f');
}

// The reference decoder's output, as a picture.
QImage djpeg(const QString &path)
{
    const QString program = QStandardPaths::findExecutable(QStringLiteral("djpeg"));
    if (program.isEmpty())
        return QImage();
    QProcess process;
    process.start(program, {QStringLiteral("-dct"), QStringLiteral("float"), path});
    if (!process.waitForFinished(60000))
        return QImage();
    QImage image;
    image.loadFromData(process.readAllStandardOutput());
    return image.convertToFormat(QImage::Format_RGB888);
}

} // namespace

class PictureLoaderTest : public QObject
{
    Q_OBJECT
private slots:
    void pictureNamesStayBelowTheQuizFolder_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("expected");
        QTest::newRow("plain") << "q1.jpg" << "/quiz/q1.jpg";
        QTest::newRow("sub-folder with backslash") << "img\\q1.jpg" << "/quiz/img/q1.jpg";
        QTest::newRow("parent folder") << "..\\images\\q1.bmp" << "/quiz/../images/q1.bmp";
        QTest::newRow("leading backslash") << "\\img\\q1.jpg" << "/quiz/img/q1.jpg";
        QTest::newRow("drive letter") << "C:\\Windows\\q1.jpg" << "/quiz/Windows/q1.jpg";
        QTest::newRow("drive-relative") << "d:q1.jpg" << "/quiz/q1.jpg";
        QTest::newRow("network share") << "\\\\server\\share\\q1.jpg" << "/quiz/server/share/q1.jpg";
        QTest::newRow("slash path") << "/etc/passwd.bmp" << "/quiz/etc/passwd.bmp";
    }
    void pictureNamesStayBelowTheQuizFolder()
    {
        QFETCH(QString, name);
        QFETCH(QString, expected);
        QCOMPARE(pictures::picturePath(QStringLiteral("/quiz"), name), expected);
    }

    void pictureNamesWrittenOnWindowsFindFilesInAnyCase()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkpath(QStringLiteral("Images")));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("Images/Q1.jpg")), "x"));
        // Windows itself finds a file whatever the case of its name.
        const Qt::CaseSensitivity fileNames = QFileInfo(dir.filePath(QStringLiteral("IMAGES"))).exists()
                                                  ? Qt::CaseInsensitive
                                                  : Qt::CaseSensitive;
        const QString found = pictures::picturePath(dir.path(), QStringLiteral("images\\q1.JPG"));
        QVERIFY2(found.compare(dir.filePath(QStringLiteral("Images/Q1.jpg")), fileNames) == 0, qPrintable(found));
        // A name that matches nothing stays as written, and fails to load.
        const QString none = pictures::picturePath(dir.path(), QStringLiteral("images\\none.jpg"));
        QVERIFY2(none.compare(dir.filePath(QStringLiteral("Images/none.jpg")), fileNames) == 0, qPrintable(none));
    }

    void formatIsChosenByExtensionOnly_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("format");
        using F = pictures::PictureFormat;
        QTest::newRow("BMP") << "a.BMP" << int(F::Bmp);
        QTest::newRow("Ico") << "a.Ico" << int(F::Ico);
        QTest::newRow("wmf") << "dir.x/a.wmf" << int(F::Wmf);
        QTest::newRow("EMF") << "a.EMF" << int(F::Emf);
        QTest::newRow("JPG") << "a.JPG" << int(F::Jpeg);
        QTest::newRow("jpeg") << "a.b.jpeg" << int(F::Jpeg);
        QTest::newRow("png") << "a.png" << int(F::Unknown);
        QTest::newRow("gif") << "a.gif" << int(F::Unknown);
        QTest::newRow("jpe") << "a.jpe" << int(F::Unknown);
        QTest::newRow("no extension") << "jpg" << int(F::Unknown);
    }
    void formatIsChosenByExtensionOnly()
    {
        QFETCH(QString, name);
        QFETCH(int, format);
        QCOMPARE(int(pictures::pictureFormatOf(name)), format);
    }

    void filesFailWithAReason()
    {
        QTemporaryDir dir;
        const QByteArray png = encoded(testCard(), "PNG");
        const QByteArray jpeg = encoded(testCard(), "JPEG");
        QString error;

        QVERIFY(writeFile(dir.filePath(QStringLiteral("card.png")), png));
        QVERIFY(pictures::loadPicture(dir.filePath(QStringLiteral("card.png")), &error).isNull());
        QCOMPARE(error, QStringLiteral("Format d'image inconnu"));

        // Content is never sniffed: a PNG or a JPEG renamed to .bmp is no bitmap.
        for (const QByteArray &data : {png, jpeg}) {
            QVERIFY(writeFile(dir.filePath(QStringLiteral("card.bmp")), data));
            QVERIFY(pictures::loadPicture(dir.filePath(QStringLiteral("card.bmp")), &error).isNull());
        }
        QVERIFY(writeFile(dir.filePath(QStringLiteral("card.jpg")), png));
        QVERIFY(pictures::loadPicture(dir.filePath(QStringLiteral("card.jpg")), &error).isNull());
        QVERIFY(writeFile(dir.filePath(QStringLiteral("card.ico")), png));
        QVERIFY(pictures::loadPicture(dir.filePath(QStringLiteral("card.ico")), &error).isNull());

        QVERIFY(pictures::loadPicture(dir.filePath(QStringLiteral("missing.jpg")), &error).isNull());
        QCOMPARE(error, QStringLiteral("Fichier image introuvable"));
        QVERIFY(pictures::loadPicture(dir.path() + QStringLiteral("/.jpg"), &error).isNull());

        QVERIFY(writeFile(dir.filePath(QStringLiteral("empty.jpg")), QByteArray()));
        QVERIFY(pictures::loadPicture(dir.filePath(QStringLiteral("empty.jpg")), &error).isNull());
        QCOMPARE(error, QStringLiteral("Image endommagée"));

        // Over 64 MB the file is not even read (a sparse file costs nothing).
        QFile big(dir.filePath(QStringLiteral("big.jpg")));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(64 * 1024 * 1024 + 1));
        big.close();
        QVERIFY(pictures::loadPicture(big.fileName(), &error).isNull());
        QCOMPARE(error, QStringLiteral("Fichier image trop volumineux"));
    }

    void bitmapsAndIconsLoadThroughQtReaders()
    {
        QTemporaryDir dir;
        const QImage card = testCard();
        QVERIFY(writeFile(dir.filePath(QStringLiteral("card.BMP")), encoded(card, "BMP")));
        QString error;
        const QImage bmp = pictures::loadPicture(dir.filePath(QStringLiteral("card.BMP")), &error);
        QVERIFY2(!bmp.isNull(), qPrintable(error));
        QCOMPARE(bmp.convertToFormat(QImage::Format_RGB32), card);
        // Rows stored top-down, as a negative height says.
        QByteArray topDown = encoded(card, "BMP");
        const qint32 height = -card.height();
        memcpy(topDown.data() + 22, &height, 4);
        const QImage flipped = pictures::decodePicture(topDown, pictures::PictureFormat::Bmp, &error);
        QVERIFY2(!flipped.isNull(), qPrintable(error));
        QCOMPARE(flipped.convertToFormat(QImage::Format_RGB32), card.mirrored(false, true));

        const QString wand = MagickDoc + QStringLiteral("images/wand.ico");
        if (!QFile::exists(wand))
            QSKIP("imagemagick-6-doc is not installed: no multi-image icon to read");
        // Of its 64, 32 and 16 pixel images, the largest.
        const QImage icon = pictures::loadPicture(wand, &error);
        QVERIFY2(!icon.isNull(), qPrintable(error));
        QCOMPARE(icon.size(), QSize(64, 64));
    }

    void pixbufReferencePicturesMatch_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("icon") << "squares.ico";
    }
    void pixbufReferencePicturesMatch()
    {
        QFETCH(QString, name);
        const QString path = PixbufTests + QStringLiteral("test-images/reftests/") + name;
        if (!QFile::exists(path))
            QSKIP("gdk-pixbuf-tests is not installed: no reference pictures");
        QString error;
        const QImage picture = pictures::loadPicture(path, &error);
        QVERIFY2(!picture.isNull(), qPrintable(error));
        const QImage reference(path + QStringLiteral(".ref.png"));
        QCOMPARE(picture.size(), reference.size());
        const QImage a = picture.convertToFormat(QImage::Format_ARGB32);
        const QImage b = reference.convertToFormat(QImage::Format_ARGB32);
        for (int y = 0; y < a.height(); ++y)
            for (int x = 0; x < a.width(); ++x) {
                const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
                if (qAlpha(p) == 0 && qAlpha(q) == 0)
                    continue;
                QVERIFY2(p == q, qPrintable(QStringLiteral("pixel %1,%2").arg(x).arg(y)));
            }
    }

    void jpegMatchesTheReferenceDecoderPixelForPixel_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("baseline 4:2:0") << MagickDoc + "images/background.jpg";
        QTest::newRow("progressive") << MagickDoc + "images/wizard.jpg";
        QTest::newRow("grayscale") << MagickDoc + "images/objects.jpg";
        QTest::newRow("photograph") << PixbufTests + "bug143608-comment.jpg";
        QTest::newRow("13 megapixels") << PixbufTests + "issue70.jpg";
        QTest::newRow("many scans") << Data + "many-scans.jpg";
        QTest::newRow("some bad restart markers") << Data + "some-bad-restarts.jpg";
        QTest::newRow("cut short progressive") << QString(); // made from wizard.jpg below
    }
    void jpegMatchesTheReferenceDecoderPixelForPixel()
    {
        QFETCH(QString, path);
        QTemporaryDir dir;
        if (path.isEmpty()) {
            // An incomplete progressive file is where block smoothing shows.
            const QByteArray whole = readFile(MagickDoc + QStringLiteral("images/wizard.jpg"));
            if (whole.isEmpty())
                QSKIP("imagemagick-6-doc is not installed");
            path = dir.filePath(QStringLiteral("cut.jpg"));
            QVERIFY(writeFile(path, whole.left(whole.size() / 3)));
        }
        if (!QFile::exists(path))
            QSKIP(qPrintable(QStringLiteral("%1 is missing: install imagemagick-6-doc and gdk-pixbuf-tests").arg(path)));
        const QImage reference = djpeg(path);
        if (reference.isNull())
            QSKIP("djpeg (libjpeg-turbo-progs) is not installed");
        if (path.endsWith(QLatin1String("many-scans.jpg"))) {
            // Valid, but beyond our scan limit.
            QVERIFY(pictures::loadPicture(path).isNull());
            return;
        }
        QString error;
        const QImage loaded = pictures::loadPicture(path, &error);
        QVERIFY2(!loaded.isNull(), qPrintable(error));
        QCOMPARE(loaded.format(), QImage::Format_RGB32);
        const QImage picture = loaded.convertToFormat(QImage::Format_RGB888);
        QCOMPARE(picture.size(), reference.size());
        for (int y = 0; y < picture.height(); ++y)
            QVERIFY2(memcmp(picture.constScanLine(y), reference.constScanLine(y), size_t(picture.width()) * 3) == 0,
                     qPrintable(QStringLiteral("row %1 differs").arg(y)));
    }

    void adobeCmykJpegIsInvertedToRgb()
    {
        // A red-to-blue gradient saved by ImageMagick in CMYK with the Adobe marker.
        const QImage picture = pictures::decodePicture(readFile(QStringLiteral(TAVELOR_SOURCE_DIR "/fuzz/corpus/jpeg/cmyk.jpg")),
                                                       pictures::PictureFormat::Jpeg);
        QVERIFY(!picture.isNull());
        const QColor top = picture.pixelColor(16, 0), bottom = picture.pixelColor(16, picture.height() - 1);
        QVERIFY2(top.red() > 200 && top.blue() < 60, qPrintable(top.name()));
        QVERIFY2(bottom.blue() > 200 && bottom.red() < 60, qPrintable(bottom.name()));

        const QString premature = PixbufTests + QStringLiteral("premature-end.jpg");
        if (!QFile::exists(premature))
            QSKIP("gdk-pixbuf-tests is not installed");
        // A CMYK file cut short still gives what it holds.
        QCOMPARE(pictures::loadPicture(premature).size(), QSize(256, 256));
    }

    void jpegDefencesStopHostileFiles()
    {
        QString error;
        // 128 valid scans: each one is a pass over the whole picture.
        QVERIFY(pictures::loadPicture(Data + QStringLiteral("many-scans.jpg"), &error).isNull());
        QCOMPARE(error, QStringLiteral("Image trop complexe"));
        // 224 broken restart markers, each a warning; 30 are still tolerated.
        QVERIFY(pictures::loadPicture(Data + QStringLiteral("bad-restarts.jpg"), &error).isNull());
        QCOMPARE(error, QStringLiteral("Image endommagée"));
        QVERIFY(!pictures::loadPicture(Data + QStringLiteral("some-bad-restarts.jpg")).isNull());
        // 288 MB of coefficients for a 588-byte file: over the budget before any is taken.
        QVERIFY(pictures::loadPicture(Data + QStringLiteral("huge-progressive.jpg"), &error).isNull());
        QCOMPARE(error, QStringLiteral("Image trop grande"));
    }

    void claimedSizesOverTheLimitsFail_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<QString>("extension");
        QTest::newRow("bmp wider than 16384") << bmpClaiming(16385, 1) << "bmp";
        QTest::newRow("bmp over 50 megapixels") << bmpClaiming(8000, 7000) << "bmp";
        QTest::newRow("top-down bmp over 50 megapixels") << bmpClaiming(8000, -7000) << "bmp";
        QByteArray jpeg = encoded(testCard(), "JPEG");
        const int sof = jpeg.indexOf("\xff\xc0");
        QVERIFY(sof > 0);
        jpeg[sof + 5] = char(0x40); // 16384 + a bit tall
        jpeg[sof + 6] = char(0x01);
        QTest::newRow("jpeg taller than 16384") << jpeg << "jpg";
        // An icon whose directory says 32 but whose bitmap says 20000 a side.
        QByteArray ico("\0\0\1\0\1\0", 6);
        ico += QByteArray("\x20\x20\0\0\1\0\x20\0", 8) + QByteArray("\x28\0\0\0\x16\0\0\0", 8);
        ico += bmpClaiming(20000, 40000).mid(14);
        QTest::newRow("icon bitmap over the limits") << ico << "ico";
    }
    void claimedSizesOverTheLimitsFail()
    {
        QFETCH(QByteArray, data);
        QFETCH(QString, extension);
        QString error;
        QVERIFY(pictures::decodePicture(data, pictures::pictureFormatOf(QStringLiteral("x.") + extension), &error)
                    .isNull());
        QCOMPARE(error, QStringLiteral("Image trop grande"));
    }

    void bitmapAtTheSizeLimitStillLoads()
    {
        // 16384 x 1: the limit itself is allowed.
        QString error;
        const QImage picture = pictures::decodePicture(bmpClaiming(16384, 1), pictures::PictureFormat::Bmp, &error);
        QVERIFY2(!picture.isNull(), qPrintable(error));
        QCOMPARE(picture.size(), QSize(16384, 1));
    }
};

QTEST_MAIN(PictureLoaderTest)
#include "picture_loader.moc"
