#include <QTest>

#include "engine/QuizPath.h"

using platform::PathRule;

Q_DECLARE_METATYPE(PathRule)

class QuizPathTest : public QObject
{
    Q_OBJECT
private slots:
    void partsOfAQuizPath_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<PathRule>("rule");
        QTest::addColumn<QString>("folder");
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QString>("subject");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("title");

        const auto W = PathRule::Windows;
        const auto P = PathRule::Posix;
        QTest::newRow("subject is two levels above the file")
            << u"C:\\QCM\\Mathématiques\\Fractions\\fractions.qcm"_qs << W << u"C:\\QCM\\Mathématiques\\Fractions\\"_qs
            << u"C:\\QCM\\Mathématiques"_qs << u"Mathématiques"_qs << u"fractions.qcm"_qs << u"fractions"_qs;
        QTest::newRow("windows accepts slashes too")
            << u"C:/QCM/Histoire/Rome/rome.qcm"_qs << W << u"C:/QCM/Histoire/Rome/"_qs << u"C:/QCM/Histoire"_qs
            << u"Histoire"_qs << u"rome.qcm"_qs << u"rome"_qs;
        QTest::newRow("windows mixed separators")
            << u"C:/QCM\\Histoire/Rome\\rome.qcm"_qs << W << u"C:/QCM\\Histoire/Rome\\"_qs << u"C:/QCM\\Histoire"_qs
            << u"Histoire"_qs << u"rome.qcm"_qs << u"rome"_qs;
        QTest::newRow("native posix path")
            << u"/home/eleve/QCM/Biologie/Cellule/cellule.qcm"_qs << P << u"/home/eleve/QCM/Biologie/Cellule/"_qs
            << u"/home/eleve/QCM/Biologie"_qs << u"Biologie"_qs << u"cellule.qcm"_qs << u"cellule"_qs;
        QTest::newRow("backslash is a plain character on posix")
            << u"/QCM/a\\b/c.qcm"_qs << P << u"/QCM/a\\b/"_qs << u"/QCM"_qs << u"QCM"_qs << u"c.qcm"_qs << u"c"_qs;
        QTest::newRow("title keeps inner dots")
            << u"C:\\QCM\\X\\Y\\a.b.qcm"_qs << W << u"C:\\QCM\\X\\Y\\"_qs << u"C:\\QCM\\X"_qs << u"X"_qs
            << u"a.b.qcm"_qs << u"a.b"_qs;
        QTest::newRow("name shorter than an extension")
            << u"C:\\QCM\\X\\Y\\abc"_qs << W << u"C:\\QCM\\X\\Y\\"_qs << u"C:\\QCM\\X"_qs << u"X"_qs << u"abc"_qs
            << QString();
        QTest::newRow("quiz in the quiz folder itself")
            << u"C:\\QCM\\test.qcm"_qs << W << u"C:\\QCM\\"_qs << u"C:"_qs << QString() << u"test.qcm"_qs << u"test"_qs;
        QTest::newRow("quiz at the root of a drive")
            << u"C:\\test.qcm"_qs << W << u"C:\\"_qs << QString() << QString() << u"test.qcm"_qs << u"test"_qs;
        QTest::newRow("quiz at the posix root")
            << u"/test.qcm"_qs << P << u"/"_qs << QString() << QString() << u"test.qcm"_qs << u"test"_qs;
        QTest::newRow("quiz one folder below the posix root")
            << u"/QCM/test.qcm"_qs << P << u"/QCM/"_qs << QString() << QString() << u"test.qcm"_qs << u"test"_qs;
        QTest::newRow("network share")
            << u"\\\\serveur\\classe\\QCM\\Anglais\\verbes.qcm"_qs << W << u"\\\\serveur\\classe\\QCM\\Anglais\\"_qs
            << u"\\\\serveur\\classe\\QCM"_qs << u"QCM"_qs << u"verbes.qcm"_qs << u"verbes"_qs;
        QTest::newRow("bare name") << u"quiz.qcm"_qs << P << QString() << QString() << QString() << u"quiz.qcm"_qs
                                   << u"quiz"_qs;
        QTest::newRow("empty path") << QString() << W << QString() << QString() << QString() << QString()
                                    << QString();
    }

    void partsOfAQuizPath()
    {
        QFETCH(QString, path);
        QFETCH(PathRule, rule);
        const QuizPathParts parts = splitQuizPath(path, rule);
        QTEST(parts.folder, "folder");
        QTEST(parts.parentFolder, "parent");
        QTEST(parts.subject, "subject");
        QTEST(parts.fileName, "fileName");
        QTEST(parts.title, "title");
    }
};

QTEST_GUILESS_MAIN(QuizPathTest)
#include "engine_quizpath.moc"
