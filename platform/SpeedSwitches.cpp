#include "platform/SpeedSwitches.h"

#include <cstdlib>
#include <string>

namespace platform {

bool isTurnedOff(std::string_view mechanism)
{
    // Read once: some are asked before the application object exists.
    static const std::string off = [] {
        const char *list = std::getenv("TAVELOR_WITHOUT");
        return list ? "," + std::string(list) + "," : std::string();
    }();
    return !mechanism.empty() && off.find("," + std::string(mechanism) + ",") != std::string::npos;
}

} // namespace platform
