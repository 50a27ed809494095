#pragma once

#include <QString>

// How the player judges a question, for tools that must predict it: the key
// read as a number for the propositions it names, compared as text under "ET".
namespace qcm::authoring {

// Leading blanks skipped, an optional sign, digits up to the first other
// character; no digits gives 0.
long long keyNumber(const QString &key);
// The bit set (1 = proposition 1 … 16 = proposition 5) that the key names.
int keyPropositions(const QString &key);
// Whether ticking `ticked` (a bit set) is judged right.
bool judgedRight(const QString &key, const QString &rule, int ticked);
// The plain decimal text of 0 to 31 that "ET" can match.
bool isPlainKey(const QString &key);

} // namespace qcm::authoring
