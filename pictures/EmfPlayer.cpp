#include "pictures/MetafileRenderer.h"

#include "pictures/ByteReader.h"
#include "pictures/MetafileCanvas.h"
#include "pictures/MetafilePlayback.h"
#include "pictures/MetafileRecords.h"
#include "pictures/PictureLimits.h"
#include "pictures/RasterDecoder.h"
#include "quiz/Cp1252.h"

#include <cmath>
#include <optional>

namespace pictures {
namespace {

using gdi::Canvas;
using namespace metafile;

class EmfPlayer
{
public:
    EmfPlayer(QByteArrayView data, DecodeBudget &budget) : m_data(data), m_budget(budget) {}
    QImage play(QString *error);

private:
    bool record(EmfRecord type, ByteReader &r);
    // One function per family of records.
    bool shape(EmfRecord type, ByteReader &r);
    bool mapping(EmfRecord type, ByteReader &r);
    bool attribute(EmfRecord type, ByteReader &r);
    bool object(EmfRecord type, ByteReader &r);
    bool clipping(EmfRecord type, ByteReader &r);
    bool path(EmfRecord type, ByteReader &r);
    bool fill(EmfRecord type, ByteReader &r);
    bool gradient(ByteReader &r);
    bool bitmap(EmfRecord type, ByteReader &r);
    bool deviceBitmap(EmfRecord type, ByteReader &r);
    bool textOut(EmfRecord type, ByteReader &r);

    bool readPoints(ByteReader &r, quint32 count, bool small, QPolygonF &points);
    bool polyPoly(ByteReader &r, bool small, std::vector<QPolygonF> &shapes);
    QRectF rectL(ByteReader &r) { const qreal l = r.i32(), t = r.i32(), rr = r.i32(), b = r.i32(); return QRectF(QPointF(l, t), QPointF(rr, b)); }
    QPointF pointL(ByteReader &r) { const qreal x = r.i32(); return QPointF(x, r.i32()); }
    QTransform xform(ByteReader &r, bool &valid);
    // A DIB of the current record, by its offsets from the record's start.
    QImage dibAt(quint32 offInfo, quint32 infoBytes, quint32 offBits, quint32 bitsBytes,
                 QByteArrayView *info = nullptr) const;

    QByteArrayView m_data;
    DecodeBudget &m_budget;
    std::optional<Canvas> m_canvas;
    qsizetype m_recordStart = 0;
    qsizetype m_recordSize = 0;
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
    if (!header.ok() || EmfRecord(type) != EmfRecord::Header || signature != 0x464D4520 || headerSize < 88 || headerSize > m_data.size())
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
    QImage picture = blankPicture(width, height, m_budget, error);
    if (picture.isNull())
        return picture;

    const QTransform play = QTransform::fromTranslate(-frameDevice.left(), -frameDevice.top())
        * QTransform::fromScale(width / frameDevice.width(), height / frameDevice.height());
    m_canvas.emplace(picture, play, pixelsPerMm, m_budget);
    m_canvas->resizeObjectTable(qMax<int>(handles, 1));

    Budget budget(m_budget);
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
        if (EmfRecord(recordType) == EmfRecord::Eof) {
            outcome = Outcome::Drawn;
            break;
        }
        ByteReader body(m_data.sliced(at, size));
        body.seek(8);
        m_recordStart = at;
        m_recordSize = size;
        if (!record(EmfRecord(recordType), body))
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

QImage EmfPlayer::dibAt(quint32 offInfo, quint32 infoBytes, quint32 offBits, quint32 bitsBytes,
                        QByteArrayView *infoOut) const
{
    const qsizetype size = m_recordSize;
    if (infoBytes == 0 || qint64(offInfo) + infoBytes > size || qint64(offBits) + bitsBytes > size)
        return QImage();
    const QByteArrayView info = m_data.sliced(m_recordStart + offInfo, infoBytes);
    if (infoOut)
        *infoOut = info;
    return decodeDib(info, m_data.sliced(m_recordStart + offBits, bitsBytes));
}

bool EmfPlayer::record(EmfRecord type, ByteReader &r)
{
    using enum EmfRecord;
    switch (type) {
    case PolyBezier: case Polygon: case Polyline: case PolyBezierTo: case PolylineTo:
    case PolyBezier16: case Polygon16: case Polyline16: case PolyBezierTo16: case PolylineTo16:
    case PolyPolyline: case PolyPolygon: case PolyPolyline16: case PolyPolygon16:
    case SetPixelV: case MoveToEx: case LineTo: case Ellipse: case Rectangle: case RoundRect:
    case Arc: case Chord: case Pie: case ArcTo: case AngleArc:
        return shape(type, r);
    case SetWindowExtEx: case SetWindowOrgEx: case SetViewportExtEx: case SetViewportOrgEx:
    case ScaleViewportExtEx: case ScaleWindowExtEx: case SaveDc: case RestoreDc:
    case SetWorldTransform: case ModifyWorldTransform:
        return mapping(type, r);
    case SetMapMode: case SetBkMode: case SetPolyFillMode: case SetTextAlign: case SetTextColor:
    case SetBkColor: case SetArcDirection:
        return attribute(type, r);
    case SelectObject: case DeleteObject: case CreatePen: case ExtCreatePen: case CreateBrushIndirect:
    case CreateMonoBrush: case CreateDibPatternBrushPt: case CreatePalette: case ExtCreateFontIndirectW:
        return object(type, r);
    case OffsetClipRgn: case ExcludeClipRect: case IntersectClipRect: case ExtSelectClipRgn:
        return clipping(type, r);
    case BeginPath: case EndPath: case CloseFigure: case FillPath: case StrokeAndFillPath: case StrokePath:
    case AbortPath: case SelectClipPath:
        return path(type, r);
    case FillRgn: case PaintRgn:
        return fill(type, r);
    case GradientFill:
        return gradient(r);
    case BitBlt: case StretchBlt: case AlphaBlend: case TransparentBlt:
        return bitmap(type, r);
    case SetDiBitsToDevice: case StretchDiBits:
        return deviceBitmap(type, r);
    case ExtTextOutA: case ExtTextOutW:
        return textOut(type, r);
    default:
        return true; // records that change nothing we draw
    }
}

bool EmfPlayer::shape(EmfRecord type, ByteReader &r)
{
    using enum EmfRecord;
    Canvas &c = *m_canvas;
    switch (type) {
    case PolyBezier: case Polygon: case Polyline: case PolyBezierTo: case PolylineTo:
    case PolyBezier16: case Polygon16: case Polyline16: case PolyBezierTo16: case PolylineTo16: {
        const bool small = type >= PolyBezier16;
        r.skip(16);
        const quint32 count = r.u32();
        QPolygonF points;
        if (!r.ok() || !readPoints(r, count, small, points))
            return false;
        // The 16-bit forms draw as their 32-bit counterparts.
        const EmfRecord wide = small ? EmfRecord(quint32(type) - quint32(PolyBezier16) + quint32(PolyBezier)) : type;
        switch (wide) {
        case PolyBezier: c.polyBezier(points); break;
        case Polygon: c.polygons({points}); break;
        case Polyline: c.polyline(points); break;
        case PolyBezierTo: c.polyBezierTo(points); break;
        default: c.polylineTo(points); break;
        }
        return true;
    }
    case PolyPolyline: case PolyPolygon: case PolyPolyline16: case PolyPolygon16: {
        std::vector<QPolygonF> shapes;
        if (!polyPoly(r, type >= PolyPolyline16, shapes))
            return false;
        if (type == PolyPolyline || type == PolyPolyline16)
            c.polylines(shapes);
        else
            c.polygons(shapes);
        return true;
    }
    case SetPixelV: {
        const QPointF p = pointL(r);
        const quint32 colour = r.u32();
        if (!r.ok())
            return false;
        c.setPixel(p, colourRef(colour));
        return true;
    }
    case MoveToEx: case LineTo: {
        const QPointF p = pointL(r);
        if (!r.ok())
            return false;
        if (type == MoveToEx)
            c.moveTo(p);
        else
            c.lineTo(p);
        return true;
    }
    case Ellipse: case Rectangle: {
        const QRectF box = rectL(r);
        if (!r.ok())
            return false;
        if (type == Ellipse)
            c.ellipse(box);
        else
            c.rectangle(box);
        return true;
    }
    case RoundRect: {
        const QRectF box = rectL(r);
        const qreal w = r.i32(), h = r.i32();
        if (!r.ok())
            return false;
        c.roundRect(box, QSizeF(w, h));
        return true;
    }
    case Arc: case Chord: case Pie: case ArcTo: {
        const QRectF box = rectL(r);
        const QPointF from = pointL(r), to = pointL(r);
        if (!r.ok())
            return false;
        if (type == ArcTo)
            c.arc(box, from, to, gdi::Arc, true);
        else
            c.arc(box, from, to, type == Arc ? gdi::Arc : type == Chord ? gdi::Chord : gdi::Pie);
        return true;
    }
    case AngleArc: {
        const QPointF centre = pointL(r);
        const quint32 radius = r.u32();
        const float start = r.f32(), sweep = r.f32();
        if (!r.ok())
            return false;
        c.angleArc(centre, radius, start, sweep);
        return true;
    }
    default:
        return true;
    }
}

bool EmfPlayer::mapping(EmfRecord type, ByteReader &r)
{
    using enum EmfRecord;
    Canvas &c = *m_canvas;
    gdi::DcState &s = c.state();
    switch (type) {
    case SetWindowExtEx: case SetWindowOrgEx: case SetViewportExtEx: case SetViewportOrgEx: {
        const qreal x = r.i32(), y = r.i32();
        if (!r.ok())
            return false;
        if (type == SetWindowExtEx)
            c.setWindowExt(QSizeF(x, y));
        else if (type == SetWindowOrgEx)
            s.windowOrg = QPointF(x, y);
        else if (type == SetViewportExtEx)
            c.setViewportExt(QSizeF(x, y));
        else
            s.viewportOrg = QPointF(x, y);
        return true;
    }
    case ScaleViewportExtEx: case ScaleWindowExtEx: {
        const qreal xNum = r.i32(), xDen = r.i32(), yNum = r.i32(), yDen = r.i32();
        if (!r.ok())
            return false;
        if (xDen == 0 || yDen == 0)
            return true;
        const bool viewport = type == ScaleViewportExtEx;
        const QSizeF ext = viewport ? s.viewportExt : s.windowExt;
        const QSizeF scaled(ext.width() * xNum / xDen, ext.height() * yNum / yDen);
        if (viewport)
            c.setViewportExt(scaled);
        else
            c.setWindowExt(scaled);
        return true;
    }
    case SaveDc: c.saveDc(); return true;
    case RestoreDc: {
        const qint32 which = r.i32();
        if (!r.ok())
            return false;
        c.restoreDc(which);
        return true;
    }
    case SetWorldTransform: case ModifyWorldTransform: {
        bool valid = false;
        const QTransform t = xform(r, valid);
        const quint32 mode = type == ModifyWorldTransform ? r.u32() : 4;
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
    default:
        return true;
    }
}

bool EmfPlayer::attribute(EmfRecord type, ByteReader &r)
{
    using enum EmfRecord;
    gdi::DcState &s = m_canvas->state();
    const quint32 value = r.u32();
    if (!r.ok())
        return false;
    switch (type) {
    case SetMapMode: if (value >= 1 && value <= 8) s.mapMode = int(value); break;
    case SetBkMode: s.opaqueBackground = value == 2; break;
    case SetPolyFillMode: s.fillRule = value == 2 ? Qt::WindingFill : Qt::OddEvenFill; break;
    case SetTextAlign: s.textAlign = value; break;
    case SetTextColor: s.textColor = colourRef(value); break;
    case SetBkColor: s.bkColor = colourRef(value); break;
    case SetArcDirection: s.clockwiseArcs = value == 2; break;
    default: break;
    }
    return true;
}

bool EmfPlayer::object(EmfRecord type, ByteReader &r)
{
    using enum EmfRecord;
    Canvas &c = *m_canvas;
    const quint32 index = r.u32();
    switch (type) {
    case SelectObject: case DeleteObject:
        if (!r.ok())
            return false;
        if (type == SelectObject)
            c.selectObject(index);
        else
            c.deleteObject(index);
        return true;
    case CreatePen: {
        const quint32 style = r.u32();
        const qint32 width = r.i32();
        r.i32();
        const quint32 colour = r.u32();
        if (!r.ok())
            return false;
        c.setObject(index, makePen(style & 0x0F, width, colourRef(colour)));
        return true;
    }
    case ExtCreatePen: {
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
    case CreateBrushIndirect: {
        const quint32 style = r.u32(), colour = r.u32(), hatch = r.u32();
        if (!r.ok())
            return false;
        c.setObject(index, makeBrush(style, colourRef(colour), hatch));
        return true;
    }
    case CreateMonoBrush: case CreateDibPatternBrushPt: {
        r.u32();
        const quint32 offInfo = r.u32(), infoBytes = r.u32(), offBits = r.u32(), bitsBytes = r.u32();
        if (!r.ok())
            return false;
        c.setObject(index, patternBrush(dibAt(offInfo, infoBytes, offBits, bitsBytes)));
        return true;
    }
    case CreatePalette: // takes a slot
        if (!r.ok())
            return false;
        c.setObject(index, gdi::Placeholder{});
        return true;
    case ExtCreateFontIndirectW: {
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
    default:
        return true;
    }
}

bool EmfPlayer::clipping(EmfRecord type, ByteReader &r)
{
    using enum EmfRecord;
    Canvas &c = *m_canvas;
    switch (type) {
    case OffsetClipRgn: {
        const QPointF p = pointL(r);
        if (!r.ok())
            return false;
        c.offsetClip(p);
        return true;
    }
    case ExcludeClipRect: case IntersectClipRect: {
        const QRectF box = rectL(r);
        if (!r.ok())
            return false;
        if (type == ExcludeClipRect)
            c.excludeClipRect(box);
        else
            c.intersectClipRect(box);
        return true;
    }
    case ExtSelectClipRgn: {
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
    default:
        return true;
    }
}

bool EmfPlayer::path(EmfRecord type, ByteReader &r)
{
    using enum EmfRecord;
    Canvas &c = *m_canvas;
    switch (type) {
    case BeginPath: c.beginPath(); return true;
    case EndPath: c.endPath(); return true;
    case CloseFigure: c.closeFigure(); return true;
    case FillPath: c.fillPath(); return true;
    case StrokeAndFillPath: c.strokeAndFillPath(); return true;
    case StrokePath: c.strokePath(); return true;
    case AbortPath: c.abortPath(); return true;
    case SelectClipPath: {
        const quint32 mode = r.u32();
        if (!r.ok())
            return false;
        c.selectClipPath(int(mode));
        return true;
    }
    default:
        return true;
    }
}

// FILLRGN and PAINTRGN: rectangles in logical units.
bool EmfPlayer::fill(EmfRecord type, ByteReader &r)
{
    Canvas &c = *m_canvas;
    r.skip(16);
    const quint32 bytes = r.u32();
    const quint32 brush = type == EmfRecord::FillRgn ? r.u32() : quint32(-1);
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

bool EmfPlayer::gradient(ByteReader &r)
{
    Canvas &c = *m_canvas;
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

// BITBLT, STRETCHBLT, ALPHABLEND, TRANSPARENTBLT
bool EmfPlayer::bitmap(EmfRecord type, ByteReader &r)
{
    Canvas &c = *m_canvas;
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
    if (type != EmfRecord::BitBlt) {
        wSrc = r.i32();
        hSrc = r.i32();
    }
    if (!r.ok())
        return false;
    if (infoBytes == 0) {
        c.patternBlit(QRectF(x, y, w, h), rop);
        return true;
    }
    QImage image = dibAt(offInfo, infoBytes, offBits, bitsBytes);
    if (type == EmfRecord::AlphaBlend && !image.isNull() && ((rop >> 16) & 0xFF) != 0xFF) {
        image = image.convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QImage faded(image.size(), image.format());
        faded.fill(Qt::transparent);
        QPainter p(&faded);
        p.setOpacity(((rop >> 16) & 0xFF) / 255.0);
        p.drawImage(0, 0, image);
        image = faded;
    }
    if (type == EmfRecord::TransparentBlt && !image.isNull()) { // rop holds the colour left out
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
           type == EmfRecord::AlphaBlend || type == EmfRecord::TransparentBlt ? 0x00CC0020 : rop);
    return true;
}

// SETDIBITSTODEVICE, STRETCHDIBITS
bool EmfPlayer::deviceBitmap(EmfRecord type, ByteReader &r)
{
    Canvas &c = *m_canvas;
    r.skip(16);
    const qreal x = r.i32(), y = r.i32(), xSrc = r.i32(), ySrc = r.i32(), wSrc = r.i32(), hSrc = r.i32();
    const quint32 offInfo = r.u32(), infoBytes = r.u32(), offBits = r.u32(), bitsBytes = r.u32();
    r.u32();
    qreal w = wSrc, h = hSrc;
    quint32 rop = 0x00CC0020;
    if (type == EmfRecord::StretchDiBits) {
        rop = r.u32();
        w = r.i32();
        h = r.i32();
    }
    if (!r.ok())
        return false;
    QByteArrayView info;
    const QImage image = dibAt(offInfo, infoBytes, offBits, bitsBytes, &info);
    if (!image.isNull())
        c.blit(QRectF(x, y, w, h), image, sourceRect(info, image, xSrc, ySrc, wSrc, hSrc, true), rop);
    return true;
}

bool EmfPlayer::textOut(EmfRecord type, ByteReader &r)
{
    Canvas &c = *m_canvas;
    r.skip(16 + 12);
    const QPointF ref = pointL(r);
    const quint32 chars = r.u32(), offString = r.u32(), options = r.u32();
    const QRectF box = rectL(r);
    const quint32 offDx = r.u32();
    if (!r.ok())
        return false;
    const qint64 charBytes = type == EmfRecord::ExtTextOutW ? 2 : 1;
    if (chars == 0)
        return true;
    if (qint64(offString) + chars * charBytes > m_recordSize)
        return false;
    const QByteArrayView raw = m_data.sliced(m_recordStart + offString, chars * charBytes);
    const QString text = type == EmfRecord::ExtTextOutW
        ? QString::fromUtf16(reinterpret_cast<const char16_t *>(raw.data()), chars)
        : qcm::fromWindows1252(raw.toByteArray());
    QList<qreal> advances;
    if (offDx && qint64(offDx) + qint64(chars) * 4 <= m_recordSize) {
        ByteReader dx(m_data.sliced(m_recordStart, m_recordSize));
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

} // namespace

QImage renderEmf(QByteArrayView data, QString *error, DecodeBudget &budget)
{
    return EmfPlayer(data, budget).play(error);
}

} // namespace pictures
