#include "pictures/MetafilePlayback.h"

#include "pictures/ByteReader.h"
#include "pictures/PictureLimits.h"

namespace pictures::metafile {

QImage fail(QString *error, const char *reason)
{
    if (error)
        *error = QString::fromUtf8(reason);
    return QImage();
}

QImage finish(Outcome outcome, QImage picture, QString *error)
{
    switch (outcome) {
    case Outcome::Drawn: return picture;
    case Outcome::TooComplex: return fail(error, picture_error::TooComplex);
    case Outcome::TooLarge: return fail(error, picture_error::TooLarge);
    case Outcome::Damaged: break;
    }
    return fail(error, picture_error::Damaged);
}

QImage blankPicture(qint64 width, qint64 height, DecodeBudget &budget, QString *error)
{
    if (!pictureSizeAllowed(width, height, MaxMetafilePixels) || !budget.reserve(width * height * 4))
        return fail(error, picture_error::TooLarge);
    QImage picture(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    if (picture.isNull())
        return fail(error, picture_error::OutOfMemory);
    picture.fill(Qt::transparent);
    return picture;
}

QColor colourRef(quint32 value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

QPen makePen(quint32 style, double width, const QColor &colour, const QList<qreal> &dashes)
{
    constexpr quint32 Geometric = 0x00010000;
    if ((style & 0x0F) == 5) // PS_NULL
        return QPen(Qt::NoPen);
    QPen pen(colour);
    // Old-style pens and cosmetic pens are one pixel wide whatever the mapping.
    if (width <= 0 || (!(style & Geometric) && width <= 1)) {
        pen.setCosmetic(true);
        pen.setWidthF(width <= 1 ? 0 : width);
    } else {
        pen.setWidthF(width);
    }
    switch (style & 0x0F) {
    case 1: pen.setStyle(Qt::DashLine); break;
    case 2: pen.setStyle(Qt::DotLine); break;
    case 3: pen.setStyle(Qt::DashDotLine); break;
    case 4: pen.setStyle(Qt::DashDotDotLine); break;
    case 7:
        if (!dashes.isEmpty()) {
            QList<qreal> pattern = dashes;
            if (pattern.size() % 2)
                pattern.append(pattern);
            pen.setDashPattern(pattern);
        }
        break;
    default: break;
    }
    switch (style & 0x0F00) {
    case 0x0100: pen.setCapStyle(Qt::SquareCap); break;
    case 0x0200: pen.setCapStyle(Qt::FlatCap); break;
    default: pen.setCapStyle(Qt::RoundCap); break;
    }
    switch (style & 0xF000) {
    case 0x1000: pen.setJoinStyle(Qt::BevelJoin); break;
    case 0x2000: pen.setJoinStyle(Qt::MiterJoin); break;
    default: pen.setJoinStyle(Qt::RoundJoin); break;
    }
    return pen;
}

QBrush makeBrush(quint32 style, const QColor &colour, quint32 hatch)
{
    switch (style) {
    case 1: return QBrush(Qt::NoBrush);
    case 2: {
        static const Qt::BrushStyle hatches[] = {Qt::HorPattern, Qt::VerPattern, Qt::FDiagPattern,
                                                 Qt::BDiagPattern, Qt::CrossPattern, Qt::DiagCrossPattern};
        return QBrush(colour, hatch < 6 ? hatches[hatch] : Qt::SolidPattern);
    }
    default: return QBrush(colour);
    }
}

QBrush patternBrush(const QImage &pattern)
{
    return pattern.isNull() ? QBrush(Qt::gray) : QBrush(pattern);
}

// The bytes of a BITMAPINFO (header and colour table) at the start of a DIB.
qsizetype dibInfoSize(QByteArrayView dib)
{
    ByteReader r(dib);
    const quint32 headerSize = r.u32();
    if (headerSize == 12) {
        r.skip(6);
        const int bits = r.u16();
        const qsizetype size = 12 + (bits <= 8 ? qsizetype(3) << bits : 0);
        return r.ok() && size <= dib.size() ? size : -1;
    }
    if (headerSize < 40 || headerSize > quint32(dib.size()))
        return -1;
    r.seek(14);
    const int bits = r.u16();
    const quint32 compression = r.u32();
    r.seek(32);
    const quint32 used = r.u32();
    if (!r.ok() || used > 65536)
        return -1;
    qsizetype colours = used ? used : (bits <= 8 ? qsizetype(1) << bits : 0);
    qsizetype size = headerSize + colours * 4 + (compression == 3 && headerSize == 40 ? 12 : 0);
    return size <= dib.size() ? size : -1;
}

namespace {

// Whether a DIB is stored bottom-up, which turns its source rectangles over.
bool dibBottomUp(QByteArrayView info)
{
    ByteReader r(info);
    const quint32 headerSize = r.u32();
    if (headerSize == 12)
        return true;
    r.skip(4);
    return r.i32() > 0;
}

} // namespace

QRectF sourceRect(QByteArrayView info, const QImage &image, qreal x, qreal y, qreal w, qreal h, bool flipY)
{
    if (flipY && dibBottomUp(info))
        y = image.height() - y - h;
    return QRectF(x, y, w, h);
}

} // namespace pictures::metafile
