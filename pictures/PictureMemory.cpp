#include "pictures/PictureMemory.h"

#include "platform/SpeedSwitches.h"

#include <cstdlib>
#include <mutex>
#include <utility>

namespace pictures {

namespace {

// Below this, the C library's allocator already reuses freed memory.
constexpr qsizetype RecycledFrom = 16 << 20;

struct Pixels
{
    void *data = nullptr;
    qsizetype bytes = 0;
};

std::mutex spareLock;
Pixels spare;

Pixels takeSpare()
{
    std::lock_guard lock(spareLock);
    return std::exchange(spare, Pixels{});
}

// Called where the last copy of a picture goes away, in any thread.
void giveBack(void *info)
{
    auto *pixels = static_cast<Pixels *>(info);
    {
        std::lock_guard lock(spareLock);
        if (!spare.data) {
            spare = *pixels;
            pixels->data = nullptr;
        }
    }
    std::free(pixels->data); // one spare is enough
    delete pixels;
}

} // namespace

QImage allocateOpaquePicture(int width, int height)
{
    const qsizetype bytes = qsizetype(width) * height * 4;
    if (width <= 0 || height <= 0 || bytes < RecycledFrom || platform::isTurnedOff("spare-pixels"))
        return QImage(width, height, QImage::Format_RGB32);
    Pixels pixels = takeSpare();
    // A spare much larger than needed would hold memory for nothing.
    if (pixels.data && (pixels.bytes < bytes || pixels.bytes > 2 * bytes)) {
        std::free(pixels.data);
        pixels = {};
    }
    if (!pixels.data) {
        pixels.data = std::malloc(size_t(bytes));
        pixels.bytes = bytes;
        if (!pixels.data)
            return QImage();
    }
    auto *owner = new Pixels(pixels);
    return QImage(static_cast<uchar *>(pixels.data), width, height, qsizetype(width) * 4, QImage::Format_RGB32,
                  giveBack, owner);
}

void releaseSparePixels()
{
    std::free(takeSpare().data);
}

qsizetype sparePixelBytes()
{
    std::lock_guard lock(spareLock);
    return spare.bytes;
}

} // namespace pictures
