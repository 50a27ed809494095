#pragma once

#include <QDeadlineTimer>
#include <QtGlobal>
#include <atomic>

// What one picture's decode may spend: time, memory (the output picture
// included), and whether it is still wanted. The thread that asked for the
// picture cancels; the decoder asks stillGoing() often and stops when it
// answers false.
namespace pictures {

class DecodeBudget
{
public:
    static constexpr qint64 DefaultMillis = 2000;
    static constexpr qint64 DefaultBytes = 256LL * 1024 * 1024;

    explicit DecodeBudget(qint64 millis = DefaultMillis, qint64 bytes = DefaultBytes)
        : m_millis(millis), m_deadline(millis), m_bytesLeft(bytes)
    {
    }

    // The time counts from here: a decode may wait for a thread first.
    void startClock() { m_deadline.setRemainingTime(m_millis); }

    // From any thread.
    void cancel() { m_cancelled.store(true, std::memory_order_relaxed); }
    bool cancelled() const { return m_cancelled.load(std::memory_order_relaxed); }
    bool outOfTime() const { return m_deadline.hasExpired(); }
    bool stillGoing() const { return !cancelled() && !outOfTime(); }

    // Takes bytes from the memory budget; false, taking nothing, when they do not fit.
    bool reserve(qint64 bytes)
    {
        if (bytes < 0 || bytes > m_bytesLeft)
            return false;
        m_bytesLeft -= bytes;
        return true;
    }
    qint64 bytesLeft() const { return m_bytesLeft; }

private:
    std::atomic<bool> m_cancelled = false;
    qint64 m_millis;
    QDeadlineTimer m_deadline; // only the decoding thread reads it
    qint64 m_bytesLeft; // only the decoding thread spends it
};

} // namespace pictures
