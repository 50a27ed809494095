#pragma once

#include <QMouseEvent>
#include <QRect>

#include <utility>

// A click as a button takes it: the left button goes down on the control and
// comes up over it, so that a press dragged away and released elsewhere does
// nothing.
class LeftClick
{
public:
    void press(const QMouseEvent &event)
    {
        if (event.button() == Qt::LeftButton)
            m_leftPressed = true;
    }

    // Ends the press; true when this release completes a click within `area`.
    bool release(const QMouseEvent &event, const QRect &area)
    {
        const bool wasPressed = std::exchange(m_leftPressed, false);
        return wasPressed && event.button() == Qt::LeftButton && area.contains(event.position().toPoint());
    }

private:
    bool m_leftPressed = false;
};
