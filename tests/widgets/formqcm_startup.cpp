#include <QAbstractItemView>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QFontInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include "app/FirstShowing.h"
#include "main_window_harness.h"
#include "platform/Desktop.h"
#include "paint_counter.h"
#include "platform/Folders.h"
#include "ui_FormQCM.h"

class FormQCMStartupTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_home;
    std::unique_ptr<QuizHarness> m_main;
    TFormQCM *form() { return &m_main->form(); }
    QWidget *child(const char *name)
    {
        auto *widget = form()->findChild<QWidget *>(QString::fromLatin1(name));
        if (!widget)
            qWarning("no control named %s", name);
        return widget;
    }

private slots:
    void initTestCase()
    {
        qputenv("HOME", m_home.path().toLocal8Bit());
        QVERIFY(QDir(m_home.path()).mkdir(QStringLiteral("QCM")));
        setUpApplication(*qApp);
        m_main = std::make_unique<QuizHarness>();
    }

    void cleanupTestCase() { m_main.reset(); }

    void windowsAreCreatedInOrderAndNamed()
    {
        QCOMPARE(form()->objectName(), QStringLiteral("FormQCM"));
        QCOMPARE(m_main->windows->FormProjImages.objectName(), QStringLiteral("FormProjImages"));
        QCOMPARE(m_main->windows->FormFenetreMessage.objectName(), QStringLiteral("FormFenetreMessage"));
        for (QWidget *secondary : std::initializer_list<QWidget *>{
                 &m_main->windows->FormProjImages, &m_main->windows->FormFenetreMessage, &m_main->windows->Form1,
                 &m_main->windows->Form3, &m_main->windows->Form2}) {
            QVERIFY(!secondary->isVisible());
            QVERIFY2(!secondary->testAttribute(Qt::WA_QuitOnClose), qPrintable(secondary->objectName()));
        }
        QVERIFY(form()->testAttribute(Qt::WA_QuitOnClose));
    }

    // Start-up goes on to make the other windows only once the pupil sees
    // the main window drawn.
    void mainWindowIsDrawnWhenItsShowingReturns()
    {
        PaintCounter counter;
        TFormQCM main;
        main.installEventFilter(&counter);
        showAndWaitForFirstPaint(main);
        QVERIFY(counter.paints > 0);
    }

    void mainWindowIsFramelessAtItsPlace()
    {
        QVERIFY(form()->windowFlags().testFlag(Qt::FramelessWindowHint));
        QCOMPARE(form()->pos(), QPoint(12, 49));
        QCOMPARE(form()->size(), QSize(843, 524));
        QCOMPARE(form()->windowTitle(), QStringLiteral("FormQCM"));
    }

    void onlyQuitFileAndHelpAreOfferedAtFirst_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("shown");
        for (const char *name : {"Image1", "DRLabel3", "DRLabel12", "DRLabel1", "DRLabel6", "DRLabel7",
                                 "DRLabel15", "DRLabel16", "DRLabel17", "EzRgnBtn1", "EzRgnBtn7", "EzRgnBtn9",
                                 "Notebook1", "Image2", "Notebook2", "Memo1", "Memo6"})
            QTest::newRow(name) << QString::fromLatin1(name) << true;
        for (const char *name : {"DRLabel2", "ComboBox1", "DRLabel4", "DRLabel5", "DRLabel14", "Label9", "Label10",
                                 "Image3", "Image4", "Image5", "ScrollBox1", "Image8", "CheckBox1", "CheckBox5",
                                 "EzRgnBtn2", "EzRgnBtn3", "EzRgnBtn4", "EzRgnBtn5", "EzRgnBtn8", "ToolBar1",
                                 "ToolBar2", "ToolBar3"})
            QTest::newRow(name) << QString::fromLatin1(name) << false;
    }

    void onlyQuitFileAndHelpAreOfferedAtFirst()
    {
        QFETCH(QString, name);
        QFETCH(bool, shown);
        QWidget *widget = child(name.toLatin1().constData());
        QVERIFY(widget);
        QCOMPARE(widget->isVisible(), shown);
    }

    void labelsReadNoQuizYet()
    {
        QCOMPARE(form()->ui->DRLabel1->caption(), QStringLiteral("Pas de QCM"));
        QCOMPARE(form()->ui->DRLabel7->caption(), QStringLiteral("0/0"));
        QCOMPARE(form()->ui->DRLabel12->caption(), QStringLiteral("?"));
        QCOMPARE(form()->ui->Notebook1->currentWidget()->objectName(), QStringLiteral("PageImage"));
        for (const char *name : {"Memo1", "Memo2", "Memo3", "Memo4", "Memo5", "Memo6"})
            QVERIFY(form()->findChild<QPlainTextEdit *>(QString::fromLatin1(name))->toPlainText().isEmpty());
        QVERIFY(form()->Timer->isActive());
        QCOMPARE(form()->Timer->interval(), 1000);
        QVERIFY(!form()->StopWatch1->isRunning());
    }

    void pagesKeepTheirOrder()
    {
        const QStringList pages{QStringLiteral("PageExamen"), QStringLiteral("PageEntrainement"),
                                QStringLiteral("PageCorrection"), QStringLiteral("PageImage")};
        for (int i = 0; i < pages.size(); ++i)
            QCOMPARE(form()->ui->Notebook1->widget(i)->objectName(), pages.at(i));
    }

    void subjectBoxListsTheSubjects()
    {
        QComboBox *box = form()->ui->ComboBox1;
        QVERIFY(box->isEditable());
        QCOMPARE(box->count(), 27);
        QCOMPARE(box->itemText(0), QStringLiteral("Français"));
        QCOMPARE(box->itemText(3), QStringLiteral("Mathématiques"));
        QCOMPARE(box->itemText(25), QStringLiteral("Culture générale"));
        QCOMPARE(box->itemText(26), QString());
    }

    void pointSizesAreMeantAtNinetySixDpi()
    {
        // 8 pt must be 11 px, and the forms' font names must reach the bundled font.
        const QFontInfo base(form()->font());
        QCOMPARE(base.family(), QStringLiteral("Liberation Sans"));
        QCOMPARE(base.pixelSize(), 11);
        const QFontInfo menu(form()->ui->DRLabel4->font());
        QCOMPARE(menu.family(), QStringLiteral("Liberation Sans"));
        QVERIFY(menu.bold() && menu.italic());
        QCOMPARE(menu.pixelSize(), 15);
    }

    void labelsShowTheirWholeText()
    {
        // Relief labels that size themselves must do so once the form has
        // given them their texts, and none may run under the question panel.
        for (TDRLabel *label : form()->findChildren<TDRLabel *>()) {
            if (!label->autoSize())
                continue;
            QVERIFY2(label->width() >= label->fontMetrics().horizontalAdvance(label->caption()),
                     qPrintable(label->objectName()));
        }
        for (QWidget *maker : {static_cast<QWidget *>(form()->ui->DRLabel15), static_cast<QWidget *>(form()->ui->DRLabel16),
                               static_cast<QWidget *>(form()->ui->DRLabel17)})
            QVERIFY2(maker->geometry().right() < form()->ui->Notebook2->x(), qPrintable(maker->objectName()));
    }

    void helpButtonLeavesTheSettingsButtonReachable()
    {
        // Once "Paramétrer" is on screen, both it and "Aide" take clicks.
        form()->ui->EzRgnBtn8->show();
        const QRect settings = form()->ui->EzRgnBtn8->geometry();
        const QRect help = form()->ui->EzRgnBtn9->geometry();
        QVERIFY(!settings.intersects(help));
        QVERIFY(!help.intersects(form()->ui->ComboBox1->geometry()));
        QVERIFY(!help.intersects(form()->ui->DRLabel1->geometry()));
        QCOMPARE(form()->childAt(settings.center()), form()->ui->EzRgnBtn8);
        QCOMPARE(form()->childAt(help.center()), form()->ui->EzRgnBtn9);
        QTest::mouseClick(form()->ui->EzRgnBtn8, Qt::LeftButton);
        QVERIFY(form()->ui->ToolBar2->isVisible());
        QTest::mouseClick(form()->ui->EzRgnBtn9, Qt::LeftButton);
        QVERIFY(form()->ui->ToolBar3->isVisible());
        QVERIFY(!form()->ui->ToolBar2->isVisible());
        form()->ToolButton4Click();
        form()->ui->EzRgnBtn8->hide();
    }

    void fileDialogIsOursAndFrench()
    {
        QFileDialog *dialog = form()->OpenDialog1();
        QCOMPARE(dialog->objectName(), QStringLiteral("OpenDialog1"));
        QVERIFY(dialog->testOption(QFileDialog::DontUseNativeDialog));
        QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("qcm (*.qcm)")});
        QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
        QVERIFY(dialog->isSizeGripEnabled());
#ifdef Q_OS_WIN
        // The program's drive's \QCM, when it is there (here the drive is the build's).
        const QString first = platform::dialogInitialFolder(platform::programDrive());
        if (QFileInfo(first).isDir())
            QCOMPARE(QDir::toNativeSeparators(dialog->directory().absolutePath()), first);
#else
        QCOMPARE(QDir::toNativeSeparators(dialog->directory().absolutePath()),
                 QDir::toNativeSeparators(m_home.path() + QStringLiteral("/QCM")));
#endif
        auto *buttons = dialog->findChild<QDialogButtonBox *>(QStringLiteral("buttonBox"));
        QVERIFY(buttons);
        QCOMPARE(buttons->button(QDialogButtonBox::Open)->text().remove(QLatin1Char('&')), QStringLiteral("Ouvrir"));
        QCOMPARE(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Annuler"));
    }

    void fileDialogNamesTypesInFrench()
    {
        QTemporaryDir folder;
        QVERIFY(QDir(folder.path()).mkdir(QStringLiteral("Fractions")));
        QFile quiz(folder.filePath(QStringLiteral("calcul.qcm")));
        QVERIFY(quiz.open(QIODevice::WriteOnly));
        quiz.close();
        QFileDialog *dialog = form()->OpenDialog1();
        dialog->setDirectory(folder.path());
        auto *model = dialog->findChild<QFileSystemModel *>();
        QVERIFY(model);
        const auto typeOf = [&](const QString &name) {
            const QModelIndex index = model->index(folder.filePath(name));
            return model->data(index.siblingAtColumn(2)).toString();
        };
#ifdef Q_OS_WIN
        const QString folderType = QStringLiteral("Dossier de fichiers");
#else
        const QString folderType = QStringLiteral("Dossier");
#endif
        QTRY_COMPARE(typeOf(QStringLiteral("Fractions")), folderType);
        // A quiz file is a file the system may not know: never in English.
        QTRY_VERIFY(!typeOf(QStringLiteral("calcul.qcm")).isEmpty());
        const QString quizType = typeOf(QStringLiteral("calcul.qcm"));
        QVERIFY2(!QStringList({QStringLiteral("unknown"), QStringLiteral("Unknown"), QStringLiteral("File")})
                      .contains(quizType),
                 qPrintable(quizType));
        QCOMPARE(model->headerData(2, Qt::Horizontal).toString(), QStringLiteral("Type"));
        QCOMPARE(model->headerData(3, Qt::Horizontal).toString(), QStringLiteral("Dernière modification"));

        // The side bar shows its places' names whole ("Ordinateur", "Poste de travail" on Windows…).
        platform::offerPlaces(dialog, {});
        auto *sideBar = dialog->findChild<QAbstractItemView *>(QStringLiteral("sidebar"));
        QVERIFY(sideBar);
        QVERIFY(sideBar->model()->rowCount() >= 2);
        for (int row = 0; row < sideBar->model()->rowCount(); ++row) {
            const QModelIndex place = sideBar->model()->index(row, 0);
            QVERIFY2(sideBar->minimumWidth() > sideBar->sizeHintForIndex(place).width(),
                     qPrintable(place.data().toString()));
        }
    }

    void quitHidesTheMainWindow()
    {
        QTest::mouseClick(form()->ui->EzRgnBtn1, Qt::LeftButton);
        QVERIFY(!form()->isVisible());
    }
};

QTEST_MAIN(FormQCMStartupTest)
#include "formqcm_startup.moc"
