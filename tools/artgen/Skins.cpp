#include "tools/artgen/Artwork.h"
#include "tools/artgen/Paint.h"

#include <QLinearGradient>
#include <QRadialGradient>
#include <QtMath>

namespace art {

namespace {

// The dark rim drawn along every outline, so that its antialiased edge
// blends towards a neutral colour and never towards the key colour.
void strokeRim(QPainter &p, const QPainterPath &outline, const QColor &rim, qreal width = 2.5)
{
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(rim, width));
    p.drawPath(outline);
    p.restore();
}

// A white inner area shaped like a file folder: a body with a tab on its top
// right, joined by a concave curve.
QPainterPath folderTab(const QRectF &body, const QRectF &tab, qreal radius)
{
    QPainterPath path = rounded(body, radius).united(rounded(tab, radius));
    // Fillet where the tab rises from the body.
    const qreal r = radius;
    QPainterPath corner;
    corner.addRect(QRectF(tab.left() - r, body.top() - r, r, r));
    QPainterPath bite;
    bite.addEllipse(QPointF(tab.left() - r, body.top() - r), r, r);
    return path.united(corner.subtracted(bite)).simplified();
}

void glossOver(QPainter &p, const QPainterPath &area, qreal top, qreal bottom, int alpha)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, withAlpha(pal::white, alpha));
    g.setColorAt(1, withAlpha(pal::white, 0));
    p.fillPath(area, g);
}

// Small stylised pictures drawn faintly on the free parts of the panels.
void pencil(QPainter &p, QPointF tip, qreal angleDeg, qreal length, qreal width,
            const QColor &wood, const QColor &lead, const QColor &paint)
{
    p.save();
    p.translate(tip);
    p.rotate(angleDeg);
    const qreal cone = width * 1.4;
    QPainterPath tipPath;
    tipPath.moveTo(0, 0);
    tipPath.lineTo(cone, -width / 2);
    tipPath.lineTo(cone, width / 2);
    tipPath.closeSubpath();
    p.fillPath(tipPath, wood);
    QPainterPath leadPath;
    leadPath.moveTo(0, 0);
    leadPath.lineTo(cone * 0.35, -width * 0.175);
    leadPath.lineTo(cone * 0.35, width * 0.175);
    leadPath.closeSubpath();
    p.fillPath(leadPath, lead);
    p.fillRect(QRectF(cone, -width / 2, length - cone - width * 0.8, width), paint);
    p.fillRect(QRectF(cone, -width / 6, length - cone - width * 0.8, width / 3),
               mix(paint, pal::white, 0.25));
    p.setBrush(mix(paint, QColor(0xf4, 0x8f, 0xb1), 0.8));
    p.setPen(Qt::NoPen);
    p.drawRoundedRect(QRectF(length - width * 0.8, -width / 2, width * 0.8, width), width * 0.3,
                      width * 0.3);
    p.restore();
}

// A line of handwriting too faint to read: a wave whose loops vary.
void scribble(QPainter &p, QPointF start, qreal length, const QColor &colour)
{
    QPainterPath path(start);
    for (qreal x = 0; x <= length; x += 1)
        path.lineTo(start + QPointF(x, -2.2 * qSin(x * 0.9) * (0.6 + 0.4 * qSin(x * 0.23))));
    p.save();
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(colour, 1.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(path);
    p.restore();
}

} // namespace

QImage mainSkin()
{
    const int W = 843, H = 524;
    QImage img = surface(W, H);
    img.fill(pal::tealDeep);
    QPainter p(&img);
    prepare(p);

    const QPainterPath outline = rounded(QRectF(1, 1, W - 2, H - 2), 22);
    p.setClipPath(outline);

    // Ground of the body.
    QLinearGradient ground(0, 60, 0, H);
    ground.setColorAt(0, pal::body);
    ground.setColorAt(1, pal::bodyLow);
    p.fillRect(img.rect(), ground);

    // The pale bar along the bottom: result on the left, quiz buttons on the right.
    const QPainterPath bar = [&] {
        QPainterPath b;
        b.addRect(QRectF(0, 470, W, H - 470));
        return b;
    }();
    QLinearGradient barFill(0, 470, 0, H);
    barFill.setColorAt(0, pal::bar);
    barFill.setColorAt(1, pal::barLow);
    p.fillPath(bar, barFill);
    p.fillRect(QRectF(0, 469, W, 1), mix(pal::barLow, pal::tealDark, 0.15));
    p.fillRect(QRectF(0, 470, W, 1), withAlpha(pal::white, 200));

    // Teal header band, with a wing down the left for the "Quitter" button,
    // the clock and the tool bars.
    QPainterPath header;
    header.addRect(QRectF(-2, -2, W + 4, 65));
    header = header.united(rounded(QRectF(-20, -2, 272, 117), 16));
    {
        const qreal r = 14;
        QPainterPath corner;
        corner.addRect(QRectF(252, 63, r, r));
        QPainterPath bite;
        bite.addEllipse(QPointF(252 + r, 63 + r), r, r);
        header = header.united(corner.subtracted(bite)).simplified();
    }
    drawShadow(p, header, logicalSize(img), QPointF(0, 2), 3, withAlpha(pal::tealDeep, 90));
    QLinearGradient band(0, 0, 0, 60);
    band.setColorAt(0, pal::tealLight);
    band.setColorAt(1, pal::teal);
    p.fillPath(header, band);
    // Soft bubbles on the right of the band, a friendly touch behind the labels.
    p.save();
    p.setClipPath(header);
    p.setPen(Qt::NoPen);
    p.setBrush(withAlpha(pal::white, 16));
    p.drawEllipse(QPointF(612, 6), 44, 44);
    p.drawEllipse(QPointF(700, -18), 60, 60);
    p.drawEllipse(QPointF(548, 50), 16, 16);
    p.drawEllipse(QPointF(785, 40), 26, 26);
    p.setBrush(withAlpha(pal::white, 10));
    p.drawEllipse(QPointF(220, 92), 34, 34);
    p.restore();
    glossOver(p, header, 0, 30, 38);
    // A thin light line along the lower edge of the band.
    p.save();
    p.setClipPath(header);
    p.setPen(QPen(withAlpha(pal::white, 60), 1.2));
    p.setBrush(Qt::NoBrush);
    p.drawPath(header.translated(0, -1.2));
    p.restore();

    // Name plate on the top left.
    {
        const QImage logo = appIcon(24);
        p.drawImage(QPointF(14, 8), logo);
        shadowedText(p, QRectF(45, 6, 110, 28), QStringLiteral("Tavelor"), boldFont(19),
                     pal::white, withAlpha(pal::tealDeep, 160), {1, 1},
                     Qt::AlignLeft | Qt::AlignVCenter);
    }

    // Status plate on the right of the band, where the status line is written.
    {
        const QPainterPath plate = rounded(QRectF(681.5, 39.5, 149, 28), 14);
        drawShadow(p, plate, logicalSize(img), QPointF(0, 1.5), 2, withAlpha(pal::tealDeep, 110));
        QLinearGradient f(0, 40, 0, 68);
        f.setColorAt(0, pal::white);
        f.setColorAt(1, QColor(0xe4, 0xf3, 0xf2));
        p.fillPath(plate, f);
        p.setPen(QPen(mix(pal::teal, pal::white, 0.35), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(plate);
    }

    // White panels: the left one holds the settings, results and picture
    // pages, the right one the question page.
    auto panel = [&](const QRectF &r) {
        const QPainterPath path = rounded(r, 12);
        drawShadow(p, path, logicalSize(img), QPointF(0, 2), 4, withAlpha(pal::tealDeep, 70));
        p.fillPath(path, pal::white);
        p.setPen(QPen(pal::panelEdge, 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(path);
    };
    panel(QRectF(16.5, 120.5, 312, 354));
    panel(QRectF(339.5, 73.5, 493, 412));

    p.setClipping(false);
    strokeRim(p, outline, pal::tealDeep);
    p.end();
    return keyOut(img, outline);
}

QImage correctionSkin()
{
    const int W = 313, H = 201;
    QImage img = surface(W, H);
    const QColor rim(0x3f, 0x86, 0xb0);
    img.fill(rim);
    QPainter p(&img);
    prepare(p);
    const QPainterPath outline = rounded(QRectF(1, 1, W - 2, H - 2), 18);
    p.setClipPath(outline);

    QLinearGradient g(0, 0, 0, H);
    g.setColorAt(0, QColor(0xc4, 0xe6, 0xf8));
    g.setColorAt(1, QColor(0x8f, 0xc8, 0xe8));
    p.fillRect(img.rect(), g);
    glossOver(p, outline, 0, 40, 90);

    // A pencil lying on the light-blue rim, left of the tab.
    pencil(p, QPointF(22, 22), -8, 98, 9, QColor(0xf6, 0xd9, 0xa8), QColor(0x44, 0x44, 0x55),
           QColor(0xff, 0xb7, 0x2c));

    const QPainterPath inner = folderTab(QRectF(9.5, 33.5, 294, 158), QRectF(139.5, 8.5, 164, 40), 10);
    drawShadow(p, inner, logicalSize(img), QPointF(0, 1.5), 3, withAlpha(QColor(0x1c, 0x4e, 0x70), 110));
    p.fillPath(inner, pal::white);
    p.setPen(QPen(QColor(0x7f, 0xb5, 0xd6), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(inner);

    // Faint lines of an exercise book on the free right of the body, with a
    // few lines of writing. Nothing in it may look like a verdict: the same
    // skin stands beside a wrong answer.
    p.setPen(QPen(QColor(0xd8, 0xec, 0xf8), 1));
    for (int y = 92; y <= 176; y += 12)
        p.drawLine(QPointF(236, y + 0.5), QPointF(292, y + 0.5));
    p.setPen(QPen(QColor(0xf6, 0xc8, 0xc8), 1));
    p.drawLine(QPointF(243.5, 80), QPointF(243.5, 182));
    const QColor ink(0xb8, 0xcc, 0xe4);
    scribble(p, QPointF(249, 102), 36, ink);
    scribble(p, QPointF(249, 114), 28, ink);
    scribble(p, QPointF(249, 126), 38, ink);
    scribble(p, QPointF(249, 138), 20, ink);

    p.setClipping(false);
    strokeRim(p, outline, rim);
    p.end();
    return keyOut(img, outline);
}

QImage projectorSkin()
{
    const int W = 539, H = 430;
    QImage img = surface(W, H);
    img.fill(pal::tealDeep);
    QPainter p(&img);
    prepare(p);
    const QPainterPath outline = rounded(QRectF(1, 1, W - 2, H - 2), 22);
    p.setClipPath(outline);

    QLinearGradient g(0, 0, 0, H);
    g.setColorAt(0, pal::tealLight);
    g.setColorAt(0.25, pal::teal);
    g.setColorAt(1, QColor(0x00, 0x6c, 0x6c));
    p.fillRect(img.rect(), g);
    glossOver(p, outline, 0, 40, 40);

    // A strip of film across the rim on the top left.
    {
        p.save();
        p.translate(18, 9);
        const QRectF strip(0, 0, 112, 19);
        p.fillPath(rounded(strip, 3), withAlpha(pal::tealDeep, 170));
        p.setPen(Qt::NoPen);
        p.setBrush(withAlpha(pal::white, 150));
        for (int i = 0; i < 9; ++i) {
            p.drawRoundedRect(QRectF(4 + i * 12, 2, 6, 3), 1, 1);
            p.drawRoundedRect(QRectF(4 + i * 12, 14, 6, 3), 1, 1);
        }
        const QColor frames[] = {QColor(0xff, 0xd5, 0x4f), QColor(0x81, 0xd4, 0xfa),
                                 QColor(0xa5, 0xd6, 0xa7), QColor(0xff, 0xab, 0x91)};
        for (int i = 0; i < 4; ++i)
            p.fillRect(QRectF(3 + i * 27, 6.5, 23, 6), withAlpha(frames[i], 210));
        p.restore();
    }

    const QPainterPath inner = folderTab(QRectF(11.5, 32.5, 516, 386), QRectF(289.5, 8.5, 238, 40), 12);
    drawShadow(p, inner, logicalSize(img), QPointF(0, 2), 3, withAlpha(pal::tealDeep, 150));
    p.fillPath(inner, pal::white);
    p.setPen(QPen(pal::panelEdge, 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(inner);

    // A faint strip of film down the free right of the body.
    {
        p.save();
        const QRectF strip(472, 84, 38, 308);
        p.fillPath(rounded(strip, 5), QColor(0xe6, 0xf3, 0xf2));
        p.setPen(Qt::NoPen);
        p.setBrush(pal::white);
        for (qreal y = strip.top() + 6; y < strip.bottom() - 8; y += 13) {
            p.drawRoundedRect(QRectF(strip.left() + 4, y, 5, 7), 1.5, 1.5);
            p.drawRoundedRect(QRectF(strip.right() - 9, y, 5, 7), 1.5, 1.5);
        }
        for (int i = 0; i < 5; ++i)
            p.fillPath(rounded(QRectF(strip.left() + 12, strip.top() + 8 + i * 60, 14, 50), 2),
                       QColor(0xf6, 0xfb, 0xfb));
        p.restore();
    }

    p.setClipping(false);
    strokeRim(p, outline, pal::tealDeep);
    p.end();
    return keyOut(img, outline);
}

namespace {

// Open book, pencil, check mark and stars for the about box, as separate
// relief layers so that the check mark stands out of the page it lies on.
struct AboutMotif
{
    QPainterPath book, check, pencil, stars;
};

AboutMotif aboutMotif()
{
    AboutMotif m;
    // Open book: two pages curving down to the spine.
    const QPointF spine(200, 312);
    QPainterPath left;
    left.moveTo(spine + QPointF(0, -128));
    left.cubicTo(spine + QPointF(-40, -156), spine + QPointF(-110, -156), spine + QPointF(-150, -136));
    left.lineTo(spine + QPointF(-150, 6));
    left.cubicTo(spine + QPointF(-110, -12), spine + QPointF(-40, -12), spine + QPointF(0, 16));
    left.closeSubpath();
    QTransform mirror;
    mirror.translate(2 * spine.x(), 0);
    mirror.scale(-1, 1);
    m.book.addPath(left);
    m.book.addPath(mirror.map(left));
    m.book.setFillRule(Qt::WindingFill);

    QPainterPathStroker stroker;
    stroker.setWidth(20);
    stroker.setCapStyle(Qt::RoundCap);
    stroker.setJoinStyle(Qt::RoundJoin);
    QPainterPath check(QPointF(238, 226));
    check.lineTo(264, 256);
    check.lineTo(318, 178);
    m.check = stroker.createStroke(check);

    QTransform t;
    t.translate(208, 370);
    t.rotate(-11);
    QPainterPath body;
    body.moveTo(0, 0);
    body.lineTo(22, -10);
    body.lineTo(140, -10);
    body.quadTo(150, -10, 150, 0);
    body.quadTo(150, 10, 140, 10);
    body.lineTo(22, 10);
    body.closeSubpath();
    m.pencil = t.map(body);

    auto star = [&](QPointF c, qreal r) {
        QPainterPath s;
        for (int i = 0; i < 10; ++i) {
            const qreal a = qDegreesToRadians(-90.0 + i * 36.0);
            const qreal rr = (i % 2) ? r * 0.45 : r;
            const QPointF pt = c + QPointF(rr * qCos(a), rr * qSin(a));
            i == 0 ? s.moveTo(pt) : s.lineTo(pt);
        }
        s.closeSubpath();
        m.stars.addPath(s);
    };
    star(QPointF(322, 110), 16);
    star(QPointF(352, 148), 9);
    star(QPointF(52, 200), 10);
    star(QPointF(80, 120), 13);
    star(QPointF(300, 86), 7);
    m.stars.setFillRule(Qt::WindingFill);
    return m;
}

} // namespace

QImage aboutSkin()
{
    const int W = 400, H = 400;
    QImage img = surface(W, H);
    img.fill(pal::violetDark);
    QPainter p(&img);
    prepare(p);
    const QPainterPath outline = rounded(QRectF(1, 1, W - 2, H - 2), 26);
    p.setClipPath(outline);

    p.fillRect(img.rect(), pal::violet);
    const QPainterPath inner = rounded(QRectF(5, 5, W - 10, H - 10), 22);
    QRadialGradient ground(QPointF(200, 170), 300);
    ground.setColorAt(0, QColor(0xf2, 0xf2, 0xf5));
    ground.setColorAt(1, QColor(0xdc, 0xdc, 0xe2));
    p.fillPath(inner, ground);

    const AboutMotif motif = aboutMotif();
    const QColor relief(0xe8, 0xe8, 0xee);
    auto raise = [&](const QPainterPath &shape, int radius, qreal strength) {
        p.fillPath(shape, relief);
        p.drawImage(0, 0, emboss(shape, logicalSize(img), radius, strength));
    };
    raise(motif.book, 2, 0.7);
    // Faint ruling on the pages.
    p.save();
    p.setClipPath(motif.book);
    p.setPen(QPen(QColor(0xd6, 0xd6, 0xe0), 1.2));
    for (int i = 0; i < 7; ++i) {
        const qreal y = 204 + i * 16;
        p.drawLine(QPointF(70, y), QPointF(184, y + 8));
        p.drawLine(QPointF(216, y + 8), QPointF(330, y));
    }
    p.restore();
    raise(motif.check, 2, 0.75);
    raise(motif.pencil, 2, 0.7);
    raise(motif.stars, 1, 0.6);

    p.setPen(QPen(withAlpha(pal::white, 160), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rounded(QRectF(5.5, 5.5, W - 11, H - 11), 22));
    p.setClipping(false);
    strokeRim(p, outline, pal::violetDark, 2);
    p.end();
    return keyOut(img, outline);
}

QImage noticeSkin()
{
    const int W = 346, H = 220;
    QImage img = surface(W, H);
    img.fill(pal::violetDark);
    QPainter p(&img);
    prepare(p);
    const QPainterPath outline = rounded(QRectF(1, 1, W - 2, H - 2), 20);
    p.setClipPath(outline);
    p.fillRect(img.rect(), pal::violet);
    const QPainterPath inner = rounded(QRectF(5, 5, W - 10, H - 10), 16);
    QLinearGradient ground(0, 0, 0, H);
    ground.setColorAt(0, QColor(0xfb, 0xf9, 0xff));
    ground.setColorAt(1, QColor(0xee, 0xea, 0xf7));
    p.fillPath(inner, ground);

    // A faded keyboard along the bottom.
    {
        p.save();
        p.setClipPath(inner);
        const QRectF board(14, 158, 318, 70);
        p.fillPath(rounded(board, 8), QColor(0xe6, 0xe1, 0xf0));
        p.setPen(Qt::NoPen);
        const QColor keyFace(0xf4, 0xf1, 0xfa);
        const QColor keyEdge(0xd9, 0xd3, 0xe8);
        for (int row = 0; row < 4; ++row) {
            const qreal y = 164 + row * 15;
            const qreal shift = row * 5;
            for (int k = 0; k < 14; ++k) {
                const QRectF keyRect(20 + shift + k * 22.3, y, 19, 12);
                if (keyRect.right() > board.right() - 4)
                    break;
                p.setBrush(keyEdge);
                p.drawRoundedRect(keyRect.translated(0, 1.5), 3, 3);
                p.setBrush(keyFace);
                p.drawRoundedRect(keyRect, 3, 3);
            }
        }
        p.restore();
    }

    // The folder tree: a root folder and three sub-folders joined by lines.
    auto folder = [&](QPointF at, qreal w, qreal h, const QColor &c) {
        const QColor back = c.darker(118);
        QPainterPath tabbed;
        tabbed.moveTo(at.x(), at.y() + 4);
        tabbed.quadTo(at.x(), at.y(), at.x() + 4, at.y());
        tabbed.lineTo(at.x() + w * 0.36, at.y());
        tabbed.lineTo(at.x() + w * 0.46, at.y() + h * 0.18);
        tabbed.lineTo(at.x() + w - 3, at.y() + h * 0.18);
        tabbed.quadTo(at.x() + w, at.y() + h * 0.18, at.x() + w, at.y() + h * 0.18 + 3);
        tabbed.lineTo(at.x() + w, at.y() + h - 3);
        tabbed.quadTo(at.x() + w, at.y() + h, at.x() + w - 3, at.y() + h);
        tabbed.lineTo(at.x() + 3, at.y() + h);
        tabbed.quadTo(at.x(), at.y() + h, at.x(), at.y() + h - 3);
        tabbed.closeSubpath();
        drawShadow(p, tabbed, logicalSize(img), QPointF(1, 1.5), 2, withAlpha(pal::violetDark, 70));
        p.fillPath(tabbed, back);
        QPainterPath front = rounded(QRectF(at.x(), at.y() + h * 0.32, w, h * 0.68), 3);
        QLinearGradient f(0, at.y() + h * 0.32, 0, at.y() + h);
        f.setColorAt(0, c.lighter(112));
        f.setColorAt(1, c);
        p.fillPath(front, f);
        p.setPen(QPen(withAlpha(pal::white, 150), 1));
        p.drawLine(QPointF(at.x() + 3, at.y() + h * 0.32 + 1.5), QPointF(at.x() + w - 3, at.y() + h * 0.32 + 1.5));
    };
    p.setPen(QPen(QColor(0xa8, 0x96, 0xcc), 2, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(40, 96), QPointF(40, 148));
    for (qreal y : {104.0, 126.0, 148.0})
        p.drawLine(QPointF(40, y), QPointF(62, y));
    folder(QPointF(18, 64), 46, 34, QColor(0xff, 0xc1, 0x2e));
    folder(QPointF(64, 96), 32, 22, QColor(0x4f, 0xc3, 0xc0));
    folder(QPointF(64, 118), 32, 22, QColor(0x6f, 0xa8, 0xf0));
    folder(QPointF(64, 140), 32, 22, QColor(0x9c, 0xd8, 0x6c));

    // A stack of files sliding down into the root folder.
    {
        p.save();
        p.translate(106, 62);
        p.rotate(-14);
        for (int i = 3; i >= 0; --i) {
            const QRectF sheet(i * 5, -i * 5, 34, 42);
            QPainterPath s;
            s.moveTo(sheet.topLeft());
            s.lineTo(sheet.right() - 9, sheet.top());
            s.lineTo(sheet.right(), sheet.top() + 9);
            s.lineTo(sheet.bottomRight());
            s.lineTo(sheet.bottomLeft());
            s.closeSubpath();
            p.setPen(QPen(QColor(0xb7, 0xab, 0xd4), 1));
            p.setBrush(pal::white);
            p.drawPath(s);
            p.setPen(QPen(QColor(0xd3, 0xcb, 0xe6), 1.5));
            for (int l = 0; l < 4; ++l)
                p.drawLine(QPointF(sheet.left() + 5, sheet.top() + 14 + l * 6),
                           QPointF(sheet.right() - 6, sheet.top() + 14 + l * 6));
        }
        p.restore();
        // Motion: a curved arrow from the stack to the folder.
        QPainterPath arrow(QPointF(102, 70));
        arrow.quadTo(QPointF(90, 54), QPointF(72, 62));
        p.setPen(QPen(withAlpha(pal::violet, 200), 3, Qt::SolidLine, Qt::RoundCap));
        p.setBrush(Qt::NoBrush);
        p.drawPath(arrow);
        QPainterPath head;
        head.moveTo(66, 65);
        head.lineTo(76, 56);
        head.lineTo(77, 68);
        head.closeSubpath();
        p.fillPath(head, withAlpha(pal::violet, 200));
    }

    // A quiet card behind the explanation on the right.
    {
        const QPainterPath card = rounded(QRectF(170.5, 58.5, 162, 106), 10);
        p.fillPath(card, withAlpha(pal::white, 200));
        p.setPen(QPen(QColor(0xd9, 0xd0, 0xee), 1));
        p.setBrush(Qt::NoBrush);
        p.drawPath(card);
    }

    p.setPen(QPen(withAlpha(pal::white, 160), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(rounded(QRectF(5.5, 5.5, W - 11, H - 11), 16));
    p.setClipping(false);
    strokeRim(p, outline, pal::violetDark, 2);
    p.end();
    return keyOut(img, outline);
}

Skins allSkins()
{
    return {mainSkin(), projectorSkin(), correctionSkin(), aboutSkin(), noticeSkin()};
}

} // namespace art
