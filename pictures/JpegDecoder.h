#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

namespace pictures {

class DecodeBudget;

// Decodes a JPEG held in memory into an opaque RGB picture at full size, 8 bits a colour,
// within the budget. Any failure gives a null image and, when asked, a reason in French.
QImage decodeJpeg(QByteArrayView data, QString *error, DecodeBudget &budget);

} // namespace pictures
