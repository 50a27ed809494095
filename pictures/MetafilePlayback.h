#pragma once

#include <QBrush>
#include <QByteArrayView>
#include <QImage>
#include <QPen>
#include <QString>

// What the WMF and EMF players share: how a playback ends, its budget, and
// the objects both formats describe the same way.
#include "pictures/DecodeBudget.h"

namespace pictures::metafile {

inline constexpr qint64 MaxRecords = 1'000'000;
inline constexpr quint32 MaxClipRectangles = 10000;

enum class Outcome { Drawn, Damaged, TooComplex, TooLarge };

QImage fail(QString *error, const char *reason);
// The picture when it was drawn, otherwise a null image and the reason.
QImage finish(Outcome outcome, QImage picture, QString *error);
QColor colourRef(quint32 value);

// Drawing stops when a metafile holds too many records, runs out of time or
// is no longer wanted; it is asked before every record.
class Budget
{
public:
    explicit Budget(const DecodeBudget &decode) : m_decode(decode) {}
    bool spend() { return ++m_records <= MaxRecords && m_decode.stillGoing(); }

private:
    const DecodeBudget &m_decode;
    qint64 m_records = 0;
};

// A blank picture whose memory is taken from the budget first.
QImage blankPicture(qint64 width, qint64 height, DecodeBudget &budget, QString *error);

QPen makePen(quint32 style, double width, const QColor &colour, const QList<qreal> &dashes = {});
QBrush makeBrush(quint32 style, const QColor &colour, quint32 hatch);
QBrush patternBrush(const QImage &pattern);

// The bytes of a BITMAPINFO (header and colour table) at the start of a DIB,
// or -1 when it does not fit.
qsizetype dibInfoSize(QByteArrayView dib);
// A source rectangle in the decoded image's rows, which a bottom-up DIB turns over.
QRectF sourceRect(QByteArrayView info, const QImage &image, qreal x, qreal y, qreal w, qreal h, bool flipY);

} // namespace pictures::metafile
