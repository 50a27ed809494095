#pragma once

#include <QLabel>

#include "skin/LeftClick.h"

// A plain label that reports a left click, with no hover or cursor change:
// the help window's topics.
class TClickLabel : public QLabel
{
    Q_OBJECT
public:
    explicit TClickLabel(QWidget *parent = nullptr);

signals:
    void clicked();

protected:
    void mousePressEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    LeftClick m_click;
};
