#pragma once

#include <QString>

namespace qcm {

// Reading an answer key and judging the ticked boxes against it. Boxes and
// propositions 1 to 5 carry the bits 1, 2, 4, 8 and 16.

// The key as a number: leading blanks skipped, an optional sign, then the
// digits up to the first other character; 0 when there are none.
int readKeyNumber(const QString &key);

// The right propositions of a key number as a bit set, taken from the
// highest down (16, 8, 4, 2, then 1 for whatever is left).
int keyPropositions(int keyNumber);

// The decimal text of a bit sum of ticked boxes.
QString answerCodeOf(int tickedSum);

// Only the exact upper-case "ET" asks for exactly the right propositions.
bool isAllOfRule(const QString &rule);

// "ET": the answer's code and the key are the same text. Any other rule: at
// least one ticked box is a right proposition.
bool isAnswerRight(const QString &key, const QString &rule, const QString &answerCode, int tickedSum);

// The same judgement for a bit set of ticked boxes.
bool judgedRight(const QString &key, const QString &rule, int ticked);

// The plain decimal text of 0 to 31, the only keys "ET" can ever match.
bool isPlainKey(const QString &key);

} // namespace qcm
