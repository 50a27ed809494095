#pragma once

#include <QImage>
#include <QPixmap>

class QObject;

// Pixels for large decoded pictures. Memory fresh from the system costs a
// page fault and a page of zeros per 4 KB at first touch, and as much again
// to give back: for a photograph, tens of milliseconds beyond the decode.
// So the pixels of a large picture, once it is gone, are kept for the next
// one, which is usually as large (a quiz's photographs come from one camera).
namespace pictures {

// Long enough for the window to paint what it has just been asked to show:
// work that would slow that painting waits this long.
inline constexpr int AfterPaintingMs = 50;

// An opaque 32-bit picture (QImage::Format_RGB32) of undefined content: the
// caller writes every pixel. Null when the memory cannot be had.
QImage allocateOpaquePicture(int width, int height);

// Lets go of a shown picture, once the window has painted what replaces it
// and away from the window's thread when it is large: giving back the pixels
// of a photograph keeps the system busy for about ten milliseconds. Dropped
// at once with `context`.
void releaseAfterPainting(QPixmap &&picture, QObject *context);

// Gives the kept pixels back to the system (when no more pictures are coming).
void releaseSparePixels();

// What is kept, in bytes (for tests and measures).
qsizetype sparePixelBytes();

} // namespace pictures
