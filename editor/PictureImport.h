#pragma once

#include <QByteArray>
#include <QImage>
#include <QSize>
#include <QString>

// Brings a teacher's picture beside the quiz, into its "images" folder, in a
// form the player shows: JPEG for photographs, BMP for drawings, scaled down
// when too large; the name a question's record gives it is returned.
namespace editor {

// Pictures are kept at most this many pixels on a side: a projector shows
// them at screen size, and quizzes travel on USB keys.
inline constexpr int MaxPictureSide = 1600;
// The player's picture area: a larger picture is scrolled there.
inline constexpr QSize PictureArea{297, 345};
inline bool fitsPictureArea(QSize size)
{
    return size.width() <= PictureArea.width() && size.height() <= PictureArea.height();
}

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
ConvertedPicture convertPicture(const QImage &image, QSize largest = {MaxPictureSide, MaxPictureSide});

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
