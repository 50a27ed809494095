#include <QBitmap>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRegion>
#include <benchmark/benchmark.h>

#include "skin/ShapeWindow.h"

namespace {

constexpr QRgb kKey = 0xFF00FF;

// A main-window sized skin: key surround, rounded panel, a few key holes and
// notches so that rows carry several runs.
const QImage &mainSkin()
{
    static const QImage skin = [] {
        QImage image(843, 524, QImage::Format_RGB32);
        image.fill(0xFFFF00FF);
        QPainter painter(&image);
        painter.setPen(Qt::NoPen);
        painter.setBrush(QColor(0, 128, 128));
        painter.drawRoundedRect(QRect(1, 1, 841, 522), 24, 24);
        painter.setBrush(QColor(255, 0, 255));
        for (int i = 0; i < 12; ++i)
            painter.drawEllipse(QRect(60 + i * 62, 200 + (i % 3) * 40, 30, 30));
        painter.drawRect(QRect(400, 0, 40, 60));
        return image;
    }();
    return skin;
}

QList<QRect> runsOf(const QImage &skin)
{
    const QImage image = skin.convertToFormat(QImage::Format_RGB32);
    QList<QRect> runs;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int start = -1;
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] & 0xFFFFFF) == kKey) {
                if (start >= 0)
                    runs.append(QRect(start, y, x - start, 1));
                start = -1;
            } else if (start < 0) {
                start = x;
            }
        }
        if (start >= 0)
            runs.append(QRect(start, y, image.width() - start, 1));
    }
    return runs;
}

// One rectangle per run, united into the region as it is found.
QRegion unitedRunByRun(const QImage &skin)
{
    QRegion region;
    for (const QRect &run : runsOf(skin))
        region += run;
    return region;
}

QRegion fromBitmap(const QImage &skin)
{
    const QImage mask = skin.convertToFormat(QImage::Format_RGB32)
                            .createMaskFromColor(0xFF000000 | kKey, Qt::MaskInColor);
    return QRegion(QBitmap::fromImage(mask));
}

void checkSame(benchmark::State &state, const QRegion &region)
{
    if (!region.xored(regionFromSkin(mainSkin(), kKey)).isEmpty())
        state.SkipWithError("region differs from the scan");
}

void BM_UniteRunByRun(benchmark::State &state)
{
    const QImage &skin = mainSkin();
    checkSame(state, unitedRunByRun(skin));
    for (auto _ : state)
        benchmark::DoNotOptimize(unitedRunByRun(skin));
}

void BM_SetRectsOnce(benchmark::State &state)
{
    const QImage &skin = mainSkin();
    for (auto _ : state)
        benchmark::DoNotOptimize(regionFromSkin(skin, kKey));
}

void BM_RegionFromBitmap(benchmark::State &state)
{
    const QImage &skin = mainSkin();
    checkSame(state, fromBitmap(skin));
    for (auto _ : state)
        benchmark::DoNotOptimize(fromBitmap(skin));
}

BENCHMARK(BM_UniteRunByRun)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_SetRectsOnce)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RegionFromBitmap)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char **argv)
{
    // QBitmap needs a GUI application; offscreen is enough.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
