#include "skin/SsStopWatch.h"

#include <QDateTime>

TDateTime nowAsDateTime()
{
    static const QDate epoch(1899, 12, 30);
    const QDateTime now = QDateTime::currentDateTime();
    const double days = double(epoch.daysTo(now.date()));
    return days + double(now.time().msecsSinceStartOfDay()) / 86'400'000.0;
}

TStopWatch::TStopWatch(QObject *parent) : QObject(parent), m_clock(nowAsDateTime) {}

void TStopWatch::setClock(Clock clock) { m_clock = std::move(clock); }

void TStopWatch::Start()
{
    if (m_running)
        return;
    m_running = true;
    m_origin = m_clock();
}

void TStopWatch::Stop()
{
    if (!m_running)
        return;
    updateElapsed();
    m_accumulated = m_elapsed;
    m_running = false;
}

void TStopWatch::Reset()
{
    m_accumulated = 0;
    m_elapsed = 0;
    m_origin = m_clock();
}

TDateTime TStopWatch::ElapsedTime()
{
    if (m_running)
        updateElapsed();
    return m_elapsed;
}

void TStopWatch::updateElapsed()
{
    const long double elapsed = (static_cast<long double>(m_clock()) - m_origin) + m_accumulated;
    m_elapsed = static_cast<TDateTime>(elapsed);
}
