#include <QApplication>
#include <QTest>

#include "skin/EzRgnBtn.h"
#include "skin/Image.h"
#include "platform/WindowSystem.h"
#include "skin/ShapeWindow.h"
#include "windows/UnitAide.h"

// On a screen of pixel ratio 2 the outline stays in the window's logical
// pixels: Qt doubles window and mask together, while the pictures come from
// the drawings made at 2x.
class SkinShapeHiDpiTest : public QObject
{
    Q_OBJECT
private slots:
    void maskFollowsTheLogicalSize();
    void skinWithItsOwnRatioIsTakenAtLogicalSize();
    void skinsAreShownFromTheirTwiceDetailedDrawing_data();
    void skinsAreShownFromTheirTwiceDetailedDrawing();
    void buttonFacesComeAtTwiceTheDetail();
    void helpPicturesComeAtTwiceTheDetail();
};

namespace {

QImage skinWithHole(QSize size)
{
    QImage skin(size, QImage::Format_RGB32);
    skin.fill(Qt::white);
    for (int x = 0; x < size.width(); ++x) {
        skin.setPixel(x, 0, 0xFFFF00FF);
        skin.setPixel(x, size.height() - 1, 0xFFFF00FF);
    }
    skin.setPixel(10, 10, 0xFFFF00FF);
    return skin;
}

} // namespace

void SkinShapeHiDpiTest::maskFollowsTheLogicalSize()
{
    TShapedForm w;
    auto *image = new TImage(&w);
    image->setAutoSize(true);
    image->setPicture(QPixmap::fromImage(skinWithHole({120, 80})));
    w.ShapeWindow(image->picture().toImage(), 0xFF00FF);
    w.makeDraggableBy(image);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.devicePixelRatio(), 2.0);
    QCOMPARE(w.size(), QSize(120, 80));
    QCOMPARE(image->size(), QSize(120, 80));
    QRegion expected(0, 1, 120, 78);
    expected -= QRegion(10, 10, 1, 1);
    QVERIFY(w.mask().xored(expected).isEmpty());
    // The picture covers the window's full logical surface.
    const QImage shot = w.grab().toImage();
    QCOMPARE(shot.size(), QSize(240, 160));
    QCOMPARE(shot.pixelColor(238, 150), QColor(Qt::white));
}

void SkinShapeHiDpiTest::skinWithItsOwnRatioIsTakenAtLogicalSize()
{
    QImage doubled = skinWithHole({120, 80}).scaled(240, 160);
    doubled.setDevicePixelRatio(2.0);
    TShapedForm w;
    w.ShapeWindow(doubled, 0xFF00FF);
    QCOMPARE(w.size(), QSize(120, 80));
    QRegion expected(0, 1, 120, 78);
    expected -= QRegion(10, 10, 1, 1);
    QVERIFY(w.mask().xored(expected).isEmpty());
}

void SkinShapeHiDpiTest::skinsAreShownFromTheirTwiceDetailedDrawing_data()
{
    QTest::addColumn<QString>("file");
    for (const char *name : {"main", "projector", "correction", "about", "notice"})
        QTest::newRow(name) << QStringLiteral(":/images/skin_%1.png").arg(QLatin1String(name));
}

void SkinShapeHiDpiTest::skinsAreShownFromTheirTwiceDetailedDrawing()
{
    QFETCH(QString, file);
    const QImage skin1x(file);
    QImage skin2x(file.chopped(4) + QStringLiteral("@2x.png"));
    skin2x = skin2x.convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(skin2x.size(), skin1x.size() * 2);

    TShapedForm w;
    auto *image = new TImage(&w);
    image->setAutoSize(true);
    image->setPictureFile(file);
    w.ShapeWindow(image);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Size and outline are the 1x skin's.
    QCOMPARE(w.size(), skin1x.size());
    QVERIFY(w.mask().xored(regionFromSkin(skin1x, SkinKeyColour)).isEmpty());

    const QImage shot = w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    QCOMPARE(shot.size(), skin2x.size());
    const QImage doubled = skin1x.convertToFormat(QImage::Format_ARGB32).scaled(skin2x.size());
    int wrong = 0, unlikeDoubled = 0, keyShown = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb drawn = skin2x.pixel(x, y), seen = shot.pixel(x, y);
            if ((drawn & 0xFFFFFFu) == SkinKeyColour) {
                // An opaque window (where the window system cuts it to its
                // outline itself) shows no key colour inside the outline.
                const bool cut = platform::masksCutWindows()
                                 && (!w.mask().contains(QPoint(x, y) / 2) || (seen & 0xFFFFFFu) != SkinKeyColour);
                keyShown += qAlpha(seen) != 0 && !cut;
                continue;
            }
            wrong += seen != drawn;
            unlikeDoubled += seen != doubled.pixel(x, y);
        }
    }
    QCOMPARE(wrong, 0);
    QCOMPARE(keyShown, 0);
    // Every edge of a stroke or a letter is finer than a doubled 1x pixel.
    QVERIFY2(unlikeDoubled > shot.width() * shot.height() / 50, qPrintable(QString::number(unlikeDoubled)));
}

void SkinShapeHiDpiTest::buttonFacesComeAtTwiceTheDetail()
{
    TEzRgnBtn button;
    button.setFaces(QStringLiteral(":/images/btn_quitter"));
    for (const QPixmap &face : {button.picIdle(), button.picUp(), button.picDown(), button.picDsbld()}) {
        QCOMPARE(face.devicePixelRatio(), 2.0);
        QCOMPARE(face.size(), QSize(170, 88));
    }
    QCOMPARE(button.size(), QSize(85, 44));
}

void SkinShapeHiDpiTest::helpPicturesComeAtTwiceTheDetail()
{
    TForm2 help;
    help.show(); // the guide's pictures come with its first showing
    QVERIFY(QTest::qWaitForWindowExposed(&help));
    for (int i = 1; i <= 16; ++i) {
        auto *image = help.findChild<TImage *>(QStringLiteral("Image%1").arg(i));
        const QPixmap picture = image->picture();
        QCOMPARE(picture.devicePixelRatio(), 2.0);
        // Its logical size is the 100 % picture's: the page keeps its layout.
        const QImage plain(QStringLiteral(":/help/help_%1.png").arg(i, 2, 10, QLatin1Char('0')));
        QCOMPARE(picture.deviceIndependentSize().toSize(), plain.size());
    }
}

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "2");
    QApplication app(argc, argv);
    SkinShapeHiDpiTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "skin_shape_hidpi.moc"
