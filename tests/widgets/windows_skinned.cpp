#include <QApplication>
#include <QScrollArea>
#include <QScrollBar>
#include <QTest>

#include "app/Application.h"
#include "skin/DrLabel.h"
#include "skin/Image.h"
#include "ui_Form1.h"
#include "ui_Form3.h"
#include "ui_ProjImages.h"
#include "windows/Unit1.h"
#include "windows/Unit3.h"
#include "windows/UnitProjecteurImages.h"

namespace {
QPixmap filled(int w, int h)
{
    QPixmap picture(w, h);
    picture.fill(Qt::darkCyan);
    return picture;
}
} // namespace

// The about box, the folder notice and the picture projector.
class SkinnedWindowsTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void windowsStartHiddenAtTheirPlaces_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<QSize>("size");
        QTest::newRow("about") << "Form1" << QPoint(193, 203) << QSize(400, 400);
        QTest::newRow("notice") << "Form3" << QPoint(303, 165) << QSize(346, 220);
        QTest::newRow("projector") << "FormProjImages" << QPoint(49, 109) << QSize(539, 430);
    }
    void windowsStartHiddenAtTheirPlaces()
    {
        QFETCH(QString, kind);
        QFETCH(QPoint, place);
        QFETCH(QSize, size);
        std::unique_ptr<QWidget> window;
        if (kind == QLatin1String("Form1"))
            window = std::make_unique<TForm1>();
        else if (kind == QLatin1String("Form3"))
            window = std::make_unique<TForm3>();
        else
            window = std::make_unique<TFormProjImages>();
        QCOMPARE(window->objectName(), kind);
        QVERIFY(!window->isVisible());
        QVERIFY(!window->testAttribute(Qt::WA_QuitOnClose));
        QVERIFY(window->windowFlags().testFlag(Qt::FramelessWindowHint));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        QCOMPARE(window->pos(), place);
        QCOMPARE(window->size(), size);
        auto *background = window->findChild<TImage *>(QStringLiteral("Image1"));
        QVERIFY(background);
        QCOMPARE(background->pos(), QPoint(0, 0));
    }

    void aboutClosesOnBackgroundClickOnly()
    {
        TForm1 about;
        QCOMPARE(about.ui->DRLabel1->caption(), QStringLiteral("A propos de ce logiciel ..."));
        QCOMPARE(about.ui->DRLabel2->caption(), QStringLiteral("Tavelor, V3 - 2009"));
        QCOMPARE(about.ui->DRLabel1->shadowColor(), TColor(0xF0CAA6));
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));

        for (TDRLabel *label : {about.ui->DRLabel1, about.ui->DRLabel2, about.ui->DRLabel3}) {
            QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(3, 3));
            QVERIFY2(about.isVisible(), qPrintable(label->objectName()));
        }
        // Other buttons do not close it.
        QTest::mouseClick(about.ui->Image1, Qt::RightButton, {}, QPoint(200, 200));
        QVERIFY(about.isVisible());

        // Pressing and moving the mouse drags nothing, and the release
        // elsewhere is no click.
        const QPoint before = about.pos();
        QTest::mousePress(about.ui->Image1, Qt::LeftButton, {}, QPoint(200, 200));
        QTest::mouseMove(about.ui->Image1, QPoint(260, 250));
        QTest::mouseRelease(about.ui->Image1, Qt::LeftButton, {}, QPoint(600, 600));
        QCOMPARE(about.pos(), before);
        QVERIFY(about.isVisible());

        QTest::mouseClick(about.ui->Image1, Qt::LeftButton, {}, QPoint(200, 300));
        QVERIFY(!about.isVisible());
        about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QCOMPARE(about.pos(), before);
    }

    void noticeLabelAlternatesBlueAndRedFromCreation()
    {
        TForm3 notice;
        TDRLabel *line = notice.ui->DRLabel5;
        QCOMPARE(line->caption(), QStringLiteral("Rangement en cours ..."));
        QCOMPARE(line->blink(), TDRLabel::blHiLo);
        QVERIFY(line->blinkTimer()->isActive());
        QCOMPARE(line->blinkTimer()->interval(), 300);

        line->blinkStep();
        QCOMPARE(line->fontColor(), tcolor::clBlue);
        line->blinkStep();
        QCOMPARE(line->fontColor(), tcolor::clRed);
        line->blinkStep();
        QCOMPARE(line->fontColor(), tcolor::clBlue);

        // Left alone, the timer keeps it going.
        const TColor now = line->fontColor();
        QTRY_VERIFY(!(line->fontColor() == now));
    }

    void noticeTextsAndCreationOrder()
    {
        TForm3 notice;
        QCOMPARE(notice.ui->DRLabel6->caption(), QStringLiteral("'C:/QCM/' "));
        QCOMPARE(notice.ui->DRLabel4->caption(), QStringLiteral("sont rangés dans "));
        QCOMPARE(notice.ui->DRLabel1->caption(), QStringLiteral("Création de l'arborescence QCM."));
        QCOMPARE(notice.ui->DRLabel1->pos(), QPoint(40, 24));
        QCOMPARE(notice.ui->DRLabel8->pos(), QPoint(184, 144));
        QStringList order;
        for (QObject *child : notice.children())
            if (child->isWidgetType())
                order << child->objectName();
        QCOMPARE(order, QStringList({"Image1", "DRLabel2", "DRLabel1", "DRLabel3", "DRLabel4", "DRLabel5",
                                     "DRLabel6", "DRLabel7", "DRLabel8"}));
        // Nothing to close it with.
        QVERIFY(notice.findChildren<TEzRgnBtn *>().isEmpty());
    }

    void noticeAndProjectorMoveByTheirBackground()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows moves the window itself, following the real mouse: tried with real input by tests/windows/installer.sh");
#endif
        TForm3 notice;
        TFormProjImages projector;
        const QList<QPair<TShapedForm *, QPoint>> grips = {{&notice, QPoint(30, 100)}, {&projector, QPoint(8, 200)}};
        for (const auto &[window, grip] : grips) {
            window->show();
            QVERIFY(QTest::qWaitForWindowExposed(window));
            auto *background = window->findChild<TImage *>(QStringLiteral("Image1"));
            QCOMPARE(window->childAt(grip), background);
            const QPoint before = window->pos();
            // Any button drags.
            QTest::mousePress(background, Qt::RightButton, {}, grip);
            QTest::mouseMove(background, grip + QPoint(-20, 40));
            QTest::mouseRelease(background, Qt::RightButton, {}, grip);
            QCOMPARE(window->pos(), before + QPoint(-20, 40));
            QVERIFY(window->isVisible());
        }
    }

    void projectorScrollsALargePictureAndFitsASmallOne()
    {
        TFormProjImages projector;
        QVERIFY(!projector.isVisible());
        projector.showPicture(filled(1200, 900), QStringLiteral("vue_aerienne.jpg"));
        QVERIFY(QTest::qWaitForWindowExposed(&projector));
        QCOMPARE(projector.ui->DRLabel2->caption(), QStringLiteral("vue_aerienne.jpg"));
        QCOMPARE(projector.ui->Image2->size(), QSize(1200, 900));
        QScrollArea *frame = projector.ui->ScrollBox1;
        QTRY_VERIFY(frame->horizontalScrollBar()->isVisible());
        QVERIFY(frame->verticalScrollBar()->isVisible());
        QVERIFY(frame->horizontalScrollBar()->maximum() > 0);

        frame->horizontalScrollBar()->setValue(300);
        projector.showPicture(filled(100, 80), QStringLiteral("petite.bmp"));
        QCOMPARE(projector.ui->Image2->size(), QSize(100, 80));
        QTRY_VERIFY(!frame->horizontalScrollBar()->isVisible());
        QCOMPARE(frame->horizontalScrollBar()->value(), 0);

        // A missing picture leaves an empty frame, not the old one.
        projector.showPicture(QPixmap(), QStringLiteral("absente.jpg"));
        QVERIFY(projector.ui->Image2->picture().isNull());
        QTRY_VERIFY(!frame->verticalScrollBar()->isVisible());
    }

    void projectorShortensATitleTooLongForItsPlace()
    {
        TFormProjImages projector;
        const QString longName = QString(80, u'x') + QStringLiteral(".jpg");
        projector.showPicture(filled(10, 10), longName);
        TDRLabel *title = projector.ui->DRLabel2;
        QVERIFY(title->caption().size() < longName.size());
        QVERIFY(title->x() + title->fontMetrics().horizontalAdvance(title->caption())
                < projector.ui->DRLabel1->x());
        QCOMPARE(title->toolTip(), longName);
    }

    void projectorCloseBallHidesIt()
    {
        TFormProjImages projector;
        projector.showPicture(filled(10, 10), QStringLiteral("a.jpg"));
        QVERIFY(QTest::qWaitForWindowExposed(&projector));
        QTest::mouseClick(projector.ui->EzRgnBtn1, Qt::LeftButton, {}, QPoint(19, 19));
        QVERIFY(!projector.isVisible());
        QCOMPARE(projector.ui->DRLabel2->caption(), QStringLiteral("a.jpg"));
    }
};

QTEST_MAIN(SkinnedWindowsTest)
#include "windows_skinned.moc"
