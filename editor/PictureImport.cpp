#include "editor/PictureImport.h"

#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QImageWriter>
#include <QPainter>
#include <QSaveFile>
#include <QSet>

#include "pictures/PictureLimits.h"
#include "pictures/PictureLoader.h"
#include "quiz/PictureFormat.h"
#include "quiz/QuestionRecord.h"

namespace editor {

namespace {

const QString ImagesFolder = QStringLiteral("images");
// "images\" before the name, ".jpg" after it, within what the record holds.
constexpr int RecordNameCapacity = int(qcm::layoutOf(qcm::Field::PictureFile).capacity);

bool shownAsIs(const QString &path, const QImage &decoded)
{
    using pictures::PictureFormat;
    const PictureFormat format = pictures::pictureFormatOf(path);
    return format != PictureFormat::Unknown && !decoded.isNull() && decoded.width() <= pictures::MaxImportedSide
        && decoded.height() <= pictures::MaxImportedSide;
}

QString extensionOf(const QString &path)
{
    QString extension = QFileInfo(path).suffix().toLower();
    return extension == QLatin1String("jpeg") ? QStringLiteral("jpg") : extension;
}

bool writeFile(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    // A failed final flush would otherwise be committed as a short file.
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush() && file.commit();
}

QByteArray readFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly) || file.size() > pictures::MaxPictureFileBytes)
        return {};
    return file.readAll();
}

} // namespace

QString safeBaseName(const QString &name, int maxLength)
{
    QString folded = name;
    // Letters that no decomposition takes apart.
    for (const auto &[letter, plain] : {std::pair{u"œ", u"oe"}, {u"Œ", u"oe"}, {u"æ", u"ae"}, {u"Æ", u"ae"}, {u"ß", u"ss"}})
        folded.replace(QString::fromUtf16(letter), QString::fromUtf16(plain));
    QString result;
    for (const QChar c : folded.normalized(QString::NormalizationForm_KD)) {
        if (c.isMark())
            continue;
        if (c.unicode() < 128 && (c.isLetterOrNumber() || c == QLatin1Char('-') || c == QLatin1Char('_')))
            result += c.toLower();
        else if (!result.endsWith(QLatin1Char('_')))
            result += QLatin1Char('_');
    }
    while (result.startsWith(QLatin1Char('_')))
        result.remove(0, 1);
    result.truncate(maxLength);
    while (result.endsWith(QLatin1Char('_')))
        result.chop(1);
    return result.isEmpty() ? QStringLiteral("image").left(maxLength) : result;
}

bool looksLikePhotograph(const QImage &image)
{
    // Counting the colours of a sample is enough to tell them apart.
    const QImage sample = image.width() * image.height() > 256 * 256
        ? image.scaled(256, 256, Qt::KeepAspectRatio, Qt::FastTransformation)
        : image;
    const QImage rgb = sample.convertToFormat(QImage::Format_RGB32);
    QSet<QRgb> colours;
    for (int y = 0; y < rgb.height(); ++y) {
        const auto *line = reinterpret_cast<const QRgb *>(rgb.constScanLine(y));
        for (int x = 0; x < rgb.width(); ++x) {
            colours.insert(line[x]);
            if (colours.size() > 512)
                return true;
        }
    }
    return false;
}

ConvertedPicture convertPicture(const QImage &image, QSize largest)
{
    if (image.isNull())
        return {};
    QImage flat(image.size(), QImage::Format_RGB32);
    flat.fill(Qt::white); // transparent parts over white, as on a page
    {
        QPainter painter(&flat);
        painter.drawImage(0, 0, image);
    }
    if (flat.width() > largest.width() || flat.height() > largest.height())
        flat = flat.scaled(largest, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    ConvertedPicture result;
    QBuffer buffer(&result.data);
    buffer.open(QIODevice::WriteOnly);
    const bool photograph = looksLikePhotograph(flat);
    QImageWriter writer(&buffer, photograph ? "jpeg" : "bmp");
    if (photograph)
        writer.setQuality(90);
    if (!writer.write(photograph ? flat : flat.convertToFormat(QImage::Format_RGB888)))
        return {};
    result.extension = photograph ? QStringLiteral("jpg") : QStringLiteral("bmp");
    return result;
}

PictureResult importPicture(const QString &sourcePath, const QString &quizFolder, bool fitToArea)
{
    const QByteArray original = readFile(sourcePath);
    if (original.isEmpty())
        return {{}, QStringLiteral("Impossible de lire le fichier « %1 ».").arg(QFileInfo(sourcePath).fileName())};

    // What the player would show, or failing that what Qt can read.
    QImage decoded = pictures::pictureFormatOf(sourcePath) == pictures::PictureFormat::Unknown
        ? QImage()
        : pictures::loadPicture(sourcePath);
    QByteArray data = original;
    QString extension = extensionOf(sourcePath);
    if ((fitToArea && !qcm::fitsPictureArea(decoded.size())) || !shownAsIs(sourcePath, decoded)) {
        if (decoded.isNull()) {
            QBuffer buffer(&data);
            QImageReader reader(&buffer);
            reader.setAutoTransform(true);
            decoded = reader.read();
        }
        const bool reduce = fitToArea && !qcm::fitsPictureArea(decoded.size());
        const ConvertedPicture converted
            = convertPicture(decoded, reduce ? qcm::PictureArea : QSize(pictures::MaxImportedSide, pictures::MaxImportedSide));
        if (converted.extension.isEmpty())
            return {{}, QStringLiteral("« %1 » n'est pas une image que l'éditeur sait lire.")
                            .arg(QFileInfo(sourcePath).fileName())};
        data = converted.data;
        extension = converted.extension;
    }

    QDir folder(quizFolder);
    if (!folder.mkpath(ImagesFolder))
        return {{}, QStringLiteral("Impossible de créer le dossier « images » à côté du QCM.")};
    folder.cd(ImagesFolder);
    const int room = RecordNameCapacity - int(ImagesFolder.size()) - 1 - int(extension.size()) - 1;
    const QString base = safeBaseName(QFileInfo(sourcePath).completeBaseName(), room);
    for (int n = 1; n < 1000; ++n) {
        const QString suffix = n == 1 ? QString() : QStringLiteral("_%1").arg(n);
        const QString name = base.left(room - int(suffix.size())) + suffix + QLatin1Char('.') + extension;
        const QString target = folder.filePath(name);
        const bool exists = QFileInfo::exists(target);
        if (exists && readFile(target) != data)
            continue;
        if (!exists && !writeFile(target, data))
            return {{}, QStringLiteral("Impossible d'écrire « %1 ».").arg(QDir::toNativeSeparators(target))};
        return {ImagesFolder + QLatin1Char('\\') + name, {}, !exists};
    }
    return {{}, QStringLiteral("Trop d'images portent déjà ce nom dans le dossier « images ».")};
}

} // namespace editor
