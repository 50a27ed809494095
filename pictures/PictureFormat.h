#pragma once

#include <QString>
#include <QStringList>

// The picture formats the player shows, chosen by a file name's extension
// (without regard to case); the content is never sniffed. Tools that check
// or import quizzes ask the same list.
namespace pictures {

enum class PictureFormat { Unknown, Bmp, Ico, Wmf, Emf, Jpeg };

PictureFormat pictureFormatOf(const QString &path);
// Lower case, in the order a person would list them: bmp, ico, wmf, emf, jpg, jpeg.
const QStringList &pictureExtensions();

} // namespace pictures
