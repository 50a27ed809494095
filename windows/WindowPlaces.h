#pragma once

#include <QPoint>

// Where each window first opens on screen. The forms give the sizes; the
// places are kept together because they are laid out around each other.
namespace WindowPlace {

inline constexpr QPoint FormQCM{12, 49};            // the main window
inline constexpr QPoint FormFenetreMessage{1, 180}; // the correction pop-up, left of the question
inline constexpr QPoint Form1{193, 203};            // about
inline constexpr QPoint Form2{93, 113};             // the user guide
inline constexpr QPoint Form3{303, 165};            // the quiz folder notice
inline constexpr QPoint FormProjImages{49, 109};    // the picture projector

} // namespace WindowPlace
