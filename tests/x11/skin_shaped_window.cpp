#include <QPainter>
#include <QProcess>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>

#include <xcb/xcb.h>

#include <cstdlib>

#include "platform/WindowSystem.h"
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

// What a compositing manager does to announce itself: own the selection
// _NET_WM_CM_S0 through a window of its own. Destroying the window gives the
// selection up.
class CompositorStandIn
{
public:
    CompositorStandIn()
    {
        m_connection = qGuiApp->nativeInterface<QNativeInterface::QX11Application>()->connection();
        const xcb_screen_t *screen = xcb_setup_roots_iterator(xcb_get_setup(m_connection)).data;
        m_window = xcb_generate_id(m_connection);
        xcb_create_window(m_connection, XCB_COPY_FROM_PARENT, m_window, screen->root, 0, 0, 1, 1, 0,
                          XCB_WINDOW_CLASS_INPUT_ONLY, XCB_COPY_FROM_PARENT, 0, nullptr);
        const char name[] = "_NET_WM_CM_S0";
        xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
            m_connection, xcb_intern_atom(m_connection, false, sizeof name - 1, name), nullptr);
        xcb_set_selection_owner(m_connection, m_window, atom->atom, XCB_CURRENT_TIME);
        std::free(atom);
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }
    ~CompositorStandIn()
    {
        xcb_destroy_window(m_connection, m_window);
        std::free(xcb_get_input_focus_reply(m_connection, xcb_get_input_focus(m_connection), nullptr));
    }
    CompositorStandIn(const CompositorStandIn &) = delete;
    CompositorStandIn &operator=(const CompositorStandIn &) = delete;

private:
    xcb_connection_t *m_connection;
    xcb_window_t m_window;
};

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
    void keyColourStaysOutUnderACompositor();
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

// The X server alone cuts a window to its outline, and the window is made
// opaque; a compositor may draw it whole, so there its key colour must be
// transparent. The choice is made as the window is first shown.
void SkinShapedWindowX11Test::keyColourStaysOutUnderACompositor()
{
    QVERIFY(platform::masksCutWindows());
    {
        SkinnedWindow w;
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(!w.testAttribute(Qt::WA_TranslucentBackground));
        QVERIFY(!w.testAttribute(Qt::WA_NoSystemBackground));
    }
    {
        SkinnedWindow w;
        const CompositorStandIn compositor;
        QVERIFY(!platform::masksCutWindows());
        w.move(100, 100);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QVERIFY(w.testAttribute(Qt::WA_TranslucentBackground));
        QTRY_COMPARE(screenPixel(QPoint(150, 150)), kPanel);
        QVERIFY(screenPixel(QPoint(100 + 70, 100 + 70)) != QColor(255, 0, 255));
    }
    QVERIFY(platform::masksCutWindows());
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
