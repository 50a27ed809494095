// What screen readers are told about the windows: names, roles, states and
// the press action of the picture buttons, the relief labels, the
// proposition boxes, the question and the correction.

#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QSignalSpy>
#include <QTextCursor>
#include <QTest>

// The forms' classes are named here for the build to generate them.
#include "ui_FenetreMessage.h"
#include "ui_FormQCM.h"
#include "ui_ProjImages.h"

#include "main_window_harness.h"
#include "skin/Accessibility.h"
#include "skin/DrLabel.h"

namespace {

QAccessibleInterface *accessible(QObject *object)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(object);
    if (!iface)
        qWarning() << "no accessible interface for" << object;
    return iface;
}

QString nameOf(QObject *object) { return accessible(object)->text(QAccessible::Name); }

void pressAction(QObject *object)
{
    QAccessibleActionInterface *actions = accessible(object)->actionInterface();
    QVERIFY(actions);
    QCOMPARE(actions->actionNames(), QStringList{QAccessibleActionInterface::pressAction()});
    actions->doAction(QAccessibleActionInterface::pressAction());
}

} // namespace

class AccessInterfacesTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<QuizHarness> q;

    Ui::FormQCM &ui() { return q->ui(); }
    TFormQCM &form() { return q->form(); }

private slots:
    void initTestCase() { installSkinAccessibility(); }

    void init()
    {
        q = std::make_unique<QuizHarness>();
        form().activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form()));
    }

    void cleanup() { q.reset(); }

    void pictureButtonsArePushButtonsNamedByTheirHintOrFace_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("name");
        QTest::newRow("Quitter") << QStringLiteral("EzRgnBtn1") << QStringLiteral("Quitter ce programme");
        QTest::newRow("Commencer") << QStringLiteral("EzRgnBtn2") << QStringLiteral("Commencer le QCM");
        QTest::newRow("next") << QStringLiteral("EzRgnBtn3") << QStringLiteral("Question suivante");
        QTest::newRow("Correction") << QStringLiteral("EzRgnBtn5")
                                    << QStringLiteral("Editer les résultats et le corrigé du QCM");
        QTest::newRow("Fichier") << QStringLiteral("EzRgnBtn7") << QStringLiteral("Fichier");
        QTest::newRow("Paramétrer") << QStringLiteral("EzRgnBtn8") << QStringLiteral("Paramétrer");
        QTest::newRow("Aide") << QStringLiteral("EzRgnBtn9") << QStringLiteral("Aide");
        QTest::newRow("Bilan") << QStringLiteral("EzRgnBtn15") << QStringLiteral("Bilan");
    }

    void pictureButtonsArePushButtonsNamedByTheirHintOrFace()
    {
        QFETCH(QString, button);
        QFETCH(QString, name);
        auto *widget = form().findChild<TEzRgnBtn *>(button);
        QVERIFY(widget);
        QAccessibleInterface *iface = accessible(widget);
        QCOMPARE(iface->role(), QAccessible::Button);
        QCOMPARE(iface->text(QAccessible::Name), name);
        // The hint is said once, as the name.
        QVERIFY(iface->text(QAccessible::Description) != name);
        // The buttons take no focus: the windows handle the keys.
        QVERIFY(!iface->state().focusable);
        QCOMPARE(iface->state().invisible, !widget->isVisible());
    }

    void closeBallsAreNamedFermer()
    {
        QCOMPARE(nameOf(q->popup().ui->EzRgnBtn1), QStringLiteral("Fermer"));
        QCOMPARE(nameOf(q->windows->FormProjImages.findChild<TEzRgnBtn *>(QStringLiteral("EzRgnBtn1"))),
                 QStringLiteral("Fermer"));
    }

    void pressActionClicksAShownEnabledButtonOnly()
    {
        q->load(simpleQuiz(2));
        // Hidden: off screen for tools, and pressing it does nothing.
        QVERIFY(accessible(ui().EzRgnBtn5)->state().invisible);
        QSignalSpy hiddenClicks(ui().EzRgnBtn5, &TEzRgnBtn::clicked);
        pressAction(ui().EzRgnBtn5);
        QCOMPARE(hiddenClicks.count(), 0);

        // Disabled by its own flag: said so, and not pressed.
        ui().EzRgnBtn2->setButtonEnabled(false);
        QVERIFY(accessible(ui().EzRgnBtn2)->state().disabled);
        pressAction(ui().EzRgnBtn2);
        QCOMPARE(form().State.CurrentPosition, 0);
        ui().EzRgnBtn2->setButtonEnabled(true);
        QVERIFY(!accessible(ui().EzRgnBtn2)->state().disabled);

        // The press runs the click's handler: the quiz starts.
        pressAction(ui().EzRgnBtn2);
        QCOMPARE(form().State.CurrentPosition, 1);
        QVERIFY(ui().EzRgnBtn2->isHidden());
        QVERIFY(!accessible(ui().EzRgnBtn5)->state().invisible);
        pressAction(ui().EzRgnBtn5);
        QVERIFY(q->popup().isVisible());
        pressAction(q->popup().ui->EzRgnBtn1);
        QVERIFY(!q->popup().isVisible());
        QVERIFY(ui().EzRgnBtn3->isVisible());
    }

    void reliefLabelsAreStaticTextNamedByTheirCaption()
    {
        QAccessibleInterface *status = accessible(ui().DRLabel1);
        QCOMPARE(status->role(), QAccessible::StaticText);
        QCOMPARE(status->text(QAccessible::Name), QStringLiteral("Pas de QCM"));
        QVERIFY(status->actionInterface() == nullptr || status->actionInterface()->actionNames().isEmpty());
        // A new caption is a new name.
        q->load(simpleQuiz(1));
        QCOMPARE(status->text(QAccessible::Name), QStringLiteral("QCM prêt"));
        // Hidden labels are off screen.
        QVERIFY(accessible(ui().DRLabel14)->state().invisible);

        TDRLabel label;
        label.setCaption(QStringLiteral("Sciences && &Techniques"));
        QCOMPARE(nameOf(&label), QStringLiteral("Sciences & Techniques"));
        label.setShowAccelChar(false);
        QCOMPARE(nameOf(&label), QStringLiteral("Sciences && &Techniques"));
        label.setAccessibleName(QStringLiteral("Titre"));
        QCOMPARE(nameOf(&label), QStringLiteral("Titre"));
    }

    void windowsAreWindowsWithASpokenName()
    {
        QAccessibleInterface *main = accessible(&form());
        QCOMPARE(main->role(), QAccessible::Window);
        QCOMPARE(main->text(QAccessible::Name), QStringLiteral("Tavelor"));
        QCOMPARE(accessible(&q->popup())->role(), QAccessible::Window);
        QCOMPARE(accessible(&q->popup())->text(QAccessible::Name), QStringLiteral("Correction"));
        QCOMPARE(accessible(&q->windows->Form2)->role(), QAccessible::Window);
        // The tool bars' icon buttons are named by their hint.
        QCOMPARE(nameOf(ui().ToolButton10), QStringLiteral("Charger un QCM."));
        QCOMPARE(nameOf(ui().ToolButton2), QStringLiteral("L'aide de ce programme."));
    }

    void aQuestionIsReadOutWithItsPropositions()
    {
        QList<QuestionDraft> drafts = simpleQuiz(2);
        drafts[0].text = QStringLiteral("Quelle est la capitale de la France ?");
        drafts[0].answers = {QStringLiteral("Lyon"), QStringLiteral("Paris"), QString(), QStringLiteral("Lille")};
        q->load(drafts);
        q->start();

        // The question takes the focus: a screen reader reads its place in the
        // quiz, then its text.
        QCOMPARE(QApplication::focusWidget(), ui().Memo1);
        QAccessibleInterface *question = accessible(ui().Memo1);
        QCOMPARE(question->text(QAccessible::Name), QStringLiteral("Question 1/2"));
        QCOMPARE(question->text(QAccessible::Description), drafts[0].text);
        QVERIFY(question->state().readOnly);
        QVERIFY(question->state().focused);
        QVERIFY(question->textInterface());
        QCOMPARE(question->textInterface()->text(0, question->textInterface()->characterCount()), drafts[0].text);

        const QStringList names{QStringLiteral("Lyon"), QStringLiteral("Paris"), QString(), QStringLiteral("Lille")};
        for (int i = 1; i <= 4; ++i) {
            QAccessibleInterface *box = accessible(q->box(i));
            QCOMPARE(box->role(), QAccessible::CheckBox);
            QCOMPARE(box->text(QAccessible::Name), names[i - 1]);
            QCOMPARE(box->state().invisible, names[i - 1].isEmpty());
        }
        QVERIFY(accessible(q->box(5))->state().invisible);

        // Its toggle action ticks it as a click does.
        QAccessibleActionInterface *toggle = accessible(q->box(2))->actionInterface();
        toggle->doAction(QAccessibleActionInterface::toggleAction());
        QVERIFY(accessible(q->box(2))->state().checked);
        QCOMPARE(form().State.TickedSum, 2);

        // The next question renames the boxes.
        q->answer({});
        QCOMPARE(nameOf(q->box(1)), QStringLiteral("A"));
        QCOMPARE(question->text(QAccessible::Name), QStringLiteral("Question 2/2"));
    }

    void theCorrectionIsReadOutWhenItOpens_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<QString>("verdict");
        QTest::addColumn<QString>("text");
        QTest::newRow("right") << true << QStringLiteral("Bonne réponse !") << QStringLiteral("Bravo.");
        QTest::newRow("wrong") << false << QStringLiteral("Non, correction :") << QStringLiteral("Revoyez la leçon.");
    }

    void theCorrectionIsReadOutWhenItOpens()
    {
        QFETCH(bool, right);
        QFETCH(QString, verdict);
        QFETCH(QString, text);
        q->load(simpleQuiz(1));
        q->start();
        if (right)
            q->tick(1);
        q->click(ui().EzRgnBtn5);
        QTRY_VERIFY(q->popup().isActiveWindow());
        QPlainTextEdit *memo = q->popup().ui->Memo1;
        QCOMPARE(QApplication::focusWidget(), memo);
        QCOMPARE(nameOf(memo), verdict);
        QCOMPARE(accessible(memo)->text(QAccessible::Description), text);

        // The summary is text that can be read, under its own name.
        q->click(q->popup().ui->EzRgnBtn1);
        q->click(ui().EzRgnBtn3);
        QAccessibleInterface *summary = accessible(ui().Memo7);
        QCOMPARE(summary->text(QAccessible::Name), QStringLiteral("Résultats du QCM"));
        QVERIFY(!summary->state().invisible);
        QVERIFY(summary->textInterface());
        QVERIFY(summary->textInterface()->text(0, summary->textInterface()->characterCount())
                    .contains(QStringLiteral("Votre pourcentage de réussite")));
        // It takes the focus from the emptied question panel.
        QCOMPARE(form().focusWidget(), ui().Memo7);
    }
};

QTEST_MAIN(AccessInterfacesTest)
#include "access_interfaces.moc"
