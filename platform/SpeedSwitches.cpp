#include "platform/SpeedSwitches.h"

#include <cstdlib>

namespace platform {

bool isTurnedOff(std::string_view mechanism)
{
    // Read once: some are asked before the application object exists.
    static const char *const list = std::getenv("TAVELOR_WITHOUT");
    std::string_view rest = list ? list : "";
    while (!mechanism.empty() && !rest.empty()) {
        const std::size_t comma = rest.find(',');
        if (rest.substr(0, comma) == mechanism)
            return true;
        rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
    }
    return false;
}

} // namespace platform
