#include "quiz/PictureFormat.h"

#include <QFileInfo>

namespace qcm {
namespace {

struct Extension
{
    QLatin1StringView suffix;
    PictureFormat format;
};

constexpr Extension Extensions[] = {
    {QLatin1StringView("bmp"), PictureFormat::Bmp},  {QLatin1StringView("ico"), PictureFormat::Ico},
    {QLatin1StringView("wmf"), PictureFormat::Wmf},  {QLatin1StringView("emf"), PictureFormat::Emf},
    {QLatin1StringView("jpg"), PictureFormat::Jpeg}, {QLatin1StringView("jpeg"), PictureFormat::Jpeg},
};

} // namespace

PictureFormat pictureFormatOf(const QString &path)
{
    const QString suffix = QFileInfo(path).suffix();
    for (const Extension &extension : Extensions) {
        if (suffix.compare(extension.suffix, Qt::CaseInsensitive) == 0)
            return extension.format;
    }
    return PictureFormat::Unknown;
}

const QStringList &pictureExtensions()
{
    static const QStringList list = [] {
        QStringList suffixes;
        for (const Extension &extension : Extensions)
            suffixes.append(extension.suffix);
        return suffixes;
    }();
    return list;
}

} // namespace qcm
