#pragma once

#include <QString>

// Where a question's picture is. Quiz files come from anywhere: the name they
// give may climb with "..", but never out of the quiz folders.
namespace pictures {

// The file a picture name designates below the quiz's folder: backslashes are
// folder separators; the name is never taken as absolute.
QString picturePath(const QString &quizFolder, const QString &pictureName);

// The folder a quiz's pictures must stay in: the one that holds its subject
// folder, two levels above the quiz's own folder (the quiz folder itself in
// normal use), or the highest of those that exists. Symbolic links resolved.
QString pictureRoot(const QString &quizFolder);

// The picture's real file, symbolic links resolved; empty, with a reason in
// French when asked, when it is missing or lies outside pictureRoot.
QString resolvePicture(const QString &quizFolder, const QString &pictureName, QString *error = nullptr);

} // namespace pictures
