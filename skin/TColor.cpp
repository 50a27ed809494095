#include "skin/TColor.h"

QColor TColor::toQColor(const QPalette &palette) const
{
    if (!isSystem())
        return QColor(int(m_value & 0xFF), int(m_value >> 8 & 0xFF), int(m_value >> 16 & 0xFF));
    switch (m_value & ~SystemFlag) {
    case WindowFrame:
    case WindowText:
        return palette.color(QPalette::Active, QPalette::WindowText);
    case BtnFace:
        return palette.color(QPalette::Active, QPalette::Button);
    case BtnShadow:
        return palette.color(QPalette::Active, QPalette::Dark);
    case GrayText:
        return palette.color(QPalette::Disabled, QPalette::WindowText);
    case BtnHighlight:
        return palette.color(QPalette::Active, QPalette::Light);
    default:
        return palette.color(QPalette::Active, QPalette::Window);
    }
}
