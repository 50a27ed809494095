#pragma once

#include <QByteArray>
#include <QImage>
#include <QString>

#include <optional>

// A drawing painted at start-up is also stored as its pixels, ready to show
// ("skin_main.png": "skin_main.pixels"): premultiplied 32-bit pixels after a
// small header, little-endian, uncompressed. Compiled into the program they
// are shown where they lie, where decoding the PNG takes milliseconds (the
// first paint comes 5 to 9 ms sooner: docs/performance.md). They are made
// from the PNG files as the program is built (tools/storepixels). A
// skin's pixels are stored with its key colour already made transparent, and
// say which key.

// The pixels of a drawing, keyed with `key` when it has one, as stored.
QByteArray storedPixelsOf(const QImage &drawing, int ratio, std::optional<QRgb> key);

// The pixels stored beside `drawingFile` for `key` (none: a drawing shown as
// drawn), with the ratio they were drawn at: a read-only image over the
// program's own data when they are compiled in, a copy otherwise. A null
// image when there are none, when they were keyed otherwise, or when they do
// not hold together.
QImage readStoredPixels(const QString &drawingFile, std::optional<QRgb> key);
