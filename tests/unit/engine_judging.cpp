#include <QTest>

#include "engine/ClockText.h"
#include "quiz/Judging.h"
#include "quiz/Rounding.h"

class EngineJudgingTest : public QObject
{
    Q_OBJECT
private slots:
    void keyIsReadAsANumber_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("number");
        QTest::newRow("plain") << QStringLiteral("21") << 21;
        QTest::newRow("leading zero") << QStringLiteral("05") << 5;
        QTest::newRow("leading blank") << QStringLiteral(" 5") << 5;
        QTest::newRow("stops at a letter") << QStringLiteral("3a") << 3;
        QTest::newRow("no digits") << QStringLiteral("ab") << 0;
        QTest::newRow("empty") << QString() << 0;
        QTest::newRow("plus sign") << QStringLiteral("+6") << 6;
        QTest::newRow("minus sign") << QStringLiteral("-4") << -4;
        QTest::newRow("blank inside") << QStringLiteral("1 2") << 1;
    }
    void keyIsReadAsANumber()
    {
        QFETCH(QString, key);
        QFETCH(int, number);
        QCOMPARE(qcm::readKeyNumber(key), number);
    }

    void keyPropositionsAreTakenFromTheHighestDown_data()
    {
        QTest::addColumn<int>("number");
        QTest::addColumn<int>("bits");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("5") << 5 << 0b00101;
        QTest::newRow("21") << 21 << 0b10101;
        QTest::newRow("31") << 31 << 0b11111;
        // Past 31 the cascade marks every proposition it can still subtract.
        QTest::newRow("40") << 40 << 0b11111;
        QTest::newRow("17") << 17 << 0b10001;
        QTest::newRow("negative") << -4 << 0;
    }
    void keyPropositionsAreTakenFromTheHighestDown()
    {
        QFETCH(int, number);
        QFETCH(int, bits);
        QCOMPARE(qcm::keyPropositions(number), bits);
    }

    void answerIsJudgedByRuleAndKey_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("ticked");
        QTest::addColumn<bool>("right");
        const QString et = QStringLiteral("ET");
        const QString other = QStringLiteral("OU");
        QTest::newRow("ET 5: boxes 1 and 3") << et << QStringLiteral("5") << 5 << true;
        QTest::newRow("ET 5: box 1 alone") << et << QStringLiteral("5") << 1 << false;
        QTest::newRow("ET 5: boxes 1, 3, 4") << et << QStringLiteral("5") << 13 << false;
        QTest::newRow("ET 0: nothing ticked") << et << QStringLiteral("0") << 0 << true;
        QTest::newRow("ET 05: never right") << et << QStringLiteral("05") << 5 << false;
        QTest::newRow("ET ' 5': never right") << et << QStringLiteral(" 5") << 5 << false;
        QTest::newRow("ET 21: boxes 1, 3, 5") << et << QStringLiteral("21") << 21 << true;
        QTest::newRow("other 5: box 3") << other << QStringLiteral("5") << 4 << true;
        QTest::newRow("other 5: boxes 2, 3") << other << QStringLiteral("5") << 6 << true;
        QTest::newRow("other 5: box 2") << other << QStringLiteral("5") << 2 << false;
        QTest::newRow("other 5: nothing") << other << QStringLiteral("5") << 0 << false;
        QTest::newRow("empty rule 5: box 1") << QString() << QStringLiteral("5") << 1 << true;
        QTest::newRow("lower-case et is not ET") << QStringLiteral("et") << QStringLiteral("5") << 7 << true;
        QTest::newRow("other 05: box 1") << other << QStringLiteral("05") << 1 << true;
        QTest::newRow("other 05: box 3") << other << QStringLiteral("05") << 4 << true;
        QTest::newRow("other 0: nothing can be right") << other << QStringLiteral("0") << 31 << false;
    }
    void answerIsJudgedByRuleAndKey()
    {
        QFETCH(QString, rule);
        QFETCH(QString, key);
        QFETCH(int, ticked);
        QFETCH(bool, right);
        QCOMPARE(qcm::isAnswerRight(key, rule, qcm::answerCodeOf(ticked), ticked), right);
    }

    void percentageRoundsHalfToEven_data()
    {
        QTest::addColumn<int>("questions");
        QTest::addColumn<int>("wrong");
        QTest::addColumn<int>("percent");
        QTest::newRow("8/3 = 62.5") << 8 << 3 << 62;
        QTest::newRow("8/1 = 87.5") << 8 << 1 << 88;
        QTest::newRow("3/1 = 66.67") << 3 << 1 << 67;
        QTest::newRow("10/3 = 70") << 10 << 3 << 70;
        QTest::newRow("10/2 = 80") << 10 << 2 << 80;
        QTest::newRow("none wrong") << 7 << 0 << 100;
        QTest::newRow("all wrong") << 7 << 7 << 0;
        QTest::newRow("200/1 = 99.5") << 200 << 1 << 100;
        QTest::newRow("no questions") << 0 << 0 << 0;
    }
    void percentageRoundsHalfToEven()
    {
        QFETCH(int, questions);
        QFETCH(int, wrong);
        QFETCH(int, percent);
        QCOMPARE(successPercentage(questions, wrong), percent);
    }

    void roundingIgnoresTheRoundingMode()
    {
        QCOMPARE(roundHalfEven(0.5), 0.0);
        QCOMPARE(roundHalfEven(1.5), 2.0);
        QCOMPARE(roundHalfEven(2.5), 2.0);
        QCOMPARE(roundHalfEven(2.5000001), 3.0);
        QCOMPARE(roundHalfEven(-0.5), 0.0);
    }

    void clockShowsATimeOfDay_data()
    {
        QTest::addColumn<double>("days");
        QTest::addColumn<QString>("text");
        const double second = 1.0 / 86400.0;
        QTest::newRow("zero") << 0.0 << QStringLiteral("00:00:00");
        QTest::newRow("3 min 27 s") << 207 * second << QStringLiteral("00:03:27");
        QTest::newRow("90 s") << 90 * second << QStringLiteral("00:01:30");
        QTest::newRow("just under a second") << 0.999 * second << QStringLiteral("00:00:00");
        QTest::newRow("23:59:59") << 86399 * second << QStringLiteral("23:59:59");
        QTest::newRow("whole days dropped") << 1.0 + 3661 * second << QStringLiteral("01:01:01");
        QTest::newRow("negative clamps") << -5 * second << QStringLiteral("00:00:00");
        QTest::newRow("not a number") << std::nan("") << QStringLiteral("00:00:00");
    }
    void clockShowsATimeOfDay()
    {
        QFETCH(double, days);
        QFETCH(QString, text);
        QCOMPARE(clockText(days), text);
    }
};

QTEST_GUILESS_MAIN(EngineJudgingTest)
#include "engine_judging.moc"
