#pragma once

#include <QImage>
#include <QString>

// The colour that marks the outside of every skin.
inline constexpr QRgb SkinKeyColour = 0xFF00FF;

// The program's own pictures are PNG files and are read as such: a reader left
// to guess a format asks every image plug-in, loading each of them.
QImage readPngFile(const QString &file);
QSize pngFileSize(const QString &file);

// The program's own pictures come drawn at 1x ("name.png") and at 2x
// ("name@2x.png"). A screen above 1x gets the 2x drawing, smoothly scaled to
// its ratio when that is not 2; a 1x screen never reads the 2x files.
QImage artworkForRatio(const QString &file, qreal devicePixelRatio);

// The same for a skin: its key-colour pixels become fully transparent before
// any scaling, so that no key colour bleeds into its edge.
QImage skinForRatio(const QString &file, qreal devicePixelRatio, QRgb key);

// The picture with every pixel of the key colour (red, green and blue
// compared exactly) made fully transparent; every other pixel is kept.
QImage withoutKeyColour(const QImage &picture, QRgb key);
