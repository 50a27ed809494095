// Showing a question whose picture is a 24-megapixel photograph, through the
// main window's own Affiche, against djpeg decoding the same file.
//   bench_question_picture            Google Benchmark output
//   bench_question_picture --table    one line: name|player ms|djpeg ms|ratio|goal
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/FormQCM.h"
#include "pictures/PictureLoader.h"
#include "quiz/QuizFile.h"
#include "quiz/RecordText.h"

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kRuns = 7;

// Smooth light and colour with grain, like a photograph: JPEG finds as much
// detail in it as in a real one, unlike a flat test card.
QImage photographLike()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    QRandomGenerator noise(20240607);
    for (int y = 0; y < kHeight; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        const double fy = double(y) / kHeight;
        for (int x = 0; x < kWidth; ++x) {
            const double fx = double(x) / kWidth;
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

struct Scene
{
    QTemporaryDir folder;
    QString picture;
    QString quiz;

    Scene()
    {
        // A quiz folder two levels down, as pupils have them.
        const QString dir = folder.path() + QStringLiteral("/Sciences/Photos");
        QDir().mkpath(dir);
        picture = dir + QStringLiteral("/photo.jpg");
        photographLike().save(picture, "JPEG", 90);
        qcm::QuestionRecord record;
        qcm::encodeField(record, qcm::Field::QuestionText, QStringLiteral("Que montre cette photographie ?"));
        qcm::encodeField(record, qcm::Field::Answer1, QStringLiteral("Un paysage"));
        qcm::encodeField(record, qcm::Field::Answer2, QStringLiteral("Un portrait"));
        qcm::encodeField(record, qcm::Field::AnswerKey, QStringLiteral("1"));
        qcm::encodeField(record, qcm::Field::ValidityRule, QStringLiteral("ET"));
        qcm::encodeField(record, qcm::Field::PictureFile, QStringLiteral("photo.jpg"));
        quiz = dir + QStringLiteral("/photos.qcm");
        qcm::writeQuizFile(quiz, {record});
    }
};

Scene &scene()
{
    static Scene s;
    return s;
}

TFormQCM &form()
{
    static TFormQCM *f = [] {
        auto *window = new TFormQCM;
        window->show();
        window->OuvrirQCM(scene().quiz);
        return window;
    }();
    return *f;
}

// The question on screen: the picture decoded, placed, and the window painted.
double showQuestionMs()
{
    TFormQCM &window = form();
    QElapsedTimer timer;
    timer.start();
    window.Affiche(1);
    window.repaint();
    return timer.nsecsElapsed() / 1e6;
}

double djpegMs()
{
    QElapsedTimer timer;
    timer.start();
    QProcess::execute(QStringLiteral("djpeg"), {QStringLiteral("-dct"), QStringLiteral("float"),
                                                QStringLiteral("-outfile"), QStringLiteral("/dev/null"), scene().picture});
    return timer.nsecsElapsed() / 1e6;
}

double medianOf(double (*measure)(), int runs)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i)
        times.push_back(measure());
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void BM_ShowQuestionWith24MpxJpeg(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(showQuestionMs() / 1000);
}
BENCHMARK(BM_ShowQuestionWith24MpxJpeg)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(kRuns);

// The picture loader alone, to tell decoding from the rest of the showing.
void BM_LoadPictureOnly(benchmark::State &state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(pictures::loadPicture(scene().picture));
}
BENCHMARK(BM_LoadPictureOnly)->Unit(benchmark::kMillisecond)->Iterations(kRuns);

void BM_Djpeg24MpxJpeg(benchmark::State &state)
{
    for (auto _ : state)
        state.SetIterationTime(djpegMs() / 1000);
}
BENCHMARK(BM_Djpeg24MpxJpeg)->UseManualTime()->Unit(benchmark::kMillisecond)->Iterations(kRuns);

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    bool table = false;
    std::vector<char *> rest;
    for (int i = 0; i < argc; ++i) {
        if (std::strcmp(argv[i], "--table") == 0)
            table = true;
        else
            rest.push_back(argv[i]);
    }
    scene();
    if (table) {
        showQuestionMs(); // the first showing also lays out the window
        djpegMs();
        const double player = medianOf(showQuestionMs, kRuns);
        const double djpeg = medianOf(djpegMs, kRuns);
        std::printf("question with a 24 Mpx JPEG (ms, median of %d)|%.1f|%.1f|%.2f|<= 1.1\n", kRuns, player, djpeg,
                    player / djpeg);
        return 0;
    }
    int count = int(rest.size());
    benchmark::Initialize(&count, rest.data());
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
