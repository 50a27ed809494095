#pragma once

#include <QBuffer>
#include <QByteArray>
#include <QImage>

// A 4 × 3 red BMP, the smallest picture the player shows.
inline QByteArray smallBmp()
{
    QImage image(4, 3, QImage::Format_RGB32);
    image.fill(Qt::red);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "BMP");
    return bytes;
}
