// How long the window goes without an event while a hostile picture is
// decoded: a 10 ms timer notes the longest gap between its ticks, from the
// press on the start button until the picture (or the default one) is on
// screen. The yardstick is the same watch, as long, without picture.
//   bench_window_answers [--table]   one line per picture: name|median of the longest gaps (ms)|same without picture|ratio|goal
#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <vector>

#include "bench/quiz_scene.h"

namespace {

constexpr int kTickMs = 10;
// Other programs share the processor: the median of a few watches tells the
// player's own waits from theirs.
constexpr int kRuns = 3;

// The longest time between two ticks of a timer running on the window's thread.
class GapWatch
{
public:
    GapWatch()
    {
        m_timer.setTimerType(Qt::PreciseTimer);
        m_timer.setInterval(kTickMs);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_clock.start();
        m_timer.start();
    }
    double longestMs() const { return std::max(m_longest, m_clock.nsecsElapsed() - m_last) / 1e6; }

private:
    void tick()
    {
        const qint64 now = m_clock.nsecsElapsed();
        m_longest = std::max(m_longest, now - m_last);
        m_last = now;
    }
    QTimer m_timer;
    QElapsedTimer m_clock;
    qint64 m_last = 0;
    qint64 m_longest = 0;
};

struct Outcome
{
    double gapMs;
    double decodeMs;
    bool shown;
};

// Starts the quiz, then watches the window until the question's picture is settled.
Outcome watchQuestion(const QString &quiz, int atLeastMs = 0)
{
    TFormQCM form;
    form.show();
    form.OuvrirQCM(quiz);
    // Watched from the press on the start button: a decode done on the spot
    // would freeze the window there.
    QElapsedTimer elapsed;
    elapsed.start();
    GapWatch watch;
    form.Commencer();
    bench::waitForPicture(form);
    const double decodeMs = elapsed.nsecsElapsed() / 1e6;
    bench::spend(std::max(2 * kTickMs, atLeastMs - int(decodeMs)));
    return {watch.longestMs(), decodeMs, form.ui->Image8->isVisibleTo(&form)};
}

double median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// The hostile files, made as the fuzzing seeds are, at their worst sizes.
bool makeHostile(const QString &dir)
{
    const QString seeds = QStringLiteral(TAVELOR_SOURCE_DIR "/fuzz");
    const QString script = QStringLiteral(
        "import sys; sys.path.insert(0, sys.argv[1]); import make_hostile_seeds as m\n"
        "open(sys.argv[2] + '/text-bomb.emf', 'wb').write(m.huge_text_emf(300, 4000))\n"
        "open(sys.argv[2] + '/wide-pen.wmf', 'wb').write(m.wide_pen_wmf(1, 2000))\n"
        "open(sys.argv[2] + '/many-long-polylines.wmf', 'wb').write(m.wide_pen_wmf(300, 32000))\n");
    return QProcess::execute(QStringLiteral("python3"), {QStringLiteral("-c"), script, seeds, dir}) == 0
        && QFile::copy(seeds + QStringLiteral("/corpus/jpeg/flat-7000-progressive.jpg"),
                       dir + QStringLiteral("/flat-7000-progressive.jpg"));
}

} // namespace

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    const bool table = argc > 1 && std::strcmp(argv[1], "--table") == 0;
    QTemporaryDir folder;
    const QString plain = bench::writeQuiz(folder.path(), QStringLiteral("plain.qcm"), {QString()});
    if (!makeHostile(QFileInfo(plain).absolutePath())) {
        std::fprintf(stderr, "cannot make the hostile pictures\n");
        return 1;
    }
    const struct
    {
        const char *label;
        const char *file;
    } pictures[] = {
        {"38 MB WMF, 300 polylines", "many-long-polylines.wmf"},
        {"EMF text bomb", "text-bomb.emf"},
        {"8 KB WMF, 30000-wide pen", "wide-pen.wmf"},
        {"7000x7000 prog. JPEG", "flat-7000-progressive.jpg"},
    };
    for (const auto &picture : pictures) {
        const QString quiz = bench::writeQuiz(folder.path(), QString::fromLatin1(picture.file) + QStringLiteral(".qcm"),
                                              {QString::fromLatin1(picture.file)});
        std::vector<double> gaps, yardstickGaps;
        Outcome hostile{};
        for (int run = 0; run < kRuns; ++run) {
            hostile = watchQuestion(quiz);
            gaps.push_back(hostile.gapMs);
            yardstickGaps.push_back(watchQuestion(plain, int(hostile.decodeMs)).gapMs);
            if (!table)
                std::printf("  %s: %.1f ms, without picture %.1f ms\n", picture.file, gaps.back(), yardstickGaps.back());
        }
        const double gap = median(gaps), yardstick = median(yardstickGaps);
        const QString label = QStringLiteral("longest wait, %1 (ms)").arg(QString::fromLatin1(picture.label));
        if (table) {
            std::printf("%s|%.1f|%.1f|%.2f|<= 50 ms\n", qPrintable(label), gap, yardstick, gap / yardstick);
        } else {
            std::printf("%s: median %.1f ms (without picture %.1f ms); picture %s after %.0f ms\n", qPrintable(label),
                        gap, yardstick, hostile.shown ? "shown" : "refused", hostile.decodeMs);
        }
    }
    return 0;
}
