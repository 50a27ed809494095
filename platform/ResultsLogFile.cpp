#include "platform/ResultsLogFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QSysInfo>

#include "platform/Settings.h"
#include "quiz/ResultLine.h"

namespace platform {

namespace {

// Long enough for any append, short enough that a crashed program's lock
// does not stop the next pupil for long.
constexpr int LockWaitMs = 5000;
constexpr int StaleLockMs = 10000;
const QString LogKey = QStringLiteral("Journal/Actif");

// The system's own texts may be in any language; the pupil reads French.
QString reasonOf(const QFile &file)
{
    switch (file.error()) {
    case QFileDevice::PermissionsError:
    case QFileDevice::OpenError:
        return QStringLiteral("écriture interdite dans %1").arg(QDir::toNativeSeparators(file.fileName()));
    case QFileDevice::ResourceError:
    case QFileDevice::WriteError:
        return QStringLiteral("le disque est plein ou ne répond pas");
    default:
        return QStringLiteral("erreur d'écriture (%1)").arg(file.errorString());
    }
}

QString writeWhole(QFile &file, const QByteArray &bytes)
{
    const qint64 before = file.size();
    if (file.seek(before) && file.write(bytes) == bytes.size() && file.flush())
        return QString();
    const QString reason = reasonOf(file);
    // Never leave half a line behind: the lines already there stay as they were.
    file.resize(before);
    return reason;
}

} // namespace

QString computerName()
{
    QString name = QSysInfo::machineHostName().section(QLatin1Char('.'), 0, 0);
    static const QString forbidden = QStringLiteral("\\/:*?\"<>|");
    for (QChar &c : name) {
        if (forbidden.contains(c) || c.unicode() < 0x20)
            c = QLatin1Char('_');
    }
    return name.isEmpty() ? QStringLiteral("poste") : name;
}

QString resultsLogPath(const QString &quizFolder)
{
    return QDir(quizFolder).filePath(QStringLiteral("Résultats/%1.csv").arg(computerName()));
}

QString appendResultLine(const QString &path, const QString &line)
{
    const QFileInfo info(path);
    if (!QDir().mkpath(info.absolutePath()))
        return QStringLiteral("impossible de créer le dossier %1").arg(QDir::toNativeSeparators(info.absolutePath()));

    QLockFile lock(path + QStringLiteral(".lock"));
    lock.setStaleLockTime(StaleLockMs);
    if (!lock.tryLock(LockWaitMs)) {
        return lock.error() == QLockFile::LockFailedError
                   ? QStringLiteral("le fichier est occupé par un autre programme")
                   : QStringLiteral("écriture interdite dans le dossier %1")
                         .arg(QDir::toNativeSeparators(info.absolutePath()));
    }

    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Append | QIODevice::Unbuffered))
        return reasonOf(file);
    QByteArray bytes = line.toUtf8() + "\r\n";
    if (file.size() == 0) {
        bytes.prepend(qcm::resultsFileStart());
    } else if (file.seek(file.size() - 1) && file.read(1) != "\n") {
        // A line cut short by a crash elsewhere stays alone on its line.
        bytes.prepend("\r\n");
    }
    return writeWhole(file, bytes);
}

bool resultsLogWanted()
{
    return programSettings().value(LogKey, false).toBool();
}

void setResultsLogWanted(bool wanted)
{
    programSettings().setValue(LogKey, wanted);
}

} // namespace platform
