#include "skin/DrLabel.h"

#include <QMouseEvent>
#include <QPainter>

TDRLabel::TDRLabel(QWidget *parent) : QLabel(parent)
{
    m_blinkTimer.setInterval(m_blinkInterval);
    connect(&m_blinkTimer, &QTimer::timeout, this, &TDRLabel::blinkStep);
}

void TDRLabel::setHiColor(TColor c) { m_hiColor = c; update(); }
void TDRLabel::setLoColor(TColor c) { m_loColor = c; update(); }
void TDRLabel::setShadowColor(TColor c) { m_shadowColor = c; update(); }
void TDRLabel::setFontColor(TColor c) { m_fontColor = c; update(); }
void TDRLabel::setColor(TColor c) { m_color = c; update(); }
void TDRLabel::setBorder(TDRBorder b) { m_border = b; update(); }
void TDRLabel::setCtl3D(bool on) { m_ctl3D = on; update(); }
void TDRLabel::setBlinkInterval(int ms) { m_blinkInterval = ms; m_blinkTimer.setInterval(ms); update(); }

void TDRLabel::setBlink(TDRBlink mode)
{
    if (mode == m_blink)
        return;
    m_blink = mode;
    if (mode == blBlink)
        m_savedColor = m_fontColor;
    else
        m_fontColor = m_savedColor;
    if (mode == blNone)
        m_blinkTimer.stop();
    else
        m_blinkTimer.start();
    update();
}

void TDRLabel::setDeep(int deep)
{
    if (deep == 1 || deep == 2)
        m_deep = deep;
    update();
}

void TDRLabel::setTransparent(bool on) { m_transparent = on; update(); }
void TDRLabel::setShowAccelChar(bool on) { m_showAccelChar = on; update(); }
void TDRLabel::setAutoSize(bool on) { m_autoSize = on; adjustToText(); }

void TDRLabel::setCaption(const QString &caption)
{
    setText(caption);
    adjustToText();
    update();
}

void TDRLabel::blinkStep()
{
    if (m_blink == blHiLo)
        m_fontColor = (m_fontColor == m_hiColor) ? m_loColor : m_hiColor;
    else if (m_blink == blBlink)
        m_fontColor = (m_fontColor == m_color) ? m_savedColor : m_color;
    update();
}

void TDRLabel::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QPalette pal = palette();
    if (!m_transparent)
        painter.fillRect(rect(), m_color.toQColor(pal));
    if (m_fontColor == m_color)
        return;
    const QString caption = text().left(255);
    const int flags = int(alignment() & Qt::AlignHorizontal_Mask) | Qt::AlignTop | Qt::TextWordWrap
                      | Qt::TextExpandTabs | (m_showAccelChar ? Qt::TextShowMnemonic : 0);
    painter.setFont(font());
    if (m_ctl3D) {
        painter.setPen(m_shadowColor.toQColor(pal));
        painter.drawText(rect().translated(m_deep, m_deep), flags, caption);
    }
    painter.setPen(isEnabled() ? m_fontColor.toQColor(pal) : tcolor::clGrayText.toQColor(pal));
    painter.drawText(rect(), flags, caption);
}

void TDRLabel::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        emit clicked();
}

void TDRLabel::adjustToText()
{
    if (!m_autoSize)
        return;
    resize(fontMetrics().size(m_showAccelChar ? Qt::TextShowMnemonic : 0, text().left(255)));
}
