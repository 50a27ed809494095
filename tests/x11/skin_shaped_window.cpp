#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include "skin/Image.h"
#include "skin/ShapeWindow.h"

namespace {

const QColor kPanel(0, 128, 128);

// Key surround, a teal panel and a 20 x 20 key hole at (60, 60).
QImage skin()
{
    QImage image(200, 150, QImage::Format_RGB32);
    image.fill(0xFFFF00FF);
    QPainter painter(&image);
    painter.fillRect(QRect(1, 1, 198, 148), kPanel);
    painter.fillRect(QRect(60, 60, 20, 20), QColor(255, 0, 255));
    return image;
}

struct SkinnedWindow : TShapedForm
{
    TImage *Image1 = new TImage(this);
    SkinnedWindow()
    {
        Image1->setAutoSize(true);
        Image1->setPicture(QPixmap::fromImage(skin()));
        ShapeWindow(Image1->picture().toImage(), 0xFF00FF);
        makeDraggableBy(Image1);
    }
};

// A plain window underneath, counting the presses that reach it.
struct Beneath : QWidget
{
    int presses = 0;
    void mousePressEvent(QMouseEvent *) override { ++presses; }
};

QColor screenPixel(QPoint global)
{
    return QGuiApplication::primaryScreen()->grabWindow(0, global.x(), global.y(), 1, 1).toImage().pixelColor(0, 0);
}

bool xdotool(const QStringList &args)
{
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

} // namespace

class SkinShapedWindowX11Test : public QObject
{
    Q_OBJECT
private slots:
    void keyColourIsOutsideTheWindow();
    void clickInAHoleReachesTheWindowBeneath();
    void draggingTheBackgroundMovesTheWindow_data();
    void draggingTheBackgroundMovesTheWindow();
};

void SkinShapedWindowX11Test::keyColourIsOutsideTheWindow()
{
    SkinnedWindow w;
    w.move(100, 100);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(screenPixel(QPoint(150, 150)), kPanel);
    const QColor magenta(255, 0, 255);
    QVERIFY(screenPixel(QPoint(100 + 70, 100 + 70)) != magenta); // the hole
    QVERIFY(screenPixel(QPoint(100, 100 + 75)) != magenta);      // the frame
    QVERIFY(screenPixel(QPoint(100 + 199, 100 + 149)) != magenta);
    QCOMPARE(screenPixel(QPoint(100 + 59, 100 + 70)), kPanel);
    QCOMPARE(screenPixel(QPoint(100 + 80, 100 + 70)), kPanel);
}

void SkinShapedWindowX11Test::clickInAHoleReachesTheWindowBeneath()
{
    Beneath beneath;
    beneath.setWindowFlags(Qt::FramelessWindowHint);
    beneath.setGeometry(100, 100, 200, 150);
    beneath.show();
    QVERIFY(QTest::qWaitForWindowExposed(&beneath));
    SkinnedWindow w;
    w.move(100, 100);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(screenPixel(QPoint(150, 150)), kPanel);
    QVERIFY(xdotool({QStringLiteral("mousemove"), QStringLiteral("170"), QStringLiteral("170"),
                     QStringLiteral("click"), QStringLiteral("1")}));
    QTRY_COMPARE(beneath.presses, 1);
    QCOMPARE(w.pos(), QPoint(100, 100));
    // On the panel the press is the skinned window's.
    QSignalSpy downs(w.Image1, &TImage::mouseDown);
    QVERIFY(xdotool({QStringLiteral("mousemove"), QStringLiteral("140"), QStringLiteral("200"),
                     QStringLiteral("click"), QStringLiteral("1")}));
    QTRY_COMPARE(downs.size(), 1);
    QCOMPARE(beneath.presses, 1);
}

void SkinShapedWindowX11Test::draggingTheBackgroundMovesTheWindow_data()
{
    QTest::addColumn<QString>("button");
    QTest::newRow("left") << QStringLiteral("1");
    QTest::newRow("right") << QStringLiteral("3");
}

void SkinShapedWindowX11Test::draggingTheBackgroundMovesTheWindow()
{
    QFETCH(QString, button);
    SkinnedWindow w;
    w.move(100, 100);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTRY_COMPARE(screenPixel(QPoint(150, 150)), kPanel);
    QVERIFY(xdotool({QStringLiteral("mousemove"), QStringLiteral("130"), QStringLiteral("200")}));
    QVERIFY(xdotool({QStringLiteral("mousedown"), button}));
    QTRY_VERIFY(w.isMovingByHand());
    QVERIFY(xdotool({QStringLiteral("mousemove"), QStringLiteral("230"), QStringLiteral("260")}));
    QTRY_COMPARE(w.pos(), QPoint(200, 160));
    QVERIFY(xdotool({QStringLiteral("mouseup"), button}));
    QTRY_VERIFY(!w.isMovingByHand());
    QCOMPARE(w.pos(), QPoint(200, 160));
    // The X server has the window there too.
    QTRY_COMPARE(screenPixel(QPoint(210, 170)), kPanel);
}

QTEST_MAIN(SkinShapedWindowX11Test)
#include "skin_shaped_window.moc"
