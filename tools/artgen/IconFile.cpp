#include "tools/artgen/IconFile.h"

#include <QBuffer>
#include <QtEndian>

namespace art {

namespace {

void put16(QByteArray &out, quint16 value)
{
    const quint16 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&le), 2);
}

void put32(QByteArray &out, quint32 value)
{
    const quint32 le = qToLittleEndian(value);
    out.append(reinterpret_cast<const char *>(&le), 4);
}

QByteArray pngOf(const QImage &picture)
{
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    picture.convertToFormat(QImage::Format_ARGB32).save(&buffer, "PNG");
    return png;
}

} // namespace

QByteArray iconFile(const QList<QImage> &pictures)
{
    constexpr int HeaderSize = 6;
    constexpr int EntrySize = 16;
    QByteArray header;
    put16(header, 0); // reserved
    put16(header, 1); // an icon, not a cursor
    put16(header, quint16(pictures.size()));
    QByteArray data;
    const int dataStart = HeaderSize + EntrySize * int(pictures.size());
    for (const QImage &picture : pictures) {
        const QByteArray png = pngOf(picture);
        // A side of 256 is written 0.
        header.append(char(picture.width() & 0xff));
        header.append(char(picture.height() & 0xff));
        header.append(char(0)); // no palette
        header.append(char(0)); // reserved
        put16(header, 1);       // colour planes
        put16(header, 32);      // bits per pixel
        put32(header, quint32(png.size()));
        put32(header, quint32(dataStart + data.size()));
        data += png;
    }
    return header + data;
}

} // namespace art
