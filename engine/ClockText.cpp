#include "engine/ClockText.h"

#include <cmath>

QString clockText(TDateTime elapsed)
{
    constexpr long long msPerDay = 86'400'000;
    if (!(elapsed > 0) || !std::isfinite(elapsed))
        return QStringLiteral("00:00:00");
    // Rounded to the millisecond first, as a date-time value is decoded.
    const long long ms = std::llround(std::fmod(elapsed, 1.0) * double(msPerDay)) % msPerDay;
    const long long seconds = ms / 1000;
    return QStringLiteral("%1:%2:%3")
        .arg(seconds / 3600, 2, 10, QLatin1Char('0'))
        .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
        .arg(seconds % 60, 2, 10, QLatin1Char('0'));
}
