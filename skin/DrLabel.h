#pragma once

#include <QLabel>
#include <QTimer>

#include "skin/LeftClick.h"
#include "skin/TColor.h"

// A transparent label that draws its caption with an offset shadow, an
// optional one-pixel frame, and can blink.
class TDRLabel : public QLabel
{
    Q_OBJECT
    // Colours are stored values (see TColor); forms set them as numbers.
    Q_PROPERTY(uint HiColor READ hiColorValue WRITE setHiColorValue)
    Q_PROPERTY(uint LoColor READ loColorValue WRITE setLoColorValue)
    Q_PROPERTY(TDRBorder Border READ border WRITE setBorder)
    Q_PROPERTY(bool Ctl3D READ ctl3D WRITE setCtl3D)
    Q_PROPERTY(int BlinkInterval READ blinkInterval WRITE setBlinkInterval)
    Q_PROPERTY(TDRBlink Blink READ blink WRITE setBlink)
    Q_PROPERTY(uint ShadowColor READ shadowColorValue WRITE setShadowColorValue)
    Q_PROPERTY(int Deep READ deep WRITE setDeep)
    // The label's own font colour and background colour.
    Q_PROPERTY(uint FontColor READ fontColorValue WRITE setFontColorValue)
    Q_PROPERTY(uint Color READ colorValue WRITE setColorValue)
    Q_PROPERTY(bool Transparent READ transparent WRITE setTransparent)
    Q_PROPERTY(bool ShowAccelChar READ showAccelChar WRITE setShowAccelChar)
    Q_PROPERTY(bool AutoSize READ autoSize WRITE setAutoSize)
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)

public:
    enum TDRBorder : quint8 { boNone = 0, boSingle = 1, boRaised = 2, boLowered = 3 };
    Q_ENUM(TDRBorder)
    enum TDRBlink : quint8 { blNone = 0, blBlink = 1, blHiLo = 2 };
    Q_ENUM(TDRBlink)

    explicit TDRLabel(QWidget *parent = nullptr);

    TColor hiColor() const { return m_hiColor; }
    void setHiColor(TColor c);
    TColor loColor() const { return m_loColor; }
    void setLoColor(TColor c);
    TColor shadowColor() const { return m_shadowColor; }
    void setShadowColor(TColor c);
    TColor fontColor() const { return m_fontColor; }
    void setFontColor(TColor c);
    TColor color() const { return m_color; }
    void setColor(TColor c);

    TDRBorder border() const { return m_border; }
    void setBorder(TDRBorder b);
    bool ctl3D() const { return m_ctl3D; }
    void setCtl3D(bool on);
    int blinkInterval() const { return m_blinkInterval; }
    void setBlinkInterval(int ms);
    TDRBlink blink() const { return m_blink; }
    void setBlink(TDRBlink mode);
    int deep() const { return m_deep; }
    void setDeep(int deep);
    bool transparent() const { return m_transparent; }
    void setTransparent(bool on);
    bool showAccelChar() const { return m_showAccelChar; }
    void setShowAccelChar(bool on);
    bool autoSize() const { return m_autoSize; }
    void setAutoSize(bool on);
    QString caption() const { return text(); }
    void setCaption(const QString &caption);

    // The blink timer, so that tests can drive the blinking.
    QTimer *blinkTimer() { return &m_blinkTimer; }
    // One tick of the blink timer.
    void blinkStep();
    // The colour the text comes back to when blBlink ends.
    TColor savedColor() const { return m_savedColor; }

signals:
    void clicked();

protected:
    void paintEvent(QPaintEvent *event) override;
    void changeEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    uint hiColorValue() const { return m_hiColor.value(); }
    void setHiColorValue(uint v) { setHiColor(TColor(v)); }
    uint loColorValue() const { return m_loColor.value(); }
    void setLoColorValue(uint v) { setLoColor(TColor(v)); }
    uint shadowColorValue() const { return m_shadowColor.value(); }
    void setShadowColorValue(uint v) { setShadowColor(TColor(v)); }
    uint fontColorValue() const { return m_fontColor.value(); }
    void setFontColorValue(uint v) { setFontColor(TColor(v)); }
    uint colorValue() const { return m_color.value(); }
    void setColorValue(uint v) { setColor(TColor(v)); }
    void adjustToText();
    int textFlags() const;
    QSize textExtent() const;

    QTimer m_blinkTimer;
    TColor m_hiColor = tcolor::clBlue;
    TColor m_loColor = tcolor::clNavy;
    TColor m_savedColor = tcolor::clWindowText;
    bool m_ctl3D = true;
    int m_deep = 1;
    TDRBorder m_border = boNone;
    int m_blinkInterval = 300;
    TDRBlink m_blink = blNone;
    TColor m_shadowColor = tcolor::clBtnHighlight;
    TColor m_fontColor = tcolor::clWindowText;
    TColor m_color = tcolor::clBtnFace;
    bool m_transparent = true;
    bool m_showAccelChar = true;
    bool m_autoSize = false;
    LeftClick m_click;
};
