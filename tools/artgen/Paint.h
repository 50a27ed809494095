#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <QString>

// Drawing helpers shared by the skins, the button faces and the icons.
namespace art {

// One palette for the whole program.
namespace pal {
inline const QColor teal{0x00, 0x80, 0x80};
inline const QColor tealLight{0x2a, 0xb0, 0xac};
inline const QColor tealDark{0x00, 0x5c, 0x5e};
inline const QColor tealDeep{0x00, 0x44, 0x48};
inline const QColor body{0xe9, 0xf3, 0xf2};
inline const QColor bodyLow{0xdd, 0xec, 0xeb};
inline const QColor bar{0xcf, 0xe6, 0xe4};
inline const QColor barLow{0xc0, 0xdc, 0xda};
inline const QColor panelEdge{0xb4, 0xd2, 0xd0};
inline const QColor white{0xff, 0xff, 0xff};
inline const QColor navy{0x00, 0x00, 0x80};
inline const QColor violet{0x7a, 0x52, 0xb8};
inline const QColor violetDark{0x4e, 0x2f, 0x86};
inline const QColor amber{0xff, 0xc1, 0x2e};
inline const QColor coral{0xe8, 0x55, 0x3f};
inline const QColor green{0x2e, 0xa0, 0x4a};
inline const QColor blue{0x2f, 0x80, 0xd6};
inline const QColor key{0xff, 0x00, 0xff};
} // namespace pal

// Every picture is drawn at 1x and again at 2x for high-density screens. All
// sizes and coordinates are in 1x pixels; images carry their pixel ratio.
void setScale(int scale);
int scale();
// An uninitialised ARGB canvas of width × height 1x pixels at the present scale.
QImage surface(int width, int height);
// An image's size in 1x pixels.
QSize logicalSize(const QImage &image);

// Loads the bundled fonts once; the pictures must not depend on the machine.
void loadFonts();
QFont boldFont(qreal pixelSize, bool italic = false);
QFont regularFont(qreal pixelSize);

QColor mix(const QColor &a, const QColor &b, qreal t);
QColor withAlpha(const QColor &c, int alpha);

// Antialiasing on, fixed hints, so that every run draws the same pixels.
void prepare(QPainter &p);

// A transparent ARGB canvas of the given size.
QImage canvas(int width, int height);

// The coverage of a path, blurred (three box passes), as an alpha-only image
// of the canvas size.
QImage blurredCoverage(const QPainterPath &path, QSize size, int radius);

// Paints a soft shadow of a path (offset, blurred) in the given colour.
void drawShadow(QPainter &p, const QPainterPath &path, QSize canvasSize, QPointF offset,
                int radius, const QColor &colour);

// Emboss: lights the blurred height of a shape from the top left; returns an
// ARGB layer of highlights and shades to paint over a flat ground.
QImage emboss(const QPainterPath &shape, QSize size, int radius, qreal strength);

// Turns a drawn skin into the key-coloured bitmap: pixels less than half
// covered by the outline become exactly the key colour, every other pixel
// becomes fully opaque, and the one-pixel frame along the edges is key. The
// key pixels are decided at 1x, so a 2x skin has exactly the 1x outline.
QImage keyOut(const QImage &content, const QPainterPath &outline);

// Draws big and scales down: small icons come out smoother than drawn direct.
QImage downscale(const QImage &big, int width, int height);

// A text centred in a rectangle with a soft drop shadow under it.
void shadowedText(QPainter &p, const QRectF &rect, const QString &text, const QFont &font,
                  const QColor &ink, const QColor &shadow, QPointF shadowOffset = {0, 1},
                  Qt::Alignment align = Qt::AlignCenter);

// A rounded rectangle as a path.
QPainterPath rounded(const QRectF &r, qreal radius);

} // namespace art
