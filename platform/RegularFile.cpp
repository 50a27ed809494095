#include "platform/RegularFile.h"

#include <QFileInfo>
#include <cerrno>
#include <cstring>
#ifndef Q_OS_WIN
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace platform {

#ifdef Q_OS_WIN
OpenFailure openRegularFile(QFile &file, const QByteArray &nativePath, QString *reason)
{
    file.setFileName(QString::fromLocal8Bit(nativePath));
    if (QFileInfo::exists(file.fileName()) && !QFileInfo(file.fileName()).isFile())
        return OpenFailure::NotRegular;
    if (!file.open(QIODevice::ReadOnly)) {
        if (reason)
            *reason = file.errorString();
        return OpenFailure::CannotOpen;
    }
    return OpenFailure::None;
}
#else
OpenFailure openRegularFile(QFile &file, const QByteArray &nativePath, QString *reason)
{
    // Without O_NONBLOCK, opening a pipe waits for a writer; the type is then
    // checked on what was opened, so a name swapped meanwhile cannot slip by.
    const int fd = ::open(nativePath.constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        if (reason)
            *reason = QString::fromLocal8Bit(std::strerror(errno));
        return OpenFailure::CannotOpen;
    }
    struct stat status {};
    if (::fstat(fd, &status) != 0 || !S_ISREG(status.st_mode)) {
        ::close(fd);
        return OpenFailure::NotRegular;
    }
    ::fcntl(fd, F_SETFL, ::fcntl(fd, F_GETFL) & ~O_NONBLOCK);
    if (!file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        if (reason)
            *reason = file.errorString();
        return OpenFailure::CannotOpen;
    }
    return OpenFailure::None;
}
#endif

QString displayName(const QByteArray &nativePath)
{
    return QFile::decodeName(nativePath);
}

} // namespace platform
