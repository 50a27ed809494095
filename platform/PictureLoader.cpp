#include "platform/PictureLoader.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace platform {

QImage loadPicture(const QString &path, QString *error)
{
    QImageReader reader(path);
    QImage image = reader.read();
    if (image.isNull() && error)
        *error = reader.errorString();
    return image;
}

QString picturePath(const QString &quizFolder, const QString &pictureName)
{
    QString name = pictureName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    while (name.startsWith(QLatin1Char('/')))
        name.remove(0, 1);
    return QDir(quizFolder).filePath(name);
}

} // namespace platform
