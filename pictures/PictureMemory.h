#pragma once

#include <QImage>

// Pixels for large decoded pictures. Memory fresh from the system costs a
// page fault and a page of zeros per 4 KB at first touch, and as much again
// to give back: for a photograph, tens of milliseconds beyond the decode.
// So the pixels of a large picture, once it is gone, are kept for the next
// one, which is usually as large (a quiz's photographs come from one camera):
// a 24-megapixel photograph shows about 40 ms sooner (docs/performance.md).
namespace pictures {

// An opaque 32-bit picture (QImage::Format_RGB32) of undefined content: the
// caller writes every pixel. Null when the memory cannot be had.
QImage allocateOpaquePicture(int width, int height);

// Gives the kept pixels back to the system (when no more pictures are coming).
void releaseSparePixels();

// What is kept, in bytes (for tests and measures).
qsizetype sparePixelBytes();

} // namespace pictures
