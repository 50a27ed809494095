#include <QCheckBox>
#include <QComboBox>
#include <QFileDialog>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#ifdef Q_OS_UNIX
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

#include "app/CommandLine.h"
#include "main_window_harness.h"
#include "platform/Folders.h"
#include "ui_FormQCM.h"

class FormQCMLoadingTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_home;
    std::unique_ptr<QuizHarness> m_main;
    std::unique_ptr<ModalDriver> m_driver;
    TFormQCM *form() { return &m_main->form(); }

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

    QList<QCheckBox *> boxes()
    {
        return {form()->ui->CheckBox1, form()->ui->CheckBox2, form()->ui->CheckBox3, form()->ui->CheckBox4,
                form()->ui->CheckBox5};
    }

    // A quiz of four questions under way: the second question asked, its
    // first box ticked.
    void quizUnderWay()
    {
        const QString path = quizPath(u"Histoire"_qs, u"Rome"_qs, u"rome.qcm"_qs);
        QVERIFY(writeQuiz(path, u"A"_qs, 4));
        load(path);
        form()->Commencer();
        form()->FenetreCorrection();
        m_main->windows->FormFenetreMessage.EzRgnBtn1Click();
        form()->Question_Suivante();
        boxes().at(0)->setChecked(true);
        QCOMPARE(form()->ui->DRLabel1->caption(), u"Question 2/4"_qs);
    }

    // Everything a pupil sees of a quiz, and where its next picture and its
    // restart would be read from.
    QStringList quizAsShown()
    {
        const QuizState &state = form()->State;
        QStringList shown{state.QuizFileName, state.QuizFolder, state.ParentFolderPath, state.QuizFileShortName,
                          QString::number(state.QuestionCount), QString::number(state.CurrentPosition),
                          QString::number(state.TickedSum), form()->ui->DRLabel12->caption(),
                          form()->ui->ComboBox1->currentText(), form()->ui->DRLabel1->caption(),
                          form()->ui->DRLabel7->caption()};
        for (QPlainTextEdit *memo : {form()->ui->Memo1, form()->ui->Memo2, form()->ui->Memo3, form()->ui->Memo4,
                                     form()->ui->Memo5, form()->ui->Memo6})
            shown << memo->toPlainText();
        for (QCheckBox *box : boxes())
            shown << u"%1 %2"_qs.arg(box->isVisible()).arg(box->isChecked());
        for (QWidget *button : {form()->ui->EzRgnBtn2, form()->ui->EzRgnBtn3, form()->ui->EzRgnBtn5})
            shown << QString::number(button->isVisible());
        for (int slot = 1; slot <= 4; ++slot)
            shown << questionOf(form()->QuestionBank[slot]);
        return shown;
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
        m_main = std::make_unique<QuizHarness>();
        m_driver = std::make_unique<ModalDriver>();
    }

    void cleanup()
    {
        m_driver.reset();
        m_main.reset();
    }

    void loadDerivesTitleAndSubjectAndShowsReady()
    {
        const QString path = quizPath(u"Mathématiques"_qs, u"Fractions"_qs, u"fractions.qcm"_qs);
        QVERIFY(writeQuiz(path, u"A"_qs, 3));
        load(path);

        QCOMPARE(m_driver->messages, QStringList());
        QCOMPARE(form()->State.QuizFileName, QDir::toNativeSeparators(path));
        QCOMPARE(form()->State.QuizFolder, QDir::toNativeSeparators(QFileInfo(path).absolutePath() + u'/'));
        QCOMPARE(form()->State.ParentFolderPath, QDir::toNativeSeparators(m_home.path() + u"/QCM/Mathématiques"_qs));
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

    void unreadableFileChangesNothingOfTheQuizUnderWay_data()
    {
        QTest::addColumn<int>("bytes"); // -1: the file is gone before it is read
        QTest::addColumn<QString>("message");
        QTest::newRow("empty file") << 0 << u"Lecture au-delà de la fin de fichier"_qs;
        QTest::newRow("one byte short") << 2107 << u"Lecture au-delà de la fin de fichier"_qs;
        QTest::newRow("vanished file") << -1 << u"Impossible d'ouvrir le QCM : "_qs;
    }

    void unreadableFileChangesNothingOfTheQuizUnderWay()
    {
        QFETCH(int, bytes);
        QFETCH(QString, message);
        quizUnderWay();
        const QStringList before = quizAsShown();
        const QDir dialogFolder = form()->OpenDialog1()->directory();

        const QString bad = quizPath(u"Géographie"_qs, u"Gaule"_qs, QString::fromLatin1(QTest::currentDataTag()) + u".qcm"_qs);
        if (bytes < 0) {
            form()->OuvrirQCM(bad);
        } else {
            QVERIFY(writeQuiz(bad, u"X"_qs, 0, bytes));
            load(bad);
        }
        QCOMPARE(m_driver->messages.size(), 1);
        QVERIFY2(m_driver->messages.first().startsWith(message), qPrintable(m_driver->messages.first()));
        QCOMPARE(quizAsShown(), before);
        QCOMPARE(form()->OpenDialog1()->directory(), dialogFolder);

        // The quiz goes on, and its restart still reads its own file.
        form()->FenetreCorrection();
        m_main->windows->FormFenetreMessage.EzRgnBtn1Click();
        form()->Question_Suivante();
        QCOMPARE(form()->ui->Memo1->toPlainText(), u"A question 3"_qs);
        form()->ReloadQuiz();
        QVERIFY(isReady());
        QCOMPARE(m_driver->messages.size(), 1);
    }

    void restartOfAVanishedQuizLeavesTheQuestionAsked()
    {
        quizUnderWay();
        const QStringList before = quizAsShown();
        QVERIFY(QFile::remove(form()->State.QuizFileName));
        form()->ToolButton9Click();
        QCOMPARE(m_driver->messages,
                 QStringList{u"Impossible d'ouvrir le QCM : "_qs + form()->State.QuizFileName});
        // The question stays whole beside its boxes: what is answered is what is read.
        QCOMPARE(quizAsShown(), before);
        QCOMPARE(form()->ui->Memo1->toPlainText(), u"A question 2"_qs);
    }

    void reloadDuringAQuizClearsTheInterruptedQuestion_data()
    {
        QTest::addColumn<bool>("cancel");
        QTest::newRow("another file") << false;
        QTest::newRow("cancelled dialog") << true;
    }

    void reloadDuringAQuizClearsTheInterruptedQuestion()
    {
        QFETCH(bool, cancel);
        quizUnderWay();
        if (cancel) {
            m_driver->planCancel();
            form()->LectureFichier();
        } else {
            const QString other = quizPath(u"Histoire"_qs, u"Gaule"_qs, u"gaule.qcm"_qs);
            QVERIFY(writeQuiz(other, u"G"_qs, 2));
            load(other);
        }
        QVERIFY(isReady());
        for (QCheckBox *box : boxes()) {
            QVERIFY(!box->isVisible());
            QVERIFY(!box->isChecked());
        }
        QCOMPARE(form()->State.TickedSum, 0);
        for (QPlainTextEdit *memo : {form()->ui->Memo1, form()->ui->Memo2, form()->ui->Memo3, form()->ui->Memo4,
                                     form()->ui->Memo5, form()->ui->Memo6})
            QVERIFY(memo->toPlainText().isEmpty());
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

    void quizNamedInBytesTheSystemCannotReadIsReportedByName_data()
    {
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QByteArray>("name");
        // Latin-1, as old USB keys carry it: "é" is the lone byte E9.
        QTest::newRow("file name") << QByteArray("Histoire/Rome") << QByteArray("r\xe9publique.qcm");
        QTest::newRow("folder name") << QByteArray("G\xe9ographie/Fleuves") << QByteArray("fleuves.qcm");
    }

    void quizNamedInBytesTheSystemCannotReadIsReportedByName()
    {
#ifdef Q_OS_UNIX
        // Made after the quiz is chosen: the dialog would name it at once.
        quizUnderWay();

        QFETCH(QByteArray, folder);
        QFETCH(QByteArray, name);
        QByteArray dir = QFile::encodeName(m_home.path()) + "/QCM";
        QByteArrayList made;
        for (const QByteArray &part : folder.split('/')) {
            dir += '/' + part;
            if (::mkdir(dir.constData(), 0700) == 0)
                made.prepend(dir);
        }
        const QByteArray raw = dir + '/' + name;
        // Qt cannot remove what it cannot name: the test cleans up by bytes.
        const auto cleanUp = qScopeGuard([&] {
            ::unlink(raw.constData());
            for (const QByteArray &madeDir : made)
                ::rmdir(madeDir.constData());
        });
        const int fd = ::open(raw.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        QVERIFY(fd >= 0);
        const qcm::QuestionRecord record = makeRecord(taggedQuestion(u"L"_qs, 1));
        QCOMPARE(::write(fd, record.bytes.data(), record.bytes.size()), qsizetype(record.bytes.size()));
        ::close(fd);

        // What the command line hands over for it (the dialog does not list it).
        const QString shown = QFile::decodeName(raw);
        const QString argument = quizFileFromArguments({u"/usr/bin/tavelor"_qs, shown});
        QCOMPARE(argument, shown);

        const QStringList before = quizAsShown();
        // Qt reads file names as UTF-8 here: the lone byte cannot be given back.
        form()->OuvrirQCM(argument);
        QCOMPARE(m_driver->messages.size(), 1);
        const QString message = m_driver->messages.first();
        QVERIFY2(message.startsWith(u"Impossible d'ouvrir le QCM : "_qs), qPrintable(message));
        QVERIFY2(message.contains(u"caractères"_qs), qPrintable(message));
        QVERIFY2(message.endsWith(QDir::toNativeSeparators(shown)), qPrintable(message));
        QCOMPARE(quizAsShown(), before);
#else
        QSKIP("Windows names files in UTF-16: no name is stored in bytes it cannot read");
#endif
    }

    void dialogNamesTheQuizzesAndFoldersItCannotShow()
    {
#ifdef Q_OS_UNIX
        const QString rome = quizPath(u"Histoire"_qs, u"Rome"_qs, u"rome.qcm"_qs);
        QVERIFY(writeQuiz(rome, u"R"_qs, 1));
        const QByteArray folder = QFile::encodeName(QFileInfo(rome).absolutePath());
        const QByteArray quiz = folder + "/r\xe9publique.qcm";
        const QByteArray subFolder = folder + "/G\xe9ographie";
        const QByteArray picture = folder + "/carte-\xe9t\xe9.jpg";
        const auto cleanUp = qScopeGuard([&] {
            ::unlink(quiz.constData());
            ::unlink(picture.constData());
            ::rmdir(subFolder.constData());
        });
        for (const QByteArray &file : {quiz, picture})
            ::close(::open(file.constData(), O_WRONLY | O_CREAT | O_TRUNC, 0600));
        QVERIFY(::mkdir(subFolder.constData(), 0700) == 0);

        // The pupil types the folder's path and goes into it.
        QFileDialog *dialog = form()->OpenDialog1();
        dialog->setDirectory(m_home.path());
        dialog->show();
        QVERIFY(m_driver->messages.isEmpty());
        dialog->findChild<QLineEdit *>(u"fileNameEdit"_qs)->setText(QFileInfo(rome).absolutePath());
        QMetaObject::invokeMethod(dialog, "accept");
        QTRY_COMPARE(m_driver->messages.size(), 1);
        QVERIFY(dialog->isVisible());
        dialog->hide();
        const QStringList lines = m_driver->messages.first().split(u'\n');
        // Only what the dialog would offer: quizzes and folders, not pictures.
        QCOMPARE(lines.mid(lines.size() - 2),
                 (QStringList{QFile::decodeName("G\xe9ographie"), QFile::decodeName("r\xe9publique.qcm")}));
        QVERIFY2(lines.first().contains(u"Renommez-les"_qs), qPrintable(lines.first()));
#else
        QSKIP("Windows names files in UTF-16: no name is stored in bytes it cannot read");
#endif
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
        // The dialog opened where quizzes live: on Windows the program's
        // drive's \QCM, when it is there (here the drive is the build's).
#ifdef Q_OS_WIN
        const QString first = platform::dialogInitialFolder(platform::programDrive());
        if (QFileInfo(first).isDir())
            QCOMPARE(QDir::toNativeSeparators(m_driver->lastDialogFolder), first);
#else
        QCOMPARE(m_driver->lastDialogFolder, m_home.path() + u"/QCM"_qs);
#endif
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
        m_main->windows->FormFenetreMessage.show();
        load(path);
        QVERIFY(isReady());
        QVERIFY(!form()->ui->EzRgnBtn3->isVisible());
        QVERIFY(!form()->ui->EzRgnBtn5->isVisible());
        QVERIFY(!form()->ui->EzRgnBtn15->isVisibleTo(form()));
        QVERIFY(!m_main->windows->FormFenetreMessage.isVisible());
    }
};

QTEST_MAIN(FormQCMLoadingTest)
#include "formqcm_loading.moc"
