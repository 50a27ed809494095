#pragma once

#include <QEvent>
#include <QObject>

// Counts the paint events of the widgets it is installed on.
struct PaintCounter : QObject
{
    int paints = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        paints += event->type() == QEvent::Paint;
        return false;
    }
};
