#include <QDir>
#include <QFile>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <QTest>

#include "editor/PictureImport.h"
#include "pictures/PictureLoader.h"

using namespace editor;

namespace {

QImage photograph(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y, qRgb((x * 7) % 256, (y * 3) % 256, (x + y) % 256));
    return image;
}

QImage drawing(int width, int height)
{
    QImage image(width, height, QImage::Format_ARGB32);
    image.fill(Qt::transparent);
    QPainter painter(&image);
    painter.fillRect(10, 10, width / 2, height / 2, Qt::red);
    painter.fillRect(width / 2, height / 2, width / 3, height / 3, Qt::blue);
    return image;
}

QByteArray fileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace

// Pictures a teacher picks, as they arrive beside the quiz.
class EditorPicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void safeNames_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<int>("maxLength");
        QTest::addColumn<QString>("safe");
        QTest::newRow("accents and blanks") << QStringLiteral("Château de Chambord") << 40 << QStringLiteral("chateau_de_chambord");
        QTest::newRow("punctuation runs") << QStringLiteral("  été (2024) -- vue!! ") << 40 << QStringLiteral("ete_2024_--_vue");
        QTest::newRow("ligature") << QStringLiteral("Œuvre") << 40 << QStringLiteral("oeuvre");
        QTest::newRow("nothing left") << QStringLiteral("北京") << 40 << QStringLiteral("image");
        QTest::newRow("cut without trailing underscore") << QStringLiteral("abcd efgh") << 5 << QStringLiteral("abcd");
        QTest::newRow("path separators") << QStringLiteral("..\\..\\windows") << 40 << QStringLiteral("windows");
    }

    void safeNames()
    {
        QFETCH(QString, name);
        QFETCH(int, maxLength);
        QFETCH(QString, safe);
        QCOMPARE(safeBaseName(name, maxLength), safe);
    }

    void picturesBecomeWhatThePlayerShows_data()
    {
        QTest::addColumn<QImage>("image");
        QTest::addColumn<QString>("fileName");
        QTest::addColumn<QString>("recordName");
        QTest::addColumn<QSize>("storedSize");
        QTest::newRow("photograph in PNG becomes JPEG")
            << photograph(400, 300) << QStringLiteral("Vacances à la mer.png")
            << QStringLiteral("images\\vacances_a_la_mer.jpg") << QSize(400, 300);
        QTest::newRow("drawing in PNG becomes BMP")
            << drawing(200, 100) << QStringLiteral("schéma.png") << QStringLiteral("images\\schema.bmp") << QSize(200, 100);
        QTest::newRow("large photograph is scaled down")
            << photograph(4000, 1000) << QStringLiteral("panorama.jpg") << QStringLiteral("images\\panorama.jpg")
            << QSize(1600, 400);
        QTest::newRow("long name fits the record")
            << drawing(50, 50) << QStringLiteral("%1.png").arg(QString(80, QLatin1Char('x')))
            << QStringLiteral("images\\%1.bmp").arg(QString(50 - 11, QLatin1Char('x'))) << QSize(50, 50);
    }

    void picturesBecomeWhatThePlayerShows()
    {
        QFETCH(QImage, image);
        QFETCH(QString, fileName);
        QFETCH(QString, recordName);
        QFETCH(QSize, storedSize);
        QTemporaryDir source, quiz;
        const QString path = source.filePath(fileName);
        QVERIFY(image.save(path));
        const PictureResult result = importPicture(path, quiz.path());
        QCOMPARE(result.error, QString());
        QCOMPARE(result.recordName, recordName);
        QVERIFY(result.recordName.size() <= 50);
        QString error;
        const QImage shown = pictures::loadPicture(pictures::picturePath(quiz.path(), result.recordName), &error);
        QVERIFY2(!shown.isNull(), qPrintable(error));
        QCOMPARE(shown.size(), storedSize);
    }

    void shownPicturesAreCopiedAsTheyAre()
    {
        QTemporaryDir source, quiz;
        const QString path = source.filePath(QStringLiteral("Carte.BMP"));
        QVERIFY(drawing(120, 80).convertToFormat(QImage::Format_RGB888).save(path, "BMP"));
        const PictureResult result = importPicture(path, quiz.path());
        QCOMPARE(result.recordName, QStringLiteral("images\\carte.bmp"));
        QCOMPARE(fileBytes(quiz.filePath(QStringLiteral("images/carte.bmp"))), fileBytes(path));
    }

    void sameNameKeepsEachPicture()
    {
        QTemporaryDir one, two, quiz;
        QVERIFY(drawing(60, 60).save(one.filePath(QStringLiteral("plan.png"))));
        QVERIFY(drawing(90, 30).save(two.filePath(QStringLiteral("plan.png"))));
        QCOMPARE(importPicture(one.filePath(QStringLiteral("plan.png")), quiz.path()).recordName,
            QStringLiteral("images\\plan.bmp"));
        // The same picture again is not copied twice; another one gets its own name.
        QCOMPARE(importPicture(one.filePath(QStringLiteral("plan.png")), quiz.path()).recordName,
            QStringLiteral("images\\plan.bmp"));
        QCOMPARE(importPicture(two.filePath(QStringLiteral("plan.png")), quiz.path()).recordName,
            QStringLiteral("images\\plan_2.bmp"));
        QCOMPARE(QDir(quiz.filePath(QStringLiteral("images"))).entryList(QDir::Files).size(), 2);
    }

    void unreadableFilesAreRefused()
    {
        QTemporaryDir source, quiz;
        const QString path = source.filePath(QStringLiteral("notes.jpg"));
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("pas une image");
        file.close();
        const PictureResult result = importPicture(path, quiz.path());
        QVERIFY(result.recordName.isEmpty());
        QVERIFY(result.error.contains(QStringLiteral("notes.jpg")));
        QVERIFY(!QFileInfo::exists(quiz.filePath(QStringLiteral("images/notes.jpg"))));
    }
};

QTEST_MAIN(EditorPicturesTest)
#include "editor_pictures.moc"
