#include "platform/MetafileRenderer.h"

#include "platform/ByteReader.h"
#include "platform/MetafileCanvas.h"
#include "platform/PictureLimits.h"
#include "platform/RasterDecoder.h"
#include "quiz/Cp1252.h"

#include <QElapsedTimer>
#include <cmath>

namespace platform {
namespace {

using gdi::Canvas;

constexpr qint64 MaxRecords = 1'000'000;
constexpr qint64 MaxDrawingMillis = 4000;
constexpr int DefaultWmfSide = 1024;
constexpr quint32 MaxClipRectangles = 10000; // when a metafile gives no physical size

enum class Outcome { Drawn, Damaged, TooComplex, TooLarge };

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

QImage blankPicture(qint64 width, qint64 height)
{
    QImage picture(int(width), int(height), QImage::Format_ARGB32_Premultiplied);
    if (!picture.isNull())
        picture.fill(Qt::transparent);
    return picture;
}

QColor colourRef(quint32 value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

// Drawing stops when a metafile runs on too long or holds too many records.
class Budget
{
public:
    Budget() { m_clock.start(); }
    bool spend()
    {
        ++m_records;
        if (m_records > MaxRecords)
            return false;
        return (m_records & 0xFF) != 0 || m_clock.elapsed() <= MaxDrawingMillis;
    }

private:
    QElapsedTimer m_clock;
    qint64 m_records = 0;
};

QPen makePen(quint32 style, double width, const QColor &colour, const QList<qreal> &dashes = {})
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

QRectF sourceRect(QByteArrayView info, const QImage &image, qreal x, qreal y, qreal w, qreal h, bool flipY)
{
    if (flipY && dibBottomUp(info))
        y = image.height() - y - h;
    return QRectF(x, y, w, h);
}

// ---------------------------------------------------------------- EMF

class EmfPlayer
{
public:
    EmfPlayer(QByteArrayView data) : m_data(data) {}
    QImage play(QString *error);

private:
    bool record(quint32 type, ByteReader &r, qsizetype start, qsizetype size);
    bool readPoints(ByteReader &r, quint32 count, bool small, QPolygonF &points);
    bool polyPoly(ByteReader &r, bool small, std::vector<QPolygonF> &shapes);
    QRectF rectL(ByteReader &r) { const qreal l = r.i32(), t = r.i32(), rr = r.i32(), b = r.i32(); return QRectF(QPointF(l, t), QPointF(rr, b)); }
    QPointF pointL(ByteReader &r) { const qreal x = r.i32(); return QPointF(x, r.i32()); }
    QTransform xform(ByteReader &r, bool &valid);
    QImage dibAt(qsizetype start, qsizetype size, quint32 offInfo, quint32 infoBytes, quint32 offBits,
                 quint32 bitsBytes, QByteArrayView *info = nullptr);

    QByteArrayView m_data;
    std::optional<Canvas> m_canvas;
};

QImage EmfPlayer::play(QString *error)
{
    ByteReader header(m_data);
    const quint32 type = header.u32();
    const quint32 headerSize = header.u32();
    const QRect bounds = QRect(QPoint(header.i32(), header.i32()), QPoint(header.i32(), header.i32()));
    const qint64 frameLeft = header.i32(), frameTop = header.i32(), frameRight = header.i32(),
                 frameBottom = header.i32();
    const quint32 signature = header.u32();
    header.seek(56);
    const quint16 handles = header.u16();
    header.seek(72);
    const qint64 deviceW = header.i32(), deviceH = header.i32(), mmW = header.i32(), mmH = header.i32();
    if (!header.ok() || type != 1 || signature != 0x464D4520 || headerSize < 88 || headerSize > m_data.size())
        return fail(error, picture_error::Damaged);

    QSizeF pixelsPerMm(96 / 25.4, 96 / 25.4);
    if (deviceW > 0 && deviceH > 0 && mmW > 0 && mmH > 0)
        pixelsPerMm = QSizeF(double(deviceW) / mmW, double(deviceH) / mmH);

    // The frame (hundredths of a millimetre) gives the size at 96 dpi; the
    // bounds (device pixels) stand in when it is missing.
    QRectF frameDevice;
    qint64 width = 0, height = 0;
    if (frameRight > frameLeft && frameBottom > frameTop) {
        width = std::llround((frameRight - frameLeft) * 96 / 2540.0);
        height = std::llround((frameBottom - frameTop) * 96 / 2540.0);
        frameDevice = QRectF(QPointF(frameLeft / 100.0 * pixelsPerMm.width(), frameTop / 100.0 * pixelsPerMm.height()),
                             QPointF(frameRight / 100.0 * pixelsPerMm.width(),
                                     frameBottom / 100.0 * pixelsPerMm.height()));
    } else if (bounds.right() > bounds.left() && bounds.bottom() > bounds.top()) {
        width = qint64(bounds.right()) - bounds.left() + 1;
        height = qint64(bounds.bottom()) - bounds.top() + 1;
        frameDevice = QRectF(bounds.left(), bounds.top(), width, height);
    }
    if (width <= 0 || height <= 0)
        return fail(error, picture_error::Damaged);
    if (!pictureSizeAllowed(width, height, MaxMetafilePixels))
        return fail(error, picture_error::TooLarge);
    QImage picture = blankPicture(width, height);
    if (picture.isNull())
        return fail(error, picture_error::OutOfMemory);

    const QTransform play = QTransform::fromTranslate(-frameDevice.left(), -frameDevice.top())
        * QTransform::fromScale(width / frameDevice.width(), height / frameDevice.height());
    m_canvas.emplace(picture, play, pixelsPerMm);
    m_canvas->resizeObjectTable(qMax<int>(handles, 1));

    Budget budget;
    qsizetype at = 0;
    Outcome outcome = Outcome::Damaged;
    ByteReader records(m_data);
    while (true) {
        records.seek(at);
        const quint32 recordType = records.u32();
        const quint32 size = records.u32();
        if (!records.ok() || size < 8 || size > quint64(m_data.size() - at))
            break;
        if (!budget.spend()) {
            outcome = Outcome::TooComplex;
            break;
        }
        if (recordType == 14) { // EMR_EOF
            outcome = Outcome::Drawn;
            break;
        }
        ByteReader body(m_data.sliced(at, size));
        body.seek(8);
        if (!record(recordType, body, at, size))
            break;
        at += size;
    }
    m_canvas.reset();
    return finish(outcome, picture, error);
}

bool EmfPlayer::readPoints(ByteReader &r, quint32 count, bool small, QPolygonF &points)
{
    const qint64 bytes = qint64(count) * (small ? 4 : 8);
    if (bytes > r.remaining())
        return false;
    points.reserve(count);
    for (quint32 i = 0; i < count; ++i) {
        if (small) {
            const qreal x = r.i16();
            points.append(QPointF(x, r.i16()));
        } else {
            const qreal x = r.i32();
            points.append(QPointF(x, r.i32()));
        }
    }
    return r.ok();
}

bool EmfPlayer::polyPoly(ByteReader &r, bool small, std::vector<QPolygonF> &shapes)
{
    r.skip(16);
    const quint32 polys = r.u32();
    const quint32 total = r.u32();
    if (!r.ok() || qint64(polys) * 4 + qint64(total) * (small ? 4 : 8) > r.remaining())
        return false;
    std::vector<quint32> counts(polys);
    quint64 sum = 0;
    for (quint32 &count : counts) {
        count = r.u32();
        sum += count;
    }
    if (sum > total)
        return false;
    shapes.reserve(polys);
    for (quint32 count : counts) {
        QPolygonF points;
        if (!readPoints(r, count, small, points))
            return false;
        shapes.push_back(std::move(points));
    }
    return true;
}

QTransform EmfPlayer::xform(ByteReader &r, bool &valid)
{
    float m[6];
    for (float &v : m)
        v = r.f32();
    valid = r.ok();
    for (float v : m)
        valid = valid && std::isfinite(v) && std::fabs(v) < 1e12f;
    return QTransform(m[0], m[1], m[2], m[3], m[4], m[5]);
}

QImage EmfPlayer::dibAt(qsizetype start, qsizetype size, quint32 offInfo, quint32 infoBytes, quint32 offBits,
                        quint32 bitsBytes, QByteArrayView *infoOut)
{
    if (infoBytes == 0 || qint64(offInfo) + infoBytes > size || qint64(offBits) + bitsBytes > size)
        return QImage();
    const QByteArrayView info = m_data.sliced(start + offInfo, infoBytes);
    if (infoOut)
        *infoOut = info;
    return decodeDib(info, m_data.sliced(start + offBits, bitsBytes));
}

bool EmfPlayer::record(quint32 type, ByteReader &r, qsizetype start, qsizetype size)
{
    Canvas &c = *m_canvas;
    gdi::DcState &s = c.state();
    switch (type) {
    case 2: case 3: case 4: case 5: case 6:         // POLYBEZIER ... POLYLINETO
    case 85: case 86: case 87: case 88: case 89: {  // and their 16-bit forms
        const bool small = type >= 85;
        r.skip(16);
        const quint32 count = r.u32();
        QPolygonF points;
        if (!r.ok() || !readPoints(r, count, small, points))
            return false;
        switch (small ? type - 83 : type) {
        case 2: c.polyBezier(points); break;
        case 3: c.polygons({points}); break;
        case 4: c.polyline(points); break;
        case 5: c.polyBezierTo(points); break;
        case 6: c.polylineTo(points); break;
        }
        return true;
    }
    case 7: case 8: case 90: case 91: { // POLYPOLYLINE, POLYPOLYGON (and 16)
        std::vector<QPolygonF> shapes;
        if (!polyPoly(r, type >= 90, shapes))
            return false;
        if (type == 7 || type == 90)
            c.polylines(shapes);
        else
            c.polygons(shapes);
        return true;
    }
    case 9: case 10: case 11: case 12: { // window and viewport extent and origin
        const qreal x = r.i32(), y = r.i32();
        if (!r.ok())
            return false;
        if (type == 9)
            c.setWindowExt(QSizeF(x, y));
        else if (type == 10)
            s.windowOrg = QPointF(x, y);
        else if (type == 11)
            c.setViewportExt(QSizeF(x, y));
        else
            s.viewportOrg = QPointF(x, y);
        return true;
    }
    case 15: { // SETPIXELV
        const QPointF p = pointL(r);
        const quint32 colour = r.u32();
        if (!r.ok())
            return false;
        c.setPixel(p, colourRef(colour));
        return true;
    }
    case 17: case 18: case 19: case 22: case 24: case 25: case 57: {
        const quint32 value = r.u32();
        if (!r.ok())
            return false;
        switch (type) {
        case 17: if (value >= 1 && value <= 8) s.mapMode = int(value); break;
        case 18: s.opaqueBackground = value == 2; break;
        case 19: s.fillRule = value == 2 ? Qt::WindingFill : Qt::OddEvenFill; break;
        case 22: s.textAlign = value; break;
        case 24: s.textColor = colourRef(value); break;
        case 25: s.bkColor = colourRef(value); break;
        case 57: s.clockwiseArcs = value == 2; break;
        }
        return true;
    }
    case 26: { // OFFSETCLIPRGN
        const QPointF p = pointL(r);
        if (!r.ok())
            return false;
        c.offsetClip(p);
        return true;
    }
    case 27: case 54: { // MOVETOEX, LINETO
        const QPointF p = pointL(r);
        if (!r.ok())
            return false;
        if (type == 27)
            c.moveTo(p);
        else
            c.lineTo(p);
        return true;
    }
    case 29: case 30: case 42: case 43: { // EXCLUDE/INTERSECTCLIPRECT, ELLIPSE, RECTANGLE
        const QRectF box = rectL(r);
        if (!r.ok())
            return false;
        if (type == 29)
            c.excludeClipRect(box);
        else if (type == 30)
            c.intersectClipRect(box);
        else if (type == 42)
            c.ellipse(box);
        else
            c.rectangle(box);
        return true;
    }
    case 31: case 32: { // SCALEVIEWPORTEXTEX, SCALEWINDOWEXTEX
        const qreal xNum = r.i32(), xDen = r.i32(), yNum = r.i32(), yDen = r.i32();
        if (!r.ok())
            return false;
        if (xDen == 0 || yDen == 0)
            return true;
        const QSizeF ext = type == 31 ? s.viewportExt : s.windowExt;
        const QSizeF scaled(ext.width() * xNum / xDen, ext.height() * yNum / yDen);
        if (type == 31)
            c.setViewportExt(scaled);
        else
            c.setWindowExt(scaled);
        return true;
    }
    case 33: c.saveDc(); return true;
    case 34: {
        const qint32 which = r.i32();
        if (!r.ok())
            return false;
        c.restoreDc(which);
        return true;
    }
    case 35: case 36: { // SETWORLDTRANSFORM, MODIFYWORLDTRANSFORM
        bool valid = false;
        const QTransform t = xform(r, valid);
        const quint32 mode = type == 36 ? r.u32() : 4;
        if (!r.ok())
            return false;
        if (!valid)
            return true;
        switch (mode) {
        case 1: s.world = QTransform(); break;
        case 2: s.world = t * s.world; break;
        case 3: s.world = s.world * t; break;
        case 4: s.world = t; break;
        }
        return true;
    }
    case 37: case 40: { // SELECTOBJECT, DELETEOBJECT
        const quint32 index = r.u32();
        if (!r.ok())
            return false;
        if (type == 37)
            c.selectObject(index);
        else
            c.deleteObject(index);
        return true;
    }
    case 38: { // CREATEPEN
        const quint32 index = r.u32(), style = r.u32();
        const qint32 width = r.i32();
        r.i32();
        const quint32 colour = r.u32();
        if (!r.ok())
            return false;
        c.setObject(index, makePen(style & 0x0F, width, colourRef(colour)));
        return true;
    }
    case 95: { // EXTCREATEPEN
        const quint32 index = r.u32();
        r.skip(16);
        const quint32 style = r.u32(), width = r.u32();
        r.u32();
        const quint32 colour = r.u32();
        r.u32();
        const quint32 entries = r.u32();
        if (!r.ok() || qint64(entries) * 4 > r.remaining())
            return false;
        QList<qreal> dashes;
        for (quint32 i = 0; i < entries && i < 64; ++i)
            dashes.append(qMax<qreal>(0.01, r.u32() / qMax<qreal>(1, width)));
        c.setObject(index, makePen(style, width, colourRef(colour), dashes));
        return true;
    }
    case 39: { // CREATEBRUSHINDIRECT
        const quint32 index = r.u32(), style = r.u32(), colour = r.u32(), hatch = r.u32();
        if (!r.ok())
            return false;
        c.setObject(index, makeBrush(style, colourRef(colour), hatch));
        return true;
    }
    case 93: case 94: { // CREATEMONOBRUSH, CREATEDIBPATTERNBRUSHPT
        const quint32 index = r.u32();
        r.u32();
        const quint32 offInfo = r.u32(), infoBytes = r.u32(), offBits = r.u32(), bitsBytes = r.u32();
        if (!r.ok())
            return false;
        c.setObject(index, patternBrush(dibAt(start, size, offInfo, infoBytes, offBits, bitsBytes)));
        return true;
    }
    case 49: { // CREATEPALETTE takes a slot
        const quint32 index = r.u32();
        if (!r.ok())
            return false;
        c.setObject(index, gdi::Placeholder{});
        return true;
    }
    case 82: { // EXTCREATEFONTINDIRECTW
        const quint32 index = r.u32();
        gdi::LogFont font;
        font.height = r.i32();
        r.i32();
        font.escapement = r.i32();
        r.i32();
        font.weight = r.i32();
        font.italic = r.u8();
        font.underline = r.u8();
        font.strikeOut = r.u8();
        r.skip(5);
        const QByteArrayView face = r.bytes(64);
        if (!r.ok())
            return false;
        QString name = QString::fromUtf16(reinterpret_cast<const char16_t *>(face.data()), 32);
        font.face = name.left(name.indexOf(QChar(0)));
        c.setObject(index, font);
        return true;
    }
    case 44: { // ROUNDRECT
        const QRectF box = rectL(r);
        const qreal w = r.i32(), h = r.i32();
        if (!r.ok())
            return false;
        c.roundRect(box, QSizeF(w, h));
        return true;
    }
    case 45: case 46: case 47: case 55: { // ARC, CHORD, PIE, ARCTO
        const QRectF box = rectL(r);
        const QPointF from = pointL(r), to = pointL(r);
        if (!r.ok())
            return false;
        if (type == 55)
            c.arc(box, from, to, gdi::Arc, true);
        else
            c.arc(box, from, to, type == 45 ? gdi::Arc : type == 46 ? gdi::Chord : gdi::Pie);
        return true;
    }
    case 59: c.beginPath(); return true;
    case 60: c.endPath(); return true;
    case 61: c.closeFigure(); return true;
    case 62: c.fillPath(); return true;
    case 63: c.strokeAndFillPath(); return true;
    case 64: c.strokePath(); return true;
    case 68: c.abortPath(); return true;
    case 67: {
        const quint32 mode = r.u32();
        if (!r.ok())
            return false;
        c.selectClipPath(int(mode));
        return true;
    }
    case 41: { // ANGLEARC
        const QPointF centre = pointL(r);
        const quint32 radius = r.u32();
        const float start = r.f32(), sweep = r.f32();
        if (!r.ok())
            return false;
        c.angleArc(centre, radius, start, sweep);
        return true;
    }
    case 71: case 74: { // FILLRGN, PAINTRGN: rectangles in logical units
        r.skip(16);
        const quint32 bytes = r.u32();
        const quint32 brush = type == 71 ? r.u32() : quint32(-1);
        if (!r.ok() || bytes > r.remaining() || bytes < 32)
            return false;
        r.skip(8);
        const quint32 count = r.u32();
        r.skip(20);
        if (!r.ok() || qint64(count) * 16 > qint64(bytes) - 32 || count > MaxClipRectangles)
            return false;
        QPainterPath region;
        region.setFillRule(Qt::WindingFill);
        for (quint32 i = 0; i < count; ++i)
            region.addRect(rectL(r).normalized());
        c.fillShape(region, c.brushAt(brush));
        return r.ok();
    }
    case 75: { // EXTSELECTCLIPRGN
        const quint32 bytes = r.u32(), mode = r.u32();
        if (!r.ok() || bytes > r.remaining())
            return false;
        QList<QRectF> rects;
        if (bytes >= 32) {
            r.skip(8);
            const quint32 count = r.u32();
            r.skip(20);
            if (!r.ok() || qint64(count) * 16 > qint64(bytes) - 32 || count > MaxClipRectangles)
                return false;
            for (quint32 i = 0; i < count; ++i)
                rects.append(rectL(r));
        }
        c.combineClipRegion(rects, int(mode));
        return r.ok();
    }
    case 118: { // GRADIENTFILL
        r.skip(16);
        const quint32 vertices = r.u32(), shapes = r.u32(), mode = r.u32();
        if (!r.ok() || mode > 2 || qint64(vertices) * 16 + qint64(shapes) * (mode == 2 ? 12 : 8) > r.remaining())
            return false;
        struct Vertex { QPointF at; QColor colour; };
        std::vector<Vertex> points(vertices);
        for (Vertex &v : points) {
            const qreal x = r.i32(), y = r.i32();
            const int red = r.u16() >> 8, green = r.u16() >> 8, blue = r.u16() >> 8;
            r.u16();
            v = {QPointF(x, y), QColor(red, green, blue)};
        }
        for (quint32 i = 0; i < shapes; ++i) {
            const quint32 a = r.u32(), b = r.u32(), third = mode == 2 ? r.u32() : 0;
            if (a >= vertices || b >= vertices || third >= qMax<quint32>(vertices, 1))
                continue;
            if (mode == 2) {
                // Shaded triangles are filled with the mean of their corners.
                const Vertex &p = points[a], &q = points[b], &t = points[third];
                const QColor mean((p.colour.red() + q.colour.red() + t.colour.red()) / 3,
                                  (p.colour.green() + q.colour.green() + t.colour.green()) / 3,
                                  (p.colour.blue() + q.colour.blue() + t.colour.blue()) / 3);
                QPainterPath triangle(p.at);
                triangle.lineTo(q.at);
                triangle.lineTo(t.at);
                triangle.closeSubpath();
                c.fillShape(triangle, mean);
            } else {
                const QRectF box(points[a].at, points[b].at);
                QLinearGradient ramp(box.topLeft(), mode == 0 ? box.topRight() : box.bottomLeft());
                ramp.setColorAt(0, points[a].colour);
                ramp.setColorAt(1, points[b].colour);
                QPainterPath rect;
                rect.addRect(box.normalized());
                c.fillShape(rect, ramp);
            }
        }
        return r.ok();
    }
    case 76: case 77: case 114: case 116: { // BITBLT, STRETCHBLT, ALPHABLEND, TRANSPARENTBLT
        r.skip(16);
        const qreal x = r.i32(), y = r.i32(), w = r.i32(), h = r.i32();
        const quint32 rop = r.u32();
        const qreal xSrc = r.i32(), ySrc = r.i32();
        bool valid = false;
        const QTransform srcTransform = xform(r, valid);
        r.u32();
        r.u32();
        const quint32 offInfo = r.u32(), infoBytes = r.u32(), offBits = r.u32(), bitsBytes = r.u32();
        qreal wSrc = w, hSrc = h;
        if (type != 76) {
            wSrc = r.i32();
            hSrc = r.i32();
        }
        if (!r.ok())
            return false;
        if (infoBytes == 0) {
            c.patternBlit(QRectF(x, y, w, h), rop);
            return true;
        }
        QImage image = dibAt(start, size, offInfo, infoBytes, offBits, bitsBytes);
        if (type == 114 && !image.isNull() && ((rop >> 16) & 0xFF) != 0xFF) {
            image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
            QImage faded(image.size(), image.format());
            faded.fill(Qt::transparent);
            QPainter p(&faded);
            p.setOpacity(((rop >> 16) & 0xFF) / 255.0);
            p.drawImage(0, 0, image);
            image = faded;
        }
        if (type == 116 && !image.isNull()) { // rop holds the colour left out
            image = image.convertToFormat(QImage::Format_ARGB32);
            const QRgb key = colourRef(rop).rgb();
            for (int row = 0; row < image.height(); ++row) {
                auto *line = reinterpret_cast<QRgb *>(image.scanLine(row));
                for (int col = 0; col < image.width(); ++col)
                    if ((line[col] | 0xFF000000) == key)
                        line[col] = 0;
            }
        }
        const QPointF srcOrigin = valid ? srcTransform.map(QPointF(xSrc, ySrc)) : QPointF(xSrc, ySrc);
        c.blit(QRectF(x, y, w, h), image, QRectF(srcOrigin, QSizeF(wSrc, hSrc)),
               type == 114 || type == 116 ? 0x00CC0020 : rop);
        return true;
    }
    case 80: case 81: { // SETDIBITSTODEVICE, STRETCHDIBITS
        r.skip(16);
        const qreal x = r.i32(), y = r.i32(), xSrc = r.i32(), ySrc = r.i32(), wSrc = r.i32(), hSrc = r.i32();
        const quint32 offInfo = r.u32(), infoBytes = r.u32(), offBits = r.u32(), bitsBytes = r.u32();
        r.u32();
        qreal w = wSrc, h = hSrc;
        quint32 rop = 0x00CC0020;
        if (type == 81) {
            rop = r.u32();
            w = r.i32();
            h = r.i32();
        }
        if (!r.ok())
            return false;
        QByteArrayView info;
        const QImage image = dibAt(start, size, offInfo, infoBytes, offBits, bitsBytes, &info);
        if (!image.isNull())
            c.blit(QRectF(x, y, w, h), image, sourceRect(info, image, xSrc, ySrc, wSrc, hSrc, true), rop);
        return true;
    }
    case 83: case 84: { // EXTTEXTOUTA, EXTTEXTOUTW
        r.skip(16 + 12);
        const QPointF ref = pointL(r);
        const quint32 chars = r.u32(), offString = r.u32(), options = r.u32();
        const QRectF box = rectL(r);
        const quint32 offDx = r.u32();
        if (!r.ok())
            return false;
        const qint64 charBytes = type == 84 ? 2 : 1;
        if (chars == 0)
            return true;
        if (qint64(offString) + chars * charBytes > size)
            return false;
        const QByteArrayView raw = m_data.sliced(start + offString, chars * charBytes);
        const QString text = type == 84
            ? QString::fromUtf16(reinterpret_cast<const char16_t *>(raw.data()), chars)
            : qcm::fromWindows1252(raw.toByteArray());
        QList<qreal> advances;
        if (offDx && qint64(offDx) + qint64(chars) * 4 <= size) {
            ByteReader dx(m_data.sliced(start, size));
            dx.seek(offDx);
            const int stride = (options & 0x2000) ? 2 : 1; // ETO_PDY: x and y pairs
            for (quint32 i = 0; i < chars && dx.ok(); ++i) {
                advances.append(dx.i32());
                if (stride == 2)
                    dx.i32();
            }
            if (!dx.ok())
                advances.clear();
        }
        c.text(ref, text, advances, options, box);
        return true;
    }
    default:
        return true; // records that change nothing we draw
    }
}

// ---------------------------------------------------------------- WMF

class WmfPlayer
{
public:
    WmfPlayer(QByteArrayView data) : m_data(data) {}
    QImage play(QString *error);

private:
    bool record(quint16 function, ByteReader &r);
    bool dibBlit(ByteReader &r, quint32 rop, QRectF dest, QRectF source, bool flipY);
    QRectF rect16(ByteReader &r) { const qreal b = r.i16(), rr = r.i16(), t = r.i16(), l = r.i16(); return QRectF(QPointF(l, t), QPointF(rr, b)); }
    QPointF point16(ByteReader &r) { const qreal y = r.i16(); return QPointF(r.i16(), y); }
    bool points(ByteReader &r, qsizetype count, QPolygonF &out);

    QByteArrayView m_data;
    std::optional<Canvas> m_canvas;
};

bool WmfPlayer::points(ByteReader &r, qsizetype count, QPolygonF &out)
{
    if (count < 0 || count * 4 > r.remaining())
        return false;
    out.reserve(count);
    for (qsizetype i = 0; i < count; ++i) {
        const qreal x = r.i16();
        out.append(QPointF(x, r.i16()));
    }
    return r.ok();
}

QImage WmfPlayer::play(QString *error)
{
    ByteReader r(m_data);
    qsizetype start = 0;
    QRectF window;
    qint64 width = 0, height = 0;
    if (r.u32() == 0x9AC6CDD7) {
        r.u16();
        const qreal left = r.i16(), top = r.i16(), right = r.i16(), bottom = r.i16();
        const quint16 inch = r.u16();
        if (!r.ok() || inch == 0 || right == left || bottom == top)
            return fail(error, picture_error::Damaged);
        window = QRectF(QPointF(left, top), QPointF(right, bottom));
        width = std::llround(qAbs(right - left) * 96 / inch);
        height = std::llround(qAbs(bottom - top) * 96 / inch);
        start = 22;
    }
    r.seek(start);
    const quint16 kind = r.u16(), headerWords = r.u16();
    r.u16();
    r.u32();
    const quint16 objects = r.u16();
    if (!r.ok() || (kind != 1 && kind != 2) || headerWords != 9)
        return fail(error, picture_error::Damaged);
    const qsizetype first = start + 18;

    if (window.isNull()) {
        // Without the placeable header, the first window extent gives the
        // proportions; the size is a guess that fits the picture page.
        r.seek(first);
        QPointF origin;
        for (int i = 0; i < 1000 && r.ok() && window.isNull(); ++i) {
            const qsizetype at = r.position();
            const quint32 words = r.u32();
            const quint16 function = r.u16();
            if (!r.ok() || words < 3 || qint64(words) * 2 > m_data.size() - at || function == 0)
                break;
            if (function == 0x020B || function == 0x020C) {
                const qreal y = r.i16(), x = r.i16();
                if (function == 0x020B)
                    origin = QPointF(x, y);
                else if (x != 0 && y != 0)
                    window = QRectF(origin, QSizeF(x, y));
            }
            r.seek(at + qsizetype(words) * 2);
        }
        if (window.isNull())
            return fail(error, picture_error::Damaged);
        const qreal scale = qMin<qreal>(1, DefaultWmfSide / qMax(qAbs(window.width()), qAbs(window.height())));
        width = qMax<qint64>(1, std::llround(qAbs(window.width()) * scale));
        height = qMax<qint64>(1, std::llround(qAbs(window.height()) * scale));
    }
    if (!pictureSizeAllowed(width, height, MaxMetafilePixels))
        return fail(error, picture_error::TooLarge);
    QImage picture = blankPicture(width, height);
    if (picture.isNull())
        return fail(error, picture_error::OutOfMemory);

    // The metafile's window is mapped onto the whole picture.
    m_canvas.emplace(picture, QTransform(), QSizeF(96 / 25.4, 96 / 25.4));
    m_canvas->resizeObjectTable(objects);
    gdi::DcState &s = m_canvas->state();
    s.mapMode = gdi::MmAnisotropic;
    s.windowOrg = window.topLeft();
    m_canvas->setWindowExt(window.size());
    m_canvas->setViewportExt(QSizeF(width, height));

    Budget budget;
    Outcome outcome = Outcome::Damaged;
    qsizetype at = first;
    while (true) {
        r.seek(at);
        const quint32 words = r.u32();
        const quint16 function = r.u16();
        if (!r.ok() || words < 3 || qint64(words) * 2 > m_data.size() - at)
            break;
        if (!budget.spend()) {
            outcome = Outcome::TooComplex;
            break;
        }
        if (function == 0) {
            outcome = Outcome::Drawn;
            break;
        }
        ByteReader params(m_data.sliced(at + 6, qsizetype(words) * 2 - 6));
        if (!record(function, params))
            break;
        at += qsizetype(words) * 2;
    }
    m_canvas.reset();
    return finish(outcome, picture, error);
}

bool WmfPlayer::dibBlit(ByteReader &r, quint32 rop, QRectF dest, QRectF source, bool flipY)
{
    const QByteArrayView dib = r.bytes(r.remaining());
    const qsizetype infoSize = dibInfoSize(dib);
    if (infoSize < 0) {
        m_canvas->patternBlit(dest, rop);
        return true;
    }
    const QByteArrayView info = dib.first(infoSize);
    const QImage image = decodeDib(info, dib.sliced(infoSize));
    if (!image.isNull()) {
        const QRectF src = sourceRect(info, image, source.x(), source.y(), source.width(), source.height(), flipY);
        m_canvas->blit(dest, image, src, rop);
    }
    return true;
}

bool WmfPlayer::record(quint16 function, ByteReader &r)
{
    Canvas &c = *m_canvas;
    gdi::DcState &s = c.state();
    switch (function) {
    case 0x0201: case 0x0209: { // SETBKCOLOR, SETTEXTCOLOR
        const quint32 colour = r.u32();
        if (!r.ok())
            return false;
        (function == 0x0201 ? s.bkColor : s.textColor) = colourRef(colour);
        return true;
    }
    case 0x0102: case 0x0106: case 0x012E: { // SETBKMODE, SETPOLYFILLMODE, SETTEXTALIGN
        const quint16 value = r.u16();
        if (!r.ok())
            return false;
        if (function == 0x0102)
            s.opaqueBackground = value == 2;
        else if (function == 0x0106)
            s.fillRule = value == 2 ? Qt::WindingFill : Qt::OddEvenFill;
        else
            s.textAlign = value;
        return true;
    }
    case 0x020B: case 0x020C: case 0x020F: { // SETWINDOWORG, SETWINDOWEXT, OFFSETWINDOWORG
        const QPointF p = point16(r);
        if (!r.ok())
            return false;
        if (function == 0x020B)
            s.windowOrg = p;
        else if (function == 0x020C)
            c.setWindowExt(QSizeF(p.x(), p.y()));
        else
            s.windowOrg += p;
        return true;
    }
    case 0x0410: { // SCALEWINDOWEXT
        const qreal yDen = r.i16(), yNum = r.i16(), xDen = r.i16(), xNum = r.i16();
        if (!r.ok())
            return false;
        if (xDen != 0 && yDen != 0)
            c.setWindowExt(QSizeF(s.windowExt.width() * xNum / xDen, s.windowExt.height() * yNum / yDen));
        return true;
    }
    case 0x0214: case 0x0213: { // MOVETO, LINETO
        const QPointF p = point16(r);
        if (!r.ok())
            return false;
        if (function == 0x0214)
            c.moveTo(p);
        else
            c.lineTo(p);
        return true;
    }
    case 0x0324: case 0x0325: { // POLYGON, POLYLINE
        const qint16 count = r.i16();
        QPolygonF pts;
        if (!r.ok() || !points(r, count, pts))
            return false;
        if (function == 0x0324)
            c.polygons({pts});
        else
            c.polyline(pts);
        return true;
    }
    case 0x0538: { // POLYPOLYGON
        const quint16 polys = r.u16();
        if (!r.ok() || qint64(polys) * 2 > r.remaining())
            return false;
        std::vector<quint16> counts(polys);
        for (quint16 &count : counts)
            count = r.u16();
        std::vector<QPolygonF> shapes;
        for (quint16 count : counts) {
            QPolygonF pts;
            if (!points(r, count, pts))
                return false;
            shapes.push_back(std::move(pts));
        }
        c.polygons(shapes);
        return true;
    }
    case 0x041B: case 0x0418: case 0x0416: case 0x0415: { // RECTANGLE, ELLIPSE, clip rectangles
        const QRectF box = rect16(r);
        if (!r.ok())
            return false;
        if (function == 0x041B)
            c.rectangle(box);
        else if (function == 0x0418)
            c.ellipse(box);
        else if (function == 0x0416)
            c.intersectClipRect(box);
        else
            c.excludeClipRect(box);
        return true;
    }
    case 0x061C: { // ROUNDRECT
        const qreal h = r.i16(), w = r.i16();
        const QRectF box = rect16(r);
        if (!r.ok())
            return false;
        c.roundRect(box, QSizeF(w, h));
        return true;
    }
    case 0x0817: case 0x081A: case 0x0830: { // ARC, PIE, CHORD
        const QPointF to = point16(r), from = point16(r);
        const QRectF box = rect16(r);
        if (!r.ok())
            return false;
        c.arc(box, from, to, function == 0x0817 ? gdi::Arc : function == 0x081A ? gdi::Pie : gdi::Chord);
        return true;
    }
    case 0x041F: { // SETPIXEL
        const quint32 colour = r.u32();
        const QPointF p = point16(r);
        if (!r.ok())
            return false;
        c.setPixel(p, colourRef(colour));
        return true;
    }
    case 0x001E: c.saveDc(); return true;
    case 0x0127: {
        const qint16 which = r.i16();
        if (!r.ok())
            return false;
        c.restoreDc(which);
        return true;
    }
    case 0x012D: case 0x01F0: { // SELECTOBJECT, DELETEOBJECT
        const quint16 index = r.u16();
        if (!r.ok())
            return false;
        if (function == 0x012D)
            c.selectObject(index);
        else
            c.deleteObject(index);
        return true;
    }
    case 0x02FA: { // CREATEPENINDIRECT
        const quint16 style = r.u16();
        const qint16 width = r.i16();
        r.i16();
        const quint32 colour = r.u32();
        if (!r.ok())
            return false;
        c.createInFreeSlot(makePen(style & 0x0F, width, colourRef(colour)));
        return true;
    }
    case 0x02FC: { // CREATEBRUSHINDIRECT
        const quint16 style = r.u16();
        const quint32 colour = r.u32();
        const quint16 hatch = r.u16();
        if (!r.ok())
            return false;
        c.createInFreeSlot(makeBrush(style, colourRef(colour), hatch));
        return true;
    }
    case 0x0142: { // DIBCREATEPATTERNBRUSH
        r.u16();
        r.u16();
        if (!r.ok())
            return false;
        const QByteArrayView dib = r.bytes(r.remaining());
        const qsizetype infoSize = dibInfoSize(dib);
        c.createInFreeSlot(patternBrush(infoSize < 0 ? QImage()
                                                     : decodeDib(dib.first(infoSize), dib.sliced(infoSize))));
        return true;
    }
    case 0x01F9: c.createInFreeSlot(QBrush(Qt::gray)); return true; // CREATEPATTERNBRUSH
    case 0x00F7: case 0x06FF: c.createInFreeSlot(gdi::Placeholder{}); return true; // palette, region
    case 0x02FB: { // CREATEFONTINDIRECT
        gdi::LogFont font;
        font.height = r.i16();
        r.i16();
        font.escapement = r.i16();
        r.i16();
        font.weight = r.i16();
        font.italic = r.u8();
        font.underline = r.u8();
        font.strikeOut = r.u8();
        r.skip(5);
        if (!r.ok())
            return false;
        QByteArray face = r.bytes(qMin<qsizetype>(32, r.remaining())).toByteArray();
        face.truncate(face.indexOf('\0') < 0 ? face.size() : face.indexOf('\0'));
        font.face = qcm::fromWindows1252(face);
        c.createInFreeSlot(font);
        return true;
    }
    case 0x0521: { // TEXTOUT
        const qint16 length = r.i16();
        if (!r.ok() || length < 0)
            return false;
        const QByteArray text = r.bytes(length).toByteArray();
        r.skip(length % 2);
        const QPointF p = point16(r);
        if (!r.ok())
            return false;
        c.text(p, qcm::fromWindows1252(text), {}, 0, QRectF());
        return true;
    }
    case 0x0A32: { // EXTTEXTOUT
        const QPointF p = point16(r);
        const qint16 length = r.i16();
        const quint16 options = r.u16();
        QRectF box;
        if (options & 0x0006) {
            const qreal l = r.i16(), t = r.i16(), rr = r.i16(), b = r.i16();
            box = QRectF(QPointF(l, t), QPointF(rr, b));
        }
        if (!r.ok() || length < 0)
            return false;
        const QByteArray text = r.bytes(length).toByteArray();
        r.skip(length % 2);
        if (!r.ok())
            return false;
        QList<qreal> advances;
        if (r.remaining() >= qint64(length) * 2)
            for (qint16 i = 0; i < length; ++i)
                advances.append(r.i16());
        c.text(p, qcm::fromWindows1252(text), advances, options, box);
        return true;
    }
    case 0x061D: { // PATBLT
        const quint32 rop = r.u32();
        const qreal h = r.i16(), w = r.i16(), y = r.i16(), x = r.i16();
        if (!r.ok())
            return false;
        c.patternBlit(QRectF(x, y, w, h), rop);
        return true;
    }
    case 0x0F43: { // STRETCHDIB
        const quint32 rop = r.u32();
        r.u16();
        const qreal hSrc = r.i16(), wSrc = r.i16(), ySrc = r.i16(), xSrc = r.i16();
        const qreal h = r.i16(), w = r.i16(), y = r.i16(), x = r.i16();
        if (!r.ok())
            return false;
        return dibBlit(r, rop, QRectF(x, y, w, h), QRectF(xSrc, ySrc, wSrc, hSrc), true);
    }
    case 0x0B41: { // DIBSTRETCHBLT
        const quint32 rop = r.u32();
        const qreal hSrc = r.i16(), wSrc = r.i16(), ySrc = r.i16(), xSrc = r.i16();
        const qreal h = r.i16(), w = r.i16(), y = r.i16(), x = r.i16();
        if (!r.ok())
            return false;
        return dibBlit(r, rop, QRectF(x, y, w, h), QRectF(xSrc, ySrc, wSrc, hSrc), false);
    }
    case 0x0940: { // DIBBITBLT
        const quint32 rop = r.u32();
        const qreal ySrc = r.i16(), xSrc = r.i16(), h = r.i16(), w = r.i16(), y = r.i16(), x = r.i16();
        if (!r.ok())
            return false;
        return dibBlit(r, rop, QRectF(x, y, w, h), QRectF(xSrc, ySrc, w, h), false);
    }
    case 0x0D33: { // SETDIBTODEV
        r.skip(6);
        const qreal ySrc = r.i16(), xSrc = r.i16(), h = r.i16(), w = r.i16(), y = r.i16(), x = r.i16();
        if (!r.ok())
            return false;
        return dibBlit(r, 0x00CC0020, QRectF(x, y, w, h), QRectF(xSrc, ySrc, w, h), true);
    }
    default:
        return true;
    }
}

} // namespace

QImage renderEmf(QByteArrayView data, QString *error)
{
    return EmfPlayer(data).play(error);
}

QImage renderWmf(QByteArrayView data, QString *error)
{
    return WmfPlayer(data).play(error);
}

} // namespace platform
