#include "platform/FontWarmUp.h"

#include "platform/SpeedSwitches.h"

#include <QFontDatabase>
#include <QStringList>

#ifdef TAVELOR_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif
#ifdef __linux__
#include <pthread.h>
#include <sched.h>
#include <sys/resource.h>
#endif

namespace platform {

namespace {

// A new thread tends to wait its turn on the core of the thread that made it
// while another core idles: on two cores, start-up and the warm-up would take
// turns instead of running side by side.
void keepOffThisCore(std::thread &thread)
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

// While the application object is made, the main thread mostly waits for
// the window server's answers: a warm-up that kept its core from the server
// would delay them.
[[maybe_unused]] void giveWayToOthers()
{
#ifdef __linux__
    // On Linux a nice value belongs to the calling thread alone.
    setpriority(PRIO_PROCESS, 0, 10);
#endif
}

} // namespace

FontWarmUp::FontWarmUp()
{
#ifdef TAVELOR_HAVE_FONTCONFIG
    // Qt's own FcInit later finds the configuration loaded (fontconfig is
    // thread-safe).
    start([] {
        giveWayToOthers();
        FcInit();
    });
#endif
}

FontWarmUp::~FontWarmUp()
{
    finish();
}

void FontWarmUp::listFonts()
{
    // Qt fills its font database, under a lock, at the first question asked.
    start([] { QFontDatabase::families(); });
}

void FontWarmUp::finish()
{
    for (std::thread &thread : m_threads)
        thread.join();
    m_threads.clear();
}

void FontWarmUp::start(void (*work)())
{
    if (isTurnedOff("font-warm-up"))
        return;
    std::thread &thread = m_threads.emplace_back(work);
    keepOffThisCore(thread);
}

} // namespace platform
