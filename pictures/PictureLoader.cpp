#include "pictures/PictureLoader.h"

#include "pictures/JpegDecoder.h"
#include "pictures/MetafileRenderer.h"
#include "pictures/PictureLimits.h"
#include "pictures/RasterDecoder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace pictures {
namespace {

QImage fail(QString *error, const char *reason)
{
    if (error)
        *error = QString::fromUtf8(reason);
    return QImage();
}

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

} // namespace

QImage decodePicture(QByteArrayView data, PictureFormat format, QString *error)
{
    if (data.size() > MaxPictureFileBytes)
        return fail(error, picture_error::FileTooLarge);
    switch (format) {
    case PictureFormat::Bmp: return decodeBmp(data, error);
    case PictureFormat::Ico: return decodeIco(data, error);
    case PictureFormat::Wmf: return renderWmf(data, error);
    case PictureFormat::Emf: return renderEmf(data, error);
    case PictureFormat::Jpeg: return decodeJpeg(data, error);
    case PictureFormat::Unknown: break;
    }
    return fail(error, picture_error::UnknownFormat);
}

QImage loadPicture(const QString &path, QString *error)
{
    const PictureFormat format = pictureFormatOf(path);
    if (format == PictureFormat::Unknown)
        return fail(error, picture_error::UnknownFormat);
    QFile file(path);
    if (!QFileInfo(path).isFile())
        return fail(error, picture_error::NotFound);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, picture_error::Unreadable);
    if (file.size() > MaxPictureFileBytes)
        return fail(error, picture_error::FileTooLarge);
    const QByteArray data = file.read(MaxPictureFileBytes + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(error, picture_error::Unreadable);
    return decodePicture(data, format, error);
}

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

} // namespace pictures
