#pragma once

#include "quiz/QuestionRecord.h"

// The running-sum scrambling of quiz texts: each stored character is the sum
// of the plain characters up to it, modulo 256. Characters 2 to length change;
// the length byte and the first character never do.
namespace qcm {

void deCrypt(ShortString &text, int length);
void crypt(ShortString &text, int length);

} // namespace qcm
