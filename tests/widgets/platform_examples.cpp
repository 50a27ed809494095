#include <QAbstractItemView>
#include <QDir>
#include <QFileDialog>
#include <QTemporaryDir>
#include <QTest>
#include <QUrl>

#include "platform/Desktop.h"
#include "platform/Folders.h"

// The sample quizzes a new user is offered in the file dialog.
class PlatformExamplesTest : public QObject
{
    Q_OBJECT
private:
    QTemporaryDir m_root;

    QString made(const QString &relative)
    {
        const QString path = m_root.path() + u'/' + relative;
        return QDir().mkpath(path) ? path : QString();
    }

private slots:
    void initTestCase() { qputenv("HOME", m_root.path().toLocal8Bit()); }

    void examplesAreFoundBesideTheProgramOrInItsDataFolder()
    {
        // Run from a build folder: the quizzes built there.
        const QString build = made(u"build"_qs);
        const QString built = made(u"build/examples/QCM"_qs);
        QCOMPARE(platform::examplesFolderFor(build), built);

        // Installed under a prefix: <prefix>/share/tavelor/Exemples.
        const QString bin = made(u"prefix/bin"_qs);
        const QString installed = made(u"prefix/share/tavelor/Exemples"_qs);
        QCOMPARE(platform::examplesFolderFor(bin), installed);

        // A build folder wins over an installation it happens to sit in.
        const QString both = made(u"prefix/bin/examples/QCM"_qs);
        QCOMPARE(platform::examplesFolderFor(bin), both);

        // Neither: nothing under this tree is offered.
        const QString none = platform::examplesFolderFor(made(u"ailleurs/bin"_qs));
        QVERIFY2(!none.startsWith(m_root.path()), qPrintable(none));
    }

    void sideBarOffersTheExamplesByTheirName()
    {
#ifdef Q_OS_WIN
        // Windows' fixed C:\QCM, as the program itself makes it.
        const QString quizzes = QDir::fromNativeSeparators(platform::quizFolder());
        QVERIFY(QDir().mkpath(quizzes));
#else
        const QString quizzes = made(u"QCM"_qs);
#endif
        const QString examples = made(u"share/tavelor/Exemples"_qs);
        std::unique_ptr<QFileDialog> dialog(platform::createOpenDialog(nullptr));
        dialog->setDirectory(quizzes);
        platform::offerPlaces(dialog.get(), examples);

        const QList<QUrl> places = dialog->sidebarUrls();
        QVERIFY(places.contains(QUrl::fromLocalFile(QDir::homePath())));
        QVERIFY(places.contains(QUrl::fromLocalFile(quizzes)));
        QVERIFY(places.contains(QUrl::fromLocalFile(examples)));
        // It still opens where the quizzes live.
        QCOMPARE(dialog->directory().absolutePath(), quizzes);

        auto *sideBar = dialog->findChild<QAbstractItemView *>(u"sidebar"_qs);
        QVERIFY(sideBar);
        QStringList names;
        for (int row = 0; row < sideBar->model()->rowCount(); ++row)
            names << sideBar->model()->index(row, 0).data().toString();
        QVERIFY2(names.contains(u"Exemples"_qs), qPrintable(names.join(u", "_qs)));
    }

    void missingPlacesAreLeftOut()
    {
#ifdef Q_OS_WIN
        QSKIP("the quiz folder is the computer's own C:\\QCM, which this test would remove");
#endif
        std::unique_ptr<QFileDialog> dialog(platform::createOpenDialog(nullptr));
        QVERIFY(QDir(platform::quizFolder()).removeRecursively());
        platform::offerPlaces(dialog.get(), QString());
        const QList<QUrl> places = dialog->sidebarUrls();
        QVERIFY(places.contains(QUrl::fromLocalFile(QDir::homePath())));
        QVERIFY(!places.contains(QUrl::fromLocalFile(platform::quizFolder())));
        QVERIFY(!places.contains(QUrl()));
        QCOMPARE(places.size(), 2);
    }
};

QTEST_MAIN(PlatformExamplesTest)
#include "platform_examples.moc"
