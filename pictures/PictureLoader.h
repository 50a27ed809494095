#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

#include "pictures/PictureFormat.h"

// Loads a question picture, the format chosen by the file's extension
// (bmp, ico, wmf, emf, jpg, jpeg, without regard to case). Any failure gives
// a null image and, when asked, a reason in French.
namespace pictures {

QImage loadPicture(const QString &path, QString *error = nullptr);

// The file a question's picture name designates below the quiz's folder:
// backslashes are folder separators; the name is never taken as absolute.
QString picturePath(const QString &quizFolder, const QString &pictureName);

// What loadPicture does once the file is read (for tools and fuzzing).
QImage decodePicture(QByteArrayView data, PictureFormat format, QString *error = nullptr);

} // namespace pictures
