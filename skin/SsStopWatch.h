#pragma once

#include <QObject>
#include <functional>

// A date-time value: days since 30 December 1899, time of day as fraction.
// As a duration, simply a number of days.
using TDateTime = double;

// The local date and time, with millisecond resolution, as a date-time value.
TDateTime nowAsDateTime();

// A pausable elapsed-time counter. It has no timer: it reads its clock only
// when asked.
class TStopWatch : public QObject
{
    Q_OBJECT
public:
    using Clock = std::function<TDateTime()>;

    explicit TStopWatch(QObject *parent = nullptr);

    // Tests inject a clock to drive time without sleeping.
    void setClock(Clock clock);

    void Start();
    void Stop();
    void Reset();
    TDateTime ElapsedTime();
    bool isRunning() const { return m_running; }

private:
    void updateElapsed();

    Clock m_clock;
    bool m_running = false;
    TDateTime m_accumulated = 0;
    TDateTime m_origin = 0;
    TDateTime m_elapsed = 0;
};
