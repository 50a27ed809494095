#include <QTest>

#include "skin/SsStopWatch.h"

namespace {

constexpr double kSecond = 1.0 / 86'400.0;

// A clock the test moves by hand, starting on an ordinary school morning.
struct FakeClock
{
    double now = 45'000.375;
    void advance(double seconds) { now += seconds * kSecond; }
};

} // namespace

class SkinStopWatchTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void freshStopWatchShowsZero();
    void stopFreezesTheElapsedTime();
    void startAgainResumesFromTheLastStop();
    void resetWhileRunningCountsOnFromZero();
    void resetWhileStoppedStaysAtZero();
    void secondStartAndSecondStopChangeNothing();
    void followsTheWallClockEvenBackwards();
    void measuresMoreThanADay();
    void nowIsLocalDateAndTime();

private:
    FakeClock m_clock;
    std::unique_ptr<TStopWatch> m_watch;
};

void SkinStopWatchTest::init()
{
    m_clock = FakeClock();
    m_watch = std::make_unique<TStopWatch>();
    m_watch->setClock([this] { return m_clock.now; });
}

void SkinStopWatchTest::freshStopWatchShowsZero()
{
    QCOMPARE(m_watch->ElapsedTime(), 0.0);
    QVERIFY(!m_watch->isRunning());
}

void SkinStopWatchTest::stopFreezesTheElapsedTime()
{
    m_watch->Start();
    m_clock.advance(90);
    m_watch->Stop();
    QVERIFY(qAbs(m_watch->ElapsedTime() - 90 * kSecond) < 1e-9);
    QVERIFY(qAbs(m_watch->ElapsedTime() - 0.0010417) < 1e-7);
    m_clock.advance(600);
    QVERIFY(qAbs(m_watch->ElapsedTime() - 90 * kSecond) < 1e-9);
}

void SkinStopWatchTest::startAgainResumesFromTheLastStop()
{
    m_watch->Start();
    m_clock.advance(30);
    m_watch->Stop();
    m_clock.advance(100); // paused: not counted
    m_watch->Start();
    m_clock.advance(15);
    m_watch->Stop();
    QVERIFY(qAbs(m_watch->ElapsedTime() - 45 * kSecond) < 1e-9);
}

void SkinStopWatchTest::resetWhileRunningCountsOnFromZero()
{
    m_watch->Start();
    m_clock.advance(50);
    m_watch->Reset();
    QVERIFY(m_watch->isRunning());
    m_clock.advance(7);
    QVERIFY(qAbs(m_watch->ElapsedTime() - 7 * kSecond) < 1e-9);
}

void SkinStopWatchTest::resetWhileStoppedStaysAtZero()
{
    m_watch->Start();
    m_clock.advance(50);
    m_watch->Stop();
    m_watch->Reset();
    QVERIFY(!m_watch->isRunning());
    m_clock.advance(20);
    QCOMPARE(m_watch->ElapsedTime(), 0.0);
    // Starting again counts from the reset, not from the old total.
    m_watch->Start();
    m_clock.advance(4);
    QVERIFY(qAbs(m_watch->ElapsedTime() - 4 * kSecond) < 1e-9);
}

void SkinStopWatchTest::secondStartAndSecondStopChangeNothing()
{
    m_watch->Start();
    m_clock.advance(10);
    m_watch->Start(); // must not move the origin
    m_clock.advance(5);
    QVERIFY(qAbs(m_watch->ElapsedTime() - 15 * kSecond) < 1e-9);
    m_watch->Stop();
    m_clock.advance(5);
    m_watch->Stop();
    QVERIFY(qAbs(m_watch->ElapsedTime() - 15 * kSecond) < 1e-9);
}

void SkinStopWatchTest::followsTheWallClockEvenBackwards()
{
    m_watch->Start();
    m_clock.advance(60);
    m_clock.advance(-3600); // the local time is set back an hour
    QVERIFY(qAbs(m_watch->ElapsedTime() - (60 - 3600) * kSecond) < 1e-9);
    QVERIFY(m_watch->ElapsedTime() < 0);
}

void SkinStopWatchTest::measuresMoreThanADay()
{
    m_watch->Start();
    m_clock.advance(25 * 3600);
    QVERIFY(m_watch->ElapsedTime() >= 1.0);
    QVERIFY(qAbs(m_watch->ElapsedTime() - 25.0 / 24.0) < 1e-9);
}

void SkinStopWatchTest::nowIsLocalDateAndTime()
{
    const QDateTime before = QDateTime::currentDateTime();
    const TDateTime now = nowAsDateTime();
    const QDateTime after = QDateTime::currentDateTime();
    const QDate epoch(1899, 12, 30);
    auto asDays = [&](const QDateTime &t) {
        return double(epoch.daysTo(t.date())) + t.time().msecsSinceStartOfDay() / 86'400'000.0;
    };
    QVERIFY(now >= asDays(before) && now <= asDays(after));
}

QTEST_GUILESS_MAIN(SkinStopWatchTest)
#include "skin_stopwatch.moc"
