#include "windows/ClickLabel.h"

#include <QMouseEvent>

TClickLabel::TClickLabel(QWidget *parent) : QLabel(parent) {}

void TClickLabel::mousePressEvent(QMouseEvent *event)
{
    m_click.press(*event);
    QLabel::mousePressEvent(event);
}

void TClickLabel::mouseReleaseEvent(QMouseEvent *event)
{
    // Any button's release ends the press.
    const bool click = m_click.release(*event, rect());
    QLabel::mouseReleaseEvent(event);
    if (click)
        emit clicked();
}
