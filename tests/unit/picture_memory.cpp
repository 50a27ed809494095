#include <QApplication>
#include <QBuffer>
#include <QPainter>
#include <QTest>

#include "pictures/PictureLoader.h"
#include "pictures/PictureMemory.h"
#include "skin/Image.h"

namespace {

// Large enough for its pixels to be kept for the next picture.
constexpr int Width = 3000;
constexpr int Height = 2000;

QByteArray jpegOf(const QImage &image)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "JPEG", 90);
    return bytes;
}

QByteArray photograph(QColor from, QColor to, int width = Width, int height = Height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient gradient(0, 0, width, height);
    gradient.setColorAt(0, from);
    gradient.setColorAt(1, to);
    painter.fillRect(image.rect(), gradient);
    painter.end();
    return jpegOf(image);
}

QImage decode(const QByteArray &jpeg)
{
    return pictures::decodePicture(jpeg, pictures::PictureFormat::Jpeg);
}

constexpr qsizetype PictureBytes = qsizetype(Width) * Height * 4;

} // namespace

class PictureMemory : public QObject
{
    Q_OBJECT
private slots:
    void init() { pictures::releaseSparePixels(); }

    // The next photograph is decoded into the pixels of the one before, and
    // none of the one before shows through.
    void aPhotographReusesThePixelsOfTheOneBefore()
    {
        const QByteArray blue = photograph(Qt::blue, Qt::white), red = photograph(Qt::red, Qt::yellow);
        const QImage expected = decode(blue).copy();
        pictures::releaseSparePixels();

        const uchar *pixels = nullptr;
        {
            const QImage first = decode(red);
            QVERIFY(!first.isNull());
            pixels = first.constBits();
        }
        QCOMPARE(pictures::sparePixelBytes(), PictureBytes);
        const QImage second = decode(blue);
        QCOMPARE(second.constBits(), pixels);
        QCOMPARE(pictures::sparePixelBytes(), 0);
        QCOMPARE(second, expected);
    }

    void aSmallPictureLeavesTheSpareAlone()
    {
        decode(photograph(Qt::red, Qt::yellow));
        QCOMPARE(pictures::sparePixelBytes(), PictureBytes);
        const QImage small = decode(photograph(Qt::red, Qt::yellow, 300, 200));
        QCOMPARE(small.size(), QSize(300, 200));
        QCOMPARE(pictures::sparePixelBytes(), PictureBytes);
        // Nor does a photograph twice as large take it, which would not fit.
        const QImage larger = decode(photograph(Qt::red, Qt::yellow, 2 * Width, Height));
        QVERIFY(!larger.isNull());
        QCOMPARE(pictures::sparePixelBytes(), 0);
    }

    // The window shows the decoded pixels themselves, and gives them back
    // once another picture has taken their place.
    void theWindowShowsThePixelsWithoutACopyAndGivesThemBack()
    {
        QImage decoded = decode(photograph(Qt::green, Qt::black));
        const uchar *pixels = decoded.constBits();
        TImage image;
        image.setPicture(QPixmap::fromImage(std::move(decoded)));
        QCOMPARE(image.picture().toImage().constBits(), pixels);

        image.setPicture(QPixmap());
        QTRY_COMPARE(pictures::sparePixelBytes(), PictureBytes);
    }
};

QTEST_MAIN(PictureMemory)
#include "picture_memory.moc"
