#include "skin/Image.h"

#include <QMouseEvent>
#include <QPainter>

#include "skin/Artwork.h"

TImage::TImage(QWidget *parent) : QLabel(parent) {}

QPixmap TImage::picture() const
{
    loadPictureFile();
    // A form may also have filled QLabel's own pixmap.
    return m_picture.isNull() ? pixmap() : m_picture;
}

void TImage::setPicture(const QPixmap &picture)
{
    m_picture = picture;
    m_file.clear();
    m_key.reset();
    m_fileRead = true;
    fitToPicture();
    update();
}

void TImage::setPictureFile(const QString &file)
{
    m_picture = QPixmap();
    m_file = file;
    m_key.reset();
    m_fileRead = false;
    fitToPicture();
    update();
}

void TImage::setSkinFile(const QString &file, QRgb key)
{
    m_picture = QPixmap();
    m_file = file;
    m_key = key;
    m_fileRead = false;
    fitToPicture();
    update();
}

void TImage::loadPictureFile() const
{
    if (m_fileRead)
        return;
    m_fileRead = true;
    const qreal ratio = devicePixelRatioF();
    m_picture = QPixmap::fromImage(m_key ? skinForRatio(m_file, ratio, *m_key) : artworkForRatio(m_file, ratio));
}

void TImage::setAutoSize(bool on)
{
    if (on == m_autoSize)
        return;
    m_autoSize = on;
    fitToPicture();
}

void TImage::setStretch(bool on)
{
    if (on == m_stretch)
        return;
    m_stretch = on;
    update();
}

void TImage::setProportional(bool on)
{
    if (on == m_proportional)
        return;
    m_proportional = on;
    update();
}

void TImage::setCenter(bool on)
{
    if (on == m_center)
        return;
    m_center = on;
    update();
}

void TImage::fitToPicture()
{
    if (!m_autoSize)
        return;
    // A drawing not read yet gives its size from its header alone.
    const QSize size = m_fileRead ? picture().deviceIndependentSize().toSize() : pngFileSize(m_file);
    if (size.isValid() && !size.isEmpty())
        resize(size);
}

QRect TImage::pictureRect() const
{
    const QPixmap shown = picture();
    if (shown.isNull())
        return {};
    QSize size = shown.deviceIndependentSize().toSize();
    if (m_proportional) {
        // Proportional alone only shrinks a picture that does not fit;
        // with Stretch a smaller one grows too.
        if (m_stretch || size.width() > width() || size.height() > height())
            size = size.scaled(this->size(), Qt::KeepAspectRatio);
    } else if (m_stretch) {
        size = this->size();
    }
    QPoint origin(0, 0);
    if (m_center)
        origin = QPoint((width() - size.width()) / 2, (height() - size.height()) / 2);
    return {origin, size};
}

void TImage::paintEvent(QPaintEvent *)
{
    const QPixmap shown = picture();
    if (shown.isNull())
        return;
    QPainter painter(this);
    const QRect target = pictureRect();
    // At its own size a picture is drawn pixel for pixel, even at a
    // fractional ratio where its logical size is rounded.
    if (target.size() == shown.deviceIndependentSize().toSize()) {
        painter.drawPixmap(target.topLeft(), shown);
        return;
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawPixmap(target, shown);
}

void TImage::mousePressEvent(QMouseEvent *event)
{
    m_click.press(*event);
    event->accept();
    emit mouseDown(event->button(), event->position().toPoint());
}

void TImage::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_click.release(*event, rect()))
        emit clicked();
}
