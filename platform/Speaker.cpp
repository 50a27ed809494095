#include "platform/Speaker.h"

namespace platform {

std::unique_ptr<Speaker> createSystemSpeaker();

namespace {

std::function<std::unique_ptr<Speaker>()> &replacement()
{
    static std::function<std::unique_ptr<Speaker>()> make;
    return make;
}

} // namespace

std::unique_ptr<Speaker> createSpeaker()
{
    return replacement() ? replacement()() : createSystemSpeaker();
}

void replaceSpeakerForTests(std::function<std::unique_ptr<Speaker>()> make)
{
    replacement() = std::move(make);
}

} // namespace platform
