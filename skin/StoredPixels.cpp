#include "skin/StoredPixels.h"

#include <QByteArrayView>
#include <QFile>
#include <QResource>
#include <QtEndian>

#include <cstring>

#include "platform/SpeedSwitches.h"
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

// Whether pixels `size` bytes long under this header hold together.
bool holdsTogether(const Header &header, qint64 size, std::optional<QRgb> key)
{
    constexpr quint32 MaxSide = 16384;
    const quint32 width = header.width, height = header.height, ratio = header.ratio;
    return std::memcmp(header.magic, Magic, sizeof Magic) == 0 && sameKey(header, key) && width > 0
           && height > 0 && width <= MaxSide && height <= MaxSide && ratio >= 1 && ratio <= 4
           && size == qint64(sizeof header) + qint64(width) * height * 4;
}

// A read-only image over the pixels, or a null one when they are not
// aligned for 32-bit access.
QImage pixelsInPlace(QByteArrayView bytes, std::optional<QRgb> key)
{
    Header header{};
    if (bytes.size() < qsizetype(sizeof header))
        return {};
    std::memcpy(&header, bytes.data(), sizeof header);
    const auto *pixels = reinterpret_cast<const uchar *>(bytes.data()) + sizeof header;
    if (!holdsTogether(header, bytes.size(), key) || reinterpret_cast<quintptr>(pixels) % alignof(quint32) != 0)
        return {};
    QImage image(pixels, int(header.width), int(header.height), int(header.width) * 4,
                 QImage::Format_ARGB32_Premultiplied);
    image.setDevicePixelRatio(header.ratio);
    return image;
}

QImage pixelsCopied(const QString &file, std::optional<QRgb> key)
{
    QFile in(file);
    if (!in.open(QIODevice::ReadOnly))
        return {};
    Header header{};
    if (in.read(reinterpret_cast<char *>(&header), sizeof header) != qint64(sizeof header)
        || !holdsTogether(header, in.size(), key))
        return {};
    // 32-bit rows need no padding: the image's pixels are the file's, in order.
    QImage image(int(header.width), int(header.height), QImage::Format_ARGB32_Premultiplied);
    if (image.isNull() || in.read(reinterpret_cast<char *>(image.bits()), image.sizeInBytes()) != image.sizeInBytes())
        return {};
    image.setDevicePixelRatio(header.ratio);
    return image;
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
    if (Q_BYTE_ORDER != Q_LITTLE_ENDIAN || platform::isTurnedOff("stored-pixels"))
        return {}; // the PNG serves
    const QString file = pixelsFile(drawingFile);
    // Compiled into the program, the pixels are shown where they lie: no
    // copy, and no fresh memory to fill before the first paint.
    const QResource resource(file);
    if (resource.isValid() && resource.compressionAlgorithm() == QResource::NoCompression) {
        QImage inPlace = pixelsInPlace(QByteArrayView(resource.data(), resource.size()), key);
        if (!inPlace.isNull())
            return inPlace;
    }
    return pixelsCopied(file, key);
}
