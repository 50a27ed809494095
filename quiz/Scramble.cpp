#include "quiz/Scramble.h"

#include <algorithm>

namespace qcm {

void deCrypt(ShortString &text, int length)
{
    // Downward, so that each step still sees its stored predecessor.
    for (int i = std::min(length, 255); i >= 2; --i)
        text[i] = std::uint8_t(text[i] - text[i - 1]);
}

void crypt(ShortString &text, int length)
{
    // Upward, each step using the already encoded predecessor.
    const int last = std::min(length, 255);
    for (int i = 2; i <= last; ++i)
        text[i] = std::uint8_t(text[i - 1] + text[i]);
}

} // namespace qcm
