#include "tools/artgen/Artwork.h"
#include "tools/artgen/Paint.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QSvgRenderer>
#include <QtMath>

#include <functional>

namespace art {

namespace {

constexpr int kOver = 4; // icons are drawn this many times larger, then scaled down

using Draw = std::function<void(QPainter &)>;

// Draws in a virtual space of width × height units, kOver pixels per unit.
QImage icon(int width, int height, const Draw &draw)
{
    QImage big = canvas(width * kOver, height * kOver);
    QPainter p(&big);
    prepare(p);
    p.scale(kOver, kOver);
    draw(p);
    p.end();
    return downscale(big, width, height);
}

QImage onGround(const QImage &img, const QColor &ground)
{
    QImage out(img.size(), QImage::Format_RGB32);
    out.setDevicePixelRatio(img.devicePixelRatio());
    out.fill(ground);
    QPainter p(&out);
    p.drawImage(0, 0, img);
    p.end();
    return out;
}

QPen roundPen(const QColor &c, qreal w)
{
    return QPen(c, w, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void drawStopwatch(QPainter &p)
{
    const QPointF c(10, 11);
    const qreal r = 7.4;
    // Crown and side button.
    p.setPen(QPen(QColor(0x30, 0x3a, 0x40), 0.6));
    p.setBrush(QColor(0xe0, 0xe6, 0xea));
    p.drawRoundedRect(QRectF(8, 0.6, 4, 2), 0.8, 0.8);
    p.drawRect(QRectF(9.2, 2.4, 1.6, 1.6));
    p.save();
    p.translate(c);
    p.rotate(45);
    p.drawRoundedRect(QRectF(-1, -r - 2.2, 2, 2.2), 0.5, 0.5);
    p.restore();
    // Case.
    QRadialGradient rim(c + QPointF(-2, -3), r * 1.6);
    rim.setColorAt(0, QColor(0xff, 0xff, 0xff));
    rim.setColorAt(1, QColor(0xa8, 0xb8, 0xc0));
    p.setPen(QPen(QColor(0x26, 0x32, 0x38), 0.7));
    p.setBrush(rim);
    p.drawEllipse(c, r, r);
    p.setPen(Qt::NoPen);
    p.setBrush(pal::white);
    p.drawEllipse(c, r - 1.4, r - 1.4);
    // Minute marks.
    p.setPen(roundPen(QColor(0x37, 0x47, 0x4f), 0.55));
    for (int i = 0; i < 12; ++i) {
        const qreal a = qDegreesToRadians(i * 30.0);
        const qreal in = i % 3 ? 4.6 : 4.0;
        p.drawLine(c + QPointF(in * qSin(a), -in * qCos(a)), c + QPointF(5.4 * qSin(a), -5.4 * qCos(a)));
    }
    // Elapsed sector and hand.
    QPainterPath sector(c);
    sector.arcTo(QRectF(c.x() - 4, c.y() - 4, 8, 8), 90, -110);
    sector.closeSubpath();
    p.fillPath(sector, withAlpha(pal::coral, 90));
    p.setPen(roundPen(pal::coral, 0.9));
    const qreal a = qDegreesToRadians(110.0);
    p.drawLine(c, c + QPointF(4.6 * qSin(a), -4.6 * qCos(a)));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x26, 0x32, 0x38));
    p.drawEllipse(c, 0.8, 0.8);
}

// An open book seen from the front, in an w × h box.
void drawBook(QPainter &p, qreal w, qreal h, const QColor &cover)
{
    const qreal mid = w / 2;
    QPainterPath coverPath;
    coverPath.moveTo(mid, h * 0.30);
    coverPath.cubicTo(mid - w * 0.16, h * 0.14, mid - w * 0.34, h * 0.14, 0.6, h * 0.22);
    coverPath.lineTo(0.6, h - 1.4);
    coverPath.cubicTo(mid - w * 0.3, h * 0.86, mid - w * 0.12, h * 0.9, mid, h - 0.4);
    coverPath.cubicTo(mid + w * 0.12, h * 0.9, mid + w * 0.3, h * 0.86, w - 0.6, h - 1.4);
    coverPath.lineTo(w - 0.6, h * 0.22);
    coverPath.cubicTo(mid + w * 0.34, h * 0.14, mid + w * 0.16, h * 0.14, mid, h * 0.30);
    p.setPen(QPen(cover.darker(150), 0.6));
    p.setBrush(cover);
    p.drawPath(coverPath);
    auto page = [&](qreal dir) {
        QPainterPath pg;
        pg.moveTo(mid, h * 0.24);
        pg.cubicTo(mid + dir * w * 0.14, h * 0.06, mid + dir * w * 0.32, h * 0.04, mid + dir * (mid - 2.2), h * 0.1);
        pg.lineTo(mid + dir * (mid - 2.2), h * 0.84);
        pg.cubicTo(mid + dir * w * 0.3, h * 0.76, mid + dir * w * 0.14, h * 0.78, mid, h * 0.9);
        pg.closeSubpath();
        QLinearGradient g(mid, 0, mid + dir * mid, 0);
        g.setColorAt(0, QColor(0xdc, 0xe4, 0xe8));
        g.setColorAt(0.25, pal::white);
        g.setColorAt(1, QColor(0xf6, 0xf8, 0xfa));
        p.setPen(QPen(QColor(0x78, 0x8a, 0x96), 0.45));
        p.setBrush(g);
        p.drawPath(pg);
        p.setPen(roundPen(QColor(0x9f, 0xb4, 0xc2), 0.7));
        for (int i = 0; i < 4; ++i) {
            const qreal y = h * (0.3 + i * 0.13);
            p.drawLine(QPointF(mid + dir * w * 0.08, y + h * 0.02),
                       QPointF(mid + dir * (mid - 4.4), y - h * 0.02));
        }
    };
    page(-1);
    page(1);
}

// A golden laurel wreath tied with a red bow, in a w × h box.
void drawLaurel(QPainter &p, qreal w, qreal h)
{
    const QPointF c(w / 2, h * 0.5);
    const qreal r = qMin(w, h) * 0.40;
    const qreal len = r * 0.62, wid = r * 0.26;
    auto pointAt = [&](qreal deg) {
        const qreal a = qDegreesToRadians(deg);
        return c + QPointF(-r * qSin(a), r * qCos(a));
    };
    auto leaf = [&](QPointF base, qreal rotation) {
        p.save();
        p.translate(base);
        p.rotate(rotation);
        QPainterPath path;
        path.moveTo(0, 0);
        path.cubicTo(wid, -len * 0.3, wid * 0.7, -len * 0.8, 0, -len);
        path.cubicTo(-wid * 0.7, -len * 0.8, -wid, -len * 0.3, 0, 0);
        QLinearGradient g(-wid, 0, wid, -len);
        g.setColorAt(0, QColor(0xe8, 0xa2, 0x00));
        g.setColorAt(1, QColor(0xff, 0xe8, 0x7c));
        p.setPen(QPen(QColor(0x7a, 0x4c, 0x00), r * 0.05));
        p.setBrush(g);
        p.drawPath(path);
        p.restore();
    };
    // One branch climbs the left side from the bottom to the top; the other
    // is its mirror image.
    auto branch = [&] {
        QPainterPath stem(pointAt(18));
        for (int deg = 24; deg <= 150; deg += 6)
            stem.lineTo(pointAt(deg));
        p.setPen(roundPen(QColor(0x8a, 0x5a, 0x00), r * 0.07));
        p.setBrush(Qt::NoBrush);
        p.drawPath(stem);
        for (int i = 0; i < 6; ++i) {
            const qreal deg = 28 + i * 23;
            const QPointF at = pointAt(deg);
            leaf(at, deg - 90 - 38);
            leaf(at, deg - 90 + 30);
        }
        leaf(pointAt(152), 152 - 90 + 4);
    };
    branch();
    p.save();
    p.translate(2 * c.x(), 0);
    p.scale(-1, 1);
    branch();
    p.restore();
    // The bow where the branches meet.
    const QPointF m = pointAt(0) + QPointF(0, -r * 0.05);
    QPainterPath bow;
    bow.moveTo(m);
    bow.lineTo(m + QPointF(-r * 0.42, -r * 0.2));
    bow.lineTo(m + QPointF(-r * 0.42, r * 0.2));
    bow.closeSubpath();
    bow.moveTo(m);
    bow.lineTo(m + QPointF(r * 0.42, -r * 0.2));
    bow.lineTo(m + QPointF(r * 0.42, r * 0.2));
    bow.closeSubpath();
    bow.moveTo(m);
    bow.lineTo(m + QPointF(-r * 0.3, r * 0.5));
    bow.lineTo(m + QPointF(-r * 0.12, r * 0.5));
    bow.closeSubpath();
    bow.moveTo(m);
    bow.lineTo(m + QPointF(r * 0.3, r * 0.5));
    bow.lineTo(m + QPointF(r * 0.12, r * 0.5));
    bow.closeSubpath();
    p.setPen(QPen(QColor(0x8c, 0x1c, 0x10), r * 0.04));
    p.setBrush(QColor(0xe0, 0x3a, 0x2a));
    p.drawPath(bow);
    p.setBrush(QColor(0xb8, 0x24, 0x18));
    p.drawEllipse(m, r * 0.1, r * 0.1);
}

QImage questionMark()
{
    const int W = 170, H = 230, S = 2;
    QImage big(W * S, H * S, QImage::Format_ARGB32_Premultiplied);
    big.fill(pal::white);
    QPainter p(&big);
    prepare(p);
    p.scale(S, S);

    QPainterPath glyph;
    glyph.addText(0, 0, boldFont(200), QStringLiteral("?"));
    const QRectF box = glyph.boundingRect();
    const QRectF target(30, 14, 104, 176);
    QTransform t;
    t.translate(target.left(), target.top());
    t.scale(target.width() / box.width(), target.height() / box.height());
    t.translate(-box.left(), -box.top());
    glyph = t.map(glyph);

    // Shadow on the ground.
    QPainterPath ground;
    ground.addEllipse(QPointF(88, 212), 60, 9);
    p.scale(1.0 / S, 1.0 / S);
    QTransform up;
    up.scale(S, S);
    drawShadow(p, up.map(ground), big.size(), QPointF(0, 0), 10, withAlpha(QColor(0, 50, 60), 120));
    p.scale(S, S);

    // Depth: the same shape stacked towards the bottom right, darker.
    const int layers = 18;
    for (int i = layers; i >= 1; --i) {
        const qreal t2 = qreal(i) / layers;
        p.fillPath(glyph.translated(i * 0.55, i * 0.45), mix(QColor(0x00, 0x6a, 0x6a), QColor(0x00, 0x3c, 0x40), t2));
    }
    // Face.
    QLinearGradient face(target.topLeft(), target.bottomRight());
    face.setColorAt(0, QColor(0x5c, 0xd6, 0xcf));
    face.setColorAt(0.55, QColor(0x13, 0x9e, 0x9a));
    face.setColorAt(1, QColor(0x00, 0x7c, 0x7c));
    p.fillPath(glyph, face);
    // Bevel light on the upper left edges.
    p.save();
    p.setClipPath(glyph);
    p.setPen(QPen(withAlpha(pal::white, 150), 3));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glyph.translated(1.5, 1.5));
    p.setPen(QPen(withAlpha(QColor(0, 60, 60), 90), 3));
    p.drawPath(glyph.translated(-1.6, -1.6));
    // Gloss on the upper part.
    QPainterPath gloss;
    gloss.addEllipse(QRectF(20, -40, 140, 120));
    QLinearGradient gl(0, 0, 0, 80);
    gl.setColorAt(0, withAlpha(pal::white, 110));
    gl.setColorAt(1, withAlpha(pal::white, 0));
    p.fillPath(gloss, gl);
    p.restore();
    p.setPen(QPen(QColor(0x00, 0x52, 0x56), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(glyph);
    p.end();
    QImage out = big.scaled(W * scale(), H * scale(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                     .convertToFormat(QImage::Format_RGB32);
    out.setDevicePixelRatio(scale());
    return out;
}

// Tool bar icons: 16 × 16 on the tool bars' teal.
QImage toolIcon(const Draw &draw)
{
    return onGround(icon(16, 16, draw), pal::teal);
}

void outlinedPath(QPainter &p, const QPainterPath &path, const QColor &ink, qreal width)
{
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(withAlpha(pal::tealDeep, 170), width + 1.2));
    p.drawPath(path);
    p.setPen(roundPen(ink, width));
    p.drawPath(path);
}

void disc(QPainter &p, const QColor &fill, const QColor &edge)
{
    QRadialGradient g(QPointF(6, 5), 10);
    g.setColorAt(0, fill.lighter(125));
    g.setColorAt(1, fill);
    p.setPen(QPen(edge, 0.8));
    p.setBrush(g);
    p.drawEllipse(QPointF(8, 8), 7, 7);
}

// A printer with a sheet coming out of it.
void drawPrinter(QPainter &p)
{
    p.setPen(QPen(pal::tealDeep, 0.7));
    p.setBrush(pal::white);
    p.drawRect(QRectF(4.5, 1.2, 7, 5));
    QLinearGradient body(0, 5, 0, 12);
    body.setColorAt(0, QColor(0xe4, 0xea, 0xee));
    body.setColorAt(1, QColor(0x8e, 0x9e, 0xa8));
    p.setPen(QPen(QColor(0x26, 0x32, 0x38), 0.7));
    p.setBrush(body);
    p.drawRoundedRect(QRectF(1, 5.4, 14, 6.8), 1.4, 1.4);
    p.setPen(Qt::NoPen);
    p.setBrush(pal::green);
    p.drawEllipse(QPointF(12.6, 7.4), 0.75, 0.75);
    p.setPen(QPen(pal::tealDeep, 0.7));
    p.setBrush(pal::white);
    p.drawRect(QRectF(3.8, 9.6, 8.4, 5.8));
    p.setPen(roundPen(QColor(0x9f, 0xc8, 0xc6), 0.8));
    p.drawLine(QPointF(5.4, 11.8), QPointF(10.6, 11.8));
    p.drawLine(QPointF(5.4, 13.6), QPointF(9.4, 13.6));
}

// A ring-bound notebook of results, with a green tick on it when the log is
// on. Off, it stays as bright as the other icons so it does not look disabled.
void drawLogBook(QPainter &p, bool on)
{
    p.setPen(QPen(pal::tealDeep, 0.7));
    p.setBrush(pal::white);
    p.drawRoundedRect(QRectF(3, 1.2, 10.5, 13.8), 1, 1);
    p.setPen(roundPen(QColor(0x9f, 0xc8, 0xc6), 0.8));
    for (qreal y : {4.6, 7.2, 9.8, 12.4})
        p.drawLine(QPointF(6, y), QPointF(11.6, y));
    p.setPen(QPen(QColor(0x26, 0x32, 0x38), 0.6));
    p.setBrush(pal::amber);
    for (qreal y : {3.4, 6.6, 9.8, 13.0})
        p.drawRoundedRect(QRectF(1.6, y - 0.7, 3, 1.4), 0.6, 0.6);
    if (!on)
        return;
    QPainterPath tick;
    tick.moveTo(7.6, 10.2);
    tick.lineTo(10, 12.8);
    tick.lineTo(15, 6.4);
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(pal::white, 3.6));
    p.drawPath(tick);
    p.setPen(roundPen(pal::green, 2.0));
    p.drawPath(tick);
}

// A loudspeaker; when reading aloud is on, green waves come out of it.
void drawSpeaker(QPainter &p, bool on)
{
    QPainterPath body;
    body.moveTo(1.6, 5.8);
    body.lineTo(4.6, 5.8);
    body.lineTo(8.6, 2.2);
    body.lineTo(8.6, 13.8);
    body.lineTo(4.6, 10.2);
    body.lineTo(1.6, 10.2);
    body.closeSubpath();
    p.setPen(QPen(pal::tealDeep, 0.7));
    p.setBrush(pal::white);
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(pal::amber);
    p.drawRect(QRectF(2.3, 6.5, 2.0, 3.0));
    if (!on)
        return;
    QPainterPath waves;
    for (qreal r : {2.6, 5.2}) {
        waves.arcMoveTo(QRectF(9 - r, 8 - r, 2 * r, 2 * r), 50);
        waves.arcTo(QRectF(9 - r, 8 - r, 2 * r, 2 * r), 50, -100);
    }
    p.setBrush(Qt::NoBrush);
    p.setPen(roundPen(pal::white, 2.8));
    p.drawPath(waves);
    p.setPen(roundPen(pal::green, 1.5));
    p.drawPath(waves);
}

// A small and a large letter; when the larger text is on, a green bar
// underlines them.
void drawLargeText(QPainter &p, bool on)
{
    QPainterPath letters;
    letters.addText(0.4, 11.4, boldFont(7.5), QStringLiteral("a"));
    letters.addText(5.4, 12.6, boldFont(13.5), QStringLiteral("A"));
    p.setPen(QPen(withAlpha(pal::tealDeep, 170), 1.2));
    p.drawPath(letters);
    p.fillPath(letters, pal::white);
    if (!on)
        return;
    p.setPen(roundPen(pal::white, 3.2));
    p.drawLine(QPointF(1.6, 14.4), QPointF(14.4, 14.4));
    p.setPen(roundPen(pal::green, 1.8));
    p.drawLine(QPointF(1.6, 14.4), QPointF(14.4, 14.4));
}

QString svgIcon(bool detailed)
{
    // Both variants: a teal rounded square holding a white quiz card with a
    // green tick; the detailed one adds rows of boxes and lines.
    QString svg = QStringLiteral(
        "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"256\" height=\"256\" viewBox=\"0 0 256 256\">\n"
        "  <defs>\n"
        "    <linearGradient id=\"ground\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
        "      <stop offset=\"0\" stop-color=\"#2ab0ac\"/>\n"
        "      <stop offset=\"1\" stop-color=\"#006466\"/>\n"
        "    </linearGradient>\n"
        "    <linearGradient id=\"card\" x1=\"0\" y1=\"0\" x2=\"0\" y2=\"1\">\n"
        "      <stop offset=\"0\" stop-color=\"#ffffff\"/>\n"
        "      <stop offset=\"1\" stop-color=\"#e3f2f1\"/>\n"
        "    </linearGradient>\n"
        "  </defs>\n"
        "  <rect x=\"8\" y=\"8\" width=\"240\" height=\"240\" rx=\"54\" fill=\"url(#ground)\"/>\n"
        "  <path d=\"M8 112 V62 A54 54 0 0 1 62 8 H194 A54 54 0 0 1 248 62 V96 C180 70 90 80 8 112 Z\""
        " fill=\"#ffffff\" fill-opacity=\"0.14\"/>\n");
    if (detailed) {
        svg += QStringLiteral(
            "  <rect x=\"62\" y=\"42\" width=\"140\" height=\"180\" rx=\"18\" fill=\"#003c40\" fill-opacity=\"0.3\""
            " transform=\"translate(5 7)\"/>\n"
            "  <rect x=\"62\" y=\"42\" width=\"140\" height=\"180\" rx=\"18\" fill=\"url(#card)\"/>\n"
            "  <g fill=\"#ffffff\" stroke=\"#008080\" stroke-width=\"6\">\n"
            "    <rect x=\"82\" y=\"66\" width=\"30\" height=\"30\" rx=\"8\"/>\n"
            "    <rect x=\"82\" y=\"116\" width=\"30\" height=\"30\" rx=\"8\"/>\n"
            "    <rect x=\"82\" y=\"166\" width=\"30\" height=\"30\" rx=\"8\"/>\n"
            "  </g>\n"
            "  <g stroke=\"#b5d7d5\" stroke-width=\"11\" stroke-linecap=\"round\">\n"
            "    <line x1=\"130\" y1=\"81\" x2=\"180\" y2=\"81\"/>\n"
            "    <line x1=\"130\" y1=\"131\" x2=\"174\" y2=\"131\"/>\n"
            "    <line x1=\"130\" y1=\"181\" x2=\"178\" y2=\"181\"/>\n"
            "  </g>\n"
            "  <path d=\"M84 128 L100 146 L136 100\" fill=\"none\" stroke=\"#0f6a2c\" stroke-opacity=\"0.35\""
            " stroke-width=\"17\" stroke-linecap=\"round\" stroke-linejoin=\"round\" transform=\"translate(2 4)\"/>\n"
            "  <path d=\"M84 128 L100 146 L136 100\" fill=\"none\" stroke=\"#2ea04a\" stroke-width=\"15\""
            " stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n"
            "  <circle cx=\"196\" cy=\"196\" r=\"38\" fill=\"#ffc12e\" stroke=\"#b77400\" stroke-width=\"5\"/>\n"
            "  <text x=\"196\" y=\"216\" font-family=\"Liberation Sans\" font-weight=\"bold\" font-size=\"58\""
            " text-anchor=\"middle\" fill=\"#5a3800\">?</text>\n");
    } else {
        svg += QStringLiteral(
            "  <rect x=\"48\" y=\"40\" width=\"160\" height=\"184\" rx=\"24\" fill=\"#003c40\" fill-opacity=\"0.3\""
            " transform=\"translate(6 8)\"/>\n"
            "  <rect x=\"48\" y=\"40\" width=\"160\" height=\"184\" rx=\"24\" fill=\"url(#card)\"/>\n"
            "  <path d=\"M76 132 L110 168 L182 86\" fill=\"none\" stroke=\"#2ea04a\" stroke-width=\"34\""
            " stroke-linecap=\"round\" stroke-linejoin=\"round\"/>\n");
    }
    svg += QStringLiteral("</svg>\n");
    return svg;
}

} // namespace

QByteArray appIconSvg()
{
    return svgIcon(true).toUtf8();
}

QImage appIcon(int size)
{
    QSvgRenderer renderer(svgIcon(size >= 32).toUtf8());
    QImage img = canvas(size, size);
    QPainter p(&img);
    prepare(p);
    renderer.render(&p, QRectF(0, 0, size, size));
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage quizFileIcon(int size)
{
    // A page with a folded corner and rows of boxes, marked with the
    // program's icon: a quiz file, opened by Tavelor.
    QImage img = canvas(size, size);
    QPainter p(&img);
    prepare(p);
    p.scale(size / 256.0, size / 256.0);
    QPainterPath page;
    page.moveTo(40, 12);
    page.lineTo(170, 12);
    page.lineTo(224, 66);
    page.lineTo(224, 244);
    page.lineTo(40, 244);
    page.closeSubpath();
    p.setPen(QPen(QColor(0x5a, 0x6e, 0x70), size < 32 ? 16 : 6));
    p.setBrush(pal::white);
    p.drawPath(page);
    QPainterPath fold;
    fold.moveTo(170, 12);
    fold.lineTo(170, 66);
    fold.lineTo(224, 66);
    p.setBrush(QColor(0xd5, 0xe6, 0xe5));
    p.drawPath(fold);
    p.setPen(QPen(QColor(0x00, 0x80, 0x80), size < 32 ? 14 : 8));
    p.setBrush(Qt::NoBrush);
    for (int row = 0; row < 3; ++row) {
        const qreal y = 56 + row * 52;
        p.drawRect(QRectF(64, y, 28, 28));
        if (size >= 32)
            p.drawLine(QPointF(110, y + 14), QPointF(150, y + 14));
    }
    p.resetTransform();
    const int mark = size * 9 / 16;
    p.drawImage(QRect(size - mark, size - mark, mark, mark), appIcon(mark));
    p.end();
    return img.convertToFormat(QImage::Format_ARGB32);
}

QList<Picture> iconPictures()
{
    QList<Picture> out;
    out.append({QStringLiteral("icon_stopwatch.png"), icon(20, 19, drawStopwatch)});
    out.append({QStringLiteral("icon_book.png"), icon(27, 23, [](QPainter &p) {
                    p.translate(0.5, 1);
                    drawBook(p, 26, 21.5, QColor(0x2a, 0x6f, 0xd0));
                })});
    out.append({QStringLiteral("icon_laurel.png"), icon(27, 23, [](QPainter &p) {
                    p.translate(2.5, 0);
                    drawLaurel(p, 22, 22.5);
                })});
    out.append({QStringLiteral("question_mark.png"), questionMark()});

    out.append({QStringLiteral("tb_restart.png"), toolIcon([](QPainter &p) {
                    QPainterPath arc;
                    arc.arcMoveTo(QRectF(3, 3, 10, 10), 120);
                    arc.arcTo(QRectF(3, 3, 10, 10), 120, 270);
                    outlinedPath(p, arc, pal::white, 1.9);
                    // Arrow head at the start of the arc, pointing back.
                    QPainterPath head;
                    head.moveTo(1.2, 4.6);
                    head.lineTo(6.4, 2.0);
                    head.lineTo(6.6, 7.6);
                    head.closeSubpath();
                    p.setPen(QPen(withAlpha(pal::tealDeep, 170), 0.6));
                    p.setBrush(pal::amber);
                    p.drawPath(head);
                })});
    out.append({QStringLiteral("tb_load.png"), toolIcon([](QPainter &p) {
                    QPainterPath page;
                    page.moveTo(3.5, 5.5);
                    page.lineTo(3.5, 15);
                    page.lineTo(13, 15);
                    page.lineTo(13, 8);
                    page.lineTo(10.5, 5.5);
                    page.closeSubpath();
                    p.setPen(QPen(pal::tealDeep, 0.8));
                    p.setBrush(pal::white);
                    p.drawPath(page);
                    p.setPen(roundPen(QColor(0x9f, 0xc8, 0xc6), 0.8));
                    p.drawLine(QPointF(5.5, 12.5), QPointF(11, 12.5));
                    QPainterPath arrow;
                    arrow.moveTo(7, 0.6);
                    arrow.lineTo(9.6, 0.6);
                    arrow.lineTo(9.6, 5.2);
                    arrow.lineTo(12, 5.2);
                    arrow.lineTo(8.3, 10.2);
                    arrow.lineTo(4.6, 5.2);
                    arrow.lineTo(7, 5.2);
                    arrow.closeSubpath();
                    p.setPen(QPen(QColor(0x8a, 0x56, 0x00), 0.7));
                    p.setBrush(pal::amber);
                    p.drawPath(arrow);
                })});
    out.append({QStringLiteral("tb_print.png"), toolIcon(drawPrinter)});
    out.append({QStringLiteral("tb_close.png"), toolIcon([](QPainter &p) {
                    QPainterPath cross;
                    cross.moveTo(4, 4);
                    cross.lineTo(12, 12);
                    cross.moveTo(12, 4);
                    cross.lineTo(4, 12);
                    p.setBrush(Qt::NoBrush);
                    p.setPen(roundPen(pal::white, 4.2));
                    p.drawPath(cross);
                    p.setPen(roundPen(QColor(0xe5, 0x2b, 0x2b), 2.4));
                    p.drawPath(cross);
                })});
    out.append({QStringLiteral("tb_exam.png"), toolIcon([](QPainter &p) {
                    p.translate(0.5, 0.2);
                    drawLaurel(p, 15, 15.5);
                })});
    out.append({QStringLiteral("tb_training.png"), toolIcon([](QPainter &p) {
                    p.translate(0.3, 2);
                    drawBook(p, 15.4, 12.5, QColor(0x2a, 0x6f, 0xd0));
                })});
    out.append({QStringLiteral("tb_log_off.png"), toolIcon([](QPainter &p) { drawLogBook(p, false); })});
    out.append({QStringLiteral("tb_log_on.png"), toolIcon([](QPainter &p) { drawLogBook(p, true); })});
    out.append({QStringLiteral("tb_read_off.png"), toolIcon([](QPainter &p) { drawSpeaker(p, false); })});
    out.append({QStringLiteral("tb_read_on.png"), toolIcon([](QPainter &p) { drawSpeaker(p, true); })});
    out.append({QStringLiteral("tb_large_off.png"), toolIcon([](QPainter &p) { drawLargeText(p, false); })});
    out.append({QStringLiteral("tb_large_on.png"), toolIcon([](QPainter &p) { drawLargeText(p, true); })});
    out.append({QStringLiteral("tb_about.png"), toolIcon([](QPainter &p) {
                    disc(p, QColor(0x2f, 0x80, 0xd6), QColor(0xe8, 0xf4, 0xff));
                    p.setPen(Qt::NoPen);
                    p.setBrush(pal::white);
                    p.drawEllipse(QPointF(8, 4.8), 1.25, 1.25);
                    p.drawRoundedRect(QRectF(6.9, 6.9, 2.2, 5.8), 0.6, 0.6);
                })});
    out.append({QStringLiteral("tb_help.png"), toolIcon([](QPainter &p) {
                    disc(p, pal::amber, QColor(0xff, 0xf3, 0xd0));
                    QPainterPath q;
                    q.addText(0, 0, boldFont(12), QStringLiteral("?"));
                    const QRectF b = q.boundingRect();
                    p.fillPath(q.translated(8 - b.center().x(), 8.2 - b.center().y()), QColor(0x5a, 0x38, 0x00));
                })});

    for (int size : {16, 24, 32, 48, 64, 128, 256})
        out.append({QStringLiteral("tavelor_%1.png").arg(size), appIcon(size)});
    return out;
}

} // namespace art
