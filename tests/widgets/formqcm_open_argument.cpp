#include <QComboBox>
#include <QTemporaryDir>
#include <QTest>

#include "app/CommandLine.h"
#include "main_window_harness.h"
#include "ui_FormQCM.h"

// A quiz opened from the file manager: the program is started with its path.
class FormQCMOpenArgumentTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_home;
    QString m_files; // a folder of files the argument rules pick from

    QString file(const QString &name) const { return m_files + u'/' + name; }

private slots:
    void initTestCase()
    {
        qputenv("HOME", m_home.path().toLocal8Bit());
        QVERIFY(QDir(m_home.path()).mkdir(u"QCM"_qs));
        setUpApplication(*qApp);

        m_files = m_home.path() + u"/fichiers"_qs;
        QVERIFY(QDir().mkpath(m_files + u"/dossier.qcm"_qs));
        for (const QString &name : {u"quiz.qcm"_qs, u"AUTRE.QCM"_qs, u"notes.txt"_qs, u"-tiret.qcm"_qs})
            QVERIFY(writeQuiz(file(name), u"F"_qs, 1));
    }

    void argumentNamesTheQuiz_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("quiz");
        const QString program = u"/usr/bin/tavelor"_qs;
        QTest::newRow("no argument") << QStringList{program} << QString();
        QTest::newRow("a quiz") << QStringList{program, file(u"quiz.qcm"_qs)} << file(u"quiz.qcm"_qs);
        QTest::newRow("the program's own name is never the quiz")
            << QStringList{file(u"quiz.qcm"_qs)} << QString();
        QTest::newRow("extension in capitals") << QStringList{program, file(u"AUTRE.QCM"_qs)} << file(u"AUTRE.QCM"_qs);
        QTest::newRow("options are skipped")
            << QStringList{program, u"--plein-ecran"_qs, u"-v"_qs, file(u"quiz.qcm"_qs)} << file(u"quiz.qcm"_qs);
        QTest::newRow("first existing quiz of several")
            << QStringList{program, file(u"absent.qcm"_qs), file(u"notes.txt"_qs), file(u"AUTRE.QCM"_qs),
                           file(u"quiz.qcm"_qs)}
            << file(u"AUTRE.QCM"_qs);
        QTest::newRow("missing quiz") << QStringList{program, file(u"absent.qcm"_qs)} << QString();
        QTest::newRow("not a quiz") << QStringList{program, file(u"notes.txt"_qs)} << QString();
        QTest::newRow("folder named like a quiz") << QStringList{program, file(u"dossier.qcm"_qs)} << QString();
        QTest::newRow("a file that looks like an option")
            << QStringList{program, file(u"-tiret.qcm"_qs).mid(m_files.size() + 1)} << QString();
        QTest::newRow("the same after --")
            << QStringList{program, u"--"_qs, file(u"-tiret.qcm"_qs).mid(m_files.size() + 1)}
            << file(u"-tiret.qcm"_qs);
        QTest::newRow("relative path is made absolute") << QStringList{program, u"quiz.qcm"_qs} << file(u"quiz.qcm"_qs);
    }

    void argumentNamesTheQuiz()
    {
        QFETCH(QStringList, arguments);
        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(m_files));
        const QString quiz = quizFileFromArguments(arguments);
        QDir::setCurrent(before);
        QTEST(quiz, "quiz");
    }

    void quizOpenedAtStartUpIsReadyAndRememberedByTheDialog()
    {
        const QString folder = m_home.path() + u"/QCM/Sciences naturelles/Animaux"_qs;
        QVERIFY(QDir().mkpath(folder));
        const QString path = folder + u"/animaux.qcm"_qs;
        QVERIFY(writeQuiz(path, u"A"_qs, 3));

        QuizHarness main;
        ModalDriver driver;
        TFormQCM &form = main.form();
        form.OuvrirQCM(path);

        QCOMPARE(driver.messages, QStringList());
        QCOMPARE(form.State.QuizFileName, QDir::toNativeSeparators(path));
        QCOMPARE(form.State.QuizFolder, QDir::toNativeSeparators(folder + u'/'));
        QCOMPARE(form.State.QuizFileShortName, u"animaux.qcm"_qs);
        QCOMPARE(form.ui->DRLabel12->caption(), u"animaux"_qs);
        QCOMPARE(form.ui->ComboBox1->currentText(), u"Sciences naturelles"_qs);
        QCOMPARE(form.State.QuestionCount, 3);
        QCOMPARE(questionOf(form.QuestionBank[3]), u"A question 3"_qs);
        QCOMPARE(form.ui->DRLabel1->caption(), u"QCM prêt"_qs);
        QVERIFY(form.ui->EzRgnBtn2->isVisible());

        // The dialog opens beside that quiz, and a cancel reads it again.
        QVERIFY(writeQuiz(path, u"B"_qs, 2));
        driver.planCancel();
        form.LectureFichier();
        QCOMPARE(driver.dialogsSeen, 1);
        QCOMPARE(driver.lastDialogFolder, folder);
        QCOMPARE(driver.messages, QStringList());
        QCOMPARE(form.State.QuizFileName, QDir::toNativeSeparators(path));
        QCOMPARE(form.State.QuestionCount, 2);
        QCOMPARE(questionOf(form.QuestionBank[1]), u"B question 1"_qs);
        QCOMPARE(form.ui->DRLabel12->caption(), u"animaux"_qs);
    }
};

QTEST_MAIN(FormQCMOpenArgumentTest)
#include "formqcm_open_argument.moc"
