#include "tools/artgen/Artwork.h"
#include "tools/artgen/Paint.h"

#include <QLinearGradient>
#include <QRadialGradient>

#include <functional>

namespace art {

namespace {

enum class State { Idle, Up, Down, Dsbld };

const char *stateName(State s)
{
    switch (s) {
    case State::Idle: return "idle";
    case State::Up: return "up";
    case State::Down: return "down";
    case State::Dsbld: return "dsbld";
    }
    return "";
}

QColor grey(const QColor &c)
{
    const int l = qGray(c.rgb());
    return mix(QColor(l, l, l), QColor(0xc8, 0xd2, 0xd2), 0.55);
}

// A colour as the state shows it: lighter under the mouse, darker when
// pressed, washed-out grey when disabled.
QColor tone(const QColor &c, State s)
{
    switch (s) {
    case State::Idle: return c;
    case State::Up: return mix(c, pal::white, 0.22);
    case State::Down: return mix(c, QColor(0, 0, 0), 0.14);
    case State::Dsbld: return grey(c);
    }
    return c;
}

struct Face
{
    QColor top, bottom, edge, ink;
    qreal radius = 8;
};

using Content = std::function<void(QPainter &, const QRectF &face, State, const Face &)>;

// Background, shadow, rounded face with a glossy top, then its content. The
// pressed face moves one pixel right and down and its shadow shrinks.
QImage drawButton(const QImage &ground, State s, const Face &face, const Content &content)
{
    QImage img = ground.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    prepare(p);
    const QSize size = logicalSize(img);
    QRectF r(0.5, 0.5, size.width() - 2.0, size.height() - 2.5);
    const bool down = s == State::Down;
    if (down)
        r.translate(1, 1);
    const QPainterPath path = rounded(r, face.radius);
    if (s != State::Dsbld)
        drawShadow(p, path, size, down ? QPointF(0, 0.5) : QPointF(0.5, 1.5), 1,
                   withAlpha(QColor(0, 30, 40), down ? 60 : 105));
    QLinearGradient g(0, r.top(), 0, r.bottom());
    g.setColorAt(0, tone(face.top, s));
    g.setColorAt(1, tone(face.bottom, s));
    p.fillPath(path, g);
    if (s != State::Dsbld) {
        // Gloss on the upper half.
        QPainterPath gloss = rounded(QRectF(r.left() + 1.5, r.top() + 1.2, r.width() - 3,
                                            r.height() * 0.48),
                                     qMax<qreal>(face.radius - 1.5, 1));
        QLinearGradient gl(0, r.top(), 0, r.top() + r.height() * 0.5);
        gl.setColorAt(0, withAlpha(pal::white, down ? 70 : 120));
        gl.setColorAt(1, withAlpha(pal::white, 10));
        p.fillPath(gloss, gl);
    }
    p.setPen(QPen(tone(face.edge, s), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(path);
    content(p, r, s, face);
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

Content word(const QString &text, qreal px)
{
    return [text, px](QPainter &p, const QRectF &r, State s, const Face &face) {
        const QColor ink = s == State::Dsbld ? QColor(0x8d, 0x99, 0x99) : face.ink;
        const bool light = qGray(ink.rgb()) > 128;
        const QColor shadow = s == State::Dsbld ? withAlpha(pal::white, 150)
                              : light           ? withAlpha(QColor(0, 0, 0), 90)
                                                : withAlpha(pal::white, 150);
        shadowedText(p, r.adjusted(0, 0, 0, -0.5), text, boldFont(px), ink, shadow,
                     light ? QPointF(0.6, 1) : QPointF(0, 1));
    };
}

Content chevron(bool right)
{
    return [right](QPainter &p, const QRectF &r, State s, const Face &face) {
        const QColor ink = s == State::Dsbld ? QColor(0x9a, 0xa5, 0xa5) : face.ink;
        const QPointF c = r.center();
        const qreal dx = right ? 4.5 : -4.5;
        QPainterPath path(c + QPointF(-dx, -8));
        path.lineTo(c + QPointF(dx, 0));
        path.lineTo(c + QPointF(-dx, 8));
        p.save();
        p.setBrush(Qt::NoBrush);
        if (s != State::Dsbld) {
            p.setPen(QPen(withAlpha(QColor(0, 0, 0), 80), 4.6, Qt::SolidLine, Qt::RoundCap,
                          Qt::RoundJoin));
            p.drawPath(path.translated(0.5, 1));
        }
        p.setPen(QPen(ink, 4.2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
        p.restore();
    };
}

Content greenTick()
{
    return [](QPainter &p, const QRectF &r, State s, const Face &) {
        const QPointF c = r.center() + QPointF(0, 0.5);
        QPainterPath path(c + QPointF(-9, 0));
        path.lineTo(c + QPointF(-3, 6));
        path.lineTo(c + QPointF(9, -7));
        const QColor ink = s == State::Dsbld ? QColor(0xa3, 0xad, 0xad) : tone(pal::green, s);
        p.save();
        p.setBrush(Qt::NoBrush);
        if (s != State::Dsbld) {
            p.setPen(QPen(withAlpha(QColor(0x10, 0x50, 0x20), 90), 5.4, Qt::SolidLine,
                          Qt::RoundCap, Qt::RoundJoin));
            p.drawPath(path.translated(0.4, 1));
        }
        p.setPen(QPen(ink, 4.6, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(path);
        p.restore();
    };
}

// The close button: a glossy blue ball with a red cross, on its own ground.
QImage closeBall(const QImage &ground, State s)
{
    QImage img = ground.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QPainter p(&img);
    prepare(p);
    const bool down = s == State::Down;
    QPointF c(18.5, 18.5);
    const qreal radius = 16;
    if (down)
        c += QPointF(1, 1);
    QPainterPath ball;
    ball.addEllipse(c, radius, radius);
    if (s != State::Dsbld)
        drawShadow(p, ball, logicalSize(img), down ? QPointF(0.3, 0.6) : QPointF(0.6, 1.6), 1,
                   withAlpha(QColor(0, 20, 60), down ? 70 : 110));
    QRadialGradient g(c + QPointF(-5, -6), radius * 1.5);
    g.setColorAt(0, tone(QColor(0x8c, 0xc8, 0xff), s));
    g.setColorAt(0.45, tone(QColor(0x2a, 0x7b, 0xe0), s));
    g.setColorAt(1, tone(QColor(0x0f, 0x3f, 0x96), s));
    p.fillPath(ball, g);
    p.setPen(QPen(tone(QColor(0x0d, 0x35, 0x80), s), 1));
    p.setBrush(Qt::NoBrush);
    p.drawPath(ball);

    const qreal arm = 6.2;
    QPainterPath cross;
    cross.moveTo(c + QPointF(-arm, -arm));
    cross.lineTo(c + QPointF(arm, arm));
    cross.moveTo(c + QPointF(arm, -arm));
    cross.lineTo(c + QPointF(-arm, arm));
    p.setPen(QPen(s == State::Dsbld ? QColor(0xe8, 0xec, 0xec) : withAlpha(pal::white, 235), 7.2,
                  Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cross);
    p.setPen(QPen(s == State::Dsbld ? QColor(0x9c, 0xa6, 0xa6) : tone(QColor(0xe5, 0x2b, 0x2b), s),
                  4.4, Qt::SolidLine, Qt::RoundCap));
    p.drawPath(cross);

    if (s != State::Dsbld) {
        QPainterPath shine;
        shine.addEllipse(QRectF(c.x() - 10, c.y() - 14.5, 20, 10));
        QLinearGradient sh(0, c.y() - 14.5, 0, c.y() - 4.5);
        sh.setColorAt(0, withAlpha(pal::white, down ? 120 : 170));
        sh.setColorAt(1, withAlpha(pal::white, 0));
        p.fillPath(shine, sh);
    }
    p.end();
    return img.convertToFormat(QImage::Format_RGB32);
}

QImage crop(const QImage &skin, QPoint at, QSize size)
{
    QImage img = skin.copy(QRect(at * scale(), size * scale()));
    img.setDevicePixelRatio(scale());
    return img;
}

QImage plain(QSize size, const QColor &c)
{
    QImage img = surface(size.width(), size.height());
    img.fill(c);
    return img;
}

} // namespace

QList<Picture> buttonPictures(const Skins &skins)
{
    const Face coral{QColor(0xf7, 0x7a, 0x62), QColor(0xd9, 0x3f, 0x2c), QColor(0x9c, 0x25, 0x1a),
                     pal::white, 12};
    const Face sun{QColor(0xff, 0xdf, 0x6e), QColor(0xff, 0xb3, 0x1c), QColor(0xb7, 0x74, 0x00),
                   QColor(0x5a, 0x38, 0x00), 8};
    const Face leaf{QColor(0x6c, 0xcf, 0x74), QColor(0x2e, 0x9e, 0x46), QColor(0x1b, 0x6a, 0x2c),
                    pal::white, 9};
    const Face sky{QColor(0x6a, 0xaf, 0xf0), QColor(0x2a, 0x74, 0xcc), QColor(0x1a, 0x4d, 0x90),
                   pal::white, 9};
    const Face lagoon{QColor(0x3c, 0xbe, 0xb8), QColor(0x00, 0x86, 0x84), QColor(0x00, 0x58, 0x5a),
                      pal::white, 9};
    const Face pale{QColor(0xff, 0xff, 0xff), QColor(0xdf, 0xf1, 0xe2), QColor(0x8f, 0xc4, 0x98),
                    pal::green, 9};

    struct ButtonDesign
    {
        const char *name;
        QImage ground;
        Face face;
        Content content;
    };
    const QImage &m = skins.main;
    const QList<ButtonDesign> designs = {
        {"quitter", crop(m, {16, 64}, {85, 44}), coral, word(QStringLiteral("Quitter"), 17)},
        {"commencer", crop(m, {704, 488}, {89, 30}), leaf, word(QStringLiteral("Commencer"), 13)},
        {"suivante", crop(m, {632, 488}, {53, 30}), lagoon, chevron(true)},
        {"precedente", crop(m, {528, 488}, {53, 30}), lagoon, chevron(false)},
        {"correction", crop(m, {560, 488}, {89, 30}), sky, word(QStringLiteral("Correction"), 13)},
        {"fichier", crop(m, {11, 39}, {57, 20}), Face{sun.top, sun.bottom, sun.edge, sun.ink, 7},
         word(QStringLiteral("Fichier"), 12)},
        {"parametrer", crop(m, {76, 35}, {90, 25}), sun, word(QStringLiteral("Paramétrer"), 13)},
        {"aide", crop(m, {634, 38}, {44, 21}), Face{sun.top, sun.bottom, sun.edge, sun.ink, 7},
         word(QStringLiteral("Aide"), 12)},
        // The two below sit on the white pages of the left panel.
        {"bilan", plain({116, 31}, pal::white), sky, word(QStringLiteral("Bilan"), 15)},
        {"valider", plain({53, 30}, pal::white), pale, greenTick()},
    };

    QList<Picture> out;
    for (const ButtonDesign &design : designs) {
        for (State s : {State::Idle, State::Up, State::Down, State::Dsbld})
            out.append({QStringLiteral("btn_%1_%2.png").arg(QLatin1String(design.name),
                                                             QLatin1String(stateName(s))),
                        drawButton(design.ground, s, design.face, design.content)});
    }
    // The close ball lies on the white tab of the correction and projector windows.
    const QImage ballGround = crop(skins.correction, {256, 16}, {38, 39});
    for (State s : {State::Idle, State::Up, State::Down, State::Dsbld})
        out.append({QStringLiteral("btn_fermer_%1.png").arg(QLatin1String(stateName(s))),
                    closeBall(ballGround, s)});
    return out;
}

} // namespace art
