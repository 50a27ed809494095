#pragma once

#include <QByteArray>
#include <QList>
#include <QImage>

namespace art {

// A Windows icon file holding each picture, stored as PNG (Windows Vista and
// later read that at every size). Pictures of 1 to 256 pixels a side.
QByteArray iconFile(const QList<QImage> &pictures);

} // namespace art
