#pragma once

#include <thread>
#include <vector>

// Font work that start-up would otherwise wait for on one core, done on a
// thread of its own while the main thread goes on: first the font system's
// settings and list of the machine's fonts (fontconfig, on Linux and the
// BSDs) while the application object is made, then Qt's own list of fonts
// while the main window is built. The first text measured waits for it.
// The first paint comes 4 to 5 ms sooner (docs/performance.md).
namespace platform {

class FontWarmUp
{
public:
    // Made before the application object.
    FontWarmUp();
    ~FontWarmUp();
    FontWarmUp(const FontWarmUp &) = delete;
    FontWarmUp &operator=(const FontWarmUp &) = delete;

    // Fills Qt's font database. Called once the application exists and the
    // program's own fonts are registered, as registering one would wait for it.
    void listFonts();
    // Waits for all of it. Called before the application object goes, never
    // where the program must answer at once.
    void finish();

private:
    void start(void (*work)());

    // The font system's own warm-up may still run when Qt's list is begun.
    std::vector<std::thread> m_threads;
};

} // namespace platform
