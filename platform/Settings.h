#pragma once

#include <QSettings>

// The settings Tavelor keeps between runs, for the player and the editor:
// the registry on Windows, a file elsewhere, unless the default format was
// changed (tests give each run settings of its own).
namespace platform {

// The player's and the editor's name, which also names where their settings are kept.
inline const QString ProgramName = QStringLiteral("Tavelor");

QSettings programSettings();

} // namespace platform
