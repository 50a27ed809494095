#pragma once

#include <string_view>

// Each way the player starts or shows pictures faster can be turned off, so
// that bench/mechanisms.sh measures what it brings against the same build:
// TAVELOR_WITHOUT lists those turned off, separated by commas. The figures
// are in docs/performance.md.
namespace platform {

bool isTurnedOff(std::string_view mechanism);

} // namespace platform
