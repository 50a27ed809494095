#include "skin/Artwork.h"

#include <QImageReader>

#include "skin/StoredPixels.h"

namespace {

void readAsPng(QImageReader &reader, const QString &file)
{
    reader.setFileName(file);
    reader.setFormat("png");
    reader.setAutoDetectImageFormat(false);
}

QString at2x(const QString &file)
{
    const int dot = file.lastIndexOf(QLatin1Char('.'));
    return dot < 0 ? file + QStringLiteral("@2x") : file.left(dot) + QStringLiteral("@2x") + file.mid(dot);
}

// The drawing as shown: its stored pixels when it has them, else the PNG
// with the key colour (if any) made transparent.
QImage readDrawing(const QString &file, std::optional<QRgb> key)
{
    QImage stored = readStoredPixels(file, key);
    if (!stored.isNull())
        return stored;
    const QImage drawing = readPngFile(file);
    return key ? withoutKeyColour(drawing, *key) : drawing;
}

QImage drawingFor(const QString &file, qreal ratio, std::optional<QRgb> key)
{
    if (ratio > 1.0) {
        // The reader takes the ratio 2 from the "@2x" in the name.
        QImage big = readDrawing(at2x(file), key);
        if (!big.isNull())
            return big;
    }
    return readDrawing(file, key);
}

QImage fitToRatio(const QImage &image, qreal ratio)
{
    if (image.isNull() || ratio <= 1.0 || qFuzzyCompare(image.devicePixelRatio(), ratio))
        return image;
    const QSizeF logical = image.deviceIndependentSize();
    // Rounded, so that the logical size read back is the drawing's own.
    QImage scaled = image.scaled(qRound(logical.width() * ratio), qRound(logical.height() * ratio),
                                 Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    scaled.setDevicePixelRatio(ratio);
    return scaled;
}

} // namespace

QImage readPngFile(const QString &file)
{
    QImageReader reader;
    readAsPng(reader, file);
    return reader.read();
}

QSize pngFileSize(const QString &file)
{
    QImageReader reader;
    readAsPng(reader, file);
    return reader.size();
}

QImage artworkForRatio(const QString &file, qreal devicePixelRatio)
{
    return fitToRatio(drawingFor(file, devicePixelRatio, std::nullopt), devicePixelRatio);
}

QImage skinForRatio(const QString &file, qreal devicePixelRatio, QRgb key)
{
    return fitToRatio(drawingFor(file, devicePixelRatio, key), devicePixelRatio);
}

QImage withoutKeyColour(const QImage &picture, QRgb key)
{
    if (picture.isNull())
        return picture;
    QImage image = picture.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    const QRgb keyRgb = key & 0x00FFFFFFu;
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            // Premultiplied: only a fully opaque pixel can carry the key colour.
            if (row[x] == (0xFF000000u | keyRgb))
                row[x] = 0;
        }
    }
    return image;
}
