#pragma once

#include <QString>

namespace qcm {

// The text as a teacher reads it aloud in French: numbers, fractions and
// signs in words, and no punctuation the voice would spell out.
QString spokenText(const QString &written);

} // namespace qcm
