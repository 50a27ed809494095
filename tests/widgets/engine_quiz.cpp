#include <QImage>
#include <QScrollArea>
#include <QStackedWidget>
#include <QWindow>

// The forms the harness reaches, named here so that they are generated for this test.
#include "ui_FenetreMessage.h"
#include "ui_FormQCM.h"

#include "main_window_harness.h"
#include "skin/Image.h"

namespace {

const QColor Green(0x00, 0x80, 0x00);
const QColor Red(0xFF, 0x00, 0x00);

QStringList summary(int n, int w, int p, const QString &title = QStringLiteral("essai"))
{
    return {QStringLiteral("Résultats du QCM : ") + title,
            QString(),
            Separator,
            QStringLiteral("Ce QCM comporte %1 questions. ").arg(n),
            QString(),
            QStringLiteral("Vous n'avez pas répondu "),
            QStringLiteral("correctement à %1 questions.").arg(w),
            Separator,
            QString(),
            QStringLiteral("Votre pourcentage de réussite"),
            QStringLiteral("est donc de %1 %.").arg(p)};
}

const QStringList ReviewHeading{Separator, QStringLiteral("Correction des questions "), Separator, QString()};

} // namespace

class EngineQuizTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void oneQuestionQuizGoesFromStartToSummary()
    {
        QuizHarness h;
        QuestionDraft q{QStringLiteral("Combien font 2 + 2 ?"),
                       {QStringLiteral("3"), QStringLiteral("4"), QStringLiteral("5")},
                       QStringLiteral("2")};
        q.right = QStringLiteral("Oui, 4.");
        h.load({q});
        QCOMPARE(h.ui().DRLabel1->caption(), QStringLiteral("QCM prêt"));
        QVERIFY(h.ui().EzRgnBtn2->isVisible());

        h.start();
        QCOMPARE(h.ui().DRLabel1->caption(), QStringLiteral("Question 1/1"));
        QVERIFY(h.ui().EzRgnBtn2->isHidden());
        QVERIFY(h.ui().EzRgnBtn3->isHidden());
        QVERIFY(h.ui().EzRgnBtn5->isVisible());
        QVERIFY(h.ui().Label9->isVisible() && h.ui().Label10->isVisible() && h.ui().Image3->isVisible());
        QVERIFY(h.form().StopWatch1->isRunning());
        QCOMPARE(h.memo(1)->toPlainText(), q.text);
        QCOMPARE(h.memo(3)->toPlainText(), QStringLiteral("4"));
        QVERIFY(h.box(3)->isVisible() && h.box(4)->isHidden() && h.box(5)->isHidden());
        QVERIFY(h.memo(5)->toPlainText().isEmpty());

        h.tick(2);
        QCOMPARE(h.form().State.AnswerCode, QStringLiteral("2"));
        h.click(h.ui().EzRgnBtn5);
        QVERIFY(h.ui().EzRgnBtn5->isHidden());
        QVERIFY(h.ui().EzRgnBtn3->isHidden());
        QVERIFY(h.popup().isVisible());
        QCOMPARE(h.popup().ui->Label1->text(), QStringLiteral("Bonne réponse !"));
        QCOMPARE(h.verdictColour(), Green);
        QCOMPARE(h.popup().ui->Memo1->toPlainText(), QStringLiteral("Oui, 4."));
        QCOMPARE(h.ui().DRLabel7->caption(), QStringLiteral("1/1"));

        h.click(h.popup().ui->EzRgnBtn1);
        QVERIFY(h.ui().EzRgnBtn3->isVisible());
        h.click(h.ui().EzRgnBtn3);

        QCOMPARE(h.ui().DRLabel1->caption(), QStringLiteral("QCM terminé !"));
        QCOMPARE(h.form().State.CurrentPosition, 1);
        for (int i = 1; i <= 6; ++i)
            QVERIFY(h.memo(i)->toPlainText().isEmpty());
        for (int i = 1; i <= 5; ++i)
            QVERIFY(h.box(i)->isHidden() && !h.box(i)->isChecked());
        QVERIFY(h.ui().EzRgnBtn3->isHidden() && h.ui().EzRgnBtn5->isHidden());
        QVERIFY(h.ui().EzRgnBtn15->isVisible());
        QCOMPARE(h.ui().Notebook1->currentIndex(), 2);
        QCOMPARE(h.memo7Lines(), summary(1, 0, 100));
        QVERIFY(!h.form().StopWatch1->isRunning());
        QVERIFY(!h.form().Timer->isActive());
    }

    void wrongAnswerShowsTheCorrectionInRed()
    {
        QuizHarness h;
        QuestionDraft q = simpleQuiz(1).front();
        q.wrong = QStringLiteral("C'était A.");
        h.load({q});
        h.start();
        h.tick(2);
        h.click(h.ui().EzRgnBtn5);
        QCOMPARE(h.popup().ui->Label1->text(), QStringLiteral("Non, correction :"));
        QCOMPARE(h.verdictColour(), Red);
        QCOMPARE(h.popup().ui->Memo1->toPlainText(), QStringLiteral("C'était A."));
        QCOMPARE(h.ui().DRLabel7->caption(), QStringLiteral("0/1"));
        QCOMPARE(h.form().State.WrongCount, 1);
        QCOMPARE(h.form().State.WrongRecords[1], 1);
    }

    void closingThePopupAnyWayUnlocksTheNextQuestion()
    {
        QuizHarness h;
        h.load(simpleQuiz(3));
        h.start();
        h.click(h.ui().EzRgnBtn5);
        QVERIFY(QTest::qWaitForWindowExposed(&h.popup()));
        // As the window manager's close or Alt+F4 asks it.
        QVERIFY(h.popup().windowHandle()->close());
        QVERIFY(!h.popup().isVisible());
        QVERIFY(h.ui().EzRgnBtn3->isVisible());
        QVERIFY(h.ui().EzRgnBtn5->isHidden());
        h.click(h.ui().EzRgnBtn3);
        QCOMPARE(h.ui().DRLabel1->caption(), QStringLiteral("Question 2/3"));

        h.click(h.ui().EzRgnBtn5);
        h.popup().close();
        QVERIFY(h.ui().EzRgnBtn3->isVisible());
        h.click(h.ui().EzRgnBtn3);
        QCOMPARE(h.ui().DRLabel1->caption(), QStringLiteral("Question 3/3"));
    }

    void shuffledQuizAsksAndJudgesTheRecordAtPositionOne()
    {
        QuizHarness h;
        // Each record is right only with its own box.
        QList<QuestionDraft> drafts = simpleQuiz(5);
        for (int k = 1; k <= 5; ++k)
            drafts[k - 1].key = QString::number(1 << (k - 1));
        h.form().EzRgnBtn10Click();
        h.load(drafts);
        QVERIFY(h.ui().Image5->isHidden());
        QCOMPARE(QList<int>(h.form().State.QuestionOrder.begin() + 1, h.form().State.QuestionOrder.begin() + 6),
                 (QList<int>{5, 1, 3, 2, 4}));

        h.start();
        QCOMPARE(h.memo(1)->toPlainText(), QStringLiteral("Question 5"));
        h.answer({5});
        QCOMPARE(h.ui().DRLabel7->caption(), QStringLiteral("1/1"));
        // Positions 2 (record 1) and 5 (record 4) answered wrong, the others right.
        h.answer({2});
        h.answer({3});
        h.answer({2});
        QCOMPARE(h.ui().DRLabel7->caption(), QStringLiteral("3/4"));
        h.answer({1});
        QCOMPARE(h.form().State.WrongCount, 2);
        QCOMPARE(h.form().State.WrongRecords[1], 1);
        QCOMPARE(h.form().State.WrongRecords[2], 4);

        h.click(h.ui().EzRgnBtn15);
        const QStringList lines = h.memo7Lines();
        QCOMPARE(lines.filter(QStringLiteral("Question N° ")),
                 (QStringList{QStringLiteral("Question N° 1"), QStringLiteral("Question N° 4")}));
    }

    void summaryVerdictFollowsTheSeventyPercentLine_data()
    {
        QTest::addColumn<int>("wrong");
        QTest::addColumn<int>("percent");
        QTest::addColumn<bool>("laurel");
        QTest::addColumn<QString>("verdict");
        const QString failure = QStringLiteral("Reportez-vous à la correction : cliquez sur BILAN.");
        const QString success = QStringLiteral("Ce QCM est terminé avec succès.");
        QTest::newRow("3 wrong: 70 %, book") << 3 << 70 << false << failure;
        QTest::newRow("2 wrong: 80 %, laurel") << 2 << 80 << true << success;
        QTest::newRow("none wrong: 100 %") << 0 << 100 << true << success;
    }
    void summaryVerdictFollowsTheSeventyPercentLine()
    {
        QFETCH(int, wrong);
        QFETCH(int, percent);
        QFETCH(bool, laurel);
        QFETCH(QString, verdict);
        QuizHarness h;
        h.load(simpleQuiz(10), QStringLiteral("fractions"));
        h.start();
        for (int k = 1; k <= 10; ++k)
            h.answer({k <= wrong ? 2 : 1});

        QCOMPARE(h.memo7Lines(), summary(10, wrong, percent, QStringLiteral("fractions")));
        QCOMPARE(h.ui().DRLabel14->caption(), verdict);
        QVERIFY(h.ui().DRLabel14->isVisible());
        QCOMPARE(h.ui().Image5->isVisible(), laurel);
        QCOMPARE(h.ui().Image4->isVisible(), !laurel);

        h.click(h.ui().EzRgnBtn15);
        QVERIFY(h.ui().EzRgnBtn15->isHidden());
        const QStringList lines = h.memo7Lines();
        QCOMPARE(lines.mid(0, 11), summary(10, wrong, percent, QStringLiteral("fractions")));
        QCOMPARE(lines.mid(11, 4), ReviewHeading);
        QCOMPARE(lines.size(), 11 + 4 + 12 * wrong); // key 1: one proposition each
    }

    void reviewListsRightPropositionsFromTheHighestDown()
    {
        QuizHarness h;
        const QStringList props{QStringLiteral("un"), QStringLiteral("deux"), QStringLiteral("trois"),
                                QStringLiteral("quatre"), QStringLiteral("cinq")};
        QuestionDraft first{QStringLiteral("Lesquelles ?"), props, QStringLiteral("21"), QStringLiteral("OU")};
        QuestionDraft second{QStringLiteral("Aucune ?"), props, QStringLiteral("0"), QStringLiteral("ET")};
        QuestionDraft third{QStringLiteral("Sans clé ?"), props, QString(), QStringLiteral("et")};
        h.load({first, second, third});
        h.start();
        h.answer({2}); // wrong: 2 is not among 16 + 4 + 1
        h.answer({1}); // wrong: nothing was to be ticked
        h.answer({1}); // wrong: an empty key marks nothing
        h.click(h.ui().EzRgnBtn15);

        const QStringList expected = summary(3, 3, 0) + ReviewHeading + QStringList{
            QStringLiteral("Question N° 1"), Separator, QString(), QStringLiteral("Question :Lesquelles ?"), QString(),
            QStringLiteral("Bonne(s) réponse(s) :"),
            QStringLiteral("Proposition 5 :cinq"), QStringLiteral("Proposition 3 :trois"),
            QStringLiteral("Proposition 1 :un"), QString(),
            QStringLiteral("Condition de validité : OU"),
            QStringLiteral("Au moins une des bonne propositions doit être sélectionnée."), QString(), Separator,
            QStringLiteral("Question N° 2"), Separator, QString(), QStringLiteral("Question :Aucune ?"), QString(),
            QStringLiteral("Bonne(s) réponse(s) :"), QString(),
            QStringLiteral("Condition de validité : ET"),
            QStringLiteral("Toutes les bonnes propositions doivent être sélectionnées."), QString(), Separator,
            QStringLiteral("Question N° 3"), Separator, QString(), QStringLiteral("Question :Sans clé ?"), QString(),
            QStringLiteral("Bonne(s) réponse(s) :"), QString(),
            QStringLiteral("Condition de validité : et"),
            QStringLiteral("Au moins une des bonne propositions doit être sélectionnée."), QString(), Separator};
        QCOMPARE(h.memo7Lines(), expected);
        QVERIFY(h.ui().EzRgnBtn15->isHidden() && h.ui().EzRgnBtn3->isHidden() && h.ui().EzRgnBtn5->isHidden());
    }

    void gapInPropositionsKeepsTheOthersInPlace()
    {
        QuizHarness h;
        QuestionDraft q{QStringLiteral("Trous ?"),
                       {QStringLiteral("un"), QStringLiteral("deux"), QString(), QStringLiteral("quatre")},
                       QStringLiteral("8")};
        h.load({q, simpleQuiz(1).front()});
        h.start();
        QVERIFY(h.box(1)->isVisible() && h.box(2)->isVisible() && h.box(4)->isVisible());
        QVERIFY(h.box(3)->isHidden() && h.box(5)->isHidden());
        QVERIFY(h.memo(4)->isVisible());
        QVERIFY(h.memo(4)->toPlainText().isEmpty());
        QCOMPARE(h.memo(5)->toPlainText(), QStringLiteral("quatre"));
        // Proposition 4 keeps its bit value 8.
        h.tick(4);
        h.tick(2);
        QCOMPARE(h.form().State.TickedSum, 10);
        h.click(h.ui().EzRgnBtn5);
        QCOMPARE(h.ui().DRLabel7->caption(), QStringLiteral("0/1"));
        h.click(h.popup().ui->EzRgnBtn1);
        h.click(h.ui().EzRgnBtn3);
        // The next question starts with every box unticked and the sum recomputed.
        for (int i = 1; i <= 5; ++i)
            QVERIFY(!h.box(i)->isChecked());
        QCOMPARE(h.form().State.TickedSum, 0);
        QCOMPARE(h.form().State.AnswerCode, QStringLiteral("0"));
        QVERIFY(h.box(3)->isVisible());
    }

    void untickingABoxRecomputesTheAnswer()
    {
        QuizHarness h;
        h.load(simpleQuiz(1));
        h.start();
        h.tick(1);
        h.tick(3);
        QCOMPARE(h.form().State.AnswerCode, QStringLiteral("5"));
        h.tick(3);
        QCOMPARE(h.form().State.AnswerCode, QStringLiteral("1"));
        h.click(h.ui().EzRgnBtn5);
        QCOMPARE(h.popup().ui->Label1->text(), QStringLiteral("Bonne réponse !"));
    }

    void questionTextsAreReadOnlyFromStartUp()
    {
        QuizHarness h;
        const auto checkReadOnly = [&h] {
            for (int i = 1; i <= 6; ++i) {
                QVERIFY(h.memo(i)->isReadOnly());
                QVERIFY(h.memo(i)->textInteractionFlags() & Qt::TextSelectableByMouse);
            }
        };
        checkReadOnly();
        h.memo(2)->setFocus();
        QTest::keyClicks(h.memo(2), QStringLiteral("abc"));
        QVERIFY(h.memo(2)->toPlainText().isEmpty());

        h.load(simpleQuiz(1));
        h.start();
        checkReadOnly();
        h.memo(1)->setFocus();
        QTest::keyClicks(h.memo(1), QStringLiteral("xyz"));
        QCOMPARE(h.memo(1)->toPlainText(), QStringLiteral("Question 1"));
    }

    void picturesAreFoundBelowTheQuizFolderAndFailuresShowTheDefault()
    {
        QuizHarness h;
        QVERIFY(QDir(h.folder()).mkpath(QStringLiteral("img/sous")));
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        QVERIFY(picture.save(h.folder() + QStringLiteral("/img/sous/q1.bmp")));

        QList<QuestionDraft> drafts = simpleQuiz(4);
        drafts[0].picture = QStringLiteral("img\\sous\\q1.bmp");
        drafts[1].picture = QStringLiteral("img\\absente.bmp");
        drafts[2].picture = QString();
        drafts[3].picture = QStringLiteral("img\\sous\\q1.bmp");
        h.load(drafts);
        h.start();
        QTRY_VERIFY(h.ui().ScrollBox1->isVisible() && h.ui().Image8->isVisible());
        QVERIFY(h.ui().Image2->isHidden());
        QCOMPARE(h.ui().Image8->picture().size(), QSize(40, 30));
        QCOMPARE(h.ui().Image8->size(), QSize(40, 30));

        h.answer({1});
        // A failed picture gives the default picture, not the previous question's.
        QTRY_VERIFY(h.ui().Image2->isVisible());
        QVERIFY(h.ui().ScrollBox1->isHidden());
        QVERIFY(h.ui().Image8->picture().isNull());
        QCOMPARE(h.memo(1)->toPlainText(), QStringLiteral("Question 2"));

        h.answer({1});
        QVERIFY(h.ui().Image2->isVisible() && h.ui().ScrollBox1->isHidden());
        h.answer({1});
        QTRY_VERIFY(h.ui().ScrollBox1->isVisible() && h.ui().Image2->isHidden());
    }

    // The first picture is decoded once the quiz is ready, the next one while
    // a question is shown; a picture ready in time shows with its question.
    void picturesAreDecodedAheadAndOnlyTheNextIsKept()
    {
        QuizHarness h;
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::blue);
        for (const char *name : {"q1.bmp", "q2.bmp", "q3.bmp"})
            QVERIFY(picture.save(h.folder() + QLatin1Char('/') + QLatin1String(name)));
        QList<QuestionDraft> drafts = simpleQuiz(3);
        drafts[0].picture = QStringLiteral("q1.bmp");
        drafts[1].picture = QStringLiteral("q2.bmp");
        drafts[2].picture = QStringLiteral("q3.bmp");
        h.load(drafts);
        QCOMPARE(h.form().Pictures.size(), 1);
        // Decoded while the pupil reads the title.
        QTRY_VERIFY(h.form().Pictures.allDecoded());
        h.start();
        QVERIFY(h.ui().Image8->isVisible());
        QCOMPARE(h.ui().Image8->picture().size(), QSize(40, 30));
        QCOMPARE(h.form().Pictures.size(), 1); // the second question's

        // A restart drops what was decoded for the old order.
        h.form().ReloadQuiz();
        QCOMPARE(h.form().Pictures.size(), 1);
        QVERIFY(h.ui().Image2->isVisible() && h.ui().Image8->isHidden());
    }

    // A question whose picture is still being decoded is asked at once; the
    // picture follows, and the pupil may answer meanwhile.
    void aQuestionDoesNotWaitForItsPicture()
    {
        QuizHarness h;
        QImage large(4000, 3000, QImage::Format_RGB32);
        large.fill(Qt::darkGreen);
        QVERIFY(large.save(h.folder() + QStringLiteral("/grande.bmp")));
        QList<QuestionDraft> drafts = simpleQuiz(2);
        drafts[0].picture = QStringLiteral("grande.bmp");
        h.load(drafts);
        h.start();
        QCOMPARE(h.memo(1)->toPlainText(), QStringLiteral("Question 1"));
        QVERIFY(h.box(1)->isVisible());
        QVERIFY(h.ui().Image2->isHidden());
        if (h.ui().Image8->isHidden()) {
            QVERIFY(h.ui().ScrollBox1->isVisible());
            h.tick(1);
            QVERIFY(h.box(1)->isChecked());
        }
        QTRY_VERIFY(h.ui().Image8->isVisible());
        QCOMPARE(h.ui().Image8->picture().size(), QSize(4000, 3000));
    }

    void recordAtStaysInsideTheQuizAfterALongerOne()
    {
        QuizHarness h;
        h.load(simpleQuiz(5));
        h.load(simpleQuiz(2), QStringLiteral("court"));
        const TFormQCM &form = h.form();
        QCOMPARE(form.State.QuestionCount, 2);
        // Positions 3 to 5 still hold the longer quiz's order.
        QVERIFY(form.State.QuestionOrder[3] != 0);
        QVERIFY(!form.recordAt(0));
        QVERIFY(!form.recordAt(3));
        QVERIFY(!form.recordAt(qcm::MaxQuestions + 1));
        QCOMPARE(form.recordAt(2), &form.QuestionBank[form.State.QuestionOrder[2]]);
    }

    void quizWithoutQuestionsGoesStraightToItsSummary()
    {
        QuizHarness h;
        h.load({});
        QCOMPARE(h.form().State.QuestionCount, 0);
        QVERIFY(h.ui().EzRgnBtn2->isVisible());
        h.start();
        QCOMPARE(h.ui().DRLabel1->caption(), QStringLiteral("QCM terminé !"));
        QCOMPARE(h.memo7Lines(), (QStringList{QStringLiteral("Pas de QCM !! "), QString(), Separator}));
        QVERIFY(h.ui().DRLabel14->isHidden());
        QVERIFY(h.ui().Image4->isHidden() && h.ui().Image5->isHidden());
        for (int i = 1; i <= 5; ++i)
            QVERIFY(h.box(i)->isHidden());
        QVERIFY(h.ui().EzRgnBtn3->isHidden() && h.ui().EzRgnBtn5->isHidden() && h.ui().EzRgnBtn15->isHidden());
        QVERIFY(!h.popup().isVisible());
        QCOMPARE(h.form().State.CurrentPosition, 0);
        QVERIFY(!h.form().StopWatch1->isRunning());
    }

    void restartAfterASuccessIsShuffledAndTheClockStartsAgain()
    {
        QuizHarness h;
        TDateTime now = 45000.5;
        h.form().StopWatch1->setClock([&now] { return now; });
        h.load(simpleQuiz(5));
        QCOMPARE(h.form().State.QuestionOrder[1], 1);
        h.start();
        for (int k = 1; k <= 5; ++k) {
            now += 20.0 / 86400.0;
            h.answer({1});
        }
        QVERIFY(h.ui().Image5->isVisible());
        QCOMPARE(h.ui().Label9->text(), QStringLiteral("00:01:40"));

        // "Recommencer le QCM."
        h.form().ToolButton9Click();
        QCOMPARE(QList<int>(h.form().State.QuestionOrder.begin() + 1, h.form().State.QuestionOrder.begin() + 6),
                 (QList<int>{5, 1, 3, 2, 4}));
        QVERIFY(h.ui().Image5->isHidden());
        QCOMPARE(h.ui().Label9->text(), QStringLiteral("00:00:00"));
        QCOMPARE(h.form().State.WrongCount, 0);

        h.start();
        QCOMPARE(h.memo(1)->toPlainText(), QStringLiteral("Question 5"));
        QCOMPARE(h.ui().DRLabel7->caption(), QStringLiteral("0/0"));
        now += 7.0 / 86400.0;
        h.form().TimerTimer();
        QCOMPARE(h.ui().Label9->text(), QStringLiteral("00:00:07"));
        QVERIFY(h.form().Timer->isActive());
    }

    void clockIsFrozenAfterTheSummary()
    {
        QuizHarness h;
        TDateTime now = 45000.25;
        h.form().StopWatch1->setClock([&now] { return now; });
        h.load(simpleQuiz(2));
        h.start();
        now += 83.0 / 86400.0;
        h.form().TimerTimer();
        QCOMPARE(h.ui().Label9->text(), QStringLiteral("00:01:23"));
        h.answer({1});
        now += 2.0 / 86400.0;
        h.answer({1});
        QCOMPARE(h.ui().Label9->text(), QStringLiteral("00:01:25"));
        QVERIFY(!h.form().Timer->isActive());
        now += 1.0;
        h.form().TimerTimer();
        QCOMPARE(h.ui().Label9->text(), QStringLiteral("00:01:25"));
    }
};

QTEST_MAIN(EngineQuizTest)
#include "engine_quiz.moc"
