#include "platform/FileNames.h"

#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QFileSystemModel>

#include "platform/Desktop.h"

#ifdef Q_OS_UNIX
#include <dirent.h>
#endif

namespace platform {

bool isUnrepresentablePath(const QString &path)
{
    return path.contains(QChar::ReplacementCharacter) && !QFileInfo::exists(path);
}

QStringList unrepresentableEntries(const QString &folder)
{
    QStringList names;
#ifdef Q_OS_UNIX
    // Read by bytes: Qt's listing drops the very names wanted here.
    DIR *dir = ::opendir(QFile::encodeName(folder).constData());
    if (!dir)
        return names;
    while (const dirent *entry = ::readdir(dir)) {
        const QByteArray raw(entry->d_name);
        const QString name = QFile::decodeName(raw);
        if (QFile::encodeName(name) == raw)
            continue;
        const bool maybeFolder = entry->d_type == DT_DIR || entry->d_type == DT_UNKNOWN;
        if (maybeFolder || name.endsWith(QLatin1String(".qcm"), Qt::CaseInsensitive))
            names << name;
    }
    ::closedir(dir);
    names.sort(Qt::CaseInsensitive);
#else
    Q_UNUSED(folder);
#endif
    return names;
}

void reportUnrepresentableEntries(QFileDialog *dialog)
{
    auto *model = dialog->findChild<QFileSystemModel *>();
    if (!model)
        return;
    // Queued: the message waits until the dialog has finished changing folder.
    QObject::connect(
        model, &QFileSystemModel::rootPathChanged, dialog,
        [dialog](const QString &folder) {
            const QStringList names = dialog->isVisible() ? unrepresentableEntries(folder) : QStringList();
            if (names.isEmpty())
                return;
            showMessage(dialog, QStringLiteral("Ce dossier contient des QCM ou des dossiers que ce système ne sait "
                                               "pas montrer : leur nom a des caractères illisibles (marqués "
                                               "« \uFFFD »). Renommez-les pour pouvoir les ouvrir.\n\n")
                                    + names.join(QLatin1Char('\n')));
        },
        Qt::QueuedConnection);
}

} // namespace platform
