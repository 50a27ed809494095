#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>

// The outline of a skin: one rectangle per maximal horizontal run of pixels
// whose colour differs from the key colour (0xRRGGBB, compared exactly).
QRegion regionFromSkin(const QImage &skin, QRgb key);

// A frameless window cut to the outline of its skin and moved by dragging
// its background. Base class of the skinned windows.
class TShapedForm : public QWidget
{
    Q_OBJECT
public:
    explicit TShapedForm(QWidget *parent = nullptr);

    // Sizes the window to the skin and sets its outline as the window mask.
    // A skin without an opaque pixel leaves the window a full rectangle.
    void ShapeWindow(const QImage &skin, QRgb key);

    // Starts moving the window with the mouse: the window system's move
    // where it accepts it, otherwise the window follows the mouse until the
    // button is released.
    void Image1MouseDown();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool m_manualMove = false;
    QPoint m_grabOffset;
};
