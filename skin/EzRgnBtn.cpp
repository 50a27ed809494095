#include "skin/EzRgnBtn.h"

#include <QMouseEvent>
#include <QPainter>

#include "skin/Artwork.h"
#include "skin/ShapeWindow.h"

namespace {

// The picture with every pixel of its top-left colour made fully transparent.
QImage withoutTopLeftColour(const QPixmap &picture)
{
    QImage image = picture.toImage().convertToFormat(QImage::Format_ARGB32);
    const QRgb key = image.pixel(0, 0) & 0x00FFFFFFu;
    for (int y = 0; y < image.height(); ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            if ((row[x] & 0x00FFFFFFu) == key)
                row[x] = 0;
        }
    }
    return image;
}

} // namespace

TEzRgnBtn::TEzRgnBtn(QWidget *parent) : QWidget(parent)
{
    resize(15, 15);
    setFocusPolicy(Qt::NoFocus);
    m_repeatTimer.setInterval(300);
    m_repeatTimer.setSingleShot(false);
    connect(&m_repeatTimer, &QTimer::timeout, this, &TEzRgnBtn::autoRepeatTick);
}

TEzRgnBtn::~TEzRgnBtn() = default;

void TEzRgnBtn::setAutoRepeat(bool on)
{
    if (on == m_autoRepeat)
        return;
    m_autoRepeat = on;
    updateAutoRepeat();
}

void TEzRgnBtn::setButtonEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    repaintNow();
}

const QPixmap &TEzRgnBtn::face(State state) const
{
    static const char *const suffixes[StateCount] = {"_idle.png", "_up.png", "_down.png", "_dsbld.png"};
    if (m_unread[state]) {
        m_unread[state] = false;
        const QString file = m_faces + QLatin1String(suffixes[state]);
        m_pictures[state] = QPixmap::fromImage(artworkForRatio(file, devicePixelRatioF()));
    }
    return m_pictures[state];
}

void TEzRgnBtn::setFace(State state, const QPixmap &picture)
{
    m_pictures[state] = picture;
    m_unread[state] = false;
}

void TEzRgnBtn::setPicIdle(const QPixmap &picture)
{
    setFace(Idle, picture);
    repaintNow();
    // The outline follows the new picture.
    if (m_paintMode == pmCrop) {
        removeCrop();
        applyCrop();
    }
}

void TEzRgnBtn::setPicDown(const QPixmap &picture) { setFace(Down, picture); repaintNow(); }
void TEzRgnBtn::setPicUp(const QPixmap &picture) { setFace(Up, picture); repaintNow(); }
void TEzRgnBtn::setPicDsbld(const QPixmap &picture) { setFace(Dsbld, picture); repaintNow(); }

void TEzRgnBtn::setFaces(const QString &faces)
{
    m_faces = faces;
    m_unread.fill(true);
    if (m_paintMode == pmCrop) {
        // The outline follows the new idle picture.
        removeCrop();
        applyCrop();
    }
    // A button on screen shows its new face at once; one that is not takes
    // the size of its idle face from the drawing's header alone.
    if (isVisible()) {
        repaintNow();
    } else {
        const QSize size = pngFileSize(faces + QStringLiteral("_idle.png"));
        if (size.isValid())
            resize(size);
    }
}

void TEzRgnBtn::setPaintMode(TPaintMode mode)
{
    if (mode == m_paintMode)
        return;
    if (m_paintMode == pmCrop)
        removeCrop();
    m_paintMode = mode;
    if (mode == pmCrop)
        applyCrop();
    repaintNow();
}

void TEzRgnBtn::setImageList(const QList<QPixmap> *list)
{
    if (list == m_imageList)
        return;
    m_imageList = list;
    if (!list)
        return;
    // Copied once: later changes to the list do not reach the button, and
    // the crop outline is left as it is.
    for (qsizetype i = 0; i < StateCount && i < list->size(); ++i) {
        setFace(State(i), list->at(i));
        repaintNow();
    }
}

QPixmap TEzRgnBtn::currentPicture() const
{
    const QPixmap &normal = (!m_enabled && !face(Dsbld).isNull()) ? face(Dsbld) : face(Idle);
    if (m_enabled && m_hover && m_pressed)
        return face(Down).isNull() ? normal : face(Down);
    if (m_enabled && m_hover)
        return face(Up).isNull() ? normal : face(Up);
    return normal;
}

void TEzRgnBtn::fitToPicture(const QPixmap &picture)
{
    const QSize size = picture.deviceIndependentSize().toSize();
    if (size != this->size())
        resize(size);
}

void TEzRgnBtn::paintEvent(QPaintEvent *)
{
    const QPixmap picture = currentPicture();
    if (picture.isNull())
        return;
    QPainter painter(this);
    if (m_paintMode == pmTransparent)
        painter.drawImage(QRectF(QPointF(0, 0), picture.deviceIndependentSize()), withoutTopLeftColour(picture));
    else
        painter.drawPixmap(0, 0, picture);
}

void TEzRgnBtn::showEvent(QShowEvent *event)
{
    const QPixmap picture = currentPicture();
    if (!picture.isNull())
        fitToPicture(picture);
    QWidget::showEvent(event);
}

void TEzRgnBtn::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    // The press happened over the button, even if no enter event said so
    // (a window shown under a still pointer).
    if (!m_hover && rect().contains(event->position().toPoint())) {
        m_hover = true;
        emit mouseEnter();
    }
    m_pendingClick = true;
    m_pressed = true;
    repaintNow();
    emit mouseDown(event->buttons(), event->position().toPoint());
    updateAutoRepeat();
}

void TEzRgnBtn::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton) {
        event->ignore();
        return;
    }
    if (m_pendingClick) {
        m_pendingClick = false;
        if (rect().contains(event->position().toPoint()))
            click();
    }
    m_pressed = false;
    repaintNow();
    emit mouseUp(event->buttons(), event->position().toPoint());
    updateAutoRepeat();
}

void TEzRgnBtn::mouseDoubleClickEvent(QMouseEvent *event)
{
    // The second press of a double click is swallowed; its release is not.
    event->accept();
}

void TEzRgnBtn::mouseMoveEvent(QMouseEvent *event)
{
    emit mouseMove(event->buttons(), event->position().toPoint());
    // While the left button is held the mouse is grabbed and no enter or
    // leave arrives, so the pointer's position says whether it is over us.
    if (!m_pressed)
        return;
    const bool inside = rect().contains(event->position().toPoint());
    if (inside == m_hover)
        return;
    m_hover = inside;
    repaintNow();
    if (inside)
        emit mouseEnter();
    else
        emit mouseLeave();
    updateAutoRepeat();
}

void TEzRgnBtn::enterEvent(QEnterEvent *)
{
    if (m_hover)
        return;
    m_hover = true;
    repaintNow();
    emit mouseEnter();
    updateAutoRepeat();
}

void TEzRgnBtn::leaveEvent(QEvent *)
{
    // A leave after a release outside: the drag already reported it.
    if (!m_hover)
        return;
    m_hover = false;
    repaintNow();
    emit mouseLeave();
    updateAutoRepeat();
}

void TEzRgnBtn::autoRepeatTick() { click(); }

void TEzRgnBtn::click()
{
    if (m_enabled)
        emit clicked();
}

void TEzRgnBtn::applyCrop()
{
    if (m_paintMode != pmCrop || m_cropped || face(Idle).isNull())
        return;
    const QImage idle = face(Idle).toImage();
    // The idle picture minus every pixel of its top-left colour: the same
    // runs as a window skin, keyed on that colour.
    setMask(regionFromSkin(idle, idle.pixel(0, 0)));
    m_cropped = true;
}

void TEzRgnBtn::removeCrop()
{
    if (face(Idle).isNull())
        clearMask();
    else
        setMask(QRegion(QRect(QPoint(0, 0), face(Idle).deviceIndependentSize().toSize())));
    m_cropped = false;
}

void TEzRgnBtn::updateAutoRepeat()
{
    const bool run = m_autoRepeat && m_hover && m_pressed;
    if (run == m_repeatTimer.isActive())
        return;
    if (run)
        m_repeatTimer.start();
    else
        m_repeatTimer.stop();
}

void TEzRgnBtn::repaintNow()
{
    const QPixmap picture = currentPicture();
    if (picture.isNull())
        return;
    fitToPicture(picture);
    // Drawn at once so that hover and press feedback is instant.
    if (isVisible())
        repaint();
}
