#pragma once

#include <cmath>

// Rounds to the nearest integer, an exact half going to the even neighbour,
// whatever rounding mode the floating-point unit happens to be in.
inline double roundHalfEven(double x)
{
    const double below = std::floor(x);
    const double fraction = x - below;
    if (fraction > 0.5)
        return below + 1;
    if (fraction < 0.5)
        return below;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

// The percentage of success shown in the summary: computed in floating point
// and rounded half to even (62.5 gives 62, 87.5 gives 88).
inline int successPercentage(int questions, int wrong)
{
    if (questions <= 0)
        return 0;
    return int(roundHalfEven(double(questions - wrong) * 100.0 / double(questions)));
}
