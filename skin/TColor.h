#pragma once

#include <QColor>
#include <QPalette>
#include <QtGlobal>

// A colour as the forms store it: either a direct colour 0x00BBGGRR or a
// desktop colour 0x80000000 + index. Two colours are equal when their stored
// values are; a desktop colour is resolved through the palette only to draw.
class TColor
{
public:
    enum SystemIndex : quint32 {
        WindowFrame = 6,
        WindowText = 8,
        BtnFace = 15,
        BtnShadow = 16,
        GrayText = 17,
        BtnHighlight = 20,
    };
    static constexpr quint32 SystemFlag = 0x80000000u;

    constexpr TColor() = default;
    constexpr explicit TColor(quint32 stored) : m_value(stored) {}

    static constexpr TColor fromRgb(int r, int g, int b)
    {
        return TColor(quint32(r & 0xFF) | quint32(g & 0xFF) << 8 | quint32(b & 0xFF) << 16);
    }
    static constexpr TColor system(SystemIndex index) { return TColor(SystemFlag | index); }
    static TColor fromQColor(const QColor &c) { return fromRgb(c.red(), c.green(), c.blue()); }

    constexpr quint32 value() const { return m_value; }
    constexpr bool isSystem() const { return (m_value & SystemFlag) != 0; }

    QColor toQColor(const QPalette &palette) const;

    friend constexpr bool operator==(TColor a, TColor b) { return a.m_value == b.m_value; }

private:
    quint32 m_value = 0;
};

namespace tcolor {
inline constexpr TColor clBlack = TColor::fromRgb(0, 0, 0);
inline constexpr TColor clWhite = TColor::fromRgb(255, 255, 255);
inline constexpr TColor clRed = TColor::fromRgb(255, 0, 0);
inline constexpr TColor clGreen = TColor::fromRgb(0, 128, 0);
inline constexpr TColor clBlue = TColor::fromRgb(0, 0, 255);
inline constexpr TColor clNavy = TColor::fromRgb(0, 0, 128);
inline constexpr TColor clTeal = TColor::fromRgb(0, 128, 128);
inline constexpr TColor clYellow = TColor::fromRgb(255, 255, 0);
inline constexpr TColor clMaroon = TColor::fromRgb(128, 0, 0);
inline constexpr TColor clSilver = TColor::fromRgb(192, 192, 192);
inline constexpr TColor clSkyBlue = TColor::fromRgb(166, 202, 240);
inline constexpr TColor clWindowFrame = TColor::system(TColor::WindowFrame);
inline constexpr TColor clWindowText = TColor::system(TColor::WindowText);
inline constexpr TColor clBtnFace = TColor::system(TColor::BtnFace);
inline constexpr TColor clBtnShadow = TColor::system(TColor::BtnShadow);
inline constexpr TColor clGrayText = TColor::system(TColor::GrayText);
inline constexpr TColor clBtnHighlight = TColor::system(TColor::BtnHighlight);
}
