#include "pictures/PictureLoader.h"

#include "pictures/DecodeBudget.h"
#include "pictures/JpegDecoder.h"
#include "pictures/MetafileRenderer.h"
#include "pictures/PictureLimits.h"
#include "pictures/RasterDecoder.h"

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

} // namespace

QImage decodePicture(QByteArrayView data, PictureFormat format, QString *error, DecodeBudget *given)
{
    DecodeBudget own;
    DecodeBudget &budget = given ? *given : own;
    if (data.size() > MaxPictureFileBytes)
        return fail(error, picture_error::FileTooLarge);
    if (!budget.reserve(data.size()))
        return fail(error, picture_error::TooLarge);
    switch (format) {
    case PictureFormat::Bmp: return decodeBmp(data, error, &budget);
    case PictureFormat::Ico: return decodeIco(data, error, &budget);
    case PictureFormat::Wmf: return renderWmf(data, error, budget);
    case PictureFormat::Emf: return renderEmf(data, error, budget);
    case PictureFormat::Jpeg: return decodeJpeg(data, error, budget);
    case PictureFormat::Unknown: break;
    }
    return fail(error, picture_error::UnknownFormat);
}

QImage loadPicture(const QString &path, QString *error, DecodeBudget *budget)
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
    // Asked for more, Qt would first take that much memory, whatever the file holds.
    const QByteArray data = file.read(std::min(file.size(), MaxPictureFileBytes) + 1);
    if (file.error() != QFileDevice::NoError)
        return fail(error, picture_error::Unreadable);
    return decodePicture(data, format, error, budget);
}

} // namespace pictures
