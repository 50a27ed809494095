#pragma once

#include <QImage>
#include <QString>

// Loads a question picture, the format chosen by the file's extension
// (bmp, ico, wmf, emf, jpg, jpeg, without regard to case). Any failure gives
// a null image and, when asked, a reason in French.
namespace platform {

QImage loadPicture(const QString &path, QString *error = nullptr);

// The file a question's picture name designates below the quiz's folder:
// backslashes are folder separators; the name is never taken as absolute.
QString picturePath(const QString &quizFolder, const QString &pictureName);

} // namespace platform
