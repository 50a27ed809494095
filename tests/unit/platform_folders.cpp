#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTest>

#include "platform/Folders.h"
#include "platform/PathRule.h"

class FoldersTest : public QObject
{
    Q_OBJECT
private slots:
    void driveOfTheProgram_data()
    {
        QTest::addColumn<QString>("programPath");
        QTest::addColumn<QString>("drive");
        QTest::newRow("drive C") << u"C:\\Program Files\\Tavelor\\tavelor.exe"_qs << u"C:"_qs;
        QTest::newRow("drive D") << u"D:\\tavelor.exe"_qs << u"D:"_qs;
        QTest::newRow("drive letter alone") << u"E:"_qs << u"E:"_qs;
        QTest::newRow("network share") << u"\\\\serveur\\classe\\Tavelor\\tavelor.exe"_qs << u"\\\\serveur\\classe"_qs;
        QTest::newRow("program at the share's root") << u"\\\\serveur\\classe\\tavelor.exe"_qs
                                                     << u"\\\\serveur\\classe"_qs;
        QTest::newRow("share without a backslash after it") << u"\\\\serveur\\classe"_qs << u"\\\\serveur\\classe"_qs;
        QTest::newRow("server alone") << u"\\\\serveur"_qs << u"\\\\serveur"_qs;
        QTest::newRow("relative path") << u"Tavelor\\tavelor.exe"_qs << QString();
        QTest::newRow("rooted without a drive") << u"\\Tavelor\\tavelor.exe"_qs << QString();
        QTest::newRow("posix path") << u"/usr/bin/tavelor"_qs << QString();
        QTest::newRow("empty") << QString() << QString();
    }

    void driveOfTheProgram()
    {
        QFETCH(QString, programPath);
        QTEST(platform::programDriveOf(programPath), "drive");
    }

    void dialogStartsInTheQuizFolder()
    {
#ifdef Q_OS_WIN
        QCOMPARE(platform::dialogInitialFolder(u"D:"_qs), u"D:\\QCM"_qs);
        QCOMPARE(platform::dialogInitialFolder(u"\\\\serveur\\classe"_qs), u"\\\\serveur\\classe\\QCM"_qs);
        QCOMPARE(platform::dialogInitialFolder(QString()), u"\\QCM"_qs);
#else
        QCOMPARE(platform::dialogInitialFolder(u"D:"_qs), QDir::homePath() + u"/QCM"_qs);
        QCOMPARE(platform::dialogInitialFolder(QString()), platform::quizFolder());
#endif
    }

    void quizFolderIsCreatedOnce()
    {
#ifndef Q_OS_WIN
        QTemporaryDir home;
        const QByteArray oldHome = qgetenv("HOME");
        qputenv("HOME", home.path().toLocal8Bit());
        QCOMPARE(platform::quizFolder(), home.path() + u"/QCM"_qs);
        QVERIFY(platform::createQuizFolder());
        QVERIFY(QFileInfo(home.path() + u"/QCM"_qs).isDir());
        QVERIFY(!platform::createQuizFolder());
        qputenv("HOME", oldHome);
#endif
    }

    void separatorsFollowTheRule()
    {
        using platform::PathRule;
        QVERIFY(platform::isSeparator(u'/', PathRule::Posix));
        QVERIFY(platform::isSeparator(u'/', PathRule::Windows));
        QVERIFY(platform::isSeparator(u'\\', PathRule::Windows));
        QVERIFY(!platform::isSeparator(u'\\', PathRule::Posix));
        QVERIFY(!platform::isSeparator(u':', PathRule::Windows));
#ifdef Q_OS_WIN
        QCOMPARE(platform::nativePathRule(), PathRule::Windows);
#else
        QCOMPARE(platform::nativePathRule(), PathRule::Posix);
#endif
        QCOMPARE(platform::isSeparator(u'\\'), platform::nativePathRule() == PathRule::Windows);
    }

    void otherProgramsAreFoundBesideThisOne()
    {
        const QFileInfo player(platform::siblingProgram(u"tavelor"_qs));
        QCOMPARE(player.absolutePath(), QCoreApplication::applicationDirPath());
#ifdef Q_OS_WIN
        QCOMPARE(player.fileName(), u"tavelor.exe"_qs);
#else
        QCOMPARE(player.fileName(), u"tavelor"_qs);
#endif
    }

    void runningProgramHasADriveOnlyOnWindows()
    {
        const QString drive = platform::programDrive();
#ifdef Q_OS_WIN
        QVERIFY(drive.endsWith(u':') || drive.startsWith(u"\\\\"_qs));
#else
        QVERIFY(drive.isEmpty());
#endif
    }
};

QTEST_GUILESS_MAIN(FoldersTest)
#include "platform_folders.moc"
