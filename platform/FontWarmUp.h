#pragma once

#include <thread>

// Where the font system must read its settings and the list of the
// machine's fonts before the first text is drawn (fontconfig, on Linux and
// the BSDs), it does so on a thread of its own while the application starts:
// a few milliseconds of a start-up that is otherwise spent waiting on one core.
// Elsewhere, nothing. Made before the application object; joins on destruction.
namespace platform {

class FontWarmUp
{
public:
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

private:
    std::thread m_thread;
};

} // namespace platform
