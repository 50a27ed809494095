#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>

#include "app/Application.h"
#include "app/TavelorWindows.h"
#include "formqcm_fixture.h"
#include "ui_FormQCM.h"

using namespace formqcm_test;

class FormQCMLoadingTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_home;
    std::unique_ptr<TavelorWindows> m_windows;
    std::unique_ptr<ModalDriver> m_driver;
    TFormQCM *form() { return &m_windows->FormQCM; }

    QString quizPath(const QString &subject, const QString &folder, const QString &name)
    {
        const QString dir = m_home.path() + u"/QCM/"_qs + subject + u'/' + folder;
        QDir().mkpath(dir);
        return dir + u'/' + name;
    }

    void load(const QString &path)
    {
        m_driver->planFile(path);
        form()->LectureFichier();
    }

    bool isReady()
    {
        return form()->ui->DRLabel1->caption() == u"QCM prêt"_qs && form()->ui->EzRgnBtn2->isVisible();
    }

private slots:
    void initTestCase()
    {
        qputenv("HOME", m_home.path().toLocal8Bit());
        QVERIFY(QDir(m_home.path()).mkdir(u"QCM"_qs));
        setUpApplication(*qApp);
    }

    void init()
    {
        m_windows = std::make_unique<TavelorWindows>();
        m_driver = std::make_unique<ModalDriver>();
        form()->show();
        QVERIFY(QTest::qWaitForWindowExposed(form()));
    }

    void cleanup()
    {
        m_driver.reset();
        m_windows.reset();
    }

    void loadDerivesTitleAndSubjectAndShowsReady()
    {
        const QString path = quizPath(u"Mathématiques"_qs, u"Fractions"_qs, u"fractions.qcm"_qs);
        QVERIFY(writeQuiz(path, u"A"_qs, 3));
        load(path);

        QCOMPARE(m_driver->messages, QStringList());
        QCOMPARE(form()->State.QuizFileName, QDir::toNativeSeparators(path));
        QCOMPARE(form()->State.QuizFolder, QFileInfo(path).absolutePath() + u'/');
        QCOMPARE(form()->State.ParentFolderPath, m_home.path() + u"/QCM/Mathématiques"_qs);
        QCOMPARE(form()->State.QuizFileShortName, u"fractions.qcm"_qs);
        QCOMPARE(form()->ui->DRLabel12->caption(), u"fractions"_qs);
        // The subject goes into the box, which stays out of sight.
        QCOMPARE(form()->ui->ComboBox1->currentText(), u"Mathématiques"_qs);
        QVERIFY(!form()->ui->ComboBox1->isVisible());
        QVERIFY(!form()->ui->DRLabel2->isVisible());

        QCOMPARE(form()->State.QuestionCount, 3);
        QCOMPARE(questionOf(form()->QuestionBank[3]), u"A question 3"_qs);
        QVERIFY(isReady());
        QCOMPARE(form()->ui->DRLabel7->caption(), u"0/0"_qs);
        QCOMPARE(form()->ui->Notebook1->currentIndex(), 3);
        QVERIFY(form()->ui->Image2->isVisible());
        QVERIFY(!form()->ui->ScrollBox1->isVisible());
        // "Paramétrer" is announced after every load.
        QVERIFY(form()->ui->DRLabel5->isVisible());
        QCOMPARE(form()->ui->DRLabel5->blink(), TDRLabel::blBlink);
    }

    void recordCountFollowsWholeRecords_data()
    {
        QTest::addColumn<int>("records");
        QTest::addColumn<int>("extraBytes");
        QTest::newRow("exactly one record") << 1 << 0;
        QTest::newRow("trailing piece is ignored") << 2 << 2107;
        QTest::newRow("one hundred") << 100 << 0;
    }

    void recordCountFollowsWholeRecords()
    {
        QFETCH(int, records);
        QFETCH(int, extraBytes);
        const QString path = quizPath(u"Biologie"_qs, u"Cellule"_qs, u"cellule.qcm"_qs);
        QVERIFY(writeQuiz(path, u"B"_qs, records, extraBytes));
        load(path);
        QCOMPARE(m_driver->messages, QStringList());
        QCOMPARE(form()->State.QuestionCount, records);
        QCOMPARE(questionOf(form()->QuestionBank[records]), u"B question %1"_qs.arg(records));
        QVERIFY(isReady());
    }

    void fileShorterThanARecordIsAReadError_data()
    {
        QTest::addColumn<int>("bytes");
        QTest::newRow("empty file") << 0;
        QTest::newRow("one byte short") << 2107;
    }

    void fileShorterThanARecordIsAReadError()
    {
        QFETCH(int, bytes);
        const QString good = quizPath(u"Histoire"_qs, u"Rome"_qs, u"rome.qcm"_qs);
        QVERIFY(writeQuiz(good, u"A"_qs, 4));
        load(good);
        form()->ui->EzRgnBtn2->hide();
        form()->ui->DRLabel1->setCaption(u"Question 2/4"_qs);

        const QString bad = quizPath(u"Histoire"_qs, u"Gaule"_qs, u"gaule.qcm"_qs);
        QVERIFY(writeQuiz(bad, u"X"_qs, 0, bytes));
        load(bad);
        QCOMPARE(m_driver->messages, QStringList{u"Lecture au-delà de la fin de fichier"_qs});
        // The load stops: the bank, the count and the window are left as they were.
        QCOMPARE(form()->State.QuestionCount, 4);
        QCOMPARE(questionOf(form()->QuestionBank[1]), u"A question 1"_qs);
        QCOMPARE(form()->ui->DRLabel1->caption(), u"Question 2/4"_qs);
        QVERIFY(!form()->ui->EzRgnBtn2->isVisible());
    }

    void moreThanAHundredRecordsKeepsTheFirstHundred()
    {
        const QString path = quizPath(u"Géographie"_qs, u"Fleuves"_qs, u"fleuves.qcm"_qs);
        QVERIFY(writeQuiz(path, u"G"_qs, 101));
        load(path);
        QCOMPARE(m_driver->messages,
                 QStringList{u"Ce QCM comporte plus de 100 questions : seules les 100 premières sont chargées."_qs});
        QCOMPARE(form()->State.QuestionCount, 100);
        QCOMPARE(questionOf(form()->QuestionBank[100]), u"G question 100"_qs);
        QVERIFY(isReady());
    }

    void shorterQuizLeavesOlderRecordsBehindIt()
    {
        const QString first = quizPath(u"Français"_qs, u"Verbes"_qs, u"verbes.qcm"_qs);
        const QString second = quizPath(u"Français"_qs, u"Noms"_qs, u"noms.qcm"_qs);
        QVERIFY(writeQuiz(first, u"A"_qs, 20));
        QVERIFY(writeQuiz(second, u"B"_qs, 5));
        load(first);
        load(second);
        QCOMPARE(form()->State.QuestionCount, 5);
        QCOMPARE(questionOf(form()->QuestionBank[5]), u"B question 5"_qs);
        QCOMPARE(questionOf(form()->QuestionBank[6]), u"A question 6"_qs);
        QCOMPARE(questionOf(form()->QuestionBank[20]), u"A question 20"_qs);
        QCOMPARE(form()->ui->DRLabel12->caption(), u"noms"_qs);
    }

    void readOnlyQuizStillLoads()
    {
        const QString path = quizPath(u"Astronomie"_qs, u"Planètes"_qs, u"planetes.qcm"_qs);
        QVERIFY(writeQuiz(path, u"R"_qs, 2));
        QVERIFY(QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::ReadGroup | QFileDevice::ReadOther));
        load(path);
        QCOMPARE(m_driver->messages, QStringList());
        QCOMPARE(form()->State.QuestionCount, 2);
        QVERIFY(isReady());
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
    }

    void vanishedQuizIsReportedByName()
    {
        const QString path = quizPath(u"Economie"_qs, u"Monnaie"_qs, u"monnaie.qcm"_qs);
        QVERIFY(writeQuiz(path, u"M"_qs, 3));
        load(path);
        QVERIFY(QFile::remove(path));
        form()->ui->DRLabel1->setCaption(u"Question 1/3"_qs);
        form()->ReloadQuiz();
        QCOMPARE(m_driver->messages, QStringList{u"Impossible d'ouvrir le QCM : "_qs + QDir::toNativeSeparators(path)});
        QCOMPARE(form()->ui->DRLabel1->caption(), u"Question 1/3"_qs);
        QCOMPARE(form()->State.QuestionCount, 3);
    }

    void cancellingTheFirstDialogStillEndsReady()
    {
        m_driver->planCancel();
        form()->LectureFichier();
        QCOMPARE(m_driver->dialogsSeen, 1);
        QCOMPARE(m_driver->messages, QStringList{u"QCM absent de cette unité."_qs});
        QCOMPARE(form()->ui->DRLabel12->caption(), QString());
        QVERIFY(isReady());
        QCOMPARE(form()->State.QuestionCount, 0);
        // The dialog opened where quizzes live.
        QCOMPARE(m_driver->lastDialogFolder, m_home.path() + u"/QCM"_qs);
    }

    void cancellingALaterDialogReloadsThePreviousQuiz()
    {
        const QString path = quizPath(u"Langues vivantes"_qs, u"Anglais"_qs, u"anglais.qcm"_qs);
        QVERIFY(writeQuiz(path, u"A"_qs, 3));
        load(path);
        form()->State.GoodCount = 2;
        form()->State.WrongCount = 1;
        // The file changed since: a reload must read it again.
        QVERIFY(writeQuiz(path, u"C"_qs, 4));
        m_driver->planCancel();
        form()->LectureFichier();
        QCOMPARE(m_driver->messages, QStringList());
        QCOMPARE(form()->State.QuizFileName, QDir::toNativeSeparators(path));
        QCOMPARE(form()->State.QuestionCount, 4);
        QCOMPARE(questionOf(form()->QuestionBank[1]), u"C question 1"_qs);
        QCOMPARE(form()->State.GoodCount, 0);
        QCOMPARE(form()->State.WrongCount, 0);
        QCOMPARE(form()->ui->DRLabel12->caption(), u"anglais"_qs);
        QCOMPARE(form()->ui->ComboBox1->currentText(), u"Langues vivantes"_qs);
    }

    void loadingDuringAQuizLeavesOnlyTheStartButton()
    {
        const QString path = quizPath(u"Technologie"_qs, u"Moteurs"_qs, u"moteurs.qcm"_qs);
        QVERIFY(writeQuiz(path, u"T"_qs, 3));
        load(path);
        // A quiz under way, its correction shown.
        form()->ui->EzRgnBtn2->hide();
        form()->ui->EzRgnBtn3->show();
        form()->ui->EzRgnBtn5->show();
        form()->ui->EzRgnBtn15->show();
        form()->State.CurrentPosition = 2;
        m_windows->FormFenetreMessage.show();
        load(path);
        QVERIFY(isReady());
        QVERIFY(!form()->ui->EzRgnBtn3->isVisible());
        QVERIFY(!form()->ui->EzRgnBtn5->isVisible());
        QVERIFY(!form()->ui->EzRgnBtn15->isVisibleTo(form()));
        QVERIFY(!m_windows->FormFenetreMessage.isVisible());
    }
};

QTEST_MAIN(FormQCMLoadingTest)
#include "formqcm_loading.moc"
