#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

// Opening a file named by the user for reading, refusing anything that is
// not a regular file: a pipe would block for ever and a device never ends.
namespace platform {

enum class OpenFailure { None, CannotOpen, NotRegular };

// Opens the file at `nativePath` (the bytes the system knows it by, so that a
// name that is not valid UTF-8 still opens) read-only into `file`. On
// failure, `reason` gets the system's explanation.
OpenFailure openRegularFile(QFile &file, const QByteArray &nativePath, QString *reason = nullptr);

// The name as a user reads it in a message.
QString displayName(const QByteArray &nativePath);

} // namespace platform
