#pragma once

#include "tools/artgen/Artwork.h"

// Pictures to look at while drawing; not part of the program.
namespace art {

QImage contactSheet(const QList<Picture> &pictures);
// The main window's skin with its buttons, icons and sample labels in place.
QImage mainMock(const QList<Picture> &pictures);
// The four secondary skins with their buttons and sample labels in place.
QImage windowsMock(const QList<Picture> &pictures);

} // namespace art
