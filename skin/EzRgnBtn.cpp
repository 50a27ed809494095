#include "skin/EzRgnBtn.h"

#include <QMouseEvent>
#include <QPainter>

TEzRgnBtn::TEzRgnBtn(QWidget *parent) : QWidget(parent)
{
    resize(15, 15);
    setFocusPolicy(Qt::NoFocus);
    m_repeatTimer.setInterval(300);
    connect(&m_repeatTimer, &QTimer::timeout, this, &TEzRgnBtn::autoRepeatTick);
}

TEzRgnBtn::~TEzRgnBtn() = default;

void TEzRgnBtn::setAutoRepeat(bool on) { m_autoRepeat = on; updateAutoRepeat(); }

void TEzRgnBtn::setButtonEnabled(bool on)
{
    if (on == m_enabled)
        return;
    m_enabled = on;
    repaintNow();
}

void TEzRgnBtn::setPicIdle(const QPixmap &picture) { m_picIdle = picture; repaintNow(); }
void TEzRgnBtn::setPicDown(const QPixmap &picture) { m_picDown = picture; repaintNow(); }
void TEzRgnBtn::setPicUp(const QPixmap &picture) { m_picUp = picture; repaintNow(); }
void TEzRgnBtn::setPicDsbld(const QPixmap &picture) { m_picDsbld = picture; repaintNow(); }

void TEzRgnBtn::setPaintMode(TPaintMode mode)
{
    if (mode == m_paintMode)
        return;
    m_paintMode = mode;
    repaintNow();
}

void TEzRgnBtn::setImageList(const QList<QPixmap> *list)
{
    if (list == m_imageList)
        return;
    m_imageList = list;
}

QPixmap TEzRgnBtn::currentPicture() const
{
    const QPixmap normal = (!m_enabled && !m_picDsbld.isNull()) ? m_picDsbld : m_picIdle;
    if (m_enabled && m_hover && m_pressed)
        return m_picDown.isNull() ? normal : m_picDown;
    if (m_enabled && m_hover)
        return m_picUp.isNull() ? normal : m_picUp;
    return normal;
}

void TEzRgnBtn::paintEvent(QPaintEvent *)
{
    const QPixmap picture = currentPicture();
    if (picture.isNull())
        return;
    QMutexLocker locker(&m_lock);
    resize(picture.deviceIndependentSize().toSize());
    QPainter(this).drawPixmap(0, 0, picture);
}

void TEzRgnBtn::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    m_pendingClick = true;
    m_pressed = true;
    repaintNow();
    emit mouseDown(event->buttons(), event->position().toPoint());
    updateAutoRepeat();
}

void TEzRgnBtn::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
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

void TEzRgnBtn::mouseDoubleClickEvent(QMouseEvent *) {}

void TEzRgnBtn::mouseMoveEvent(QMouseEvent *) {}

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

void TEzRgnBtn::applyCrop() {}
void TEzRgnBtn::removeCrop() {}

void TEzRgnBtn::updateAutoRepeat()
{
    const bool run = m_autoRepeat && m_hover && m_pressed;
    if (run)
        m_repeatTimer.start();
    else
        m_repeatTimer.stop();
}

void TEzRgnBtn::repaintNow()
{
    const QPixmap picture = currentPicture();
    if (!picture.isNull())
        resize(picture.deviceIndependentSize().toSize());
    update();
}
