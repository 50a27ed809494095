#include <QSignalSpy>
#include <QTest>

#include "skin/EzRgnBtn.h"

namespace {

QPixmap solid(QSize size, QColor colour)
{
    QPixmap pixmap(size);
    pixmap.fill(colour);
    return pixmap;
}

const QColor kIdle(200, 200, 200);
const QColor kUp(0, 0, 255);
const QColor kDown(255, 0, 0);
const QColor kDsbld(128, 128, 128);
const QColor kParent(0, 160, 0);

QColor pixelAt(QWidget *w, QPoint p) { return w->grab().toImage().pixelColor(p); }

// The colour the button shows, from what it draws, not from its state.
QColor shown(TEzRgnBtn *b) { return pixelAt(b, QPoint(b->width() / 2, b->height() / 2)); }

} // namespace

class SkinButtonTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void picturesFollowHoverPressAndEnabled();
    void emptyPicturesFallBackToTheNormalOne();
    void clickOnlyWhenReleasedInside();
    void dragOutShowsIdleAndBackInShowsPressed();
    void doubleClickGivesOneClick();
    void disabledButtonFollowsTheMouseButNeverClicks();
    void otherButtonsDoNotPressIt();
    void sizeFollowsTheDrawnPicture();
    void facesByNameAreReadWhenNeededAndFollowTheirName();
    void autoRepeatRunsOnlyWhileHeldInside();
    void imageListCopiesOnce();
    void transparentModeLeavesTheTopLeftColourUndrawn();
    void cropCutsTheIdleOutlineAndNormalRestoresTheRectangle();
    void hasNoKeyboardInterface();

private:
    void enter() { QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1)); QApplication::sendEvent(m_button, &e); }
    void leave() { QEvent e(QEvent::Leave); QApplication::sendEvent(m_button, &e); }

    QWidget *m_parent = nullptr;
    TEzRgnBtn *m_button = nullptr;
};

void SkinButtonTest::init()
{
    m_parent = new QWidget;
    m_parent->resize(200, 100);
    m_parent->setAutoFillBackground(true);
    QPalette pal = m_parent->palette();
    pal.setColor(QPalette::Window, kParent);
    m_parent->setPalette(pal);
    m_button = new TEzRgnBtn(m_parent);
    m_button->move(10, 10);
    m_button->setPicIdle(solid({44, 21}, kIdle));
    m_button->setPicUp(solid({44, 21}, kUp));
    m_button->setPicDown(solid({44, 21}, kDown));
    m_button->setPicDsbld(solid({44, 21}, kDsbld));
    m_parent->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_parent));
}

void SkinButtonTest::cleanup()
{
    delete m_parent;
    m_parent = nullptr;
}

void SkinButtonTest::picturesFollowHoverPressAndEnabled()
{
    QCOMPARE(shown(m_button), kIdle);
    enter();
    QCOMPARE(shown(m_button), kUp);
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(shown(m_button), kDown);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(shown(m_button), kUp);
    m_button->setButtonEnabled(false);
    QVERIFY(m_button->disabled());
    QCOMPARE(shown(m_button), kDsbld);
    leave();
    QCOMPARE(shown(m_button), kDsbld);
    m_button->setButtonEnabled(true);
    QCOMPARE(shown(m_button), kIdle);
}

void SkinButtonTest::emptyPicturesFallBackToTheNormalOne()
{
    m_button->setPicUp({});
    m_button->setPicDown({});
    m_button->setPicDsbld({});
    enter();
    QCOMPARE(shown(m_button), kIdle);
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(shown(m_button), kIdle);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    m_button->setButtonEnabled(false);
    QCOMPARE(shown(m_button), kIdle);
    // No picture at all: nothing drawn, size untouched.
    m_button->setPicIdle({});
    QCOMPARE(m_button->size(), QSize(44, 21));
    QVERIFY(m_button->currentPicture().isNull());
}

void SkinButtonTest::clickOnlyWhenReleasedInside()
{
    QSignalSpy clicks(m_button, &TEzRgnBtn::clicked);
    enter();
    // The click comes while the pressed picture still shows, before mouseUp.
    QStringList order;
    connect(m_button, &TEzRgnBtn::clicked, this, [&] {
        order << QStringLiteral("click");
        QVERIFY(m_button->isPressed());
        QCOMPARE(shown(m_button), kDown);
    });
    connect(m_button, &TEzRgnBtn::mouseUp, this, [&] { order << QStringLiteral("up"); });
    QTest::mouseClick(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(order, (QStringList{QStringLiteral("click"), QStringLiteral("up")}));

    // Press, drag out, release outside: no click, idle picture.
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(m_button, QPoint(60, 5));
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(60, 5));
    QCOMPARE(clicks.size(), 1);
    leave();
    QVERIFY(!m_button->isPressed());
    QVERIFY(!m_button->isHover());
    QCOMPARE(shown(m_button), kIdle);
}

void SkinButtonTest::dragOutShowsIdleAndBackInShowsPressed()
{
    QSignalSpy clicks(m_button, &TEzRgnBtn::clicked);
    QSignalSpy leaves(m_button, &TEzRgnBtn::mouseLeave);
    QSignalSpy enters(m_button, &TEzRgnBtn::mouseEnter);
    enter();
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseMove(m_button, QPoint(5, 40));
    QCOMPARE(shown(m_button), kIdle);
    QCOMPARE(leaves.size(), 1);
    QTest::mouseMove(m_button, QPoint(6, 6));
    QCOMPARE(shown(m_button), kDown);
    QCOMPARE(enters.size(), 2);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(6, 6));
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(shown(m_button), kUp);
}

void SkinButtonTest::doubleClickGivesOneClick()
{
    QSignalSpy clicks(m_button, &TEzRgnBtn::clicked);
    QSignalSpy downs(m_button, &TEzRgnBtn::mouseDown);
    QSignalSpy ups(m_button, &TEzRgnBtn::mouseUp);
    enter();
    // What the window system delivers: press, release, double click, release.
    QTest::mouseClick(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseDClick(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!m_button->isPressed());
    QCOMPARE(shown(m_button), kUp);
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(clicks.size(), 1);
    QCOMPARE(downs.size(), 1);
    QCOMPARE(ups.size(), 2);
    QCOMPARE(shown(m_button), kUp);
}

void SkinButtonTest::disabledButtonFollowsTheMouseButNeverClicks()
{
    m_button->setAutoRepeat(true);
    m_button->setButtonEnabled(false);
    QSignalSpy clicks(m_button, &TEzRgnBtn::clicked);
    QSignalSpy downs(m_button, &TEzRgnBtn::mouseDown);
    QSignalSpy ups(m_button, &TEzRgnBtn::mouseUp);
    enter();
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(m_button->isPressed());
    QCOMPARE(shown(m_button), kDsbld);
    // The repeat timer runs (the button's state is live) but ticks click nothing.
    QVERIFY(m_button->autoRepeatTimer()->isActive());
    QMetaObject::invokeMethod(m_button->autoRepeatTimer(), "timeout");
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(downs.size(), 1);
    QCOMPARE(ups.size(), 1);
    QCOMPARE(clicks.size(), 0);
    QCOMPARE(shown(m_button), kDsbld);
    // Its own flag, not QWidget's: the widget stays enabled.
    QVERIFY(m_button->isEnabled());
}

void SkinButtonTest::otherButtonsDoNotPressIt()
{
    QSignalSpy clicks(m_button, &TEzRgnBtn::clicked);
    QSignalSpy downs(m_button, &TEzRgnBtn::mouseDown);
    enter();
    for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mousePress(m_button, b, {}, QPoint(5, 5));
        QVERIFY(!m_button->isPressed());
        QCOMPARE(shown(m_button), kUp);
        QTest::mouseRelease(m_button, b, {}, QPoint(5, 5));
    }
    QCOMPARE(clicks.size(), 0);
    QCOMPARE(downs.size(), 0);
}

void SkinButtonTest::sizeFollowsTheDrawnPicture()
{
    m_button->setPicDown(solid({45, 21}, kDown));
    QCOMPARE(m_button->size(), QSize(44, 21));
    enter();
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(m_button->size(), QSize(45, 21));
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QCOMPARE(m_button->size(), QSize(44, 21));
    // A form's geometry is overridden by the picture when shown.
    auto *fresh = new TEzRgnBtn(m_parent);
    fresh->setGeometry(0, 0, 90, 90);
    fresh->setPicIdle(solid({30, 12}, kIdle));
    fresh->show();
    QCOMPARE(fresh->size(), QSize(30, 12));
    // A new picture for the state on show sizes it at once, before any paint.
    fresh->setPicIdle(solid({31, 14}, kIdle));
    QCOMPARE(fresh->size(), QSize(31, 14));
}

void SkinButtonTest::facesByNameAreReadWhenNeededAndFollowTheirName()
{
    const QImage quit(QStringLiteral(":/images/btn_quitter_idle.png"));
    const QImage help(QStringLiteral(":/images/btn_aide_idle.png"));
    const QImage helpUp(QStringLiteral(":/images/btn_aide_up.png"));
    QVERIFY(!quit.isNull() && !help.isNull() && !helpUp.isNull());
    auto centre = [](const QImage &face) { return face.pixelColor(face.width() / 2, face.height() / 2); };

    // Hidden, a button has its size before any face is drawn.
    auto *button = new TEzRgnBtn(m_parent);
    button->move(100, 60); // away from the pointer, which would hover it
    button->hide();
    button->setFaces(QStringLiteral(":/images/btn_quitter"));
    QCOMPARE(button->size(), quit.size());
    button->show();
    QCOMPARE(shown(button), centre(quit));

    // On screen, new faces replace the ones already read, in every state.
    button->setFaces(QStringLiteral(":/images/btn_aide"));
    QCOMPARE(button->size(), help.size());
    QCOMPARE(shown(button), centre(help));
    QEnterEvent e(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QApplication::sendEvent(button, &e);
    QCOMPARE(shown(button), centre(helpUp));
}

void SkinButtonTest::autoRepeatRunsOnlyWhileHeldInside()
{
    m_button->setAutoRepeat(true);
    QSignalSpy clicks(m_button, &TEzRgnBtn::clicked);
    QTimer *timer = m_button->autoRepeatTimer();
    QCOMPARE(timer->interval(), 300);
    enter();
    QVERIFY(!timer->isActive());
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(timer->isActive());
    QCOMPARE(clicks.size(), 0);
    // One second held: ticks at 300, 600 and 900 ms.
    for (int i = 0; i < 3; ++i)
        QMetaObject::invokeMethod(timer, "timeout");
    QCOMPARE(clicks.size(), 3);
    QTest::mouseMove(m_button, QPoint(5, 50));
    QVERIFY(!timer->isActive());
    QTest::mouseMove(m_button, QPoint(5, 5));
    QVERIFY(timer->isActive());
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QVERIFY(!timer->isActive());
    QCOMPARE(clicks.size(), 4);
    // And the timer really drives it.
    QTest::mousePress(m_button, Qt::LeftButton, {}, QPoint(5, 5));
    QTRY_COMPARE(clicks.size(), 5);
    m_button->setAutoRepeat(false);
    QVERIFY(!timer->isActive());
    QTest::mouseRelease(m_button, Qt::LeftButton, {}, QPoint(5, 5));
}

void SkinButtonTest::imageListCopiesOnce()
{
    QList<QPixmap> list{solid({20, 10}, Qt::yellow), solid({20, 10}, Qt::cyan)};
    m_button->setImageList(&list);
    QCOMPARE(m_button->picIdle().toImage().pixelColor(0, 0), QColor(Qt::yellow));
    QCOMPARE(m_button->picUp().toImage().pixelColor(0, 0), QColor(Qt::cyan));
    QCOMPARE(m_button->picDown().toImage().pixelColor(0, 0), kDown);
    QCOMPARE(m_button->picDsbld().toImage().pixelColor(0, 0), kDsbld);
    QCOMPARE(m_button->size(), QSize(20, 10));
    // Later changes to the list do not reach the button, not even when the
    // same list is set again.
    list[0] = solid({20, 10}, Qt::black);
    m_button->setImageList(&list);
    QCOMPARE(m_button->picIdle().toImage().pixelColor(0, 0), QColor(Qt::yellow));
    m_button->setImageList(nullptr);
    QCOMPARE(m_button->picIdle().toImage().pixelColor(0, 0), QColor(Qt::yellow));
}

void SkinButtonTest::transparentModeLeavesTheTopLeftColourUndrawn()
{
    // Magenta corner and a magenta dot in the middle; the rest white.
    QImage picture(10, 10, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, 0xFFFF00FF);
    picture.setPixel(5, 5, 0xFFFF00FF);
    picture.setPixel(9, 9, 0xFFFE00FF); // near the key: drawn
    m_button->setPicIdle(QPixmap::fromImage(picture));
    m_button->setPicUp({});
    m_button->setPaintMode(TEzRgnBtn::pmTransparent);
    const QImage onParent = m_parent->grab(m_button->geometry()).toImage();
    QCOMPARE(onParent.pixelColor(0, 0), kParent);
    QCOMPARE(onParent.pixelColor(5, 5), kParent);
    QCOMPARE(onParent.pixelColor(9, 9), QColor(0xFE, 0, 0xFF));
    QCOMPARE(onParent.pixelColor(3, 3), QColor(Qt::white));
    QVERIFY(m_button->mask().isEmpty());
}

void SkinButtonTest::cropCutsTheIdleOutlineAndNormalRestoresTheRectangle()
{
    QImage picture(10, 6, QImage::Format_RGB32);
    picture.fill(Qt::white);
    picture.setPixel(0, 0, 0xFF00FF00);
    picture.setPixel(9, 0, 0xFF00FF00);
    picture.setPixel(4, 3, 0xFF00FF00);
    m_button->setPicIdle(QPixmap::fromImage(picture));
    m_button->setPaintMode(TEzRgnBtn::pmCrop);
    QRegion expected(0, 0, 10, 6);
    expected -= QRegion(0, 0, 1, 1);
    expected -= QRegion(9, 0, 1, 1);
    expected -= QRegion(4, 3, 1, 1);
    QVERIFY(m_button->mask().xored(expected).isEmpty());
    // Where the button is cut the parent shows.
    const QImage onParent = m_parent->grab(m_button->geometry()).toImage();
    QCOMPARE(onParent.pixelColor(4, 3), kParent);
    QCOMPARE(onParent.pixelColor(5, 3), QColor(Qt::white));

    // A new idle picture brings its own outline.
    picture.setPixel(4, 3, 0xFFFFFFFF);
    m_button->setPicIdle(QPixmap::fromImage(picture));
    expected += QRegion(4, 3, 1, 1);
    QVERIFY(m_button->mask().xored(expected).isEmpty());

    m_button->setPaintMode(TEzRgnBtn::pmNormal);
    QVERIFY(m_button->mask().xored(QRegion(0, 0, 10, 6)).isEmpty());
}

void SkinButtonTest::hasNoKeyboardInterface()
{
    QCOMPARE(m_button->focusPolicy(), Qt::NoFocus);
    QSignalSpy clicks(m_button, &TEzRgnBtn::clicked);
    QTest::keyClick(m_button, Qt::Key_Space);
    QTest::keyClick(m_button, Qt::Key_Return);
    QCOMPARE(clicks.size(), 0);
}

QTEST_MAIN(SkinButtonTest)
#include "skin_button.moc"
