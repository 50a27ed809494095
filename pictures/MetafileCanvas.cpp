#include "pictures/MetafileCanvas.h"

#include "pictures/DecodeBudget.h"

#include <QFontMetricsF>
#include <algorithm>
#include <cmath>
#include <numeric>
#include <optional>
#include <utility>

namespace pictures::gdi {
namespace {

constexpr int MaxSavedStates = 1024;
// Boolean operations on paths grow worse than linearly; past this size a
// clip is approximated by its bounding rectangle.
constexpr int MaxClipElements = 20000;
constexpr qsizetype MaxTextCharacters = 4096;
constexpr qsizetype LongText = 256;
// A wide pen costs in proportion to its width: past this many picture
// pixels, a long line is stroked a few segments at a time, looking at the
// budget in between.
constexpr qreal WidePenPixels = 8;
constexpr int SegmentsPerStroke = 32;
// A long text is filled this many glyphs at a time, looking at the budget in
// between: glyphs a mapping stretches over many rows keep the rasterizer long.
constexpr qsizetype GlyphsPerFill = 8;

// A dashed stroke this many times larger than the picture is drawn only
// where it crosses the picture (see strokeDashedOverPicture).
constexpr qreal FarLargerThanPicture = 4;

// The part of a line inside a rectangle, as the fractions of the line where
// it enters and leaves (Liang and Barsky's clipping); nothing when it misses.
std::optional<std::pair<qreal, qreal>> partInside(const QLineF &line, const QRectF &rect)
{
    qreal enter = 0, leave = 1;
    const qreal dx = line.dx(), dy = line.dy();
    const std::pair<qreal, qreal> sides[] = {{-dx, line.x1() - rect.left()}, {dx, rect.right() - line.x1()},
                                             {-dy, line.y1() - rect.top()}, {dy, rect.bottom() - line.y1()}};
    for (const auto &[towards, room] : sides) {
        if (towards == 0) {
            if (room < 0)
                return std::nullopt;
            continue;
        }
        const qreal at = room / towards;
        if (towards < 0)
            enter = qMax(enter, at);
        else
            leave = qMin(leave, at);
    }
    if (enter > leave)
        return std::nullopt;
    return std::pair{enter, leave};
}

bool finite(const QTransform &t)
{
    return std::isfinite(t.m11()) && std::isfinite(t.m12()) && std::isfinite(t.m21()) && std::isfinite(t.m22())
        && std::isfinite(t.dx()) && std::isfinite(t.dy());
}

QPainterPath rectPath(const QRectF &box)
{
    QPainterPath path;
    path.addRect(box.normalized());
    return path;
}

// The angle Qt's arcs use for the point p on the ellipse inscribed in box.
qreal angleOf(const QRectF &box, QPointF p)
{
    const QPointF centre = box.center();
    const qreal rx = qMax<qreal>(box.width() / 2, 1e-9);
    const qreal ry = qMax<qreal>(box.height() / 2, 1e-9);
    return std::atan2(-(p.y() - centre.y()) / ry, (p.x() - centre.x()) / rx) * 180 / M_PI;
}

} // namespace

QPen DcState::cosmeticPen(const QColor &colour)
{
    QPen pen(colour, 0);
    pen.setCosmetic(true);
    pen.setCapStyle(Qt::RoundCap);
    pen.setJoinStyle(Qt::RoundJoin);
    return pen;
}

Canvas::Canvas(QImage &picture, const QTransform &play, QSizeF pixelsPerMm, const DecodeBudget &budget)
    : m_picture(picture), m_painter(&picture), m_play(play), m_pixelsPerMm(pixelsPerMm), m_budget(budget)
{
    m_painter.setRenderHint(QPainter::Antialiasing);
    m_painter.setRenderHint(QPainter::SmoothPixmapTransform);
    m_painter.setRenderHint(QPainter::TextAntialiasing);
    m_state.font.face = QStringLiteral("Liberation Sans");
}

QTransform Canvas::transform() const
{
    const DcState &s = m_state;
    qreal sx = 1, sy = 1;
    const qreal ppmX = m_pixelsPerMm.width(), ppmY = m_pixelsPerMm.height();
    switch (s.mapMode) {
    case MmLoMetric: sx = ppmX * 0.1; sy = -ppmY * 0.1; break;
    case MmHiMetric: sx = ppmX * 0.01; sy = -ppmY * 0.01; break;
    case MmLoEnglish: sx = ppmX * 0.254; sy = -ppmY * 0.254; break;
    case MmHiEnglish: sx = ppmX * 0.0254; sy = -ppmY * 0.0254; break;
    case MmTwips: sx = ppmX * 25.4 / 1440; sy = -ppmY * 25.4 / 1440; break;
    case MmIsotropic:
    case MmAnisotropic:
        sx = s.viewportExt.width() / s.windowExt.width();
        sy = s.viewportExt.height() / s.windowExt.height();
        if (s.mapMode == MmIsotropic) {
            const qreal scale = qMin(qAbs(sx), qAbs(sy));
            sx = std::copysign(scale, sx);
            sy = std::copysign(scale, sy);
        }
        break;
    default: break;
    }
    const QTransform page(sx, 0, 0, sy, s.viewportOrg.x() - s.windowOrg.x() * sx,
                          s.viewportOrg.y() - s.windowOrg.y() * sy);
    return s.world * page * m_play;
}

double Canvas::transformScale() const
{
    return std::sqrt(qAbs(transform().determinant()));
}

void Canvas::setWindowExt(QSizeF ext)
{
    if (ext.width() != 0 && ext.height() != 0)
        m_state.windowExt = ext;
}

void Canvas::setViewportExt(QSizeF ext)
{
    if (ext.width() != 0 && ext.height() != 0)
        m_state.viewportExt = ext;
}

void Canvas::setObject(quint32 index, Object object)
{
    if (index < m_objects.size())
        m_objects[index] = std::move(object);
}

void Canvas::createInFreeSlot(Object object)
{
    for (Object &slot : m_objects) {
        if (std::holds_alternative<std::monostate>(slot)) {
            slot = std::move(object);
            return;
        }
    }
}

void Canvas::selectObject(quint32 index)
{
    if (index & 0x80000000u) {
        selectStockObject(index & 0x7FFFFFFFu);
        return;
    }
    if (index >= m_objects.size())
        return;
    const Object &object = m_objects[index];
    if (const auto *pen = std::get_if<QPen>(&object))
        m_state.pen = *pen;
    else if (const auto *brush = std::get_if<QBrush>(&object))
        m_state.brush = *brush;
    else if (const auto *font = std::get_if<LogFont>(&object))
        m_state.font = *font;
}

void Canvas::selectStockObject(quint32 stock)
{
    switch (stock) {
    case 0: m_state.brush = QBrush(Qt::white); break;
    case 1: m_state.brush = QBrush(QColor(0xC0, 0xC0, 0xC0)); break;
    case 2: m_state.brush = QBrush(QColor(0x80, 0x80, 0x80)); break;
    case 3: m_state.brush = QBrush(QColor(0x40, 0x40, 0x40)); break;
    case 4: m_state.brush = QBrush(Qt::black); break;
    case 5: m_state.brush = QBrush(Qt::NoBrush); break;
    case 6: m_state.pen = DcState::cosmeticPen(Qt::white); break;
    case 7: m_state.pen = DcState::cosmeticPen(Qt::black); break;
    case 8: m_state.pen = QPen(Qt::NoPen); break;
    case 10: case 11: case 16:
        m_state.font = LogFont{};
        m_state.font.face = QStringLiteral("Liberation Mono");
        break;
    case 12: case 13: case 14: case 17:
        m_state.font = LogFont{};
        m_state.font.face = QStringLiteral("Liberation Sans");
        break;
    default: break;
    }
}

QBrush Canvas::brushAt(quint32 index) const
{
    if (index < m_objects.size())
        if (const auto *brush = std::get_if<QBrush>(&m_objects[index]))
            return *brush;
    return m_state.brush;
}

void Canvas::deleteObject(quint32 index)
{
    if (index < m_objects.size())
        m_objects[index] = std::monostate{};
}

void Canvas::saveDc()
{
    if (m_saved.size() < MaxSavedStates)
        m_saved.push_back(m_state);
}

void Canvas::restoreDc(int which)
{
    // Negative: that many states back; positive: the state of that depth.
    qsizetype keep = which < 0 ? qsizetype(m_saved.size()) + which : qsizetype(which) - 1;
    if (keep < 0 || keep >= qsizetype(m_saved.size()))
        return;
    m_state = m_saved[keep];
    m_saved.resize(keep);
    m_clipDirty = true;
}

QPainterPath &Canvas::openFigure()
{
    if (m_path.elementCount() == 0)
        m_path.moveTo(transform().map(m_state.position));
    return m_path;
}

void Canvas::moveTo(QPointF p)
{
    m_state.position = p;
    if (m_inPath)
        m_path.moveTo(transform().map(p));
}

void Canvas::lineTo(QPointF p)
{
    if (m_inPath) {
        openFigure().lineTo(transform().map(p));
    } else {
        QPainterPath line(m_state.position);
        line.lineTo(p);
        draw(line, false, true);
    }
    m_state.position = p;
}

void Canvas::polyline(const QPolygonF &points)
{
    if (points.size() < 2)
        return;
    QPainterPath path;
    path.addPolygon(points);
    draw(path, false, true);
}

void Canvas::polylineTo(const QPolygonF &points)
{
    if (points.isEmpty())
        return;
    if (m_inPath) {
        const QTransform t = transform();
        QPainterPath &path = openFigure();
        for (const QPointF &p : points)
            path.lineTo(t.map(p));
    } else {
        QPainterPath path(m_state.position);
        for (const QPointF &p : points)
            path.lineTo(p);
        draw(path, false, true);
    }
    m_state.position = points.last();
}

void Canvas::polyBezier(const QPolygonF &points)
{
    if (points.size() < 4)
        return;
    QPainterPath path(points[0]);
    for (qsizetype i = 1; i + 2 < points.size(); i += 3)
        path.cubicTo(points[i], points[i + 1], points[i + 2]);
    draw(path, false, true);
}

void Canvas::polyBezierTo(const QPolygonF &points)
{
    if (points.size() < 3)
        return;
    if (m_inPath) {
        const QTransform t = transform();
        QPainterPath &path = openFigure();
        for (qsizetype i = 0; i + 2 < points.size(); i += 3)
            path.cubicTo(t.map(points[i]), t.map(points[i + 1]), t.map(points[i + 2]));
    } else {
        QPainterPath path(m_state.position);
        for (qsizetype i = 0; i + 2 < points.size(); i += 3)
            path.cubicTo(points[i], points[i + 1], points[i + 2]);
        draw(path, false, true);
    }
    m_state.position = points[points.size() - 1 - (points.size() % 3)];
}

void Canvas::polygons(const std::vector<QPolygonF> &polygons)
{
    QPainterPath path;
    for (const QPolygonF &polygon : polygons) {
        if (polygon.size() < 2)
            continue;
        path.addPolygon(polygon);
        path.closeSubpath();
    }
    draw(path, true, true);
}

void Canvas::polylines(const std::vector<QPolygonF> &lines)
{
    QPainterPath path;
    for (const QPolygonF &line : lines)
        if (line.size() >= 2)
            path.addPolygon(line);
    draw(path, false, true);
}

void Canvas::rectangle(const QRectF &box)
{
    draw(rectPath(box), true, true);
}

void Canvas::roundRect(const QRectF &box, QSizeF corner)
{
    QPainterPath path;
    path.addRoundedRect(box.normalized(), qAbs(corner.width()) / 2, qAbs(corner.height()) / 2);
    draw(path, true, true);
}

void Canvas::ellipse(const QRectF &box)
{
    QPainterPath path;
    path.addEllipse(box.normalized());
    draw(path, true, true);
}

void Canvas::arc(const QRectF &rawBox, QPointF start, QPointF end, ArcKind kind, bool fromCurrent)
{
    const QRectF box = rawBox.normalized();
    const qreal from = angleOf(box, start);
    qreal sweep = angleOf(box, end) - from;
    if (m_state.clockwiseArcs) {
        while (sweep >= 0)
            sweep -= 360;
    } else {
        while (sweep <= 0)
            sweep += 360;
    }
    QPainterPath path;
    if (fromCurrent) {
        path.moveTo(m_state.position);
        path.arcTo(box, from, sweep);
    } else if (kind == Pie) {
        path.moveTo(box.center());
        path.arcTo(box, from, sweep);
        path.closeSubpath();
    } else {
        path.arcMoveTo(box, from);
        path.arcTo(box, from, sweep);
        if (kind == Chord)
            path.closeSubpath();
    }
    if (fromCurrent) {
        if (m_inPath) {
            QPainterPath mapped = transform().map(path);
            openFigure().connectPath(mapped);
        } else {
            draw(path, false, true);
        }
        m_state.position = path.currentPosition();
        return;
    }
    draw(path, kind != Arc, true);
}

void Canvas::angleArc(QPointF centre, qreal radius, qreal startDegrees, qreal sweepDegrees)
{
    if (!std::isfinite(startDegrees) || !std::isfinite(sweepDegrees) || qAbs(sweepDegrees) > 1e6)
        return;
    const QRectF box(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius);
    QPainterPath path(m_state.position);
    path.arcTo(box, startDegrees, qBound<qreal>(-3600, sweepDegrees, 3600));
    if (m_inPath)
        openFigure().connectPath(transform().map(path));
    else
        draw(path, false, true);
    m_state.position = path.currentPosition();
}

void Canvas::setPixel(QPointF p, const QColor &colour)
{
    if (m_inPath)
        return;
    applyClip();
    const QPointF at = transform().map(p);
    m_painter.resetTransform();
    m_painter.fillRect(QRectF(std::floor(at.x()), std::floor(at.y()), 1, 1), colour);
}

bool Canvas::paintThrough(const QTransform &t)
{
    if (!finite(t))
        return false;
    applyClip();
    m_painter.setTransform(t);
    return true;
}

void Canvas::fillShape(const QPainterPath &shape, const QBrush &brush)
{
    if (!m_inPath && paintThrough(transform()))
        m_painter.fillPath(shape, brush);
}

void Canvas::beginPath()
{
    m_inPath = true;
    m_path = QPainterPath();
}

void Canvas::abortPath()
{
    m_inPath = false;
    m_path = QPainterPath();
}

void Canvas::closeFigure()
{
    if (m_inPath)
        m_path.closeSubpath();
}

void Canvas::fillPath()
{
    paintPath(m_path, true, false, 1);
    m_path = QPainterPath();
}

void Canvas::strokePath()
{
    paintPath(m_path, false, true, transformScale());
    m_path = QPainterPath();
}

void Canvas::strokeAndFillPath()
{
    paintPath(m_path, true, true, transformScale());
    m_path = QPainterPath();
}

void Canvas::selectClipPath(int mode)
{
    QPainterPath path = m_path;
    path.setFillRule(m_state.fillRule);
    combineClip(path, mode);
    m_path = QPainterPath();
}

void Canvas::draw(const QPainterPath &logical, bool fill, bool stroke)
{
    if (m_inPath) {
        m_path.addPath(transform().map(logical));
        return;
    }
    const QTransform t = transform();
    if (!paintThrough(t))
        return;
    QPainterPath path = logical;
    path.setFillRule(m_state.fillRule);
    if (fill && m_state.brush.style() != Qt::NoBrush)
        m_painter.fillPath(path, brushForPainting(t));
    if (stroke && m_state.pen.style() != Qt::NoPen)
        strokeWithin(path, m_state.pen, transformScale());
}

qreal Canvas::widestUsefulPen() const
{
    // Wider than this, a stroke crossing the picture covers all of it.
    return 2.0 * (m_picture.width() + m_picture.height());
}

void Canvas::strokeWithin(const QPainterPath &path, QPen pen, qreal pixelsPerUnit)
{
    qreal pixels = pen.isCosmetic() ? qMax<qreal>(1, pen.widthF()) : pen.widthF() * pixelsPerUnit;
    if (!std::isfinite(pixels))
        return;
    if (pixels > widestUsefulPen() && pixelsPerUnit > 0) {
        pen.setWidthF(pen.isCosmetic() ? widestUsefulPen() : widestUsefulPen() / pixelsPerUnit);
        pixels = widestUsefulPen();
    }
    if (pen.style() != Qt::SolidLine) {
        const QRectF extent = m_painter.transform().mapRect(path.controlPointRect());
        if (extent.width() + extent.height() > FarLargerThanPicture * (m_picture.width() + m_picture.height())) {
            strokeDashedOverPicture(path, pen, pixels);
            return;
        }
    }
    if (pixels <= WidePenPixels || path.elementCount() <= SegmentsPerStroke) {
        m_painter.strokePath(path, pen);
        return;
    }
    // Each piece starts where the last one ended, so the line stays whole.
    QPainterPath piece;
    for (int i = 0; i < path.elementCount(); ++i) {
        const QPainterPath::Element e = path.elementAt(i);
        if (e.isMoveTo() || piece.elementCount() == 0) {
            piece.moveTo(e);
        } else if (e.isLineTo()) {
            piece.lineTo(e);
        } else { // a curve: its two control points follow it
            if (i + 2 >= path.elementCount())
                break;
            piece.cubicTo(e, path.elementAt(i + 1), path.elementAt(i + 2));
            i += 2;
        }
        if (piece.elementCount() > SegmentsPerStroke) {
            if (!m_budget.stillGoing())
                return;
            m_painter.strokePath(piece, pen);
            const QPointF end = piece.currentPosition();
            piece = QPainterPath();
            const bool nextStartsAnew = i + 1 < path.elementCount() && path.elementAt(i + 1).isMoveTo();
            if (!nextStartsAnew)
                piece.moveTo(end);
        }
    }
    if (piece.elementCount() > 1)
        m_painter.strokePath(piece, pen);
}

// The painter cuts a dashed line into dashes along its whole length, most of
// them off the picture when the line is far larger: millions for a line
// millions of pixels long, seconds of work. Each segment is drawn only where
// it crosses the picture, its dashes where they fall on the whole line.
void Canvas::strokeDashedOverPicture(const QPainterPath &path, QPen pen, qreal pixels)
{
    const QTransform t = m_painter.transform();
    const qreal margin = pixels + 2;
    const QRectF area = QRectF(m_picture.rect()).adjusted(-margin, -margin, margin, margin);
    // The dash pattern is in pen widths, along the line as the pen sees it.
    const qreal patternUnit = pen.isCosmetic() ? qMax<qreal>(1, pen.widthF()) : qMax<qreal>(1e-9, pen.widthF());
    const qreal startOffset = pen.dashOffset();
    // Qt's strokers lose precision on a dash offset of millions: it is given
    // within one period of the pattern.
    const QList<qreal> pattern = pen.dashPattern();
    const qreal period = std::accumulate(pattern.begin(), pattern.end(), qreal(0));
    int drawn = 0;
    for (const QPolygonF &line : path.toSubpathPolygons()) {
        qreal along = 0;
        for (qsizetype i = 1; i < line.size(); ++i) {
            const QPointF a = line[i - 1], b = line[i];
            const QLineF onPicture(t.map(a), t.map(b));
            const qreal length = pen.isCosmetic() ? onPicture.length() : QLineF(a, b).length();
            if (const auto part = partInside(onPicture, area)) {
                if (++drawn % SegmentsPerStroke == 0 && !m_budget.stillGoing())
                    return;
                QPainterPath piece(a + (b - a) * part->first);
                piece.lineTo(a + (b - a) * part->second);
                const qreal offset = startOffset + (along + length * part->first) / patternUnit;
                pen.setDashOffset(period > 0 ? std::fmod(offset, period) : offset);
                m_painter.strokePath(piece, pen);
            }
            along += length;
        }
    }
}

void Canvas::paintPath(const QPainterPath &picturePath, bool fill, bool stroke, double penScale)
{
    m_inPath = false;
    applyClip();
    m_painter.resetTransform();
    QPainterPath path = picturePath;
    path.setFillRule(m_state.fillRule);
    if (fill && m_state.brush.style() != Qt::NoBrush)
        m_painter.fillPath(path, brushForPainting(QTransform()));
    if (stroke && m_state.pen.style() != Qt::NoPen) {
        QPen pen = m_state.pen;
        if (!pen.isCosmetic())
            pen.setWidthF(pen.widthF() * penScale);
        strokeWithin(path, pen, 1);
    }
}

QBrush Canvas::brushForPainting(const QTransform &t) const
{
    // Hatches and patterns keep their size in pixels whatever the mapping.
    QBrush brush = m_state.brush;
    if (brush.style() != Qt::SolidPattern && t.isInvertible())
        brush.setTransform(t.inverted());
    return brush;
}

void Canvas::applyClip()
{
    if (!m_clipDirty)
        return;
    m_painter.resetTransform();
    if (m_state.clip)
        m_painter.setClipPath(*m_state.clip);
    else
        m_painter.setClipping(false);
    m_clipDirty = false;
}

void Canvas::combineClip(const QPainterPath &given, int mode)
{
    if (mode == RgnCopy || (mode == RgnAnd && !m_state.clip)) {
        m_state.clip = given;
        m_clipDirty = true;
        return;
    }
    const QPainterPath whole = rectPath(QRectF(m_picture.rect()));
    QPainterPath current = m_state.clip.value_or(whole);
    QPainterPath path = given;
    if (current.elementCount() > MaxClipElements)
        current = rectPath(current.boundingRect());
    if (path.elementCount() > MaxClipElements)
        path = rectPath(path.boundingRect());
    switch (mode) {
    case RgnAnd: m_state.clip = current.intersected(path); break;
    case RgnOr: m_state.clip = current.united(path); break;
    case RgnXor: m_state.clip = current.united(path).subtracted(current.intersected(path)); break;
    case RgnDiff: m_state.clip = current.subtracted(path); break;
    default: return;
    }
    m_clipDirty = true;
}

void Canvas::intersectClipRect(const QRectF &box)
{
    combineClip(transform().map(rectPath(box)), RgnAnd);
}

void Canvas::excludeClipRect(const QRectF &box)
{
    combineClip(transform().map(rectPath(box)), RgnDiff);
}

void Canvas::combineClipRegion(const QList<QRectF> &deviceRects, int mode)
{
    if (deviceRects.isEmpty() && mode == RgnCopy) {
        m_state.clip.reset();
        m_clipDirty = true;
        return;
    }
    QPainterPath region;
    for (const QRectF &box : deviceRects)
        region.addRect(box.normalized());
    region.setFillRule(Qt::WindingFill);
    combineClip(m_play.map(region), mode);
}

void Canvas::offsetClip(QPointF logicalOffset)
{
    if (!m_state.clip)
        return;
    const QTransform t = transform();
    const QPointF delta = t.map(logicalOffset) - t.map(QPointF());
    m_state.clip->translate(delta);
    m_clipDirty = true;
}

void Canvas::text(QPointF ref, const QString &text, const QList<qreal> &advances, quint32 options,
                  const QRectF &box)
{
    constexpr quint32 EtoOpaque = 2, EtoClipped = 4;
    constexpr quint32 TaUpdateCp = 1, TaRight = 2, TaCentre = 6, TaBottom = 8, TaBaseline = 24;
    if (text.isEmpty() || text.size() > MaxTextCharacters)
        return;
    const DcState &s = m_state;
    const bool useCurrent = s.textAlign & TaUpdateCp;
    if (useCurrent)
        ref = s.position;
    QTransform t = transform();
    if (!finite(t) || !t.isInvertible())
        return;

    if (!m_inPath) {
        applyClip();
        if ((options & EtoOpaque) && !box.isEmpty()) {
            m_painter.setTransform(t);
            m_painter.fillRect(box.normalized(), s.bkColor);
        }
    }

    // Text stays upright when the mapping turns the y axis upwards.
    // In double: a file may give the most negative int, which has no opposite.
    const double fontHeight = qAbs(double(s.font.height));
    const double height = fontHeight > 0 ? fontHeight : 12 / qMax(transformScale(), 1e-6);
    QTransform local = QTransform::fromTranslate(ref.x(), ref.y()) * t;
    if (t.determinant() < 0)
        local = QTransform::fromScale(1, -1) * local;
    if (s.font.escapement)
        local = QTransform().rotate(-double(s.font.escapement) / 10.0) * local;
    // Lay the glyphs out near their size in pixels so hinting stays sensible.
    const double pixelScale = std::sqrt(qAbs(local.determinant()));
    const int pixelSize = int(qBound(1.0, std::round(height * pixelScale), 2000.0));
    const double unit = height / pixelSize;
    local = QTransform::fromScale(unit, unit) * local;

    QFont font(s.font.face);
    font.setPixelSize(pixelSize);
    font.setWeight(QFont::Weight(qBound(100, s.font.weight ? s.font.weight : 400, 900)));
    font.setItalic(s.font.italic);
    font.setUnderline(s.font.underline);
    font.setStrikeOut(s.font.strikeOut);
    QFontMetricsF metrics(font);
    if (s.font.height > 0) { // cell height: shrink to the character height
        const double cell = metrics.ascent() + metrics.descent();
        if (cell > 0) {
            font.setPixelSize(qMax(1, int(std::round(pixelSize * pixelSize / cell))));
            metrics = QFontMetricsF(font);
        }
    }

    QList<qreal> steps;
    qreal width = 0;
    if (advances.size() >= text.size()) {
        for (qsizetype i = 0; i < text.size(); ++i) {
            steps.append(advances[i] / unit);
            width += steps.last();
        }
    } else {
        width = metrics.horizontalAdvance(text);
    }
    // A long text is laid out a glyph at a time, so that glyphs off the
    // picture cost nothing.
    const bool glyphByGlyph = !steps.isEmpty() || text.size() > LongText;
    qreal x = 0;
    if ((s.textAlign & TaCentre) == TaCentre)
        x = -width / 2;
    else if (s.textAlign & TaRight)
        x = -width;
    qreal baseline = metrics.ascent();
    if ((s.textAlign & TaBaseline) == TaBaseline)
        baseline = 0;
    else if (s.textAlign & TaBottom)
        baseline = -metrics.descent();

    QList<QPainterPath> runs(1);
    if (!glyphByGlyph) {
        runs.first().addText(QPointF(x, baseline), font, text);
    } else {
        const QRectF picture = QRectF(m_picture.rect());
        const qreal reach = metrics.height(); // room for italics and overhangs
        // Glyphs that only move forward cross the picture in one run.
        const bool forward = std::all_of(steps.begin(), steps.end(), [](qreal step) { return step >= 0; });
        bool entered = false;
        qsizetype added = 0;
        qreal at = x;
        for (qsizetype i = 0; i < text.size(); ++i) {
            if (!m_budget.stillGoing())
                return;
            const qreal step = steps.isEmpty() ? metrics.horizontalAdvance(text.at(i)) : steps[i];
            const QRectF cell(at - reach, baseline - metrics.ascent() - reach, qAbs(step) + 2 * reach,
                              metrics.height() + 2 * reach);
            if (local.mapRect(cell).intersects(picture)) {
                if (entered && ++added % GlyphsPerFill == 0)
                    runs.append(QPainterPath());
                runs.last().addText(QPointF(at, baseline), font, QString(text.at(i)));
                entered = true;
            } else if (entered && forward) {
                break;
            }
            at += step;
        }
    }
    if (m_inPath) {
        for (const QPainterPath &run : std::as_const(runs))
            m_path.addPath(local.map(run));
    } else {
        m_painter.setTransform(local);
        if (s.opaqueBackground && !(options & EtoOpaque))
            fillOverPicture(local.map(QPolygonF(QRectF(x, baseline - metrics.ascent(), width, metrics.height()))),
                            s.bkColor);
        m_painter.save();
        if ((options & EtoClipped) && !box.isEmpty()) {
            m_painter.setTransform(t);
            m_painter.setClipRect(box.normalized(), Qt::IntersectClip);
            m_painter.setTransform(local);
        }
        for (const QPainterPath &run : std::as_const(runs)) {
            if (!m_budget.stillGoing())
                break;
            m_painter.fillPath(run, s.textColor);
        }
        m_painter.restore();
    }
    if (useCurrent)
        m_state.position = ref + QPointF(width * unit, 0);
}

// Qt's rasterizer takes seconds over a turned shape millions of pixels
// wide, as a text's background can be: only its part over the picture is filled.
void Canvas::fillOverPicture(const QPolygonF &shape, const QColor &colour)
{
    QPainterPath onPicture;
    onPicture.addPolygon(shape);
    QPainterPath picture;
    picture.addRect(QRectF(m_picture.rect()));
    m_painter.save();
    m_painter.resetTransform();
    m_painter.fillPath(onPicture.intersected(picture), colour);
    m_painter.restore();
}

void Canvas::blit(const QRectF &dest, const QImage &image, const QRectF &source, quint32 rop)
{
    if (m_inPath || image.isNull() || source.width() == 0 || source.height() == 0)
        return;
    const QTransform t = QTransform::fromScale(dest.width() / source.width(), dest.height() / source.height())
        * QTransform::fromTranslate(dest.x(), dest.y()) * transform();
    if (!finite(t))
        return;
    applyClip();
    m_painter.save();
    m_painter.setTransform(t);
    QImage picture = image;
    switch (rop) {
    case 0x008800C6: m_painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination); break;
    case 0x00EE0086: m_painter.setCompositionMode(QPainter::RasterOp_SourceOrDestination); break;
    case 0x00660046: m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination); break;
    case 0x00330008: picture.invertPixels(); break;
    default: break;
    }
    m_painter.drawImage(QPointF(0, 0), picture, source);
    m_painter.restore();
}

void Canvas::patternBlit(const QRectF &dest, quint32 rop)
{
    if (m_inPath)
        return;
    applyClip();
    m_painter.save();
    m_painter.setTransform(transform());
    switch (rop) {
    case 0x00000042: m_painter.fillRect(dest.normalized(), Qt::black); break;
    case 0x00FF0062: m_painter.fillRect(dest.normalized(), Qt::white); break;
    case 0x005A0049:
        m_painter.setCompositionMode(QPainter::RasterOp_SourceXorDestination);
        m_painter.fillRect(dest.normalized(), brushForPainting(transform()));
        break;
    case 0x00550009:
        m_painter.setCompositionMode(QPainter::RasterOp_NotDestination);
        m_painter.fillRect(dest.normalized(), Qt::white);
        break;
    default:
        if (m_state.brush.style() != Qt::NoBrush)
            m_painter.fillRect(dest.normalized(), brushForPainting(transform()));
        break;
    }
    m_painter.restore();
}

} // namespace pictures::gdi
