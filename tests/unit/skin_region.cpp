#include <QImage>
#include <QRegion>
#include <QTest>

#include "skin/ShapeWindow.h"

namespace {

constexpr QRgb kKey = 0xFF00FF;

// '.' key colour, '#' opaque white, 'a' 0xFE00FF, 'b' 0xFF01FF, 'k' black.
QImage skinFromRows(const QStringList &rows, QImage::Format format = QImage::Format_RGB32)
{
    const int height = int(rows.size());
    const int width = height ? int(rows.first().size()) : 0;
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            QRgb colour = 0xFFFFFFFF;
            switch (rows[y][x].toLatin1()) {
            case '.': colour = 0xFFFF00FF; break;
            case 'a': colour = 0xFFFE00FF; break;
            case 'b': colour = 0xFFFF01FF; break;
            case 'k': colour = 0xFF000000; break;
            default: break;
            }
            image.setPixel(x, y, colour);
        }
    }
    return image.convertToFormat(format);
}

QRegion unite(const QList<QRect> &rects)
{
    QRegion region;
    for (const QRect &r : rects)
        region += r;
    return region;
}

} // namespace

class SkinRegionTest : public QObject
{
    Q_OBJECT
private slots:
    void outlineCoversExactlyTheNonKeyRuns_data();
    void outlineCoversExactlyTheNonKeyRuns();
    void alphaChannelIsNotPartOfTheColour();
    void skinWithoutOpaquePixelGivesEmptyRegion();
    void storedOutlinesAreThoseOfTheSkins_data();
    void storedOutlinesAreThoseOfTheSkins();
    void skinWithoutStoredOutlineHasNone();
};

void SkinRegionTest::outlineCoversExactlyTheNonKeyRuns_data()
{
    QTest::addColumn<QStringList>("rows");
    QTest::addColumn<QList<QRect>>("runs");

    QTest::newRow("run reaching the right edge")
        << QStringList{"..###", ".####"}
        << QList<QRect>{QRect(2, 0, 3, 1), QRect(1, 1, 4, 1)};
    QTest::newRow("whole row opaque") << QStringList{"####"} << QList<QRect>{QRect(0, 0, 4, 1)};
    QTest::newRow("single pixel between key pixels")
        << QStringList{"...", ".#.", "..."} << QList<QRect>{QRect(1, 1, 1, 1)};
    QTest::newRow("one-pixel hole")
        << QStringList{"###", "#.#", "###"}
        << QList<QRect>{QRect(0, 0, 3, 1), QRect(0, 1, 1, 1), QRect(2, 1, 1, 1), QRect(0, 2, 3, 1)};
    QTest::newRow("two runs in a row")
        << QStringList{".##..###."} << QList<QRect>{QRect(1, 0, 2, 1), QRect(5, 0, 3, 1)};
    QTest::newRow("near-key colours are opaque")
        << QStringList{".a.b."} << QList<QRect>{QRect(1, 0, 1, 1), QRect(3, 0, 1, 1)};
    QTest::newRow("black next to key")
        << QStringList{"k.k"} << QList<QRect>{QRect(0, 0, 1, 1), QRect(2, 0, 1, 1)};
    QTest::newRow("key frame around a panel")
        << QStringList{".....", ".###.", ".#.#.", ".###.", "....."}
        << QList<QRect>{QRect(1, 1, 3, 1), QRect(1, 2, 1, 1), QRect(3, 2, 1, 1), QRect(1, 3, 3, 1)};
}

void SkinRegionTest::outlineCoversExactlyTheNonKeyRuns()
{
    QFETCH(QStringList, rows);
    QFETCH(QList<QRect>, runs);
    const QRegion expected = unite(runs);
    for (QImage::Format format : {QImage::Format_RGB32, QImage::Format_RGB888, QImage::Format_ARGB32,
                                  QImage::Format_ARGB32_Premultiplied}) {
        const QRegion region = regionFromSkin(skinFromRows(rows, format), kKey);
        QVERIFY2(region.xored(expected).isEmpty(), qPrintable(QStringLiteral("format %1").arg(int(format))));
    }
}

void SkinRegionTest::alphaChannelIsNotPartOfTheColour()
{
    // A skin saved with an alpha channel: key pixels with any alpha are
    // still key, opaque pixels with any alpha are still opaque.
    QImage image(4, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(255, 0, 255, 255));
    image.setPixel(1, 0, qRgba(255, 0, 255, 128));
    image.setPixel(2, 0, qRgba(10, 20, 30, 255));
    image.setPixel(3, 0, qRgba(10, 20, 30, 200));
    QVERIFY(regionFromSkin(image, kKey).xored(QRegion(2, 0, 2, 1)).isEmpty());
    // The key may also be passed with an alpha byte.
    QVERIFY(regionFromSkin(image, 0xFFFF00FF).xored(QRegion(2, 0, 2, 1)).isEmpty());
}

void SkinRegionTest::skinWithoutOpaquePixelGivesEmptyRegion()
{
    QVERIFY(regionFromSkin(skinFromRows({"...", "..."}), kKey).isEmpty());
    QVERIFY(regionFromSkin(QImage(), kKey).isEmpty());
}

void SkinRegionTest::storedOutlinesAreThoseOfTheSkins_data()
{
    QTest::addColumn<QString>("file");
    for (const char *name : {"main", "projector", "correction", "about", "notice"})
        QTest::newRow(name) << QStringLiteral(":/images/skin_%1.png").arg(QLatin1String(name));
}

// A skin drawn anew without its outline stored again would cut the window
// wrongly.
void SkinRegionTest::storedOutlinesAreThoseOfTheSkins()
{
    QFETCH(QString, file);
    const QRegion stored = storedOutline(file);
    QVERIFY(!stored.isEmpty());
    QVERIFY(stored.xored(regionFromSkin(QImage(file), kKey)).isEmpty());
}

void SkinRegionTest::skinWithoutStoredOutlineHasNone()
{
    QVERIFY(storedOutline(QStringLiteral(":/images/question_mark.png")).isEmpty());
    QVERIFY(storedOutline(QStringLiteral("/nonexistent/skin.png")).isEmpty());
}

QTEST_GUILESS_MAIN(SkinRegionTest)
#include "skin_region.moc"
