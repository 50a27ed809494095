#pragma once

#include <QImage>
#include <QPoint>
#include <QRegion>
#include <QWidget>

#include "skin/Artwork.h"

class TImage;

// The outline of a skin: one rectangle per maximal horizontal run of pixels
// whose colour differs from the key colour (0xRRGGBB, compared exactly on the
// red, green and blue channels; alpha is not part of the colour).
QRegion regionFromSkin(const QImage &skin, QRgb key);

// The outline the artwork generator stored beside a skin ("skin_main.png":
// "skin_main.outline"), empty when there is none.
QRegion storedOutline(const QString &skinFile);

// A frameless window cut to the outline of its skin and moved by dragging
// its background. Base class of the skinned windows.
class TShapedForm : public QWidget
{
    Q_OBJECT
public:
    explicit TShapedForm(QWidget *parent = nullptr);

    // Sizes the window to the skin and sets its outline as the window mask.
    // A skin without an opaque pixel leaves the window a full rectangle; a
    // null skin (picture missing) changes nothing.
    void ShapeWindow(const QImage &skin, QRgb key);

    // The one step every skinned window takes: its background shows the skin
    // with the key colour fully transparent (drawn for the screen's ratio),
    // and the window takes the size and outline of the 1x skin, so that its
    // shape is the same at every scale. The mask decides where clicks go.
    void ShapeWindow(TImage *background);

    // Starts moving the window with the mouse: the window system's move
    // where it accepts it, otherwise the window follows the mouse until the
    // button is released. Takes the press position from the cursor.
    void Image1MouseDown();

    // Any mouse button going down on this picture moves the window. Windows
    // that do not move by their background simply do not call it.
    void makeDraggableBy(TImage *background);

    // True while the window follows the mouse by itself (no window manager).
    bool isMovingByHand() const { return m_manualMove; }

    // Chooses, at the first showing, between an opaque window and one with
    // a transparent outside (see platform::masksCutWindows). A window made
    // before it is shown (winId) keeps the transparent outside.
    void setVisible(bool visible) override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void hideEvent(QHideEvent *event) override;

private:
    void beginMove(QPoint globalPress);
    void endManualMove();

    bool m_manualMove = false;
    QPoint m_grabOffset;
};
