#pragma once

#include <QSize>
#include <QString>
#include <QStringList>

// The picture formats a quiz may name, chosen by a file name's extension
// (without regard to case); the player never sniffs the content. The
// player, the editor and the tools that check or import quizzes ask here.
namespace qcm {

enum class PictureFormat { Unknown, Bmp, Ico, Wmf, Emf, Jpeg };

PictureFormat pictureFormatOf(const QString &path);
// Lower case, in the order a person would list them: bmp, ico, wmf, emf, jpg, jpeg.
const QStringList &pictureExtensions();

// The player's picture area, in pixels at 100 %: a larger picture is scrolled there.
inline constexpr QSize PictureArea{297, 345};
inline bool fitsPictureArea(QSize size)
{
    return size.width() <= PictureArea.width() && size.height() <= PictureArea.height();
}

} // namespace qcm
