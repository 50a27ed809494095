#include <QDirIterator>
#include <QFile>
#include <QTest>

#include "pictures/PictureLimits.h"
#include "pictures/PictureLoader.h"
#include "tests/common/ProcessUsage.h"

// Damaged and odd pictures that other projects collected: every one must end
// in a failure or a whole picture, never a crash or a sanitizer report.
namespace {

const QString PixbufTests = QStringLiteral("/usr/libexec/installed-tests/gdk-pixbuf/");

const pictures::PictureFormat AllFormats[] = {pictures::PictureFormat::Bmp, pictures::PictureFormat::Ico,
                                              pictures::PictureFormat::Wmf, pictures::PictureFormat::Emf,
                                              pictures::PictureFormat::Jpeg};

QStringList filesBelow(const QString &folder)
{
    QStringList files;
    QDirIterator it(folder, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        files << it.next();
    files.sort();
    return files;
}

// A result is whole when it comes with no reason and within the limits, or
// a failure with a reason.
bool wellFormed(const QImage &image, const QString &error)
{
    if (image.isNull())
        return !error.isEmpty();
    return error.isEmpty() && pictures::pictureSizeAllowed(image.width(), image.height());
}

} // namespace

class PictureFilesTest : public QObject
{
    Q_OBJECT
private slots:
    // First, while the process is small, so that its peak memory tells.
    void headerBombsFailFast_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("jpeg 22500 x 33300") << "large.jpg";
        QTest::newRow("jpeg 64250 x 64250") << "issue205.jpg";
    }
    void headerBombsFailFast()
    {
        QFETCH(QString, name);
        const QString path = PixbufTests + name;
        if (!QFile::exists(path))
            QSKIP("gdk-pixbuf-tests is not installed");
        QString error;
        const long before = peakMemoryKb();
        QVERIFY(pictures::loadPicture(path, &error).isNull());
        QVERIFY2(peakMemoryKb() - before < 32 * 1024, "no pixel memory is taken for a refused picture");
        // The size check, not a decoding error, is what stops it.
        QCOMPARE(error, QStringLiteral("Image trop grande"));
    }
    void damagedFilesFailOrLoad_data()
    {
        QTest::addColumn<QString>("path");
        if (!QFile::exists(PixbufTests))
            return;
        for (const char *set : {"test-images/fail", "test-images/randomly-modified", "test-images/reftests"})
            for (const QString &path : filesBelow(PixbufTests + QLatin1String(set)))
                QTest::newRow(qPrintable(path.mid(PixbufTests.size()))) << path;
        for (const char *name : {"premature-end.jpg", "issue70.jpg", "bug775218.jpg", "cve-2015-4491.bmp",
                                 "dpi.jpeg", "icc-profile.jpeg", "bug725582-testrotate.jpg"})
            QTest::newRow(name) << PixbufTests + QLatin1String(name);
    }
    void damagedFilesFailOrLoad()
    {
        QFETCH(QString, path);
        if (!QFile::exists(PixbufTests))
            QSKIP("gdk-pixbuf-tests is not installed: no damaged pictures to try");
        QString error;
        const QImage image = pictures::loadPicture(path, &error);
        QVERIFY2(wellFormed(image, error), qPrintable(error));

        // The same bytes through every decoder, whatever the extension says.
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray data = file.readAll();
        for (pictures::PictureFormat format : AllFormats) {
            QString reason;
            const QImage other = pictures::decodePicture(data, format, &reason);
            QVERIFY2(wellFormed(other, reason), qPrintable(reason));
        }
        // Truncations as a download cut short would leave them.
        for (qsizetype cut : {data.size() / 2, data.size() - 1, qsizetype(100)}) {
            QString reason;
            const QImage other = pictures::decodePicture(data.left(cut), pictures::pictureFormatOf(path), &reason);
            QVERIFY2(wellFormed(other, reason), qPrintable(reason));
        }
    }

};

QTEST_MAIN(PictureFilesTest)
#include "picture_files.moc"
