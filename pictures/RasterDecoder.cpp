#include "pictures/RasterDecoder.h"

#include "pictures/ByteReader.h"
#include "pictures/DecodeBudget.h"
#include "pictures/PictureLimits.h"

#include <QBuffer>
#include <QImageReader>

namespace pictures {
namespace {

QImage fail(QString *error, const char *reason)
{
    if (error)
        *error = QString::fromUtf8(reason);
    return QImage();
}

struct Reader
{
    QByteArray bytes;
    QBuffer buffer;
    QImageReader reader;

    Reader(QByteArrayView data, const char *format)
        : bytes(QByteArray::fromRawData(data.data(), data.size()))
        , buffer(&bytes)
    {
        buffer.open(QIODevice::ReadOnly);
        reader.setDevice(&buffer);
        reader.setFormat(format);
        // The extension chose the format; a PNG renamed .bmp is not a bitmap.
        reader.setAutoDetectImageFormat(false);
        reader.setDecideFormatFromContent(false);
    }
};

qint64 bigEndian32(QByteArrayView data, qsizetype at)
{
    if (at < 0 || at + 4 > data.size())
        return -1;
    return (qint64(quint8(data[at])) << 24) | (quint8(data[at + 1]) << 16) | (quint8(data[at + 2]) << 8)
        | quint8(data[at + 3]);
}

struct IconEntry
{
    qint64 width = 0;
    qint64 height = 0;
    int bitCount = 0;
};

// The size an icon image will really have, read from its own header rather
// than from the directory, which Qt's reader does not trust either.
bool readIconEntry(QByteArrayView data, qint64 offset, IconEntry &entry)
{
    ByteReader image(data);
    if (!image.has(offset, 24))
        return false;
    static const char pngSignature[] = "\x89PNG\r\n\x1a\n";
    if (data.sliced(offset, 8) == QByteArrayView(pngSignature, 8)) {
        entry.width = bigEndian32(data, offset + 16);
        entry.height = bigEndian32(data, offset + 20);
        entry.bitCount = 32;
        return entry.width > 0 && entry.height > 0;
    }
    image.seek(offset);
    const quint32 headerSize = image.u32();
    if (headerSize == 12) {
        entry.width = image.u16();
        entry.height = image.u16() / 2;
        image.u16();
        entry.bitCount = image.u16();
    } else if (headerSize >= 40) {
        entry.width = image.i32();
        entry.height = image.i32() / 2; // colour and mask stacked
        image.u16();
        entry.bitCount = image.u16();
    } else {
        return false;
    }
    return image.ok() && entry.width > 0 && entry.height > 0;
}

} // namespace

QImage decodeBmp(QByteArrayView data, QString *error, DecodeBudget *budget)
{
    Reader in(data, "bmp");
    // A negative height is how the header says the rows run top-down.
    const QSize header = in.reader.size();
    const QSize claimed(qAbs(header.width()), qAbs(header.height()));
    if (header.width() == -1 || claimed.isEmpty())
        return fail(error, picture_error::Damaged);
    if (!pictureSizeAllowed(claimed.width(), claimed.height())
        || (budget && !budget->reserve(qint64(claimed.width()) * claimed.height() * 4)))
        return fail(error, picture_error::TooLarge);
    QImage image = in.reader.read();
    if (image.isNull() || image.size() != claimed)
        return fail(error, picture_error::Damaged);
    return image;
}

QImage decodeIco(QByteArrayView data, QString *error, DecodeBudget *budget)
{
    ByteReader dir(data);
    const quint16 reserved = dir.u16();
    const quint16 type = dir.u16();
    const quint16 count = dir.u16();
    if (!dir.ok() || reserved != 0 || (type != 1 && type != 2) || count == 0)
        return fail(error, picture_error::Damaged);

    int best = -1;
    IconEntry bestEntry;
    bool tooLarge = false;
    for (int i = 0; i < count; ++i) {
        dir.seek(6 + 16 * qsizetype(i));
        dir.skip(8);
        const quint32 bytes = dir.u32();
        const quint32 offset = dir.u32();
        IconEntry entry;
        if (!dir.ok() || !dir.has(offset, bytes) || !readIconEntry(data, offset, entry))
            continue;
        if (!pictureSizeAllowed(entry.width, entry.height)) {
            tooLarge = true;
            continue;
        }
        const qint64 area = entry.width * entry.height;
        const qint64 bestArea = bestEntry.width * bestEntry.height;
        if (best < 0 || area > bestArea || (area == bestArea && entry.bitCount > bestEntry.bitCount)) {
            best = i;
            bestEntry = entry;
        }
    }
    if (best < 0)
        return fail(error, tooLarge ? picture_error::TooLarge : picture_error::Damaged);
    if (budget && !budget->reserve(bestEntry.width * bestEntry.height * 4))
        return fail(error, picture_error::TooLarge);

    Reader in(data, "ico");
    if (!in.reader.jumpToImage(best))
        return fail(error, picture_error::Damaged);
    QImage image = in.reader.read();
    if (image.isNull() || !pictureSizeAllowed(image.width(), image.height()))
        return fail(error, picture_error::Damaged);
    return image;
}

QImage decodeDib(QByteArrayView info, QByteArrayView bits, QString *error)
{
    ByteReader header(info);
    const quint32 headerSize = header.u32();
    qint64 width = 0, height = 0;
    int bitCount = 0;
    quint32 compression = 0;
    if (headerSize == 12) {
        width = header.u16();
        height = header.u16();
        header.u16();
        bitCount = header.u16();
    } else if (headerSize >= 40 && headerSize <= quint32(info.size())) {
        width = header.i32();
        height = header.i32();
        header.u16();
        bitCount = header.u16();
        compression = header.u32();
    } else {
        return fail(error, picture_error::Damaged);
    }
    if (!header.ok())
        return fail(error, picture_error::Damaged);
    const bool topDown = height < 0;
    height = qAbs(height);
    if (!pictureSizeAllowed(width, height))
        return fail(error, picture_error::TooLarge);

    // Qt's reader leaves the fourth byte of 32-bit pixels out; metafiles use
    // it as alpha, premultiplied.
    if (bitCount == 32 && compression == 0) {
        const qint64 rowBytes = width * 4;
        if (bits.size() < rowBytes * height)
            return fail(error, picture_error::Damaged);
        QImage image(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
        if (image.isNull())
            return fail(error, picture_error::OutOfMemory);
        bool anyAlpha = false;
        for (qint64 y = 0; y < height; ++y) {
            const auto *src = reinterpret_cast<const uchar *>(bits.data()) + (topDown ? y : height - 1 - y) * rowBytes;
            auto *dst = reinterpret_cast<QRgb *>(image.scanLine(int(y)));
            for (qint64 x = 0; x < width; ++x, src += 4) {
                const int a = src[3];
                anyAlpha = anyAlpha || a != 0;
                dst[x] = qRgba(qMin<int>(src[2], a), qMin<int>(src[1], a), qMin<int>(src[0], a), a);
            }
        }
        if (!anyAlpha) { // an all-zero fourth byte means no alpha at all
            for (qint64 y = 0; y < height; ++y) {
                const auto *src = reinterpret_cast<const uchar *>(bits.data()) + (topDown ? y : height - 1 - y) * rowBytes;
                auto *dst = reinterpret_cast<QRgb *>(image.scanLine(int(y)));
                for (qint64 x = 0; x < width; ++x, src += 4)
                    dst[x] = qRgb(src[2], src[1], src[0]);
            }
        }
        return image;
    }

    QByteArray file;
    const qint64 total = 14 + info.size() + bits.size();
    if (total > MaxPictureFileBytes)
        return fail(error, picture_error::FileTooLarge);
    file.reserve(total);
    auto put32 = [&file](quint32 value) {
        for (int i = 0; i < 4; ++i)
            file.append(char((value >> (8 * i)) & 0xFF));
    };
    file.append("BM", 2);
    put32(quint32(total));
    put32(0);
    put32(quint32(14 + info.size()));
    file.append(info.data(), info.size());
    file.append(bits.data(), bits.size());
    return decodeBmp(file, error);
}

} // namespace pictures
