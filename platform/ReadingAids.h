#pragma once

// The reading aids a pupil turned on, as last chosen on this computer; all
// off until chosen.
namespace platform {

enum class ReadingAid { ReadAloud, SlowReading, LargeText };

bool readingAidWanted(ReadingAid aid);
void setReadingAidWanted(ReadingAid aid, bool wanted);

} // namespace platform
