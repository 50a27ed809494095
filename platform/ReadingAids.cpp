#include "platform/ReadingAids.h"

#include "platform/Settings.h"

namespace platform {

namespace {

QString keyOf(ReadingAid aid)
{
    switch (aid) {
    case ReadingAid::ReadAloud: return QStringLiteral("Lecture/VoixHaute");
    case ReadingAid::SlowReading: return QStringLiteral("Lecture/Lente");
    case ReadingAid::LargeText: return QStringLiteral("Lecture/TexteAgrandi");
    }
    return {};
}

} // namespace

bool readingAidWanted(ReadingAid aid)
{
    return programSettings().value(keyOf(aid), false).toBool();
}

void setReadingAidWanted(ReadingAid aid, bool wanted)
{
    programSettings().setValue(keyOf(aid), wanted);
}

} // namespace platform
