#include "skin/DrLabel.h"

#include <QEvent>
#include <QMouseEvent>
#include <QPainter>

namespace {

constexpr int kMaxCaption = 255;

} // namespace

TDRLabel::TDRLabel(QWidget *parent) : QLabel(parent)
{
    m_blinkTimer.setInterval(m_blinkInterval);
    connect(&m_blinkTimer, &QTimer::timeout, this, &TDRLabel::blinkStep);
    // Room for the shadow of a label sized by hand.
    resize(width() + m_deep, height() + m_deep);
}

void TDRLabel::setHiColor(TColor c)
{
    if (c == m_hiColor)
        return;
    m_hiColor = c;
    update();
}

void TDRLabel::setLoColor(TColor c)
{
    if (c == m_loColor)
        return;
    m_loColor = c;
    update();
}

void TDRLabel::setShadowColor(TColor c)
{
    if (c == m_shadowColor)
        return;
    m_shadowColor = c;
    update();
}

void TDRLabel::setFontColor(TColor c)
{
    if (c == m_fontColor)
        return;
    m_fontColor = c;
    update();
}

void TDRLabel::setColor(TColor c)
{
    if (c == m_color)
        return;
    m_color = c;
    update();
}

void TDRLabel::setBorder(TDRBorder b)
{
    if (b == m_border)
        return;
    m_border = b;
    update();
}

void TDRLabel::setCtl3D(bool on)
{
    if (on == m_ctl3D)
        return;
    m_ctl3D = on;
    update();
}

void TDRLabel::setBlinkInterval(int ms)
{
    if (ms == m_blinkInterval)
        return;
    m_blinkInterval = ms;
    m_blinkTimer.setInterval(ms);
    update();
}

void TDRLabel::setBlink(TDRBlink mode)
{
    if (mode == m_blink)
        return;
    m_blink = mode;
    // Blinking hides the text by giving it the background colour, so the
    // real colour is kept aside and given back when the blinking ends.
    if (mode == blBlink)
        m_savedColor = m_fontColor;
    else
        setFontColor(m_savedColor);
    if (mode == blNone)
        m_blinkTimer.stop();
    else
        m_blinkTimer.start();
    update();
}

void TDRLabel::setDeep(int deep)
{
    if (deep == m_deep || (deep != 1 && deep != 2))
        return;
    m_deep = deep;
    update();
}

void TDRLabel::setTransparent(bool on)
{
    if (on == m_transparent)
        return;
    m_transparent = on;
    update();
}

void TDRLabel::setShowAccelChar(bool on)
{
    if (on == m_showAccelChar)
        return;
    m_showAccelChar = on;
    adjustToText();
    update();
}

void TDRLabel::setAutoSize(bool on)
{
    if (on == m_autoSize)
        return;
    m_autoSize = on;
    adjustToText();
}

void TDRLabel::setCaption(const QString &caption)
{
    // The caption may have come through QLabel::setText (as forms give it),
    // so an unchanged caption still fits the label to it.
    if (caption != text()) {
        setText(caption);
        update();
    }
    adjustToText();
}

void TDRLabel::blinkStep()
{
    if (m_blink == blHiLo)
        setFontColor(m_fontColor == m_hiColor ? m_loColor : m_hiColor);
    else if (m_blink == blBlink)
        setFontColor(m_fontColor == m_color ? m_savedColor : m_color);
}

int TDRLabel::textFlags() const
{
    int flags = int(alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop | Qt::TextWordWrap | Qt::TextExpandTabs;
    if (m_showAccelChar)
        flags |= Qt::TextShowMnemonic;
    return flags;
}

QSize TDRLabel::textExtent() const
{
    // Measured on one line unless the caption breaks itself, as a plain label
    // measures its text; the shadow gets no room.
    int flags = Qt::TextExpandTabs;
    if (m_showAccelChar)
        flags |= Qt::TextShowMnemonic;
    return fontMetrics().size(flags, text().left(kMaxCaption));
}

void TDRLabel::paintEvent(QPaintEvent *)
{
    // The caption may have come through QLabel::setText.
    adjustToText();
    QPainter painter(this);
    const QPalette pal = palette();
    const int w = width();
    const int h = height();
    if (!m_transparent)
        painter.fillRect(rect(), m_color.toQColor(pal));

    if (m_border != boNone && w >= 2 && h >= 2) {
        TColor top = tcolor::clWindowFrame;
        TColor bottom = tcolor::clWindowFrame;
        if (m_border == boRaised) {
            top = tcolor::clBtnHighlight;
            bottom = tcolor::clBtnShadow;
        } else if (m_border == boLowered) {
            top = tcolor::clBtnShadow;
            bottom = tcolor::clBtnHighlight;
        }
        // One pixel on the rectangle (0, 0)-(w-2, h-2): the last column and
        // row stay free, and the bottom colour takes both far corners.
        const QColor topColor = top.toQColor(pal);
        const QColor bottomColor = bottom.toQColor(pal);
        painter.fillRect(QRect(0, 0, w - 2, 1), topColor);
        painter.fillRect(QRect(0, 1, 1, h - 3), topColor);
        painter.fillRect(QRect(w - 2, 0, 1, h - 2), bottomColor);
        painter.fillRect(QRect(0, h - 2, w - 1, 1), bottomColor);
    }

    // A font colour equal to the background draws nothing: that is how the
    // blink hides the text.
    if (m_fontColor == m_color)
        return;
    const QString caption = text().left(kMaxCaption);
    const int flags = textFlags();
    painter.setFont(font());
    if (m_ctl3D) {
        painter.setPen(m_shadowColor.toQColor(pal));
        painter.drawText(rect().translated(m_deep, m_deep), flags, caption);
    }
    painter.setPen(isEnabled() ? m_fontColor.toQColor(pal) : tcolor::clGrayText.toQColor(pal));
    painter.drawText(rect(), flags, caption);
}

void TDRLabel::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        adjustToText();
    QLabel::changeEvent(event);
}

void TDRLabel::mousePressEvent(QMouseEvent *event)
{
    // Taken, so that a press on the label never reaches the window beneath.
    m_click.press(*event);
    event->accept();
}

void TDRLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    if (m_click.release(*event, rect()))
        emit clicked();
}

void TDRLabel::adjustToText()
{
    if (!m_autoSize)
        return;
    const QSize extent = textExtent();
    if (extent != size())
        resize(extent);
}
