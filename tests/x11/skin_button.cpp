#include <QProcess>
#include <QSignalSpy>
#include <QTest>

#include "skin/EzRgnBtn.h"

namespace {

QPixmap solid(QColor colour)
{
    QPixmap pixmap(44, 21);
    pixmap.fill(colour);
    return pixmap;
}

bool xdotool(const QStringList &args)
{
    return QProcess::execute(QStringLiteral("xdotool"), args) == 0;
}

bool pointerTo(QPoint global)
{
    return xdotool({QStringLiteral("mousemove"), QString::number(global.x()), QString::number(global.y())});
}

} // namespace

// Real pointer input: hover comes from the X server's enter and leave, and
// while the button is held only from the pointer's moves.
class SkinButtonX11Test : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void dragOutAndBackInThenReleaseClicksOnce();
    void releaseOutsideGivesNoClickAndEndsIdle();

private:
    QWidget *m_window = nullptr;
    TEzRgnBtn *m_button = nullptr;
};

void SkinButtonX11Test::init()
{
    QVERIFY(pointerTo(QPoint(600, 600)));
    m_window = new QWidget(nullptr, Qt::FramelessWindowHint);
    m_window->setGeometry(100, 100, 200, 100);
    m_button = new TEzRgnBtn(m_window);
    m_button->move(20, 20);
    m_button->setPicIdle(solid(Qt::gray));
    m_button->setPicUp(solid(Qt::blue));
    m_button->setPicDown(solid(Qt::red));
    m_window->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_window));
}

void SkinButtonX11Test::cleanup()
{
    xdotool({QStringLiteral("mouseup"), QStringLiteral("1")});
    delete m_window;
    m_window = nullptr;
}

void SkinButtonX11Test::dragOutAndBackInThenReleaseClicksOnce()
{
    QSignalSpy clicks(m_button, &TEzRgnBtn::clicked);
    QVERIFY(pointerTo(QPoint(130, 130)));
    QTRY_VERIFY(m_button->isHover());
    QVERIFY(xdotool({QStringLiteral("mousedown"), QStringLiteral("1")}));
    QTRY_VERIFY(m_button->isPressed());
    QCOMPARE(m_button->currentPicture().toImage().pixelColor(0, 0), QColor(Qt::red));
    QVERIFY(pointerTo(QPoint(130, 180)));
    QTRY_VERIFY(!m_button->isHover());
    QCOMPARE(m_button->currentPicture().toImage().pixelColor(0, 0), QColor(Qt::gray));
    QVERIFY(pointerTo(QPoint(135, 130)));
    QTRY_VERIFY(m_button->isHover());
    QCOMPARE(m_button->currentPicture().toImage().pixelColor(0, 0), QColor(Qt::red));
    QVERIFY(xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
    QTRY_VERIFY(!m_button->isPressed());
    QCOMPARE(clicks.size(), 1);
    QVERIFY(m_button->isHover());
    QCOMPARE(m_button->currentPicture().toImage().pixelColor(0, 0), QColor(Qt::blue));
}

void SkinButtonX11Test::releaseOutsideGivesNoClickAndEndsIdle()
{
    QSignalSpy clicks(m_button, &TEzRgnBtn::clicked);
    QSignalSpy leaves(m_button, &TEzRgnBtn::mouseLeave);
    QVERIFY(pointerTo(QPoint(130, 130)));
    QTRY_VERIFY(m_button->isHover());
    QVERIFY(xdotool({QStringLiteral("mousedown"), QStringLiteral("1")}));
    QTRY_VERIFY(m_button->isPressed());
    QVERIFY(pointerTo(QPoint(250, 180)));
    QTRY_VERIFY(!m_button->isHover());
    QVERIFY(xdotool({QStringLiteral("mouseup"), QStringLiteral("1")}));
    QTRY_VERIFY(!m_button->isPressed());
    QCOMPARE(clicks.size(), 0);
    QCOMPARE(m_button->currentPicture().toImage().pixelColor(0, 0), QColor(Qt::gray));
    // Moving back over the button after the release hovers it again.
    QVERIFY(pointerTo(QPoint(130, 130)));
    QTRY_VERIFY(m_button->isHover());
    QCOMPARE(leaves.size(), 1);
}

QTEST_MAIN(SkinButtonX11Test)
#include "skin_button.moc"
