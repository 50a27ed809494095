#pragma once

#include <QString>

namespace platform {

// Whether a path came from a name the system stores in bytes that are not in
// its encoding (on Linux, Latin-1 names from old USB keys under UTF-8): Qt
// shows the missing characters as U+FFFD, and no file can be opened by that
// text. A name that really holds U+FFFD exists and is not one of them.
bool isUnrepresentablePath(const QString &path);

} // namespace platform
