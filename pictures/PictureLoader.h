#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

#include "pictures/PicturePath.h"
#include "quiz/PictureFormat.h"

// Loads a question picture, the format chosen by the file's extension
// (bmp, ico, wmf, emf, jpg, jpeg, without regard to case). Any failure gives
// a null image and, when asked, a reason in French. Without a budget of its
// own, a decode gets the default one (2 s, 256 MB).
namespace pictures {

using qcm::PictureFormat;
using qcm::pictureFormatOf;

class DecodeBudget;

QImage loadPicture(const QString &path, QString *error = nullptr, DecodeBudget *budget = nullptr);

// What loadPicture does once the file is read (for tools and fuzzing).
QImage decodePicture(QByteArrayView data, PictureFormat format, QString *error = nullptr,
                     DecodeBudget *budget = nullptr);

} // namespace pictures
