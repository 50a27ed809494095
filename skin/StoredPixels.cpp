#include "skin/StoredPixels.h"

#include <QFile>
#include <QtEndian>

#include <cstring>

#include "skin/Artwork.h"

namespace {

constexpr char Magic[4] = {'T', 'P', 'X', '1'};

struct Header
{
    char magic[4];
    quint32_le width;
    quint32_le height;
    quint32_le ratio;
    quint32_le keyed;
    quint32_le key;
};
static_assert(sizeof(Header) == 24);

QString pixelsFile(const QString &drawingFile)
{
    return drawingFile.left(drawingFile.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".pixels");
}

bool sameKey(const Header &header, std::optional<QRgb> key)
{
    if (!key)
        return header.keyed == 0;
    return header.keyed == 1 && header.key == (*key & 0x00FFFFFFu);
}

} // namespace

QByteArray storedPixelsOf(const QImage &drawing, int ratio, std::optional<QRgb> key)
{
    const QImage pixels = (key ? withoutKeyColour(drawing, *key) : drawing)
                              .convertToFormat(QImage::Format_ARGB32_Premultiplied);
    Header header{};
    std::memcpy(header.magic, Magic, sizeof Magic);
    header.width = pixels.width();
    header.height = pixels.height();
    header.ratio = ratio;
    header.keyed = key ? 1 : 0;
    header.key = key ? (*key & 0x00FFFFFFu) : 0;
    const qsizetype rowBytes = qsizetype(pixels.width()) * 4;
    QByteArray out(qsizetype(sizeof header) + rowBytes * pixels.height(), Qt::Uninitialized);
    std::memcpy(out.data(), &header, sizeof header);
    for (int y = 0; y < pixels.height(); ++y)
        qToLittleEndian<quint32>(pixels.constScanLine(y), pixels.width(),
                                 out.data() + sizeof header + y * rowBytes);
    return out;
}

QImage readStoredPixels(const QString &drawingFile, std::optional<QRgb> key)
{
    if constexpr (Q_BYTE_ORDER != Q_LITTLE_ENDIAN)
        return {}; // the PNG serves
    QFile file(pixelsFile(drawingFile));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    Header header{};
    if (file.read(reinterpret_cast<char *>(&header), sizeof header) != qint64(sizeof header)
        || std::memcmp(header.magic, Magic, sizeof Magic) != 0 || !sameKey(header, key))
        return {};
    constexpr quint32 MaxSide = 16384;
    const quint32 width = header.width, height = header.height, ratio = header.ratio;
    if (width == 0 || height == 0 || width > MaxSide || height > MaxSide || ratio < 1 || ratio > 4
        || file.size() != qint64(sizeof header) + qint64(width) * height * 4)
        return {};
    QImage image(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull())
        return {};
    for (int y = 0; y < image.height(); ++y) {
        const qint64 rowBytes = qint64(width) * 4;
        if (file.read(reinterpret_cast<char *>(image.scanLine(y)), rowBytes) != rowBytes)
            return {};
    }
    image.setDevicePixelRatio(ratio);
    return image;
}
