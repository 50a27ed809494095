#include <benchmark/benchmark.h>

#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QRandomGenerator>
#include <QString>

#include "pictures/PictureLoader.h"

// Decodes a 6000 x 4000 photograph-like JPEG (made on first use, kept in
// TAVELOR_BENCH_JPEG or /tmp) with the picture loader. Compare with
// bench/jpeg_vs_djpeg.sh, which times djpeg -dct float on the same file.
namespace {

QString benchFile()
{
    const QString path = qEnvironmentVariableIsSet("TAVELOR_BENCH_JPEG")
        ? qEnvironmentVariable("TAVELOR_BENCH_JPEG")
        : QStringLiteral("/tmp/tavelor-bench-6000x4000.jpg");
    if (QFile::exists(path))
        return path;
    QImage image(6000, 4000, QImage::Format_RGB32);
    QPainter painter(&image);
    QLinearGradient sky(0, 0, 6000, 4000);
    sky.setColorAt(0, QColor(40, 90, 170));
    sky.setColorAt(0.5, QColor(230, 200, 140));
    sky.setColorAt(1, QColor(30, 70, 30));
    painter.fillRect(image.rect(), sky);
    QRandomGenerator random(42);
    for (int i = 0; i < 400; ++i) {
        QRadialGradient blob(random.bounded(6000), random.bounded(4000), 50 + random.bounded(400));
        blob.setColorAt(0, QColor::fromRgb(random.generate() | 0xFF000000));
        blob.setColorAt(1, Qt::transparent);
        painter.setBrush(blob);
        painter.setPen(Qt::NoPen);
        painter.drawEllipse(blob.center(), blob.radius(), blob.radius());
    }
    painter.end();
    // Grain, as a camera sensor leaves it.
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const int n = int(random.bounded(17)) - 8;
            const QRgb c = line[x];
            line[x] = qRgb(qBound(0, qRed(c) + n, 255), qBound(0, qGreen(c) + n, 255), qBound(0, qBlue(c) + n, 255));
        }
    }
    image.save(path, "JPEG", 90);
    return path;
}

void BM_LoadPhotograph(benchmark::State &state)
{
    const QString path = benchFile();
    for (auto _ : state) {
        QImage image = pictures::loadPicture(path);
        if (image.isNull())
            state.SkipWithError("decoding failed");
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_LoadPhotograph)->Unit(benchmark::kMillisecond)->MinTime(3);

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    return 0;
}
