#include <QElapsedTimer>
#include <QRadioButton>
#include <QStackedWidget>
#include <QTimer>

// The forms the harness reaches, named here so that they are generated for this test.
#include "ui_FenetreMessage.h"
#include "ui_FormQCM.h"

#include "main_window_harness.h"
#include "tests/common/ProcessUsage.h"

class EngineModesTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void modeToolButtonsTurnToTheirSettingsPage()
    {
        QuizHarness h;
        h.form().EzRgnBtn8Click();
        QVERIFY(h.ui().ToolBar2->isVisible());
        QTest::mouseClick(h.ui().ToolButton5, Qt::LeftButton);
        QCOMPARE(h.ui().Notebook1->currentIndex(), 0);
        QVERIFY(h.ui().ToolBar1->isHidden() && h.ui().ToolBar2->isHidden() && h.ui().ToolBar3->isHidden());
        h.form().EzRgnBtn8Click();
        QTest::mouseClick(h.ui().ToolButton6, Qt::LeftButton);
        QCOMPARE(h.ui().Notebook1->currentIndex(), 1);
        QVERIFY(h.ui().ToolBar2->isHidden());
    }

    void examConfirmationShowsTheLaurelAndStartsTheStopwatch_data()
    {
        QTest::addColumn<bool>("withTimer");
        QTest::newRow("Sans") << false;
        QTest::newRow("Avec") << true;
    }
    void examConfirmationShowsTheLaurelAndStartsTheStopwatch()
    {
        QFETCH(bool, withTimer);
        QuizHarness h;
        h.form().Timer->stop();
        h.form().ToolButton5Click();
        (withTimer ? h.ui().RadioButton4 : h.ui().RadioButton3)->setChecked(true);
        h.click(h.ui().EzRgnBtn10);
        QCOMPARE(h.ui().Notebook1->currentIndex(), 3);
        QVERIFY(h.ui().DRLabel4->isVisible());
        QCOMPARE(h.ui().DRLabel4->blink(), TDRLabel::blBlink);
        QCOMPARE(h.ui().Image3->isVisible(), withTimer);
        QVERIFY(h.ui().Image5->isVisible() && h.ui().Image4->isHidden());
        // "Sans" still runs the stopwatch; only its indicator stays hidden.
        QVERIFY(h.form().StopWatch1->isRunning());
        QVERIFY(h.form().Timer->isActive());
        QCOMPARE(h.form().Timer->interval(), 1000);
    }

    void trainingAfterExamLeavesTheStopwatchRunning()
    {
        QuizHarness h;
        h.ui().RadioButton4->setChecked(true);
        h.form().EzRgnBtn10Click();
        QVERIFY(h.ui().Image3->isVisible());
        h.form().ToolButton6Click();
        h.click(h.ui().EzRgnBtn13);
        QCOMPARE(h.ui().Notebook1->currentIndex(), 3);
        QVERIFY(h.ui().Image3->isHidden());
        QVERIFY(h.ui().Image4->isVisible() && h.ui().Image5->isHidden());
        QCOMPARE(h.ui().DRLabel4->blink(), TDRLabel::blBlink);
        QVERIFY(h.form().StopWatch1->isRunning());
    }

    void trainingConfirmationAloneLeavesTheClockAlone()
    {
        QuizHarness h;
        h.form().EzRgnBtn13Click();
        QVERIFY(!h.form().StopWatch1->isRunning());
        h.load(simpleQuiz(5));
        QCOMPARE(h.form().State.QuestionOrder[1], 1);
    }

    void orderChoicesAloneDoNotShuffle()
    {
        QuizHarness h;
        h.ui().RadioButton2->setChecked(true);
        h.ui().RadioButton8->setChecked(true);
        h.load(simpleQuiz(5));
        for (int p = 1; p <= 5; ++p)
            QCOMPARE(h.form().State.QuestionOrder[p], p);
        // Confirming the exam settings, then restarting, does.
        h.form().EzRgnBtn10Click();
        h.form().ReloadQuiz();
        QCOMPARE(h.form().State.QuestionOrder[1], 5);
        // The restart hid the indicator: the next one is in order again.
        h.form().ReloadQuiz();
        QCOMPARE(h.form().State.QuestionOrder[1], 1);
    }

    void clockTextFollowsTheStopwatchOnEveryTick()
    {
        QuizHarness h;
        TDateTime now = 45000.0;
        h.form().StopWatch1->setClock([&now] { return now; });
        h.form().ResetTimer();
        QCOMPARE(h.ui().Label9->text(), QStringLiteral("00:00:00"));
        h.form().StartTimer();
        now += (3 * 3600 + 25 * 60 + 9) / 86400.0;
        h.form().TimerTimer();
        QCOMPARE(h.ui().Label9->text(), QStringLiteral("03:25:09"));
        // A day and more: the time of day starts again.
        now += 1.0;
        h.form().TimerTimer();
        QCOMPARE(h.ui().Label9->text(), QStringLiteral("03:25:09"));
        // The wall clock set back beyond the start.
        now -= 2.0;
        h.form().TimerTimer();
        QCOMPARE(h.ui().Label9->text(), QStringLiteral("00:00:00"));
        // The timer's own ticks refresh the clock.
        now += 1.0 + 5.0 / 86400.0;
        QVERIFY(h.form().Timer->isActive());
        QTRY_COMPARE_WITH_TIMEOUT(h.ui().Label9->text(), QStringLiteral("03:25:14"), 3000);
    }

    void pauseLastsItsTimeWhileEventsFlowWithoutSpinning()
    {
        QuizHarness h;
        int ticks = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&ticks] { ++ticks; });
        ticker.start(50);

        QElapsedTimer wall;
        wall.start();
        const double cpuBefore = processorSeconds();
        h.form().temporise(1);
        const double cpuSeconds = processorSeconds() - cpuBefore;

        QVERIFY(wall.elapsed() >= 1000);
        QVERIFY2(ticks >= 5, qPrintable(QString::number(ticks)));
        // A busy loop would burn the whole second.
        QVERIFY2(cpuSeconds < 0.5, qPrintable(QString::number(cpuSeconds)));
    }

    void pauseDispatchesPendingEventsEvenWhenItsTimeIsNotPositive()
    {
        QuizHarness h;
        for (int seconds : {0, -3}) {
            bool ran = false;
            QMetaObject::invokeMethod(this, [&ran] { ran = true; }, Qt::QueuedConnection);
            h.form().temporise(seconds);
            QVERIFY(ran);
        }
    }

    void clickDuringThePauseRunsItsHandler()
    {
        QuizHarness h;
        h.form().ToolButton5Click();
        QTimer::singleShot(100, this, [&h] { h.click(h.ui().EzRgnBtn10); });
        h.form().temporise(1);
        QVERIFY(h.ui().Image5->isVisible());
    }
};

QTEST_MAIN(EngineModesTest)
#include "engine_modes.moc"
