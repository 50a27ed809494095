#include "platform/FontWarmUp.h"

#ifdef TAVELOR_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif
#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#endif

namespace platform {

namespace {

// A new thread tends to wait its turn on the core of the thread that made it
// while another core idles: on two cores, start-up and the warm-up would take
// turns instead of running side by side.
[[maybe_unused]] void keepOffThisCore(std::thread &thread)
{
#ifdef __linux__
    const int here = sched_getcpu();
    cpu_set_t cores;
    if (here < 0 || pthread_getaffinity_np(pthread_self(), sizeof cores, &cores) != 0 || CPU_COUNT(&cores) < 2)
        return;
    CPU_CLR(here, &cores);
    pthread_setaffinity_np(thread.native_handle(), sizeof cores, &cores);
#else
    (void)thread;
#endif
}

} // namespace

FontWarmUp::FontWarmUp()
{
#ifdef TAVELOR_HAVE_FONTCONFIG
    // Qt's own FcInit later finds the configuration loaded (fontconfig is
    // thread-safe).
    m_thread = std::thread([] { FcInit(); });
    keepOffThisCore(m_thread);
#endif
}

FontWarmUp::~FontWarmUp()
{
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace platform
