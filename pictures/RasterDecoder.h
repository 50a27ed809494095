#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

// Windows bitmaps and icons, read by Qt's own readers with the format forced
// and the claimed size checked before any pixel memory is taken.
namespace pictures {

class DecodeBudget;

// The picture's memory is taken from the budget, when one is given.
QImage decodeBmp(QByteArrayView data, QString *error = nullptr, DecodeBudget *budget = nullptr);
// The largest image of the icon file.
QImage decodeIco(QByteArrayView data, QString *error = nullptr, DecodeBudget *budget = nullptr);
// A device-independent bitmap as metafiles carry it: the BITMAPINFO block
// (header and colour table) and the pixel bits, kept apart.
QImage decodeDib(QByteArrayView info, QByteArrayView bits, QString *error = nullptr);

} // namespace pictures
