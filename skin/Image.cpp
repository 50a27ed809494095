#include "skin/Image.h"

#include <QMouseEvent>
#include <QPainter>

TImage::TImage(QWidget *parent) : QLabel(parent) {}

void TImage::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    if (m_autoSize && !m_picture.isNull())
        resize(m_picture.deviceIndependentSize().toSize());
    update();
}

void TImage::setAutoSize(bool on)
{
    m_autoSize = on;
    if (m_autoSize && !m_picture.isNull())
        resize(m_picture.deviceIndependentSize().toSize());
}

void TImage::setStretch(bool on) { m_stretch = on; update(); }
void TImage::setProportional(bool on) { m_proportional = on; update(); }
void TImage::setCenter(bool on) { m_center = on; update(); }

void TImage::paintEvent(QPaintEvent *)
{
    if (m_picture.isNull())
        return;
    QPainter painter(this);
    QSize size = m_picture.deviceIndependentSize().toSize();
    if (m_stretch) {
        size = m_proportional ? size.scaled(this->size(), Qt::KeepAspectRatio) : this->size();
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
    }
    QPoint origin(0, 0);
    if (m_center)
        origin = QPoint((width() - size.width()) / 2, (height() - size.height()) / 2);
    painter.drawPixmap(QRect(origin, size), m_picture);
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton)
        m_leftPressed = true;
    emit mouseDown(event->button(), event->position().toPoint());
    // The background of a skinned window hands its press to the window.
    event->ignore();
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    const bool wasPressed = m_leftPressed;
    m_leftPressed = false;
    if (event->button() == Qt::LeftButton && wasPressed && rect().contains(event->position().toPoint()))
        emit clicked();
}
