#include "pictures/PicturePath.h"

#include "pictures/PictureLimits.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

namespace pictures {
namespace {

// Quiz files are written on Windows, where names are not case-sensitive: a
// quiz naming "Images\Q1.JPG" should find images/q1.jpg.
QString matchCaseInsensitively(const QString &folder, const QString &relative)
{
    QString current = folder;
    const QStringList parts = relative.split(QLatin1Char('/'), Qt::SkipEmptyParts);
    for (const QString &part : parts) {
        const QString exact = QDir(current).filePath(part);
        if (part == QLatin1String(".") || part == QLatin1String("..") || QFileInfo::exists(exact)) {
            current = exact;
            continue;
        }
        const QStringList entries = QDir(current).entryList(QDir::AllEntries | QDir::Hidden | QDir::System
                                                            | QDir::NoDotAndDotDot);
        auto found = std::find_if(entries.begin(), entries.end(), [&part](const QString &entry) {
            return entry.compare(part, Qt::CaseInsensitive) == 0;
        });
        current = QDir(current).filePath(found != entries.end() ? *found : part);
    }
    return current;
}

bool isWithin(const QString &path, const QString &folder)
{
    if (folder.endsWith(QLatin1Char('/'))) // the root of the file system
        return path.startsWith(folder);
    return path.startsWith(folder) && path.size() > folder.size() && path.at(folder.size()) == QLatin1Char('/');
}

QString failed(QString *error, const char *reason)
{
    if (error)
        *error = QString::fromUtf8(reason);
    return QString();
}

} // namespace

QString picturePath(const QString &quizFolder, const QString &pictureName)
{
    QString name = pictureName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    // A drive letter or a leading separator would leave the quiz's folder.
    if (name.size() >= 2 && name.at(1) == QLatin1Char(':') && name.at(0).isLetter())
        name.remove(0, 2);
    while (name.startsWith(QLatin1Char('/')))
        name.remove(0, 1);
    const QString path = QDir(quizFolder).filePath(name);
    if (name.isEmpty() || QFileInfo::exists(path))
        return path;
    return matchCaseInsensitively(quizFolder, name);
}

QString pictureRoot(const QString &quizFolder)
{
    QDir root(QFileInfo(quizFolder).canonicalFilePath());
    if (root.path().isEmpty())
        return QString();
    for (int level = 0; level < 2; ++level)
        root.cdUp();
    return root.path();
}

QString resolvePicture(const QString &quizFolder, const QString &pictureName, QString *error)
{
    const QFileInfo file(picturePath(quizFolder, pictureName));
    if (!file.isFile())
        return failed(error, picture_error::NotFound);
    const QString real = file.canonicalFilePath();
    const QString root = pictureRoot(quizFolder);
    if (real.isEmpty() || root.isEmpty() || !isWithin(real, root))
        return failed(error, picture_error::OutsideQuizFolders);
    return real;
}

} // namespace pictures
