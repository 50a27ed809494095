#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace platform {

// Decodes a JPEG held in memory into a 24-bit RGB picture at full size.
// Any failure gives a null image and, when asked, a reason in French.
QImage decodeJpeg(QByteArrayView data, QString *error = nullptr);

} // namespace platform
