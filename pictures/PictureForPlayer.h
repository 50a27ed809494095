#pragma once

#include <QByteArray>
#include <QString>

#include "quiz/authoring/Lang.h"
#include "quiz/authoring/QuizImport.h"

// Pictures brought in from elsewhere, made into pictures the player shows.
namespace pictures {

// Longest side of an imported picture: the player shows a picture at its own
// size in a frame of about 300 pixels, with scroll bars; a projector shows it
// at screen size, and quizzes travel on USB keys.
inline constexpr int MaxImportedSide = 1600;

// Keeps a picture the player reads when it is no larger than MaxImportedSide;
// otherwise decodes it (any format Qt reads), scales it down to fit, puts
// transparent parts over white and writes it as JPEG when it has the many
// colours of a photograph, as an 8-bit BMP when it is a drawing. What is
// written is checked with the player's own decoder.
qcm::authoring::ConvertedPicture pictureForPlayer(const QByteArray &data, const QString &extension, qcm::authoring::Lang lang);

} // namespace pictures
