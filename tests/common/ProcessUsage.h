#pragma once

#include <QtGlobal>

#ifdef Q_OS_WIN
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#include <ctime>
#endif

// The most memory this process has held so far, in kilobytes.
inline long peakMemoryKb()
{
#ifdef Q_OS_WIN
    PROCESS_MEMORY_COUNTERS counters{};
    if (!GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters))
        return 0;
    return long(counters.PeakWorkingSetSize / 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

// The most memory any child process that has ended held, in kilobytes; -1
// where the system does not keep it (Windows).
inline long childrenPeakMemoryKb()
{
#ifdef Q_OS_WIN
    return -1;
#else
    rusage usage{};
    getrusage(RUSAGE_CHILDREN, &usage);
    return usage.ru_maxrss;
#endif
}

// Processor time this process has used, in seconds. (On Windows std::clock
// counts the time of day.)
inline double processorSeconds()
{
#ifdef Q_OS_WIN
    FILETIME created, exited, kernel, user;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
        return 0;
    const auto ticks = [](const FILETIME &t) { return (quint64(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    return double(ticks(kernel) + ticks(user)) / 1e7;
#else
    return double(std::clock()) / CLOCKS_PER_SEC;
#endif
}
