#include <QApplication>
#include <QWindow>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

#include "app/Application.h"
#include "skin/EzRgnBtn.h"
#include "ui_FenetreMessage.h"
#include "windows/UnitFenetreMessage.h"

namespace {
const QColor Green(0x00, 0x80, 0x00);
const QColor Red(0xFF, 0x00, 0x00);

QColor verdictColour(const TFormFenetreMessage &w)
{
    return w.ui->Label1->palette().color(QPalette::Active, QPalette::WindowText);
}
} // namespace

class CorrectionWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void popupIsMadeHiddenAndNeverEndsTheProgram()
    {
        QWidget main;
        TFormFenetreMessage popup(&main);
        QVERIFY(!popup.isVisible());
        QCOMPARE(popup.objectName(), QStringLiteral("FormFenetreMessage"));
        QVERIFY(!popup.testAttribute(Qt::WA_QuitOnClose));
    }

    void verdictColourAndWordsAreSetOnEveryShowing()
    {
        QWidget main;
        TFormFenetreMessage popup(&main);

        popup.showVerdict(false, QStringLiteral("La bonne réponse était la B."));
        QVERIFY(popup.isVisible());
        QCOMPARE(popup.ui->Label1->text(), QStringLiteral("Non, correction :"));
        QCOMPARE(verdictColour(popup), Red);
        QCOMPARE(popup.ui->Memo1->toPlainText(), QStringLiteral("La bonne réponse était la B."));
        const int wrongWidth = popup.ui->Label1->width();
        QVERIFY(wrongWidth >= popup.ui->Label1->fontMetrics().horizontalAdvance(popup.ui->Label1->text()));

        // Shown again while still open: everything is replaced.
        popup.showVerdict(true, QString());
        QCOMPARE(popup.ui->Label1->text(), QStringLiteral("Bonne réponse !"));
        QCOMPARE(verdictColour(popup), Green);
        QVERIFY(popup.ui->Memo1->toPlainText().isEmpty());
        QVERIFY(popup.ui->Label1->width() >= popup.ui->Label1->fontMetrics().horizontalAdvance(popup.ui->Label1->text()));
        QVERIFY(popup.ui->Label1->width() != wrongWidth);
    }

    void eachCloseOfTheShownPopupIsReportedOnceByItsWay()
    {
        QWidget main;
        main.show();
        TFormFenetreMessage popup(&main);
        QSignalSpy byBall(&popup, &TFormFenetreMessage::closedByBall);
        QSignalSpy otherwise(&popup, &TFormFenetreMessage::closedOtherwise);

        popup.showVerdict(true, QStringLiteral("Bravo"));
        QVERIFY(QTest::qWaitForWindowExposed(&popup));
        QCOMPARE(byBall.count() + otherwise.count(), 0);

        // The window system's close request, as Alt+F4 or the window manager send it.
        QVERIFY(popup.windowHandle()->close());
        QVERIFY(!popup.isVisible());
        QCOMPARE(otherwise.count(), 1);
        QCOMPARE(byBall.count(), 0);

        popup.showVerdict(false, QStringLiteral("Non"));
        QVERIFY(QTest::qWaitForWindowExposed(&popup));
        QTest::mouseClick(popup.ui->EzRgnBtn1, Qt::LeftButton, {}, QPoint(19, 19));
        QVERIFY(!popup.isVisible());
        QCOMPARE(byBall.count(), 1);
        QCOMPARE(otherwise.count(), 1);
        // The text stays until the next filling.
        QCOMPARE(popup.ui->Memo1->toPlainText(), QStringLiteral("Non"));

        // A pop-up already out of sight has nothing to report, and hiding it
        // (as a new load does) is no close.
        popup.close();
        popup.showVerdict(true, QString());
        popup.hide();
        QCOMPARE(byBall.count(), 1);
        QCOMPARE(otherwise.count(), 1);
    }

    void wrongAnswerPopupShowsNothingGreen()
    {
        QWidget main;
        TFormFenetreMessage popup(&main);
        popup.showVerdict(false, QStringLiteral("La bonne réponse était la B."));
        QVERIFY(QTest::qWaitForWindowExposed(&popup));
        // Green says "right" to a pupil: beside "Non, correction :" nothing may lean to it.
        const QImage seen = popup.grab().toImage();
        int green = 0;
        for (int y = 0; y < seen.height(); ++y) {
            for (int x = 0; x < seen.width(); ++x) {
                const QColor c = seen.pixelColor(x, y);
                if (c.green() > c.red() + 16 && c.green() > c.blue() + 16)
                    ++green;
            }
        }
        QCOMPARE(green, 0);
    }

    void popupOpensAtItsPlaceThenKeepsWhereItWasDragged()
    {
        QWidget main;
        TFormFenetreMessage popup(&main);
        popup.showVerdict(true, QString());
        QVERIFY(QTest::qWaitForWindowExposed(&popup));
        QCOMPARE(popup.pos(), QPoint(1, 180));
        QCOMPARE(popup.size(), QSize(313, 201));

#ifdef Q_OS_WIN
        QSKIP("Windows moves the window itself, following the real mouse: tried with real input by tests/windows/installer.sh");
#endif
        // Dragged by a bare part of its background.
        const QPoint grip(60, 20);
        QCOMPARE(popup.childAt(grip), popup.ui->Image1);
        QTest::mousePress(popup.ui->Image1, Qt::LeftButton, {}, grip);
        QTest::mouseMove(popup.ui->Image1, grip + QPoint(150, 90));
        // The window has followed: the mouse is back over the grip.
        QTest::mouseRelease(popup.ui->Image1, Qt::LeftButton, {}, grip);
        QCOMPARE(popup.pos(), QPoint(151, 270));

        popup.EzRgnBtn1Click();
        popup.showVerdict(false, QString());
        QCOMPARE(popup.pos(), QPoint(151, 270));
        QVERIFY(popup.isVisible());
    }

    void pressOnTheTextOrVerdictDoesNotMoveThePopup()
    {
        QWidget main;
        TFormFenetreMessage popup(&main);
        popup.showVerdict(true, QStringLiteral("texte"));
        QVERIFY(QTest::qWaitForWindowExposed(&popup));
        for (QWidget *control : {static_cast<QWidget *>(popup.ui->Memo1->viewport()),
                                 static_cast<QWidget *>(popup.ui->Label1)}) {
            QTest::mousePress(control, Qt::LeftButton, {}, QPoint(5, 5));
            QTest::mouseMove(control, QPoint(80, 60));
            QTest::mouseRelease(control, Qt::LeftButton, {}, QPoint(80, 60));
            QCOMPARE(popup.pos(), QPoint(1, 180));
        }
    }

    void textBoxWrapsWithoutScrollBarsAndStaysEditable()
    {
        TFormFenetreMessage popup(nullptr);
        const QPlainTextEdit *memo = popup.ui->Memo1;
        QCOMPARE(memo->geometry(), QRect(16, 72, 209, 105));
        QCOMPARE(memo->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QCOMPARE(memo->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QCOMPARE(memo->horizontalScrollBarPolicy(), Qt::ScrollBarAlwaysOff);
        QVERIFY(!memo->isReadOnly());
        // A pop-up without a main window (as in a test) is still usable.
        popup.showVerdict(true, QStringLiteral("ok"));
        popup.EzRgnBtn1Click();
        QVERIFY(!popup.isVisible());
    }
};

QTEST_MAIN(CorrectionWindowTest)
#include "windows_correction.moc"
