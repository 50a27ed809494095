#include <QMouseEvent>
#include <QTest>

#include "skin/LeftClick.h"

namespace {

const QRect Area(0, 0, 50, 20);
const QPoint Inside(10, 10);
const QPoint Outside(70, 10);

QMouseEvent mouse(QEvent::Type type, Qt::MouseButton button, QPoint at)
{
    const Qt::MouseButtons held = type == QEvent::MouseButtonPress ? Qt::MouseButtons(button) : Qt::NoButton;
    return QMouseEvent(type, at, at, button, held, Qt::NoModifier);
}

} // namespace

class LeftClickTest : public QObject
{
    Q_OBJECT
private slots:
    void onlyALeftPressReleasedInsideClicks_data()
    {
        QTest::addColumn<Qt::MouseButton>("button");
        QTest::addColumn<bool>("pressed");
        QTest::addColumn<QPoint>("releasedAt");
        QTest::addColumn<bool>("click");
        QTest::newRow("left, pressed and released inside") << Qt::LeftButton << true << Inside << true;
        QTest::newRow("left, dragged out before the release") << Qt::LeftButton << true << Outside << false;
        QTest::newRow("left, pressed elsewhere") << Qt::LeftButton << false << Inside << false;
        QTest::newRow("right") << Qt::RightButton << true << Inside << false;
    }
    void onlyALeftPressReleasedInsideClicks()
    {
        QFETCH(Qt::MouseButton, button);
        QFETCH(bool, pressed);
        QFETCH(QPoint, releasedAt);
        QFETCH(bool, click);
        LeftClick left;
        if (pressed)
            left.press(mouse(QEvent::MouseButtonPress, button, Inside));
        QCOMPARE(left.release(mouse(QEvent::MouseButtonRelease, button, releasedAt), Area), click);
    }

    void anyReleaseEndsThePress()
    {
        LeftClick left;
        left.press(mouse(QEvent::MouseButtonPress, Qt::LeftButton, Inside));
        QVERIFY(!left.release(mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Outside), Area));
        QVERIFY(!left.release(mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Inside), Area));

        left.press(mouse(QEvent::MouseButtonPress, Qt::LeftButton, Inside));
        QVERIFY(!left.release(mouse(QEvent::MouseButtonRelease, Qt::RightButton, Inside), Area));
        QVERIFY(!left.release(mouse(QEvent::MouseButtonRelease, Qt::LeftButton, Inside), Area));
    }
};

QTEST_MAIN(LeftClickTest)
#include "skin_left_click.moc"
