#include <QComboBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "main_window_harness.h"
#include "platform/Folders.h"
#include "ui_FormQCM.h"

namespace {

// Counts the times a window is put on screen.
class ShowCounter : public QObject
{
public:
    int shows = 0;
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Show)
            ++shows;
        return false;
    }
};

} // namespace

class FormQCMCommandsTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_home;
    std::unique_ptr<QuizHarness> m_main;
    std::unique_ptr<ModalDriver> m_driver;
    TFormQCM *form() { return &m_main->form(); }
    Ui::FormQCM *ui() { return form()->ui.get(); }

    QString openBar()
    {
        for (QWidget *bar : {ui()->ToolBar1, ui()->ToolBar2, ui()->ToolBar3}) {
            if (bar->isVisible())
                return bar->objectName();
        }
        return QString();
    }

    int openBars()
    {
        int open = 0;
        for (QWidget *bar : {ui()->ToolBar1, ui()->ToolBar2, ui()->ToolBar3})
            open += bar->isVisible() ? 1 : 0;
        return open;
    }

    void click(QWidget *control) { QTest::mouseClick(control, Qt::LeftButton, {}, control->rect().center()); }

private slots:
    void initTestCase()
    {
        qputenv("HOME", m_home.path().toLocal8Bit());
        setUpApplication(*qApp);
    }

    void init()
    {
        m_main = std::make_unique<QuizHarness>();
        m_driver = std::make_unique<ModalDriver>();
    }

    void cleanup()
    {
        m_driver.reset();
        m_main.reset();
        QDir(m_home.path() + u"/QCM"_qs).removeRecursively();
    }

    void oneToolBarAtATime()
    {
        ui()->EzRgnBtn8->show();
        click(ui()->EzRgnBtn7);
        QCOMPARE(openBar(), u"ToolBar1"_qs);
        click(ui()->EzRgnBtn7);
        QCOMPARE(openBar(), u"ToolBar1"_qs);
        click(ui()->EzRgnBtn8);
        QCOMPARE(openBar(), u"ToolBar2"_qs);
        QCOMPARE(openBars(), 1);
        click(ui()->EzRgnBtn9);
        QCOMPARE(openBar(), u"ToolBar3"_qs);
        QCOMPARE(openBars(), 1);
        click(ui()->EzRgnBtn7);
        QCOMPARE(openBar(), u"ToolBar1"_qs);
        QCOMPARE(openBars(), 1);
    }

    void closeButtonsCloseEveryBar_data()
    {
        QTest::addColumn<QString>("opener");
        QTest::addColumn<QString>("closer");
        QTest::newRow("file") << u"EzRgnBtn7"_qs << u"ToolButton13"_qs;
        QTest::newRow("mode") << u"EzRgnBtn8"_qs << u"ToolButton8"_qs;
        QTest::newRow("help") << u"EzRgnBtn9"_qs << u"ToolButton4"_qs;
    }

    void closeButtonsCloseEveryBar()
    {
        QFETCH(QString, opener);
        QFETCH(QString, closer);
        auto *button = form()->findChild<QWidget *>(opener);
        button->show();
        click(button);
        QCOMPARE(openBars(), 1);
        click(form()->findChild<QToolButton *>(closer));
        QCOMPARE(openBars(), 0);
    }

    void menuLabelsOpenTheirBarAndStopBlinking()
    {
        ui()->DRLabel4->show();
        ui()->DRLabel4->setBlink(TDRLabel::blBlink);
        form()->DRLabel4Click();
        QVERIFY(!ui()->DRLabel4->isVisible());
        QCOMPARE(ui()->DRLabel4->blink(), TDRLabel::blNone);
        QCOMPARE(openBar(), u"ToolBar1"_qs);
        QVERIFY(ui()->EzRgnBtn7->isVisible());

        ui()->DRLabel5->show();
        ui()->DRLabel5->setBlink(TDRLabel::blBlink);
        click(ui()->DRLabel5);
        QVERIFY(!ui()->DRLabel5->isVisible());
        QCOMPARE(ui()->DRLabel5->blink(), TDRLabel::blNone);
        QCOMPARE(openBar(), u"ToolBar2"_qs);
        QCOMPARE(openBars(), 1);
        QVERIFY(ui()->EzRgnBtn8->isVisible());
    }

    void onlyThePupilsEditOfTheSubjectAnnouncesSettings()
    {
        ui()->DRLabel2->setBlink(TDRLabel::blBlink);
        ui()->ComboBox1->setEditText(u"Histoire"_qs);
        QVERIFY(!ui()->DRLabel5->isVisible());

        ui()->ComboBox1->show();
        ui()->ComboBox1->lineEdit()->clear();
        QTest::keyClicks(ui()->ComboBox1->lineEdit(), u"Arts"_qs);
        QVERIFY(ui()->DRLabel5->isVisible());
        QCOMPARE(ui()->DRLabel5->blink(), TDRLabel::blBlink);
        QCOMPARE(ui()->DRLabel2->blink(), TDRLabel::blNone);

        // Emptying the box still announces "Paramétrer" but leaves its caption alone.
        ui()->DRLabel2->setBlink(TDRLabel::blBlink);
        ui()->DRLabel5->setBlink(TDRLabel::blNone);
        QTest::keyClick(ui()->ComboBox1->lineEdit(), Qt::Key_A, Qt::ControlModifier);
        QTest::keyClick(ui()->ComboBox1->lineEdit(), Qt::Key_Backspace);
        QCOMPARE(ui()->ComboBox1->currentText(), QString());
        QCOMPARE(ui()->DRLabel5->blink(), TDRLabel::blBlink);
        QCOMPARE(ui()->DRLabel2->blink(), TDRLabel::blBlink);
    }

    void restartBeforeAnyLoadEndsReady()
    {
        click(ui()->EzRgnBtn7);
        click(ui()->ToolButton9);
        QCOMPARE(m_driver->messages, QStringList{u"QCM absent de cette unité."_qs});
        QCOMPARE(m_driver->dialogsSeen, 0);
        QCOMPARE(openBars(), 0);
        QCOMPARE(ui()->DRLabel1->caption(), u"QCM prêt"_qs);
        QVERIFY(ui()->EzRgnBtn2->isVisible());
    }

    void restartReadsTheQuizAgain()
    {
        QVERIFY(QDir(m_home.path()).mkpath(u"QCM/Sciences humaines/Villes"_qs));
        const QString path = m_home.path() + u"/QCM/Sciences humaines/Villes/villes.qcm"_qs;
        QVERIFY(writeQuiz(path, u"A"_qs, 2));
        m_driver->planFile(path);
        form()->LectureFichier();
        QVERIFY(writeQuiz(path, u"B"_qs, 3));
        ui()->EzRgnBtn2->hide();
        click(ui()->EzRgnBtn7);
        click(ui()->ToolButton9);
        QCOMPARE(m_driver->dialogsSeen, 1);
        QCOMPARE(form()->State.QuestionCount, 3);
        QCOMPARE(questionOf(form()->QuestionBank[1]), u"B question 1"_qs);
        QVERIFY(ui()->EzRgnBtn2->isVisible());
        QCOMPARE(ui()->DRLabel12->caption(), u"villes"_qs);
    }

    void firstLoadCreatesTheQuizFolderWithItsNotice()
    {
        // ~/QCM of the test's own home, or Windows' fixed C:\QCM.
        const QString quizFolder = platform::quizFolder();
#ifdef Q_OS_WIN
        if (QFileInfo::exists(quizFolder))
            QSKIP("this computer has its quiz folder already");
#endif
        QVERIFY(!QFileInfo::exists(quizFolder));
        ShowCounter notice;
        m_main->windows->Form3.installEventFilter(&notice);
        bool noticeGoneBeforeSecondMessage = false;

        m_driver->planCancel();
        click(ui()->EzRgnBtn7);
        click(ui()->ToolButton10);
        QCOMPARE(m_driver->messages.value(0), u"L'ensemble du dossier QCM va être créé."_qs);
        QCOMPARE(m_driver->messages.value(1), u"Les dossiers QCM sont créés."_qs);
        QVERIFY(QFileInfo(quizFolder).isDir());
        QCOMPARE(notice.shows, 1);
        QVERIFY(!m_main->windows->Form3.isVisible());
        // Then the dialog, opened in the new folder.
        QCOMPARE(m_driver->dialogsSeen, 1);
        QCOMPARE(QDir::toNativeSeparators(m_driver->lastDialogFolder),
                 QDir::toNativeSeparators(platform::dialogInitialFolder(platform::programDrive())));
        QCOMPARE(m_driver->messages.value(2), u"QCM absent de cette unité."_qs);
        QCOMPARE(openBars(), 0);

        // Every later load finds it ready.
        m_driver->messages.clear();
        m_driver->onNextMessage([&] { noticeGoneBeforeSecondMessage = !m_main->windows->Form3.isVisible(); });
        m_driver->planCancel();
        click(ui()->EzRgnBtn7);
        click(ui()->ToolButton10);
        QVERIFY(noticeGoneBeforeSecondMessage);
        QCOMPARE(m_driver->messages.value(0), u"Les dossiers QCM sont prêts."_qs);
        QCOMPARE(m_driver->dialogsSeen, 2);
        QCOMPARE(notice.shows, 1);
    }

    void aboutAndHelpOpenTheirWindows()
    {
        click(ui()->EzRgnBtn9);
        click(ui()->ToolButton1);
        QVERIFY(m_main->windows->Form1.isVisible());
        QCOMPARE(openBars(), 0);

        click(ui()->EzRgnBtn9);
        click(ui()->ToolButton2);
        // The help document is absent here: the built-in help shows all the same, silently.
        QVERIFY(m_main->windows->Form2.isVisible());
        QCOMPARE(openBars(), 0);
        QCOMPARE(m_driver->messages, QStringList());
        // Still usable: the main window is not blocked by them.
        QVERIFY(!m_main->windows->Form1.isModal());
        QVERIFY(!m_main->windows->Form2.isModal());
    }
};

QTEST_MAIN(FormQCMCommandsTest)
#include "formqcm_commands.moc"
