#include "skin/ShapeWindow.h"

#include <QApplication>
#include <QCursor>
#include <QDataStream>
#include <QFile>
#include <QMouseEvent>
#include <QWindow>

#include "platform/SpeedSwitches.h"
#include "platform/WindowSystem.h"
#include "skin/Artwork.h"
#include "skin/Image.h"

QRegion regionFromSkin(const QImage &skin, QRgb key)
{
    if (skin.isNull())
        return {};
    // Straight (not premultiplied) ARGB keeps the colour of every pixel, so
    // the comparison sees the same red, green and blue the artist wrote.
    const QImage image = skin.convertToFormat(skin.hasAlphaChannel() ? QImage::Format_ARGB32
                                                                      : QImage::Format_RGB32);
    const QRgb keyRgb = key & 0x00FFFFFFu;
    const int width = image.width();
    QList<QRect> runs;
    for (int y = 0; y < image.height(); ++y) {
        const QRgb *row = reinterpret_cast<const QRgb *>(image.constScanLine(y));
        int start = -1;
        for (int x = 0; x < width; ++x) {
            const bool isKey = (row[x] & 0x00FFFFFFu) == keyRgb;
            if (isKey) {
                if (start >= 0)
                    runs.append(QRect(start, y, x - start, 1));
                start = -1;
            } else if (start < 0) {
                start = x;
            }
        }
        if (start >= 0)
            runs.append(QRect(start, y, width - start, 1));
    }
    // The runs are sorted by row then column, one pixel high and never touch
    // within a row: exactly what setRects expects, and faster than uniting
    // them one by one (bench/shape_window.cpp).
    QRegion region;
    region.setRects(runs.constData(), int(runs.size()));
    return region;
}

TShapedForm::TShapedForm(QWidget *parent) : QWidget(parent, Qt::FramelessWindowHint | Qt::Window)
{
    // Where the mask may only cut input (Wayland, a compositing X11 desktop)
    // the transparent pixels of the skin are what hides its outside.
    setAttribute(Qt::WA_TranslucentBackground);
}

void TShapedForm::setVisible(bool visible)
{
    // Where the X server cuts the window itself, an opaque window is drawn
    // sooner (1 to 5 ms: docs/performance.md). The window system takes the pixel format as the window is
    // made, here; asked any earlier, at start-up, the server would answer
    // only once it has served the whole of the application's setting up.
    if (visible && !testAttribute(Qt::WA_WState_Created) && platform::masksCutWindows()
        && !platform::isTurnedOff("opaque-first-showing")) {
        setAttribute(Qt::WA_TranslucentBackground, false);
        setAttribute(Qt::WA_NoSystemBackground, false);
    }
    QWidget::setVisible(visible);
}

void TShapedForm::ShapeWindow(TImage *background)
{
    const QString file = background->pictureFile();
    const qreal ratio = devicePixelRatioF();
    if (file.isEmpty()) {
        const QImage skin = background->picture().toImage();
        ShapeWindow(skin, SkinKeyColour);
        background->setPicture(QPixmap::fromImage(withoutKeyColour(skin, SkinKeyColour)));
        return;
    }
    const QRegion outline = storedOutline(file);
    if (outline.isEmpty()) {
        const QImage skin = readPngFile(file);
        ShapeWindow(skin, SkinKeyColour);
        const QImage shown = ratio > 1.0 ? skinForRatio(file, ratio, SkinKeyColour) : withoutKeyColour(skin, SkinKeyColour);
        background->setPicture(QPixmap::fromImage(shown));
        return;
    }
    // The outline computed when the skin was drawn: the skin itself is
    // decoded when the window is first painted.
    setFixedSize(pngFileSize(file));
    setMask(outline);
    background->setSkinFile(file, SkinKeyColour);
}

QRegion storedOutline(const QString &skinFile)
{
    QFile file(skinFile.left(skinFile.lastIndexOf(QLatin1Char('.'))) + QStringLiteral(".outline"));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QDataStream in(&file);
    QRegion outline;
    in >> outline;
    return in.status() == QDataStream::Ok ? outline : QRegion();
}

void TShapedForm::ShapeWindow(const QImage &skin, QRgb key)
{
    if (skin.isNull())
        return;
    // Window coordinates are logical pixels; a skin that carries its own
    // pixel ratio is brought to one pixel per logical pixel first.
    QImage logical = skin;
    if (skin.devicePixelRatio() != 1.0) {
        logical = skin.scaled(skin.deviceIndependentSize().toSize(), Qt::IgnoreAspectRatio,
                              Qt::FastTransformation);
        logical.setDevicePixelRatio(1.0);
    }
    setFixedSize(logical.size());
    const QRegion region = regionFromSkin(logical, key);
    if (region.isEmpty())
        clearMask();
    else
        setMask(region);
}

void TShapedForm::Image1MouseDown()
{
    beginMove(QCursor::pos());
}

void TShapedForm::makeDraggableBy(TImage *background)
{
    connect(background, &TImage::mouseDown, this,
            [this, background](Qt::MouseButton, QPoint pos) { beginMove(background->mapToGlobal(pos)); });
}

void TShapedForm::beginMove(QPoint globalPress)
{
    QWidget *top = window();
    QWindow *handle = top->windowHandle();
    if (!handle || !top->isVisible() || m_manualMove)
        return;
    if (handle->startSystemMove())
        return;
    // No window manager to do it: follow the mouse until the button comes up.
    m_manualMove = true;
    m_grabOffset = globalPress - top->pos();
    qApp->installEventFilter(this);
    grabMouse();
}

void TShapedForm::endManualMove()
{
    if (!m_manualMove)
        return;
    m_manualMove = false;
    qApp->removeEventFilter(this);
    releaseMouse();
}

bool TShapedForm::eventFilter(QObject *watched, QEvent *event)
{
    if (m_manualMove && watched->isWidgetType()) {
        switch (event->type()) {
        case QEvent::MouseMove: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            if (mouse->buttons() == Qt::NoButton) {
                endManualMove(); // the release went elsewhere
                return false;
            }
            window()->move(mouse->globalPosition().toPoint() - m_grabOffset);
            return true;
        }
        case QEvent::MouseButtonRelease: {
            const auto *mouse = static_cast<QMouseEvent *>(event);
            window()->move(mouse->globalPosition().toPoint() - m_grabOffset);
            if (mouse->buttons() == Qt::NoButton)
                endManualMove();
            // The picture still sees its release, so a click on it stays a click.
            return false;
        }
        default:
            break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void TShapedForm::hideEvent(QHideEvent *event)
{
    endManualMove();
    QWidget::hideEvent(event);
}
