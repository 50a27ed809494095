#pragma once

#include <QImage>
#include <QRandomGenerator>
#include <algorithm>

namespace bench {

// Smooth light and colour with grain, like a photograph: JPEG finds as much
// detail in it as in a real one, unlike a flat test card.
inline QImage photographLike(int width = 6000, int height = 4000)
{
    QImage image(width, height, QImage::Format_RGB32);
    QRandomGenerator noise(20240607);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        const double fy = double(y) / height;
        for (int x = 0; x < width; ++x) {
            const double fx = double(x) / width;
            const quint32 grain = noise.generate();
            const int n = int(grain & 31) - 16;
            const int r = int(200 * fx + 40 * fy) + n;
            const int g = int(120 + 100 * fy * (1 - fx)) + (int((grain >> 5) & 31) - 16);
            const int b = int(220 * (1 - fy) + 30 * fx) + (int((grain >> 10) & 31) - 16);
            row[x] = qRgb(std::clamp(r, 0, 255), std::clamp(g, 0, 255), std::clamp(b, 0, 255));
        }
    }
    return image;
}

} // namespace bench
