#include "pictures/PictureForPlayer.h"

#include <QBuffer>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSet>

#include "pictures/PictureLimits.h"
#include "pictures/PictureLoader.h"

namespace pictures {

using qcm::authoring::ConvertedPicture;
using qcm::authoring::Lang;
using qcm::authoring::say;

namespace {

constexpr int DrawingColours = 256;
constexpr int JpegQuality = 88;
// Room to decode the largest picture the player takes at 16 bits a channel
// before it is scaled down; Qt's default refuses such a PNG.
constexpr int DecodeLimitMegabytes = 256;

// The format the player would choose for a file of this content, by the
// extension it is given.
QString playerExtension(const QByteArray &qtFormat)
{
    if (qtFormat == "jpeg" || qtFormat == "jpg")
        return QStringLiteral("jpg");
    if (qtFormat == "bmp" || qtFormat == "ico")
        return QString::fromLatin1(qtFormat);
    return {};
}

// The colours of a drawing, or none when it has more than a drawing has.
QList<QRgb> fewColours(const QImage &image)
{
    QSet<QRgb> colours;
    for (int y = 0; y < image.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            colours.insert(line[x]);
            if (colours.size() > DrawingColours)
                return {};
        }
    }
    return colours.values();
}

QByteArray written(const QImage &image, const char *format, int quality = -1)
{
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, format);
    writer.setQuality(quality);
    return writer.write(image) ? bytes : QByteArray();
}

} // namespace

ConvertedPicture pictureForPlayer(const QByteArray &data, const QString &extension, Lang lang)
{
    ConvertedPicture out;
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    QImageReader reader(&buffer);
    reader.setAllocationLimit(DecodeLimitMegabytes);
    const QByteArray qtFormat = reader.format();
    const QSize size = reader.size();
    out.source = qtFormat.isEmpty() ? extension.toUpper() : QString::fromLatin1(qtFormat.toUpper());
    if (size.isValid())
        out.source += QStringLiteral(", %1 × %2").arg(size.width()).arg(size.height());
    if (qtFormat.isEmpty() || !size.isValid()) {
        out.failure = say(lang, "image illisible", "unreadable picture");
        return out;
    }
    if (!pictureSizeAllowed(size.width(), size.height())) {
        out.failure = say(lang, "image trop grande", "picture too large");
        return out;
    }
    const bool fits = size.width() <= MaxImportedSide && size.height() <= MaxImportedSide;
    const QString own = playerExtension(qtFormat);
    if (fits && !own.isEmpty() && data.size() <= MaxPictureFileBytes
        && !decodePicture(data, pictureFormatOf(QStringLiteral("x.") + own)).isNull()) {
        out.data = data;
        out.extension = own;
        return out;
    }

    const QSize target = fits ? size : size.scaled(MaxImportedSide, MaxImportedSide, Qt::KeepAspectRatio);
    if (reader.supportsOption(QImageIOHandler::ScaledSize))
        reader.setScaledSize(target); // JPEG decodes straight at the smaller size
    QImage image = reader.read();
    if (image.isNull()) {
        out.failure = say(lang, "image illisible (%1)", "unreadable picture (%1)").arg(reader.errorString());
        return out;
    }
    if (image.size() != target)
        image = image.scaled(target, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white); // transparent parts over white, as on a page
    QPainter(&flat).drawImage(0, 0, image);

    const QList<QRgb> colours = fewColours(flat);
    const bool drawing = !colours.isEmpty();
    out.extension = drawing ? QStringLiteral("bmp") : QStringLiteral("jpg");
    out.data = drawing ? written(flat.convertToFormat(QImage::Format_Indexed8, colours, Qt::ThresholdDither), "bmp")
                       : written(flat, "jpeg", JpegQuality);
    const PictureFormat format = drawing ? PictureFormat::Bmp : PictureFormat::Jpeg;
    QString error;
    if (out.data.isEmpty() || decodePicture(out.data, format, &error).isNull()) {
        out.data.clear();
        out.failure = say(lang, "conversion refusée par le lecteur (%1)", "conversion refused by the player (%1)").arg(error);
        return out;
    }
    const QString how = drawing ? say(lang, "écrite en BMP 256 couleurs", "written as a 256-colour BMP")
                                    : say(lang, "écrite en JPEG", "written as JPEG");
    out.change = fits ? how
                      : say(lang, "réduite à %1 × %2, %3", "scaled down to %1 × %2, %3").arg(target.width()).arg(target.height()).arg(how);
    return out;
}

} // namespace pictures
