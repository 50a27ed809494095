#pragma once

#include <QChar>

// Which characters separate folders in a path.
namespace platform {

enum class PathRule {
    Windows, // both \ and / separate folders
    Posix,   // only / does
};

// The rule of the system the program runs on.
PathRule nativePathRule();

bool isSeparator(QChar c, PathRule rule = nativePathRule());

} // namespace platform
