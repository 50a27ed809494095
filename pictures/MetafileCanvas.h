#pragma once

#include <QBrush>
#include <QElapsedTimer>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QPen>
#include <QTransform>
#include <optional>
#include <variant>
#include <vector>

// A Windows device context played onto a QPainter: the state that metafile
// records change (objects, mapping, clipping, paths) and the drawing calls
// they make, in logical coordinates. Shared by the WMF and EMF players.
namespace pictures {
class DecodeBudget;
}

namespace pictures::gdi {

enum MapMode { MmText = 1, MmLoMetric, MmHiMetric, MmLoEnglish, MmHiEnglish, MmTwips, MmIsotropic, MmAnisotropic };
enum ArcKind { Arc, Chord, Pie };
enum ClipMode { RgnAnd = 1, RgnOr, RgnXor, RgnDiff, RgnCopy };

struct LogFont
{
    double height = 0; // < 0: character height, > 0: cell height, logical units
    int escapement = 0; // tenths of a degree, counter-clockwise
    int weight = 400;
    bool italic = false;
    bool underline = false;
    bool strikeOut = false;
    QString face;
};

struct Placeholder {}; // palettes, regions: they take a slot, draw nothing
using Object = std::variant<std::monostate, QPen, QBrush, LogFont, Placeholder>;

struct DcState
{
    QPen pen = cosmeticPen(Qt::black);
    QBrush brush{Qt::white};
    LogFont font;
    QColor textColor{Qt::black};
    QColor bkColor{Qt::white};
    bool opaqueBackground = true;
    Qt::FillRule fillRule = Qt::OddEvenFill;
    quint32 textAlign = 0;
    int mapMode = MmText;
    QPointF windowOrg;
    QSizeF windowExt{1, 1};
    QPointF viewportOrg;
    QSizeF viewportExt{1, 1};
    QTransform world;
    std::optional<QPainterPath> clip; // picture pixels
    QPointF position;
    bool clockwiseArcs = false;

    static QPen cosmeticPen(const QColor &colour);
};

class Canvas
{
public:
    // play maps device units to the picture's pixels; pixelsPerMm gives the
    // reference device of the fixed mapping modes.
    // Long records look at the budget as they go.
    Canvas(QImage &picture, const QTransform &play, QSizeF pixelsPerMm, const DecodeBudget &budget);

    DcState &state() { return m_state; }
    // The whole chain: world, page (mapping mode), then device to picture.
    QTransform transform() const;
    QTransform deviceToPicture() const { return m_play; }

    void setObject(quint32 index, Object object);
    void selectObject(quint32 index);
    void deleteObject(quint32 index);
    void resizeObjectTable(qsizetype size) { m_objects.resize(size); }
    // Windows 3 metafiles put a new object in the first free slot.
    void createInFreeSlot(Object object);
    void selectStockObject(quint32 stock);
    // The brush in a slot, or the selected one when the slot holds none.
    QBrush brushAt(quint32 index) const;

    void saveDc();
    void restoreDc(int which);
    void setWindowExt(QSizeF ext);
    void setViewportExt(QSizeF ext);

    void moveTo(QPointF p);
    void lineTo(QPointF p);
    void polyline(const QPolygonF &points);
    void polylineTo(const QPolygonF &points);
    void polyBezier(const QPolygonF &points);
    void polyBezierTo(const QPolygonF &points);
    void polygons(const std::vector<QPolygonF> &polygons);
    void polylines(const std::vector<QPolygonF> &lines);
    void rectangle(const QRectF &box);
    void roundRect(const QRectF &box, QSizeF corner);
    void ellipse(const QRectF &box);
    void arc(const QRectF &box, QPointF start, QPointF end, ArcKind kind, bool fromCurrent = false);
    // A line from the current position to the arc's start, then the arc.
    void angleArc(QPointF centre, qreal radius, qreal startDegrees, qreal sweepDegrees);
    void setPixel(QPointF p, const QColor &colour);
    // Fills a logical shape with a brush of its own, leaving the selected one.
    void fillShape(const QPainterPath &shape, const QBrush &brush);

    void beginPath();
    void endPath() { m_inPath = false; }
    void abortPath();
    void closeFigure();
    void fillPath();
    void strokePath();
    void strokeAndFillPath();
    void selectClipPath(int mode);

    void intersectClipRect(const QRectF &box);
    void excludeClipRect(const QRectF &box);
    // Rectangles in device units; none with RgnCopy removes the clipping.
    void combineClipRegion(const QList<QRectF> &deviceRects, int mode);
    void offsetClip(QPointF logicalOffset);

    // ref is ignored when the text alignment says to use the current position.
    void text(QPointF ref, const QString &text, const QList<qreal> &advances, quint32 options,
              const QRectF &box);
    void blit(const QRectF &dest, const QImage &image, const QRectF &source, quint32 rop);
    void patternBlit(const QRectF &dest, quint32 rop);

private:
    // Clips and sets the painter to draw through t; false, setting nothing,
    // when t is not finite.
    bool paintThrough(const QTransform &t);
    void draw(const QPainterPath &logical, bool fill, bool stroke);
    void paintPath(const QPainterPath &picturePath, bool fill, bool stroke, double penScale);
    // Strokes with the painter's transform; pixelsPerUnit turns the pen's width into picture pixels.
    void strokeWithin(const QPainterPath &path, QPen pen, qreal pixelsPerUnit);
    void strokeDashedOverPicture(const QPainterPath &path, QPen pen, qreal pixels);
    // A shape in picture pixels.
    void fillOverPicture(const QPolygonF &shape, const QColor &colour);
    qreal widestUsefulPen() const;
    void applyClip();
    void combineClip(const QPainterPath &path, int mode);
    QPainterPath &openFigure();
    double transformScale() const;
    QBrush brushForPainting(const QTransform &t) const;

    QImage &m_picture;
    QPainter m_painter;
    QTransform m_play;
    QSizeF m_pixelsPerMm;
    DcState m_state;
    std::vector<DcState> m_saved;
    std::vector<Object> m_objects;
    bool m_inPath = false;
    QPainterPath m_path; // picture pixels
    bool m_clipDirty = true;
    const DecodeBudget &m_budget;
};

} // namespace pictures::gdi
