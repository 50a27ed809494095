#include <QtTest>

#include "platform/SpeedSwitches.h"

// The list is read once, at the first question: set here before any.
class SpeedSwitchesTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { qputenv("TAVELOR_WITHOUT", "spare-pixels,prefetch"); }

    void onlyTheNamedMechanismsAreOff()
    {
        QVERIFY(platform::isTurnedOff("spare-pixels"));
        QVERIFY(platform::isTurnedOff("prefetch"));
        // A name is matched whole, never as a part of another.
        QVERIFY(!platform::isTurnedOff("prefetch-delay"));
        QVERIFY(!platform::isTurnedOff("pixels"));
        QVERIFY(!platform::isTurnedOff("spare"));
        QVERIFY(!platform::isTurnedOff(""));
        QVERIFY(!platform::isTurnedOff("font-warm-up"));
    }
};

QTEST_GUILESS_MAIN(SpeedSwitchesTest)
#include "platform_speed_switches.moc"
