#include <QBuffer>
#include <QDir>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

#include "pictures/PictureLimits.h"
#include "pictures/PicturePath.h"
#include "pictures/PictureQueue.h"
#include "tests/common/SmallBmp.h"

namespace {

bool writeFile(const QString &path, const QByteArray &data)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size();
}

// The picture once its decode has ended, as the window would take it.
std::optional<pictures::DecodedPicture> waitFor(pictures::PictureQueue &queue, const pictures::PictureRequest &request)
{
    if (std::optional<pictures::DecodedPicture> picture = queue.take(request))
        return picture;
    QSignalSpy announced(&queue, &pictures::PictureQueue::awaitedReady);
    if (!announced.wait(10000))
        return std::nullopt;
    return queue.takeAwaited();
}

} // namespace

class PictureQueueTest : public QObject
{
    Q_OBJECT
private slots:
    void picturesStayInsideTheQuizFolders_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("allowed");
        QTest::newRow("beside the quiz") << "p.bmp" << true;
        QTest::newRow("sub-folder") << "img\\p.bmp" << true;
        QTest::newRow("up to another subject") << "..\\..\\Histoire\\h.bmp" << true;
        QTest::newRow("up and down again") << "..\\Fractions\\p.bmp" << true;
        QTest::newRow("out of the quiz folder") << "..\\..\\..\\outside\\secret.bmp" << false;
        QTest::newRow("link to a file outside") << "link.bmp" << false;
        QTest::newRow("link to a folder outside") << "linked\\secret.bmp" << false;
        QTest::newRow("link to a file inside") << "inside-link.bmp" << true;
    }
    void picturesStayInsideTheQuizFolders()
    {
        QFETCH(QString, name);
        QFETCH(bool, allowed);
#ifdef Q_OS_WIN
        if (QByteArray(QTest::currentDataTag()).startsWith("link"))
            QSKIP("on Windows Qt makes shortcuts, which file names do not lead through");
#endif
        QTemporaryDir dir;
        const QString root = dir.filePath(QStringLiteral("QCM"));
        const QString quiz = root + QStringLiteral("/Maths/Fractions/");
        const QByteArray bmp = smallBmp();
        QVERIFY(writeFile(quiz + "p.bmp", bmp));
        QVERIFY(writeFile(quiz + "img/p.bmp", bmp));
        QVERIFY(writeFile(root + "/Histoire/h.bmp", bmp));
        QVERIFY(writeFile(dir.filePath(QStringLiteral("outside/secret.bmp")), bmp));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("outside/secret.bmp")), quiz + "link.bmp"));
        QVERIFY(QFile::link(dir.filePath(QStringLiteral("outside")), quiz + "linked"));
        QVERIFY(QFile::link(root + "/Histoire/h.bmp", quiz + "inside-link.bmp"));

        QString error;
        const QString path = pictures::resolvePicture(quiz, name, &error);
        QCOMPARE(!path.isEmpty(), allowed);
        if (!allowed)
            QCOMPARE(error, QString::fromUtf8(pictures::picture_error::OutsideQuizFolders));

        // The window's decodes follow the same rule.
        pictures::PictureQueue queue;
        const pictures::PictureRequest request{quiz, name};
        queue.prefetch(request);
        const std::optional<pictures::DecodedPicture> picture = waitFor(queue, request);
        QVERIFY(picture);
        QCOMPARE(picture->image.isNull(), !allowed);
    }

    void theQueueKeepsOnlyWhatItIsTold()
    {
        QTemporaryDir dir;
        const QString quiz = dir.filePath(QStringLiteral("QCM/S/Q/"));
        QVERIFY(writeFile(quiz + "a.bmp", smallBmp()));
        QVERIFY(writeFile(quiz + "b.bmp", smallBmp()));
        const pictures::PictureRequest a{quiz, QStringLiteral("a.bmp")}, b{quiz, QStringLiteral("b.bmp")},
            missing{quiz, QStringLiteral("none.bmp")};
        pictures::PictureQueue queue;
        queue.prefetch(a);
        queue.prefetch(b);
        queue.prefetch(a);
        QCOMPARE(queue.size(), 2);
        queue.keepOnly({b});
        QCOMPARE(queue.size(), 1);

        std::optional<pictures::DecodedPicture> picture = waitFor(queue, missing);
        QVERIFY(picture && picture->image.isNull());
        QCOMPARE(picture->error, QString::fromUtf8(pictures::picture_error::NotFound));

        picture = waitFor(queue, b);
        QVERIFY(picture);
        QCOMPARE(picture->image.size(), QSize(4, 3));
        QCOMPARE(queue.size(), 0); // handed over, no longer kept
    }

    void allDecodedMeansTakeHandsOverAtOnce()
    {
        QTemporaryDir dir;
        const QString quiz = dir.filePath(QStringLiteral("QCM/S/Q/"));
        QVERIFY(writeFile(quiz + "a.bmp", smallBmp()));
        const pictures::PictureRequest a{quiz, QStringLiteral("a.bmp")};
        pictures::PictureQueue queue;
        QVERIFY(queue.allDecoded());
        queue.prefetch(a);
        QVERIFY(!queue.allDecoded()); // its decode waits for the window to paint
        QTRY_VERIFY(queue.allDecoded());
        const std::optional<pictures::DecodedPicture> picture = queue.take(a);
        QVERIFY(picture);
        QCOMPARE(picture->image.size(), QSize(4, 3));
    }
};

QTEST_MAIN(PictureQueueTest)
#include "picture_queue.moc"
