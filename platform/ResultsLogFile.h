#pragma once

#include <QString>

// Where and how the results log is written.
namespace platform {

// This computer's name, fit for a file name on every system ("poste-12").
QString computerName();
// The log of this computer: <quiz folder>/Résultats/<computer name>.csv.
QString resultsLogPath(const QString &quizFolder);

// Appends one line (without its end of line) to the log, creating the folder
// and the file with its header when missing. The whole line goes in one
// write under a lock, so two programs finishing at once never mix their
// lines; a failed write leaves the file as it was. Returns the reason of a
// failure in French, empty on success.
QString appendResultLine(const QString &path, const QString &line);

// Whether the pupil asked for the results log, as last chosen on this
// computer; off until chosen.
bool resultsLogWanted();
void setResultsLogWanted(bool wanted);

} // namespace platform
