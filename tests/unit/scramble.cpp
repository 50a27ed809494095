#include <QTest>

#include "quiz/Scramble.h"

class ScrambleTest : public QObject
{
    Q_OBJECT
private slots:
    void abcIsStoredAsRunningSum()
    {
        qcm::ShortString text{3, 0x61, 0x62, 0x63};
        qcm::crypt(text, 3);
        QCOMPARE(text[2], 0xC3);
        QCOMPARE(text[3], 0x26);
        qcm::deCrypt(text, 3);
        QCOMPARE(text[2], 0x62);
        QCOMPARE(text[3], 0x63);
    }
};

QTEST_GUILESS_MAIN(ScrambleTest)
#include "scramble.moc"
