#pragma once

#include <QString>
#include <QStringList>

class QFileDialog;

namespace platform {

// Whether a path came from a name the system stores in bytes that are not in
// its encoding (on Linux, Latin-1 names from old USB keys under UTF-8): Qt
// shows the missing characters as U+FFFD, and no file can be opened by that
// text. A name that really holds U+FFFD exists and is not one of them.
bool isUnrepresentablePath(const QString &path);

// The quizzes and folders of a folder whose names are stored in such bytes,
// as Qt would show them. Qt's own listings leave them out.
QStringList unrepresentableEntries(const QString &folder);

// Each folder the open dialog goes to that holds such quizzes or folders is
// followed by a message naming them: the dialog cannot show them.
void reportUnrepresentableEntries(QFileDialog *dialog);

} // namespace platform
