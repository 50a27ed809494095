#include <QPainter>
#include <QSignalSpy>
#include <QTest>

#include "skin/DrLabel.h"
#include "skin/Image.h"
#include "skin/ShapeWindow.h"

namespace {

// A skin as the windows have them: a key-colour frame around a rounded panel.
QImage panelSkin(QSize size)
{
    QImage skin(size, QImage::Format_RGB32);
    skin.fill(0xFFFF00FF);
    QPainter painter(&skin);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(0, 128, 128));
    painter.drawRoundedRect(QRect(QPoint(1, 1), size - QSize(2, 2)), 12, 12);
    return skin;
}

// A window built the way the skinned windows build theirs.
struct SkinnedWindow : TShapedForm
{
    TImage *Image1 = new TImage(this);
    TDRLabel *DRLabel1 = new TDRLabel(this);

    explicit SkinnedWindow(const QImage &skin)
    {
        Image1->setAutoSize(true);
        Image1->setPicture(QPixmap::fromImage(skin));
        DRLabel1->setGeometry(40, 40, 60, 20);
        ShapeWindow(Image1->picture().toImage(), 0xFF00FF);
        makeDraggableBy(Image1);
    }
};

} // namespace

class SkinShapedWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void windowTakesTheSkinSizeAndOutline();
    void skinWithoutOpaquePixelLeavesAFullRectangle();
    void nullSkinChangesNothing();
    void anyButtonOnTheBackgroundMovesTheWindow_data();
    void anyButtonOnTheBackgroundMovesTheWindow();
    void pressOnAControlDoesNotMoveTheWindow();
    void windowWithoutDraggingStaysPut();
    void imageSizesAndPlacesItsPicture();
    void imageClickNeedsLeftPressAndReleaseInside();
};

void SkinShapedWindowTest::windowTakesTheSkinSizeAndOutline()
{
    const QImage skin = panelSkin({313, 201});
    SkinnedWindow w(skin);
    QVERIFY(w.windowFlags() & Qt::FramelessWindowHint);
    QCOMPARE(w.size(), QSize(313, 201));
    QVERIFY(w.mask().xored(regionFromSkin(skin, 0xFF00FF)).isEmpty());
    // The key-colour frame is outside, the panel inside.
    QVERIFY(!w.mask().contains(QPoint(0, 100)));
    QVERIFY(!w.mask().contains(QPoint(312, 100)));
    QVERIFY(!w.mask().contains(QPoint(156, 200)));
    QVERIFY(!w.mask().contains(QPoint(2, 2))); // rounded corner
    QVERIFY(w.mask().contains(QPoint(156, 100)));
    QCOMPARE(w.Image1->geometry(), QRect(0, 0, 313, 201));
}

void SkinShapedWindowTest::skinWithoutOpaquePixelLeavesAFullRectangle()
{
    QImage allKey(50, 40, QImage::Format_RGB32);
    allKey.fill(0xFFFF00FF);
    SkinnedWindow w(panelSkin({80, 60}));
    QVERIFY(!w.mask().isEmpty());
    w.ShapeWindow(allKey, 0xFF00FF);
    QCOMPARE(w.size(), QSize(50, 40));
    QVERIFY(w.mask().isEmpty()); // no mask: the whole rectangle
}

void SkinShapedWindowTest::nullSkinChangesNothing()
{
    TShapedForm w;
    w.resize(120, 90);
    w.ShapeWindow(QImage(), 0xFF00FF);
    QCOMPARE(w.size(), QSize(120, 90));
    QVERIFY(w.mask().isEmpty());
}

void SkinShapedWindowTest::anyButtonOnTheBackgroundMovesTheWindow_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left") << Qt::LeftButton;
    QTest::newRow("right") << Qt::RightButton;
    QTest::newRow("middle") << Qt::MiddleButton;
}

void SkinShapedWindowTest::anyButtonOnTheBackgroundMovesTheWindow()
{
    QFETCH(Qt::MouseButton, button);
#ifdef Q_OS_WIN
    QSKIP("Windows moves the window itself, following the real mouse: tried with real input by tests/windows/installer.sh");
#endif
    SkinnedWindow w(panelSkin({200, 150}));
    w.move(100, 100);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QPoint start = w.pos();
    // Offscreen has no window manager move: the window follows by itself.
    QTest::mousePress(w.Image1, button, {}, QPoint(20, 100));
    QVERIFY(w.isMovingByHand());
    QTest::mouseMove(w.Image1, QPoint(50, 120));
    QCOMPARE(w.pos(), start + QPoint(30, 20));
    // The pointer has not moved since: it is now at (20, 100) of the window.
    QTest::mouseRelease(w.Image1, button, {}, QPoint(20, 100));
    QVERIFY(!w.isMovingByHand());
    QCOMPARE(w.pos(), start + QPoint(30, 20));
    // Moves after the release leave it where it is.
    QTest::mouseMove(w.Image1, QPoint(80, 80));
    QCOMPARE(w.pos(), start + QPoint(30, 20));
}

void SkinShapedWindowTest::pressOnAControlDoesNotMoveTheWindow()
{
    SkinnedWindow w(panelSkin({200, 150}));
    w.move(100, 100);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy downs(w.Image1, &TImage::mouseDown);
    QTest::mousePress(w.DRLabel1, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!w.isMovingByHand());
    QTest::mouseMove(w.DRLabel1, QPoint(40, 30));
    QTest::mouseRelease(w.DRLabel1, Qt::LeftButton, {}, QPoint(40, 30));
    QCOMPARE(w.pos(), QPoint(100, 100));
    QCOMPARE(downs.size(), 0);
}

void SkinShapedWindowTest::windowWithoutDraggingStaysPut()
{
    // The about window closes on a click instead of moving.
    TShapedForm w;
    auto *background = new TImage(&w);
    background->setAutoSize(true);
    background->setPicture(QPixmap::fromImage(panelSkin({100, 100})));
    w.ShapeWindow(background->picture().toImage(), 0xFF00FF);
    connect(background, &TImage::clicked, &w, &QWidget::hide);
    w.move(50, 50);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mousePress(background, Qt::LeftButton, {}, QPoint(50, 50));
    QTest::mouseMove(background, QPoint(60, 60));
    QTest::mouseRelease(background, Qt::LeftButton, {}, QPoint(60, 60));
    QCOMPARE(w.pos(), QPoint(50, 50));
    QVERIFY(!w.isVisible());
}

void SkinShapedWindowTest::imageSizesAndPlacesItsPicture()
{
    QWidget parent;
    parent.resize(400, 400);
    auto *image = new TImage(&parent);
    image->setGeometry(0, 0, 297, 345);
    QPixmap mark(170, 230);
    mark.fill(Qt::red);
    image->setPicture(mark);
    QCOMPARE(image->size(), QSize(297, 345));
    QCOMPARE(image->pictureRect(), QRect(0, 0, 170, 230));
    image->setCenter(true);
    QCOMPARE(image->pictureRect(), QRect(63, 57, 170, 230));
    // Stretch and Proportional: scaled to fit, proportions kept, centred.
    image->setStretch(true);
    image->setProportional(true);
    const QRect fitted = image->pictureRect();
    QCOMPARE(fitted.size(), QSize(255, 345));
    QCOMPARE(fitted.topLeft(), QPoint(21, 0));
    // Proportional alone shrinks only what does not fit.
    image->setStretch(false);
    QCOMPARE(image->pictureRect().size(), QSize(170, 230));
    image->resize(85, 200);
    QCOMPARE(image->pictureRect().size(), QSize(85, 115));
    // AutoSize takes the picture's size.
    image->setAutoSize(true);
    QCOMPARE(image->size(), QSize(170, 230));
    parent.show();
    QVERIFY(QTest::qWaitForWindowExposed(&parent));
    QCOMPARE(image->grab().toImage().pixelColor(100, 100), QColor(Qt::red));
}

void SkinShapedWindowTest::imageClickNeedsLeftPressAndReleaseInside()
{
    TImage image;
    image.resize(50, 50);
    QSignalSpy clicks(&image, &TImage::clicked);
    QSignalSpy downs(&image, &TImage::mouseDown);
    QTest::mouseClick(&image, Qt::LeftButton, {}, QPoint(10, 10));
    QCOMPARE(clicks.size(), 1);
    QTest::mouseClick(&image, Qt::RightButton, {}, QPoint(10, 10));
    QCOMPARE(clicks.size(), 1);
    QTest::mousePress(&image, Qt::LeftButton, {}, QPoint(10, 10));
    QTest::mouseRelease(&image, Qt::LeftButton, {}, QPoint(70, 10));
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(downs.size(), 3);
    QCOMPARE(downs.at(1).at(0).value<Qt::MouseButton>(), Qt::RightButton);
}

QTEST_MAIN(SkinShapedWindowTest)
#include "skin_shaped_window.moc"
