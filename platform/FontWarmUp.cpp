#include "platform/FontWarmUp.h"

#ifdef TAVELOR_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

namespace platform {

FontWarmUp::FontWarmUp()
{
#ifdef TAVELOR_HAVE_FONTCONFIG
    // Qt's own FcInit later finds the configuration loaded: fontconfig is
    // thread-safe and loads it once.
    m_thread = std::thread([] { FcInit(); });
#endif
}

FontWarmUp::~FontWarmUp()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace platform
