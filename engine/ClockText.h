#pragma once

#include <QString>

#include "skin/SsStopWatch.h"

// An elapsed time as the clock shows it: a time of day, hh:mm:ss, so whole
// days are dropped. A negative time (the wall clock set back while the
// stopwatch ran) shows as 00:00:00.
QString clockText(TDateTime elapsed);
