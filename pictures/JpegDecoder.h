#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace pictures {

// Decodes a JPEG held in memory into an opaque RGB picture at full size, 8 bits a colour.
// Any failure gives a null image and, when asked, a reason in French.
QImage decodeJpeg(QByteArrayView data, QString *error = nullptr);

} // namespace pictures
