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

constexpr int DefaultWmfSide = 1024;

class WmfPlayer
{
public:
    WmfPlayer(QByteArrayView data, DecodeBudget &budget) : m_data(data), m_budget(budget) {}
    QImage play(QString *error);

private:
    bool record(WmfRecord function, ByteReader &r);
    // One function per family of records.
    bool attribute(WmfRecord function, ByteReader &r);
    bool mapping(WmfRecord function, ByteReader &r);
    bool shape(WmfRecord function, ByteReader &r);
    bool clipping(WmfRecord function, ByteReader &r);
    bool object(WmfRecord function, ByteReader &r);
    bool textOut(WmfRecord function, ByteReader &r);
    bool bitmap(WmfRecord function, ByteReader &r);

    bool dibBlit(ByteReader &r, quint32 rop, QRectF dest, QRectF source, bool flipY);
    QRectF rect16(ByteReader &r) { const qreal b = r.i16(), rr = r.i16(), t = r.i16(), l = r.i16(); return QRectF(QPointF(l, t), QPointF(rr, b)); }
    QPointF point16(ByteReader &r) { const qreal y = r.i16(); return QPointF(r.i16(), y); }
    bool points(ByteReader &r, qsizetype count, QPolygonF &out);

    QByteArrayView m_data;
    DecodeBudget &m_budget;
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
            if (WmfRecord(function) == WmfRecord::SetWindowOrg || WmfRecord(function) == WmfRecord::SetWindowExt) {
                const qreal y = r.i16(), x = r.i16();
                if (WmfRecord(function) == WmfRecord::SetWindowOrg)
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
    QImage picture = blankPicture(width, height, m_budget, error);
    if (picture.isNull())
        return picture;

    // The metafile's window is mapped onto the whole picture.
    m_canvas.emplace(picture, QTransform(), QSizeF(96 / 25.4, 96 / 25.4), m_budget);
    m_canvas->resizeObjectTable(objects);
    gdi::DcState &s = m_canvas->state();
    s.mapMode = gdi::MmAnisotropic;
    s.windowOrg = window.topLeft();
    m_canvas->setWindowExt(window.size());
    m_canvas->setViewportExt(QSizeF(width, height));

    Budget budget(m_budget);
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
        if (WmfRecord(function) == WmfRecord::Eof) {
            outcome = Outcome::Drawn;
            break;
        }
        ByteReader params(m_data.sliced(at + 6, qsizetype(words) * 2 - 6));
        if (!record(WmfRecord(function), params))
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

bool WmfPlayer::record(WmfRecord function, ByteReader &r)
{
    using enum WmfRecord;
    switch (function) {
    case SetBkColor: case SetTextColor: case SetBkMode: case SetPolyFillMode: case SetTextAlign:
        return attribute(function, r);
    case SetWindowOrg: case SetWindowExt: case OffsetWindowOrg: case ScaleWindowExt: case SaveDc: case RestoreDc:
        return mapping(function, r);
    case MoveTo: case LineTo: case Polygon: case Polyline: case PolyPolygon: case Rectangle: case Ellipse:
    case RoundRect: case Arc: case Pie: case Chord: case SetPixel:
        return shape(function, r);
    case IntersectClipRect: case ExcludeClipRect:
        return clipping(function, r);
    case SelectObject: case DeleteObject: case CreatePenIndirect: case CreateBrushIndirect:
    case DibCreatePatternBrush: case CreatePatternBrush: case CreatePalette: case CreateRegion:
    case CreateFontIndirect:
        return object(function, r);
    case TextOut: case ExtTextOut:
        return textOut(function, r);
    case PatBlt: case StretchDib: case DibStretchBlt: case DibBitBlt: case SetDibToDev:
        return bitmap(function, r);
    default:
        return true;
    }
}

bool WmfPlayer::attribute(WmfRecord function, ByteReader &r)
{
    using enum WmfRecord;
    gdi::DcState &s = m_canvas->state();
    if (function == SetBkColor || function == SetTextColor) {
        const quint32 colour = r.u32();
        if (!r.ok())
            return false;
        (function == SetBkColor ? s.bkColor : s.textColor) = colourRef(colour);
        return true;
    }
    const quint16 value = r.u16();
    if (!r.ok())
        return false;
    if (function == SetBkMode)
        s.opaqueBackground = value == 2;
    else if (function == SetPolyFillMode)
        s.fillRule = value == 2 ? Qt::WindingFill : Qt::OddEvenFill;
    else
        s.textAlign = value;
    return true;
}

bool WmfPlayer::mapping(WmfRecord function, ByteReader &r)
{
    using enum WmfRecord;
    Canvas &c = *m_canvas;
    gdi::DcState &s = c.state();
    switch (function) {
    case SetWindowOrg: case SetWindowExt: case OffsetWindowOrg: {
        const QPointF p = point16(r);
        if (!r.ok())
            return false;
        if (function == SetWindowOrg)
            s.windowOrg = p;
        else if (function == SetWindowExt)
            c.setWindowExt(QSizeF(p.x(), p.y()));
        else
            s.windowOrg += p;
        return true;
    }
    case ScaleWindowExt: {
        const qreal yDen = r.i16(), yNum = r.i16(), xDen = r.i16(), xNum = r.i16();
        if (!r.ok())
            return false;
        if (xDen != 0 && yDen != 0)
            c.setWindowExt(QSizeF(s.windowExt.width() * xNum / xDen, s.windowExt.height() * yNum / yDen));
        return true;
    }
    case SaveDc: c.saveDc(); return true;
    case RestoreDc: {
        const qint16 which = r.i16();
        if (!r.ok())
            return false;
        c.restoreDc(which);
        return true;
    }
    default:
        return true;
    }
}

bool WmfPlayer::shape(WmfRecord function, ByteReader &r)
{
    using enum WmfRecord;
    Canvas &c = *m_canvas;
    switch (function) {
    case MoveTo: case LineTo: {
        const QPointF p = point16(r);
        if (!r.ok())
            return false;
        if (function == MoveTo)
            c.moveTo(p);
        else
            c.lineTo(p);
        return true;
    }
    case Polygon: case Polyline: {
        const qint16 count = r.i16();
        QPolygonF pts;
        if (!r.ok() || !points(r, count, pts))
            return false;
        if (function == Polygon)
            c.polygons({pts});
        else
            c.polyline(pts);
        return true;
    }
    case PolyPolygon: {
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
    case Rectangle: case Ellipse: {
        const QRectF box = rect16(r);
        if (!r.ok())
            return false;
        if (function == Rectangle)
            c.rectangle(box);
        else
            c.ellipse(box);
        return true;
    }
    case RoundRect: {
        const qreal h = r.i16(), w = r.i16();
        const QRectF box = rect16(r);
        if (!r.ok())
            return false;
        c.roundRect(box, QSizeF(w, h));
        return true;
    }
    case Arc: case Pie: case Chord: {
        const QPointF to = point16(r), from = point16(r);
        const QRectF box = rect16(r);
        if (!r.ok())
            return false;
        c.arc(box, from, to, function == Arc ? gdi::Arc : function == Pie ? gdi::Pie : gdi::Chord);
        return true;
    }
    case SetPixel: {
        const quint32 colour = r.u32();
        const QPointF p = point16(r);
        if (!r.ok())
            return false;
        c.setPixel(p, colourRef(colour));
        return true;
    }
    default:
        return true;
    }
}

bool WmfPlayer::clipping(WmfRecord function, ByteReader &r)
{
    const QRectF box = rect16(r);
    if (!r.ok())
        return false;
    if (function == WmfRecord::IntersectClipRect)
        m_canvas->intersectClipRect(box);
    else
        m_canvas->excludeClipRect(box);
    return true;
}

bool WmfPlayer::object(WmfRecord function, ByteReader &r)
{
    using enum WmfRecord;
    Canvas &c = *m_canvas;
    switch (function) {
    case SelectObject: case DeleteObject: {
        const quint16 index = r.u16();
        if (!r.ok())
            return false;
        if (function == SelectObject)
            c.selectObject(index);
        else
            c.deleteObject(index);
        return true;
    }
    case CreatePenIndirect: {
        const quint16 style = r.u16();
        const qint16 width = r.i16();
        r.i16();
        const quint32 colour = r.u32();
        if (!r.ok())
            return false;
        c.createInFreeSlot(makePen(style & 0x0F, width, colourRef(colour)));
        return true;
    }
    case CreateBrushIndirect: {
        const quint16 style = r.u16();
        const quint32 colour = r.u32();
        const quint16 hatch = r.u16();
        if (!r.ok())
            return false;
        c.createInFreeSlot(makeBrush(style, colourRef(colour), hatch));
        return true;
    }
    case DibCreatePatternBrush: {
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
    case CreatePatternBrush: c.createInFreeSlot(QBrush(Qt::gray)); return true;
    case CreatePalette: case CreateRegion: c.createInFreeSlot(gdi::Placeholder{}); return true;
    case CreateFontIndirect: {
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
    default:
        return true;
    }
}

bool WmfPlayer::textOut(WmfRecord function, ByteReader &r)
{
    if (function == WmfRecord::TextOut) {
        const qint16 length = r.i16();
        if (!r.ok() || length < 0)
            return false;
        const QByteArray text = r.bytes(length).toByteArray();
        r.skip(length % 2);
        const QPointF p = point16(r);
        if (!r.ok())
            return false;
        m_canvas->text(p, qcm::fromWindows1252(text), {}, 0, QRectF());
        return true;
    }
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
    m_canvas->text(p, qcm::fromWindows1252(text), advances, options, box);
    return true;
}

bool WmfPlayer::bitmap(WmfRecord function, ByteReader &r)
{
    using enum WmfRecord;
    switch (function) {
    case PatBlt: {
        const quint32 rop = r.u32();
        const qreal h = r.i16(), w = r.i16(), y = r.i16(), x = r.i16();
        if (!r.ok())
            return false;
        m_canvas->patternBlit(QRectF(x, y, w, h), rop);
        return true;
    }
    case StretchDib: case DibStretchBlt: {
        const quint32 rop = r.u32();
        if (function == StretchDib)
            r.u16();
        const qreal hSrc = r.i16(), wSrc = r.i16(), ySrc = r.i16(), xSrc = r.i16();
        const qreal h = r.i16(), w = r.i16(), y = r.i16(), x = r.i16();
        if (!r.ok())
            return false;
        return dibBlit(r, rop, QRectF(x, y, w, h), QRectF(xSrc, ySrc, wSrc, hSrc), function == StretchDib);
    }
    case DibBitBlt: {
        const quint32 rop = r.u32();
        const qreal ySrc = r.i16(), xSrc = r.i16(), h = r.i16(), w = r.i16(), y = r.i16(), x = r.i16();
        if (!r.ok())
            return false;
        return dibBlit(r, rop, QRectF(x, y, w, h), QRectF(xSrc, ySrc, w, h), false);
    }
    case SetDibToDev: {
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

QImage renderWmf(QByteArrayView data, QString *error, DecodeBudget &budget)
{
    return WmfPlayer(data, budget).play(error);
}

} // namespace pictures
