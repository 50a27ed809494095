#include <QAction>
#include <QScrollBar>

#include "main_window_harness.h"
#include "platform/ReadingAids.h"
#include "platform/Settings.h"
#include "platform/Speaker.h"

namespace {

// What the program asked of its voice, in order: "say: …", "stop", "slow".
struct VoiceLog
{
    QStringList calls;
    int voicesMade = 0;
    QString unavailability;
    platform::Speaker *current = nullptr;

    QStringList said() const
    {
        QStringList texts;
        for (const QString &call : calls) {
            if (call.startsWith(QLatin1String("say: ")))
                texts << call.mid(5);
        }
        return texts;
    }
};

VoiceLog voice;

class RecordingSpeaker : public platform::Speaker
{
public:
    RecordingSpeaker() { voice.current = this; }
    ~RecordingSpeaker() override
    {
        voice.calls << QStringLiteral("stop");
        voice.current = nullptr;
    }
    QString unavailability() const override { return voice.unavailability; }
    void say(const QString &text) override { voice.calls << QStringLiteral("say: ") + text; }
    void stop() override { voice.calls << QStringLiteral("stop"); }
    void setSlow(bool slow) override { voice.calls << (slow ? QStringLiteral("slow") : QStringLiteral("normal")); }
    void fail() { emit failed(QStringLiteral("La synthèse vocale s'est arrêtée.")); }
};

QuestionDraft fractionQuestion()
{
    return {QStringLiteral("Combien font 1/4 + 1/4 ?"),
            {QStringLiteral("1/2"), QString(), QStringLiteral("2/8"), QStringLiteral("   ")},
            QStringLiteral("1"), QStringLiteral("ET"), QStringLiteral("Bravo !"),
            QStringLiteral("Non : 1/4 + 1/4 = 2/4.")};
}

const QString FractionQuestionSaid = QStringLiteral(
    "Question 1. Combien font un quart plus un quart? Proposition 1 : un demi. Proposition 3 : deux huitièmes.");

void turnOn(QuizHarness &h, QToolButton *aid)
{
    h.form().EzRgnBtn8Click();
    QVERIFY(!aid->isChecked());
    QTest::mouseClick(aid, Qt::LeftButton);
    QVERIFY(aid->isChecked());
}

QImage questionPanel(QuizHarness &h)
{
    return h.ui().Notebook2->grab().toImage();
}

} // namespace

class FormQcmReadingAidsTest : public QObject
{
    Q_OBJECT
    QTemporaryDir m_home;

private slots:
    void initTestCase()
    {
        qputenv("HOME", m_home.path().toLocal8Bit());
        setUpApplication(*qApp);
        platform::replaceSpeakerForTests([] {
            ++voice.voicesMade;
            return std::make_unique<RecordingSpeaker>();
        });
    }

    void init()
    {
        voice = VoiceLog();
        platform::programSettings().clear();
    }

    void offByDefaultNoVoiceIsMade()
    {
        QuizHarness h;
        QVERIFY(!h.ui().ToolButton15->isChecked());
        QVERIFY(!h.ui().ToolButton16->isChecked());
        h.load({fractionQuestion()});
        h.start();
        h.answer({1});
        QCOMPARE(voice.voicesMade, 0);
    }

    void readsTheQuestionThenTheCorrectionAndStopsAtEachMove()
    {
        QuizHarness h;
        turnOn(h, h.ui().ToolButton15);
        QuestionDraft second = taggedQuestion(QStringLiteral("Deuxième"), 2);
        second.text = QStringLiteral("Il fait 20 °C : est-ce chaud ?");
        h.load({fractionQuestion(), second});
        QCOMPARE(voice.said(), QStringList());

        h.start();
        QCOMPARE(voice.said(), QStringList{FractionQuestionSaid});
        voice.calls.clear();

        h.tick(3);
        h.click(h.ui().EzRgnBtn5);
        QCOMPARE(voice.calls, QStringList{QStringLiteral("say: Non, correction: Non: un quart plus un quart "
                                                         "égale deux quarts.")});
        h.click(h.popup().ui->EzRgnBtn1);
        QCOMPARE(voice.calls.last(), QStringLiteral("stop"));
        voice.calls.clear();

        h.click(h.ui().EzRgnBtn3);
        QCOMPARE(voice.calls.first(), QStringLiteral("stop"));
        QCOMPARE(voice.said(), QStringList{QStringLiteral("Question 2. Il fait vingt degrés Celsius: est-ce chaud? "
                                                          "Proposition 1 : Oui. Proposition 2 : Non.")});

        // L reads it again, Escape silences it.
        voice.calls.clear();
        QTest::keyClick(&h.form(), Qt::Key_L);
        QCOMPARE(voice.said().size(), 1);
        QTest::keyClick(&h.form(), Qt::Key_Escape);
        QCOMPARE(voice.calls.last(), QStringLiteral("stop"));

        // The summary, a new load and quitting each silence the reading.
        h.tick(1);
        h.click(h.ui().EzRgnBtn5);
        h.click(h.popup().ui->EzRgnBtn1);
        voice.calls.clear();
        h.click(h.ui().EzRgnBtn3);
        QCOMPARE(voice.calls, QStringList{QStringLiteral("stop")});
        h.load({fractionQuestion()});
        QCOMPARE(voice.calls, (QStringList{QStringLiteral("stop"), QStringLiteral("stop")}));
        h.windows.reset();
        QCOMPARE(voice.calls.last(), QStringLiteral("stop"));
        QCOMPARE(voice.voicesMade, 1);
    }

    void choicesAreKeptForTheNextRun()
    {
        {
            QuizHarness h;
            turnOn(h, h.ui().ToolButton15);
            turnOn(h, h.ui().ToolButton16);
            auto *slow = h.ui().ToolButton15->findChild<QAction *>(QStringLiteral("SlowReading"));
            QVERIFY(slow && h.ui().ToolButton15->actions().contains(slow));
            slow->trigger();
            QCOMPARE(voice.calls.last(), QStringLiteral("slow"));
        }
        QuizHarness h;
        QVERIFY(h.ui().ToolButton15->isChecked());
        QVERIFY(h.ui().ToolButton16->isChecked());
        QVERIFY(h.ui().ToolButton15->findChild<QAction *>(QStringLiteral("SlowReading"))->isChecked());
        // Ctrl+L turns reading off again, even with its tool bar closed.
        QVERIFY(h.ui().ToolBar2->isHidden());
        QTest::keyClick(&h.form(), Qt::Key_L, Qt::ControlModifier);
        QVERIFY(!h.ui().ToolButton15->isChecked());
        QVERIFY(!platform::readingAidWanted(platform::ReadingAid::ReadAloud));
    }

    void aMissingOrFailingVoiceNeverHoldsTheQuiz()
    {
        {
            voice.unavailability = QStringLiteral("Aucune voix française n'est installée : installez espeak-ng.");
            QuizHarness h;
            h.form().EzRgnBtn8Click();
            QTest::mouseClick(h.ui().ToolButton15, Qt::LeftButton);
            QVERIFY(!h.ui().ToolButton15->isChecked());
            QVERIFY(!h.ui().ToolButton15->isEnabled());
            QCOMPARE(h.ui().ToolButton15->toolTip(), voice.unavailability);
            QVERIFY(!platform::readingAidWanted(platform::ReadingAid::ReadAloud));
        }
        voice = VoiceLog();
        QuizHarness h;
        turnOn(h, h.ui().ToolButton15);
        h.load(simpleQuiz(3));
        h.start();
        QCOMPARE(voice.said().size(), 1);
        static_cast<RecordingSpeaker *>(voice.current)->fail();
        QVERIFY(!h.ui().ToolButton15->isEnabled());
        h.answer({1});
        h.answer({1});
        QCOMPARE(voice.said().size(), 1);
        QCOMPARE(h.ui().DRLabel1->caption(), QStringLiteral("Question 3/3"));
    }

    void largeTextFitsAndGoesBackToTheSameWindow()
    {
        QuizHarness h;
        QuestionDraft longOne = fractionQuestion();
        longOne.text = QStringLiteral("Lis bien cette question : ").repeated(9);
        longOne.answers[0] = QStringLiteral("Une proposition assez longue pour passer à la ligne. ").repeated(2);
        h.load({longOne});
        h.start();
        const QImage before = questionPanel(h);
        const QFont normal = h.memo(1)->font();

        turnOn(h, h.ui().ToolButton16);
        for (int i = 1; i <= 6; ++i) {
            QPlainTextEdit *memo = h.memo(i);
            QVERIFY(memo->font().pointSizeF() >= 1.5 * normal.pointSizeF());
            QVERIFY(memo->font().letterSpacing() > 100);
            QVERIFY(memo->font().wordSpacing() > 0);
            QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
            // Nothing leaves the question panel.
            QVERIFY(h.ui().Notebook2->rect().contains(QRect(memo->mapTo(h.ui().Notebook2, QPoint()), memo->size())));
        }
        // What does not fit scrolls.
        QVERIFY(h.memo(1)->verticalScrollBar()->isVisible());
        QVERIFY(h.memo(2)->verticalScrollBar()->isVisible());
        QVERIFY(!h.memo(4)->verticalScrollBar()->isVisible());

        QTest::mouseClick(h.ui().ToolButton16, Qt::LeftButton);
        QCOMPARE(questionPanel(h), before);
    }
};

QTEST_MAIN(FormQcmReadingAidsTest)
#include "formqcm_reading_aids.moc"
