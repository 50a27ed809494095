// "Suivant" to the next question painted, picture included, after the pupil
// has spent a second on the question before: questions naming 24-megapixel
// photographs against the same quiz without pictures, step for step.
//   bench_next_question            one line per step, both quizzes
//   bench_next_question --table    one line: name|with pictures ms|without ms|ratio|goal
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "bench/photograph.h"
#include "bench/quiz_scene.h"

namespace {

constexpr int kSteps = 15;
constexpr int kThinkingMs = 1000;

struct Scene
{
    QTemporaryDir folder;
    QString pictured;
    QString plain;

    Scene()
    {
        // One question more than steps: the first is shown before timing starts.
        std::vector<QString> pictures, none(kSteps + 1);
        const QString first = bench::writeQuiz(folder.path(), QStringLiteral("sans-images.qcm"), none);
        const QString dir = QFileInfo(first).absolutePath();
        bench::photographLike().save(dir + QStringLiteral("/photo0.jpg"), "JPEG", 90);
        for (int i = 0; i <= kSteps; ++i) {
            const QString name = QStringLiteral("photo%1.jpg").arg(i);
            if (i > 0)
                QFile::copy(dir + QStringLiteral("/photo0.jpg"), dir + QLatin1Char('/') + name);
            pictures.push_back(name);
        }
        plain = first;
        pictured = bench::writeQuiz(folder.path(), QStringLiteral("photos.qcm"), pictures);
    }
};

std::unique_ptr<TFormQCM> startedQuiz(const QString &quiz)
{
    auto form = std::make_unique<TFormQCM>();
    form->show();
    form->OuvrirQCM(quiz);
    form->Commencer();
    bench::waitForPicture(*form);
    form->repaint();
    return form;
}

// From the press on "Suivant" to the window painted with the next question's
// picture, however long its decode still takes.
double nextQuestionMs(TFormQCM &form)
{
    QElapsedTimer timer;
    timer.start();
    form.Suivant();
    bench::waitForPicture(form);
    form.repaint();
    return timer.nsecsElapsed() / 1e6;
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool table = argc > 1 && std::strcmp(argv[1], "--table") == 0;
    Scene scene;
    std::unique_ptr<TFormQCM> pictured = startedQuiz(scene.pictured);
    std::unique_ptr<TFormQCM> plain = startedQuiz(scene.plain);
    std::vector<double> with, without;
    for (int step = 1; step <= kSteps; ++step) {
        bench::spend(kThinkingMs);
        with.push_back(nextQuestionMs(*pictured));
        if (!pictured->ui->Image8->isVisibleTo(pictured.get())) {
            std::fprintf(stderr, "the photograph was not shown\n");
            return 1;
        }
        bench::spend(kThinkingMs);
        without.push_back(nextQuestionMs(*plain));
        if (!table)
            std::printf("step %d: with a 24 Mpx JPEG %.2f ms, without picture %.2f ms\n", step, with.back(),
                        without.back());
    }
    const double a = median(with), b = median(without);
    if (table)
        std::printf("\"Suivant\", 24 Mpx JPEG ready (ms, med. %d)|%.2f|%.2f|%.2f|<= 1.2\n", kSteps, a, b, a / b);
    else
        std::printf("median: %.2f ms against %.2f ms, ratio %.2f\n", a, b, a / b);
    return 0;
}
