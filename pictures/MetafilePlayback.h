#pragma once

#include <QBrush>
#include <QByteArrayView>
#include <QElapsedTimer>
#include <QImage>
#include <QPen>
#include <QString>

// What the WMF and EMF players share: how a playback ends, its budget, and
// the objects both formats describe the same way.
namespace pictures::metafile {

inline constexpr qint64 MaxRecords = 1'000'000;
inline constexpr qint64 MaxDrawingMillis = 4000;
inline constexpr quint32 MaxClipRectangles = 10000;

enum class Outcome { Drawn, Damaged, TooComplex, TooLarge };

QImage fail(QString *error, const char *reason);
// The picture when it was drawn, otherwise a null image and the reason.
QImage finish(Outcome outcome, QImage picture, QString *error);
QImage blankPicture(qint64 width, qint64 height);
QColor colourRef(quint32 value);

// Drawing stops when a metafile runs on too long or holds too many records.
class Budget
{
public:
    Budget() { m_clock.start(); }
    bool spend();

private:
    QElapsedTimer m_clock;
    qint64 m_records = 0;
};

QPen makePen(quint32 style, double width, const QColor &colour, const QList<qreal> &dashes = {});
QBrush makeBrush(quint32 style, const QColor &colour, quint32 hatch);
QBrush patternBrush(const QImage &pattern);

// The bytes of a BITMAPINFO (header and colour table) at the start of a DIB,
// or -1 when it does not fit.
qsizetype dibInfoSize(QByteArrayView dib);
// A source rectangle in the decoded image's rows, which a bottom-up DIB turns over.
QRectF sourceRect(QByteArrayView info, const QImage &image, qreal x, qreal y, qreal w, qreal h, bool flipY);

} // namespace pictures::metafile
