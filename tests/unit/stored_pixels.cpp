#include <QDir>
#include <QFile>
#include <QImage>
#include <QResource>
#include <QTemporaryDir>
#include <QTest>

#include "skin/Artwork.h"
#include "skin/ShapeWindow.h"
#include "skin/StoredPixels.h"

// Drawings painted at start-up are stored as their pixels beside the PNG;
// what the window shows must be the same either way.

namespace {

// A small skin: key colour in the corners, a few colours inside.
QImage smallSkin()
{
    QImage image(6, 4, QImage::Format_RGB32);
    image.fill(QColor(0x20, 0x80, 0x80));
    image.setPixel(0, 0, 0xFFFF00FF);
    image.setPixel(5, 3, 0xFFFF00FF);
    image.setPixel(2, 1, 0xFFFFFFFF);
    image.setPixel(3, 2, 0xFF102030);
    return image;
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

QImage premultiplied(const QImage &image)
{
    return image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
}

} // namespace

class StoredPixelsTest : public QObject
{
    Q_OBJECT

private slots:
    // Pixels left behind when a drawing changes would show the old one.
    void everyStoredDrawingIsItsPngAsShown_data()
    {
        QTest::addColumn<QString>("png");
        const QStringList stored = QDir(QStringLiteral(":/images")).entryList({QStringLiteral("*.pixels")});
        QVERIFY(stored.contains(QStringLiteral("skin_main.pixels")));
        QVERIFY(stored.contains(QStringLiteral("skin_main@2x.pixels")));
        for (const QString &name : stored) {
            const QString png = QStringLiteral(":/images/") + name.chopped(7) + QStringLiteral(".png");
            QTest::newRow(qPrintable(name)) << png;
        }
    }

    void everyStoredDrawingIsItsPngAsShown()
    {
        QFETCH(QString, png);
        const bool skin = png.contains(QStringLiteral("skin_"));
        const std::optional<QRgb> key = skin ? std::optional<QRgb>(SkinKeyColour) : std::nullopt;
        const QImage stored = readStoredPixels(png, key);
        QVERIFY(!stored.isNull());
        const QImage decoded = readPngFile(png);
        QCOMPARE(stored.size(), decoded.size());
        QCOMPARE(stored.devicePixelRatio(), png.contains(QStringLiteral("@2x")) ? 2.0 : 1.0);
        QCOMPARE(stored, premultiplied(skin ? withoutKeyColour(decoded, SkinKeyColour) : decoded));
        // Compiled in, they are shown where they lie (after the 24-byte
        // header), not copied.
        const QResource pixels(png.chopped(4) + QStringLiteral(".pixels"));
        QCOMPARE(stored.constBits(), pixels.data() + 24);
    }

    void pixelsComeBackAsStored()
    {
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("skin@2x.png"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("skin@2x.pixels")),
                          storedPixelsOf(smallSkin(), 2, SkinKeyColour)));

        const QImage back = readStoredPixels(png, SkinKeyColour);
        QImage keyed = withoutKeyColour(smallSkin(), SkinKeyColour);
        keyed.setDevicePixelRatio(2);
        QCOMPARE(back, keyed);
        QCOMPARE(qAlpha(back.pixel(0, 0)), 0);
        // Keyed pixels are no drawing shown as drawn, nor one keyed otherwise.
        QVERIFY(readStoredPixels(png, std::nullopt).isNull());
        QVERIFY(readStoredPixels(png, 0x00FF00).isNull());
    }

    // A damaged or foreign file beside a drawing is passed over: the PNG is
    // decoded as if there were none.
    void damagedPixelsLeaveTheDrawingToItsPng_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        const QByteArray good = storedPixelsOf(smallSkin(), 1, SkinKeyColour);
        QTest::newRow("empty") << QByteArray();
        QTest::newRow("header only") << good.left(24);
        QTest::newRow("one pixel short") << good.chopped(4);
        QTest::newRow("one pixel too many") << good + QByteArray(4, '\0');
        QByteArray magic = good;
        magic[0] = 'X';
        QTest::newRow("another format") << magic;
        QByteArray huge = good;
        huge[4] = huge[5] = huge[6] = huge[7] = char(0xFF); // width 4294967295
        QTest::newRow("absurd width") << huge;
        QByteArray ratio = good;
        ratio[12] = 0;
        QTest::newRow("ratio 0") << ratio;
    }

    void damagedPixelsLeaveTheDrawingToItsPng()
    {
        QFETCH(QByteArray, bytes);
        QTemporaryDir dir;
        const QString png = dir.filePath(QStringLiteral("skin.png"));
        QVERIFY(smallSkin().save(png, "PNG"));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("skin.pixels")), bytes));

        QVERIFY(readStoredPixels(png, SkinKeyColour).isNull());
        QCOMPARE(skinForRatio(png, 1.0, SkinKeyColour), withoutKeyColour(smallSkin(), SkinKeyColour));
    }
};

QTEST_MAIN(StoredPixelsTest)
#include "stored_pixels.moc"
