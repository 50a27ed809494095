// Showing a question whose picture is a 24-megapixel photograph, through the
// main window's own Affiche, against djpeg decoding the same file.
//   bench_question_picture            Google Benchmark output
//   bench_question_picture --table    one line: name|player ms|djpeg ms|ratio|goal
#include <QApplication>
#include <QElapsedTimer>
#include <QImage>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <cstring>
#include <vector>

#include "app/FormQCM.h"
#include "bench/photograph.h"
#include "bench/quiz_scene.h"
#include "pictures/PictureLoader.h"

namespace {

constexpr int kWidth = 6000;
constexpr int kHeight = 4000;
constexpr int kRuns = 7;

struct Scene
{
    QTemporaryDir folder;
    QString picture;
    QString quiz;

    Scene()
    {
        quiz = bench::writeQuiz(folder.path(), QStringLiteral("photos.qcm"), {QStringLiteral("photo.jpg")});
        picture = QFileInfo(quiz).absolutePath() + QStringLiteral("/photo.jpg");
        bench::photographLike(kWidth, kHeight).save(picture, "JPEG", 90);
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

// The question on screen with no time to decode its picture ahead: the
// picture decoded, placed, and the window painted.
double showQuestionMs()
{
    TFormQCM &window = form();
    QElapsedTimer timer;
    timer.start();
    window.Affiche(1);
    bench::waitForPicture(window);
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
