#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

#include "pictures/PictureForPlayer.h"

// Brings a teacher's picture beside the quiz, into its "images" folder, in a
// form the player shows: JPEG for photographs, BMP for drawings, scaled down
// when too large; the name a question's record gives it is returned.
namespace editor {


// A file name of letters, digits, '-' and '_' only (accents folded), with at
// most maxLength characters; "image" when nothing is left.
QString safeBaseName(const QString &name, int maxLength);

// A photograph has many colours; a drawing, a diagram or a scan has few.
bool looksLikePhotograph(const QImage &image);

struct ConvertedPicture
{
    QByteArray data;
    QString extension; // "jpg" or "bmp"; empty when the picture cannot be read
};
// Flattens transparency over white, scales down to largest, and encodes.
ConvertedPicture convertPicture(const QImage &image,
    QSize largest = {pictures::MaxImportedSide, pictures::MaxImportedSide});

struct PictureResult
{
    QString recordName; // "images\nom.jpg"; empty on failure
    QString error;      // in French
    bool written = false; // false when an identical file was already there
};
// Copies or converts the file into quizFolder/images, reduced to the
// player's picture area when fitToArea is set; a file already there with
// the same content is reused rather than copied again.
PictureResult importPicture(const QString &sourcePath, const QString &quizFolder, bool fitToArea = false);

} // namespace editor
