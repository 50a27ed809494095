#include <QTest>

#include "platform/WindowSystem.h"

// In a Wayland session with XWayland the player asks for X11, unless the
// user chose a platform.
class PlatformWindowSystemTest : public QObject
{
    Q_OBJECT
private slots:
    void platformFollowsTheSession_data()
    {
        QTest::addColumn<QByteArray>("sessionType");
        QTest::addColumn<QByteArray>("waylandDisplay");
        QTest::addColumn<QByteArray>("display");
        QTest::addColumn<QByteArray>("chosen");
        QTest::addColumn<QByteArrayList>("arguments");
        QTest::addColumn<QByteArray>("expected");
        const QByteArray x11 = "xcb;wayland";
        QTest::newRow("wayland session with xwayland") << QByteArray("wayland") << QByteArray("wayland-0")
                                                       << QByteArray(":0") << QByteArray() << QByteArrayList() << x11;
        QTest::newRow("wayland socket alone tells too") << QByteArray() << QByteArray("wayland-1") << QByteArray(":1")
                                                        << QByteArray() << QByteArrayList() << x11;
        QTest::newRow("wayland without xwayland") << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray()
                                                  << QByteArray() << QByteArrayList() << QByteArray();
        QTest::newRow("x11 session") << QByteArray("x11") << QByteArray() << QByteArray(":0") << QByteArray()
                                     << QByteArrayList() << QByteArray();
        QTest::newRow("environment choice wins") << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0")
                                                 << QByteArray("wayland") << QByteArrayList() << QByteArray();
        QTest::newRow("argument choice wins") << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0")
                                              << QByteArray() << QByteArrayList{"quiz.qcm", "-platform", "wayland"}
                                              << QByteArray();
        QTest::newRow("argument with equals sign") << QByteArray("wayland") << QByteArray("wayland-0")
                                                   << QByteArray(":0") << QByteArray()
                                                   << QByteArrayList{"--platform=wayland"} << QByteArray();
        QTest::newRow("a quiz named like an option is no choice")
            << QByteArray("wayland") << QByteArray("wayland-0") << QByteArray(":0") << QByteArray()
            << QByteArrayList{"-platforms.qcm"} << x11;
    }

    void platformFollowsTheSession()
    {
        QFETCH(QByteArray, sessionType);
        QFETCH(QByteArray, waylandDisplay);
        QFETCH(QByteArray, display);
        QFETCH(QByteArray, chosen);
        QFETCH(QByteArrayList, arguments);
        QFETCH(QByteArray, expected);
        QCOMPARE(platform::preferredPlatform({sessionType, waylandDisplay, display, chosen}, arguments), expected);
    }
};

QTEST_GUILESS_MAIN(PlatformWindowSystemTest)
#include "platform_window_system.moc"
