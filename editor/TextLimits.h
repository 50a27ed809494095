#pragma once

#include <QString>

// What a text field of a quiz record can hold, seen from the editor: line
// breaks are stored as CR LF, characters as single Windows-1252 bytes.
namespace editor {

QString storedForm(const QString &shown);
QString shownForm(const QString &stored);
// The first capacity characters of the stored form, a line break never cut in two.
QString cutTo(const QString &stored, int capacity);
// The stored form with each character Windows-1252 lacks replaced by its
// closest writing ("≤" by "<=", "π" by "pi", an unknown one by "?").
QString withReplacements(const QString &stored);
// "« ≤ » devient « <= », « π » devient « pi »"; empty when all can be stored.
QString replacementProposal(const QString &stored);

} // namespace editor
