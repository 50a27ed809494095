#include <QCoreApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>

#include "app/FormQCM.h"
#include "engine/ClockText.h"
#include "ui_FormQCM.h"

void TFormQCM::StartTimer()
{
    // Enabling a running timer must not shift its ticks.
    if (!Timer->isActive())
        Timer->start();
    StopWatch1->Start();
}

void TFormQCM::ResetTimer()
{
    StopWatch1->Reset();
    RefreshTimer();
}

void TFormQCM::TimerTimer()
{
    RefreshTimer();
}

void TFormQCM::RefreshTimer()
{
    ui->Label9->setText(clockText(StopWatch1->ElapsedTime()));
}

void TFormQCM::temporise(int N)
{
    // A monotonic clock: neither a change of the wall clock nor a wrap of a
    // tick counter can lengthen or cut the pause.
    QElapsedTimer elapsed;
    elapsed.start();
    const qint64 limit = qint64(N) * 1000;

    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // Sleep in the event loop until the time is up, so that the pause costs
    // no processor time while timers, repaints and clicks are still served.
    while (elapsed.elapsed() < limit) {
        QEventLoop loop;
        QTimer wake;
        wake.setSingleShot(true);
        wake.setTimerType(Qt::PreciseTimer);
        QObject::connect(&wake, &QTimer::timeout, &loop, &QEventLoop::quit);
        wake.start(int(std::min<qint64>(limit - elapsed.elapsed(), 60'000)));
        // Anything but our own wake-up (the application quitting) ends the pause.
        if (loop.exec() != 0)
            break;
    }
}
