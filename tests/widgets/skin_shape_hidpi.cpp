#include <QApplication>
#include <QTest>

#include "skin/Image.h"
#include "skin/ShapeWindow.h"

// On a screen of pixel ratio 2 the outline stays in the window's logical
// pixels: Qt doubles window and mask together.
class SkinShapeHiDpiTest : public QObject
{
    Q_OBJECT
private slots:
    void maskFollowsTheLogicalSize();
    void skinWithItsOwnRatioIsTakenAtLogicalSize();
};

namespace {

QImage skinWithHole(QSize size)
{
    QImage skin(size, QImage::Format_RGB32);
    skin.fill(Qt::white);
    for (int x = 0; x < size.width(); ++x) {
        skin.setPixel(x, 0, 0xFFFF00FF);
        skin.setPixel(x, size.height() - 1, 0xFFFF00FF);
    }
    skin.setPixel(10, 10, 0xFFFF00FF);
    return skin;
}

} // namespace

void SkinShapeHiDpiTest::maskFollowsTheLogicalSize()
{
    TShapedForm w;
    auto *image = new TImage(&w);
    image->setAutoSize(true);
    image->setPicture(QPixmap::fromImage(skinWithHole({120, 80})));
    w.ShapeWindow(image->picture().toImage(), 0xFF00FF);
    w.makeDraggableBy(image);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.devicePixelRatio(), 2.0);
    QCOMPARE(w.size(), QSize(120, 80));
    QCOMPARE(image->size(), QSize(120, 80));
    QRegion expected(0, 1, 120, 78);
    expected -= QRegion(10, 10, 1, 1);
    QVERIFY(w.mask().xored(expected).isEmpty());
    // The picture covers the window's full logical surface.
    const QImage shot = w.grab().toImage();
    QCOMPARE(shot.size(), QSize(240, 160));
    QCOMPARE(shot.pixelColor(238, 150), QColor(Qt::white));
}

void SkinShapeHiDpiTest::skinWithItsOwnRatioIsTakenAtLogicalSize()
{
    QImage doubled = skinWithHole({120, 80}).scaled(240, 160);
    doubled.setDevicePixelRatio(2.0);
    TShapedForm w;
    w.ShapeWindow(doubled, 0xFF00FF);
    QCOMPARE(w.size(), QSize(120, 80));
    QRegion expected(0, 1, 120, 78);
    expected -= QRegion(10, 10, 1, 1);
    QVERIFY(w.mask().xored(expected).isEmpty());
}

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    SkinShapeHiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "skin_shape_hidpi.moc"
