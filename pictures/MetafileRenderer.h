#pragma once

#include <QByteArrayView>
#include <QImage>
#include <QString>

// Windows metafiles (WMF, with or without the placeable header) and enhanced
// metafiles (EMF), drawn with QPainter into a transparent picture sized from
// the file's own frame at 96 dpi. A damaged record, too many records or too
// long a drawing (the budget's) ends in a failure.
namespace pictures {

class DecodeBudget;

QImage renderEmf(QByteArrayView data, QString *error, DecodeBudget &budget);
QImage renderWmf(QByteArrayView data, QString *error, DecodeBudget &budget);

} // namespace pictures
