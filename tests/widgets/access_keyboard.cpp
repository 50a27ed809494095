// A whole quiz from the keyboard: digits, Return, Escape and the command
// keys, whichever control has the focus; the focus mark; the click on a
// proposition's text; the help window's arrows.

#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>
#include <QTest>

// The forms' classes are named here for the build to generate them.
#include "ui_FenetreMessage.h"
#include "ui_Form2.h"
#include "ui_FormQCM.h"

#include "main_window_harness.h"
#include "platform/Folders.h"
#include "windows/ClickLabel.h"

namespace {

void press(QWidget *to, Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QTest::keyClick(to, key, modifiers);
}

// A key held down: the window system repeats the press.
void pressRepeated(QWidget *to, Qt::Key key)
{
    QKeyEvent event(QEvent::KeyPress, key, Qt::NoModifier, QString(), true);
    QApplication::sendEvent(to, &event);
}

// Orange pixels of the focus mark on the question page.
int markPixels(QWidget *page)
{
    const QImage image = page->grab().toImage();
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            n += (c.red() > 230 && c.green() > 100 && c.green() < 160 && c.blue() < 60) ? 1 : 0;
        }
    }
    return n;
}

QList<QuestionDraft> threeQuestions()
{
    QList<QuestionDraft> drafts = simpleQuiz(3);
    // Propositions 1, 2 and 4: the third place stays empty.
    drafts[1].answers = {QStringLiteral("huit"), QStringLiteral("douze"), QString(), QStringLiteral("sept")};
    drafts[1].key = QStringLiteral("3");
    return drafts;
}

} // namespace

class AccessKeyboardTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QuizHarness> q;
    QTemporaryDir m_home;

    Ui::FormQCM &ui() { return q->ui(); }
    TFormQCM &form() { return q->form(); }

    void activate(QWidget *window)
    {
        window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(window));
    }

private slots:
    void initTestCase() { qputenv("HOME", m_home.path().toLocal8Bit()); }

    void init()
    {
        q = std::make_unique<QuizHarness>();
        activate(&form());
    }

    void cleanup() { q.reset(); }

    void returnTakesTheQuizThroughItsStates()
    {
        q->load(threeQuestions());
        QVERIFY(ui().EzRgnBtn2->isVisible());
        // Before the first question the text boxes are still editable and
        // would take Return for a new line.
        ui().Memo1->setFocus();
        press(ui().Memo1, Qt::Key_Return);
        QCOMPARE(form().State.CurrentPosition, 1);
        QCOMPARE(ui().Memo1->toPlainText(), QStringLiteral("Question 1"));
        QVERIFY(ui().EzRgnBtn5->isVisible());

        press(ui().CheckBox1, Qt::Key_1);
        press(ui().Memo3, Qt::Key_Enter, Qt::KeypadModifier);       // Correction
        QVERIFY(q->popup().isVisible());
        QVERIFY(ui().EzRgnBtn3->isHidden());
        QCOMPARE(form().State.GoodCount, 1);

        // No flow button is shown while the correction is open: Return in the
        // main window changes nothing.
        press(ui().Memo1, Qt::Key_Return);
        QVERIFY(q->popup().isVisible());
        QCOMPARE(form().State.CurrentPosition, 1);
        QVERIFY(ui().EzRgnBtn3->isHidden());

        // Return in the pop-up's editable text closes it as its ball does.
        press(q->popup().ui->Memo1, Qt::Key_Return);
        QVERIFY(!q->popup().isVisible());
        QVERIFY(ui().EzRgnBtn3->isVisible());
        QVERIFY(!q->popup().ui->Memo1->toPlainText().contains(QLatin1Char('\n')));

        press(&form(), Qt::Key_Return);                                 // next
        QCOMPARE(form().State.CurrentPosition, 2);
        press(&form(), Qt::Key_1);
        press(&form(), Qt::Key_2);
        press(&form(), Qt::Key_Return);
        QVERIFY(q->popup().isVisible());
        press(&q->popup(), Qt::Key_Escape);
        QVERIFY(!q->popup().isVisible());
        QVERIFY(ui().EzRgnBtn3->isVisible());
        press(&form(), Qt::Key_Return);

        QCOMPARE(form().State.CurrentPosition, 3);
        press(&form(), Qt::Key_Return);                                 // nothing ticked: wrong
        press(q->popup().ui->Memo1, Qt::Key_Escape);
        press(&form(), Qt::Key_Return);                                 // finish
        QCOMPARE(ui().DRLabel1->caption(), QStringLiteral("QCM terminé !"));
        QCOMPARE(ui().DRLabel7->caption(), QStringLiteral("2/3"));
        QVERIFY(ui().EzRgnBtn15->isVisible());

        press(ui().Memo7, Qt::Key_Return);                              // Bilan
        QVERIFY(ui().EzRgnBtn15->isHidden());
        QVERIFY(ui().Memo7->toPlainText().contains(QStringLiteral("Correction des questions")));
        // After the review no flow button is left: Return has nothing to press.
        const QString review = ui().Memo7->toPlainText();
        press(&form(), Qt::Key_Return);
        QCOMPARE(ui().Memo7->toPlainText(), review);
        QVERIFY(!q->popup().isVisible());
    }

    void aHeldReturnDoesNotRunAhead()
    {
        q->load(simpleQuiz(2));
        press(&form(), Qt::Key_Return);
        pressRepeated(ui().Memo1, Qt::Key_Return);
        QVERIFY(!q->popup().isVisible());
        QVERIFY(ui().EzRgnBtn5->isVisible());

        press(ui().Memo1, Qt::Key_Return);
        QVERIFY(q->popup().isVisible());
        pressRepeated(q->popup().ui->Memo1, Qt::Key_Return);
        QVERIFY(q->popup().isVisible());
        QCOMPARE(q->popup().ui->Memo1->toPlainText(), QStringLiteral("Revoyez la leçon."));

        press(q->popup().ui->Memo1, Qt::Key_Return);
        pressRepeated(&form(), Qt::Key_Return);
        QCOMPARE(form().State.CurrentPosition, 1);
        QVERIFY(ui().EzRgnBtn3->isVisible());
    }

    void digitsTickTheShownBoxesWhereverTheFocusIs_data()
    {
        QTest::addColumn<QString>("focus");
        QTest::newRow("question text") << QStringLiteral("Memo1");
        QTest::newRow("proposition text") << QStringLiteral("Memo4");
        QTest::newRow("check box") << QStringLiteral("CheckBox2");
        QTest::newRow("window") << QStringLiteral("FormQCM");
    }

    void digitsTickTheShownBoxesWhereverTheFocusIs()
    {
        QFETCH(QString, focus);
        q->load(threeQuestions());
        q->start();
        q->answer({1});
        QWidget *target = focus == QStringLiteral("FormQCM") ? &form() : form().findChild<QWidget *>(focus);
        QVERIFY(target);

        press(target, Qt::Key_1);
        QVERIFY(q->box(1)->isChecked());
        QCOMPARE(form().State.TickedSum, 1);
        press(target, Qt::Key_4, Qt::KeypadModifier);
        QVERIFY(q->box(4)->isChecked());
        QCOMPARE(form().State.TickedSum, 9);
        press(target, Qt::Key_1);
        QVERIFY(!q->box(1)->isChecked());
        QCOMPARE(form().State.TickedSum, 8);
        // The empty third place and the missing fifth take no key.
        press(target, Qt::Key_3);
        press(target, Qt::Key_5);
        QCOMPARE(form().State.TickedSum, 8);
        QVERIFY(!q->box(3)->isChecked());
        // A French keyboard's unshifted digit row: & is 1, é is 2.
        press(target, Qt::Key_Ampersand);
        press(target, Qt::Key_Eacute);
        QCOMPARE(form().State.TickedSum, 11);
        // Ctrl with a digit is not a tick.
        press(target, Qt::Key_2, Qt::ControlModifier);
        QCOMPARE(form().State.TickedSum, 11);
        // The box ticked last has the focus, with its mark.
        QCOMPARE(QApplication::focusWidget(), q->box(2));
        QVERIFY(markPixels(ui().Default) > 100);
    }

    void digitsTypedIntoEditableBoxesAreNotTaken()
    {
        q->load(simpleQuiz(1));
        q->start();
        QLineEdit *subject = ui().ComboBox1->lineEdit();
        subject->clear();
        press(subject, Qt::Key_1);
        QCOMPARE(subject->text(), QStringLiteral("1"));
        QSpinBox *minutes = ui().SpinEdit1;
        minutes->selectAll();
        press(minutes, Qt::Key_4);
        press(minutes, Qt::Key_2);
        QCOMPARE(minutes->text(), QStringLiteral("42"));
        QCOMPARE(form().State.TickedSum, 0);
        QVERIFY(!q->box(1)->isChecked());
    }

    void aKeyDoesNothingWhereItsButtonIsHidden()
    {
        // No quiz: no flow button, no box.
        press(&form(), Qt::Key_Return);
        press(&form(), Qt::Key_1);
        QCOMPARE(form().State.CurrentPosition, 0);
        QCOMPARE(ui().DRLabel1->caption(), QStringLiteral("Pas de QCM"));

        q->load(simpleQuiz(1));
        ui().EzRgnBtn2->setButtonEnabled(false);
        press(&form(), Qt::Key_Return);
        QCOMPARE(form().State.CurrentPosition, 0);
        ui().EzRgnBtn2->setButtonEnabled(true);
        press(&form(), Qt::Key_Return);
        QCOMPARE(form().State.CurrentPosition, 1);

        ui().EzRgnBtn1->hide();
        press(&form(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(form().isVisible());
        ui().EzRgnBtn1->show();
        press(&form(), Qt::Key_Q, Qt::ControlModifier);
        QVERIFY(!form().isVisible());
    }

    void commandKeysRunTheirCommands()
    {
        ModalDriver driver;
        press(&form(), Qt::Key_F1);
        QVERIFY(q->windows->Form2.isVisible());

        activate(&form());
        // Restart with no quiz chosen: the message, then the quiz-ready state.
        press(ui().Memo1, Qt::Key_R, Qt::ControlModifier);
        QCOMPARE(driver.messages, QStringList{QStringLiteral("QCM absent de cette unité.")});
        QVERIFY(ui().EzRgnBtn2->isVisible());

        const QString path = m_home.path() + QStringLiteral("/QCM/essai.qcm");
        QVERIFY(QDir(m_home.path()).mkpath(QStringLiteral("QCM")));
        // The quiz folder, which on Windows is the fixed C:\QCM.
        QVERIFY(QDir().mkpath(platform::quizFolder()));
        QVERIFY(writeQuiz(path, QStringLiteral("clavier"), 2));
        driver.planFile(path);
        press(&form(), Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(driver.messages.last(), QStringLiteral("Les dossiers QCM sont prêts."));
        QCOMPARE(driver.dialogsSeen, 1);
        QCOMPARE(form().State.QuestionCount, 2);
        QCOMPARE(ui().DRLabel1->caption(), QStringLiteral("QCM prêt"));
        // The keyboard is back in the main window for "Commencer".
        QTRY_VERIFY(form().isActiveWindow());
    }

    void tabGoesRoundTheShownBoxes()
    {
        q->load(threeQuestions());
        q->start();
        q->answer({1});
        QCOMPARE(QApplication::focusWidget(), ui().Memo1);
        const QList<int> forward{1, 2, 4, 1};
        for (int box : forward) {
            press(QApplication::focusWidget(), Qt::Key_Tab);
            QCOMPARE(QApplication::focusWidget(), q->box(box));
        }
        press(QApplication::focusWidget(), Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), q->box(4));
        // Space ticks the box with the focus, as Qt's check box always did.
        press(q->box(4), Qt::Key_Space);
        QCOMPARE(form().State.TickedSum, 8);
    }

    void focusMarkShowsTheBoxReachedByKeyboardOnly()
    {
        q->load(simpleQuiz(1));
        q->start();
        QCOMPARE(markPixels(ui().Default), 0);
        press(ui().Memo1, Qt::Key_Tab);
        QVERIFY(markPixels(ui().Default) > 200);
        // The mark surrounds its own row only.
        const QImage image = ui().Default->grab().toImage();
        const QRect row1 = q->box(1)->geometry().united(q->memo(2)->geometry()).adjusted(-8, -6, 6, 6);
        int outside = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                const QColor c = image.pixelColor(x, y);
                if (c.red() > 230 && c.green() > 100 && c.green() < 160 && c.blue() < 60 && !row1.contains(x, y))
                    ++outside;
            }
        }
        QCOMPARE(outside, 0);

        // A mouse click gives the focus without a mark, as before.
        q->tick(3);
        QCOMPARE(QApplication::focusWidget(), q->box(3));
        QCOMPARE(markPixels(ui().Default), 0);
        // And the mark goes when the window loses the keyboard.
        press(q->box(3), Qt::Key_Tab);
        QVERIFY(markPixels(ui().Default) > 200);
        press(q->box(4), Qt::Key_Return);
        QTRY_VERIFY(q->popup().isActiveWindow());
        QCOMPARE(markPixels(ui().Default), 0);
    }

    void clickOnAPropositionTextTicksItsBox()
    {
        q->load(simpleQuiz(1));
        q->start();
        QWidget *text = q->memo(3)->viewport();
        QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(40, 8));
        QVERIFY(q->box(2)->isChecked());
        QCOMPARE(form().State.TickedSum, 2);
        QTest::mouseClick(text, Qt::LeftButton, {}, QPoint(40, 8));
        QVERIFY(!q->box(2)->isChecked());

        // Selecting the text with a drag ticks nothing.
        QTest::mousePress(text, Qt::LeftButton, {}, QPoint(2, 8));
        QTest::mouseMove(text, QPoint(30, 8));
        QTest::mouseRelease(text, Qt::LeftButton, {}, QPoint(30, 8));
        QVERIFY(!q->box(2)->isChecked());
        // The right button ticks nothing either.
        QTest::mouseClick(text, Qt::RightButton, {}, QPoint(40, 8));
        QVERIFY(!q->box(2)->isChecked());
    }

    void helpTopicsFollowTheArrows()
    {
        TForm2 &help = q->windows->Form2;
        help.show();
        activate(&help);
        QCOMPARE(help.markedTopic(), -1);
        // A click shows its page and puts up no mark.
        QTest::mouseClick(help.ui->Label54, Qt::LeftButton);
        QCOMPARE(help.ui->Notebook1->currentIndex(), 8);
        QCOMPARE(help.markedTopic(), -1);

        // The first arrow marks the topic on show; Return shows the marked one.
        press(&help, Qt::Key_Down);
        QCOMPARE(help.markedTopic(), 8);
        press(&help, Qt::Key_Down);
        press(&help, Qt::Key_Down);
        QCOMPARE(help.markedTopic(), 10);
        QCOMPARE(help.ui->Notebook1->currentIndex(), 8);
        press(&help, Qt::Key_Return);
        QCOMPARE(help.ui->Notebook1->currentIndex(), 10);
        press(&help, Qt::Key_End);
        press(&help, Qt::Key_Down);
        QCOMPARE(help.markedTopic(), 11);
        press(&help, Qt::Key_Home);
        press(&help, Qt::Key_Up);
        QCOMPARE(help.markedTopic(), 0);
        press(&help, Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(help.ui->Notebook1->currentIndex(), 0);
        // Once the mark is up, a click takes it along.
        QTest::mouseClick(help.ui->Label46, Qt::LeftButton);
        QCOMPARE(help.markedTopic(), 5);
        QCOMPARE(help.ui->Notebook1->currentIndex(), 5);

        press(&help, Qt::Key_Escape);
        QVERIFY(!help.isVisible());
    }
};

QTEST_MAIN(AccessKeyboardTest)
#include "access_keyboard.moc"
