#include <QApplication>
#include <QStackedWidget>
#include <QTest>

#include "app/Application.h"
#include "skin/Image.h"
#include "ui_Form2.h"
#include "windows/UnitAide.h"

class HelpWindowTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void eachTopicShowsItsPage_data()
    {
        QTest::addColumn<QString>("topic");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("page");
        QTest::addColumn<QString>("heading");
        QTest::newRow("Pour commencer") << "Label2" << "Pour commencer" << 0 << "Label8";
        QTest::newRow("Ouvrir un dossier") << "Label9" << "Ouvrir un dossier" << 1 << "Label10";
        QTest::newRow("Choisir un QCM") << "Label23" << "Choisir un QCM" << 2 << "Label24";
        QTest::newRow("Commencer un QCM") << "Label29" << "Commencer un QCM" << 3 << "Label30";
        QTest::newRow("Comment répondre") << "Label37" << "Comment répondre" << 4 << "Label38";
        QTest::newRow("Correction") << "Label46" << "Correction" << 5 << "Label47";
        QTest::newRow("Question avec image") << "Label50" << "Question avec image" << 6 << "Label51";
        QTest::newRow("Si mauvaise réponse") << "Label52" << "Si mauvaise réponse" << 7 << "Label53";
        QTest::newRow("Résultats") << "Label54" << "Résultats" << 8 << "Label55";
        QTest::newRow("Bilan du QCM") << "Label60" << "Bilan du QCM" << 9 << "Label61";
        QTest::newRow("Recommencer le QCM") << "Label64" << "Recommencer le QCM" << 10 << "Label65";
        QTest::newRow("Fermer le lecteur") << "Label70" << "Fermer le lecteur" << 11 << "Label71";
    }
    void eachTopicShowsItsPage()
    {
        QFETCH(QString, topic);
        QFETCH(QString, text);
        QFETCH(int, page);
        QFETCH(QString, heading);
        TForm2 help;
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        // Start from a page that is none of the rows' own.
        help.ui->Notebook1->setCurrentIndex(page == 5 ? 6 : 5);
        auto *label = help.findChild<QLabel *>(topic);
        QVERIFY(label);
        QCOMPARE(label->text(), text);
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(help.ui->Notebook1->currentIndex(), page);
        // The heading shown belongs to the page chosen.
        auto *headingLabel = help.ui->Notebook1->currentWidget()->findChild<QLabel *>(heading);
        QVERIFY(headingLabel);
        QVERIFY(headingLabel->isVisible());
        QCOMPARE(headingLabel->font().pointSize(), 12);
        // Clicking the topic of the page shown changes nothing.
        QTest::mouseClick(label, Qt::LeftButton, {}, QPoint(4, 4));
        QCOMPARE(help.ui->Notebook1->currentIndex(), page);
    }

    void pagesSharingANameAreStillTwoPages()
    {
        TForm2 help;
        QCOMPARE(help.ui->Notebook1->count(), 12);
        QWidget *first = help.ui->Notebook1->widget(0);
        QWidget *third = help.ui->Notebook1->widget(3);
        QCOMPARE(first->property("PageName").toString(), QStringLiteral("Commencer"));
        QCOMPARE(third->property("PageName").toString(), QStringLiteral("Commencer"));
        help.Label29Click();
        QCOMPARE(help.ui->Notebook1->currentWidget(), third);
        help.Label2Click();
        QCOMPARE(help.ui->Notebook1->currentWidget(), first);
    }

    void firstShowingIsPage0AndChosenPageSurvivesHiding()
    {
        TForm2 help;
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QCOMPARE(help.ui->Notebook1->currentIndex(), 0);
        QCOMPARE(help.windowTitle(), QStringLiteral("Aide du Tavelor"));
        QCOMPARE(help.pos(), QPoint(93, 113));
        QVERIFY(!help.testAttribute(Qt::WA_QuitOnClose));

        QTest::mouseClick(help.ui->Label60, Qt::LeftButton, {}, QPoint(4, 4));
        help.close();
        QVERIFY(!help.isVisible());
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QCOMPARE(help.ui->Notebook1->currentIndex(), 9);
        QCOMPARE(help.ui->Label61->text(), QStringLiteral("Bilan du QCM"));
    }

    void enlargingTheWindowMovesNothing()
    {
        TForm2 help;
        help.show();
        QVERIFY(QTest::qWaitForWindowExposed(&help));
        QList<QPair<QWidget *, QRect>> places;
        for (QWidget *w : help.findChildren<QWidget *>())
            places.append({w, w->geometry()});
        help.resize(1200, 900);
        QTRY_COMPARE(help.size(), QSize(1200, 900));
        for (const auto &[w, rect] : places)
            QCOMPARE(w->geometry(), rect);
        QCOMPARE(help.ui->Notebook1->geometry(), QRect(176, 0, 689, 561));
    }

    void textsKeepTheirQuotesAndBlanks_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QPoint>("place");
        QTest::addColumn<int>("points");
        QTest::newRow("spaces before the picture") << "Label67"
            << QStringLiteral("Cliquez sur le bouton") + QString(23, u' ')
                   + QStringLiteral(", puis sur la flèche en retour du sous-menu.")
            << QPoint(48, 104) << 10;
        QTest::newRow("two blanks") << "Label49"
            << QStringLiteral("A la fermeture de la fenêtre de correction, le bouton  qui permet d'aller à la question suivante devient visible.")
            << QPoint(16, 432) << 9;
        QTest::newRow("quoted words") << "Label48"
            << QStringLiteral("Après un \"clique\" sur le bouton \" Correction \" de cette question :")
            << QPoint(24, 48) << 9;
        QTest::newRow("trailing blank") << "Label5" << QStringLiteral("De même, il n'y a aucun nom. ")
            << QPoint(24, 496) << 10;
        QTest::newRow("small print") << "Label17"
            << QStringLiteral("- Charger un nouveau QCM (la flèche vers la page) ;") << QPoint(16, 192) << 8;
        QTest::newRow("no blank after intitulé") << "Label25"
            << QStringLiteral("Ce dossier comporte un sous-dossier intituléAeroMecaVolCAEA2008.qcm.")
            << QPoint(64, 80) << 10;
        QTest::newRow("contents heading") << "Label1" << QStringLiteral("Sommaire") << QPoint(32, 8) << 14;
    }
    void textsKeepTheirQuotesAndBlanks()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(QPoint, place);
        QFETCH(int, points);
        TForm2 help;
        auto *label = help.findChild<QLabel *>(name);
        QVERIFY(label);
        QCOMPARE(label->text(), text);
        QCOMPARE(label->textFormat(), Qt::PlainText);
        QCOMPARE(label->pos(), place);
        QCOMPARE(label->font().pointSize(), points);
        QVERIFY(label->font().bold());
        // Single line, wide enough for all of it.
        QVERIFY(label->width() >= label->fontMetrics().horizontalAdvance(text));
    }

    void coloursOfTheExceptions()
    {
        TForm2 help;
        const auto colour = [&](const char *name) {
            return help.findChild<QLabel *>(QLatin1String(name))->palette().color(QPalette::WindowText);
        };
        QCOMPARE(colour("Label2"), QColor(0, 0, 128));
        QCOMPARE(colour("Label34"), QColor(0, 0, 128));
        QCOMPARE(colour("Label33"), QColor(255, 0, 0));
        QCOMPARE(colour("Label36"), QColor(255, 0, 0));
        QCOMPARE(colour("Label44"), QColor(128, 0, 0));
        QCOMPARE(colour("Label45"), QColor(128, 0, 0));
    }

    void picturesLieAtTheirPlacesWithTheirSizes()
    {
        TForm2 help;
        const QList<QRect> places = {
            {448, 40, 81, 65},   {24, 112, 585, 353}, {352, 104, 329, 129}, {120, 320, 385, 185},
            {56, 144, 569, 257}, {48, 184, 593, 369}, {48, 72, 593, 361},   {48, 64, 529, 361},
            {64, 448, 481, 113}, {16, 88, 657, 409},  {16, 96, 657, 393},   {32, 112, 625, 369},
            {16, 128, 657, 385}, {200, 92, 81, 33},   {136, 144, 337, 129}, {168, 152, 329, 137}};
        for (int i = 0; i < places.size(); ++i) {
            auto *image = help.findChild<TImage *>(QStringLiteral("Image%1").arg(i + 1));
            QVERIFY(image);
            QCOMPARE(image->geometry(), places.at(i));
        }
        // The "Fichier" picture lies over the blank run of its sentence.
        QWidget *page = help.ui->Notebook1->widget(10);
        const QList<QWidget *> order = page->findChildren<QWidget *>(Qt::FindDirectChildrenOnly);
        QVERIFY(order.indexOf(help.ui->Image14) > order.indexOf(help.ui->Label67));
    }

    void fichierPictureLeavesTheRestOfItsSentenceReadable()
    {
        TForm2 help;
        help.show(); // the guide's pictures come with its first showing
        const QImage picture = help.ui->Image14->picture().toImage().convertToFormat(QImage::Format_ARGB32);
        QVERIFY(!picture.isNull());
        int lastOpaque = -1;
        for (int x = 0; x < picture.width(); ++x)
            for (int y = 0; y < picture.height(); ++y)
                if (qAlpha(picture.pixel(x, y)) != 0)
                    lastOpaque = x;
        QLabel *sentence = help.ui->Label67;
        const QString text = sentence->text();
        const int gap = text.indexOf(QStringLiteral("   "));
        const QFontMetrics metrics(sentence->font());
        const int gapStart = sentence->x() + metrics.horizontalAdvance(text.left(gap));
        const int gapEnd = sentence->x() + metrics.horizontalAdvance(text.left(text.indexOf(u',')));
        QVERIFY2(help.ui->Image14->x() + lastOpaque < gapEnd,
                 qPrintable(QStringLiteral("picture ends at %1, text resumes at %2")
                                .arg(help.ui->Image14->x() + lastOpaque).arg(gapEnd)));
        QVERIFY(help.ui->Image14->x() + 8 > gapStart);
    }
};

QTEST_MAIN(HelpWindowTest)
#include "windows_help.moc"
