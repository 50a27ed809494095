#include <QApplication>
#include <QTest>

#include "skin/Image.h"
#include "skin/ShapeWindow.h"

// At 150 % the skins are scaled smoothly from their 2x drawing: no key
// colour bleeds into their edge and nothing inside the outline is see-through.
class SkinShapeFractionalTest : public QObject
{
    Q_OBJECT
private slots:
    void skinsAreSmoothWithoutFringeOrHole_data();
    void skinsAreSmoothWithoutFringeOrHole();
};

void SkinShapeFractionalTest::skinsAreSmoothWithoutFringeOrHole_data()
{
    QTest::addColumn<QString>("file");
    for (const char *name : {"main", "projector", "correction", "about", "notice"})
        QTest::newRow(name) << QStringLiteral(":/images/skin_%1.png").arg(QLatin1String(name));
}

void SkinShapeFractionalTest::skinsAreSmoothWithoutFringeOrHole()
{
    QFETCH(QString, file);
    TShapedForm w;
    auto *image = new TImage(&w);
    image->setAutoSize(true);
    image->setPictureFile(file);
    w.ShapeWindow(image);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.devicePixelRatio(), 1.5);
    QCOMPARE(w.size(), QImage(file).size());
    QCOMPARE(image->picture().devicePixelRatio(), 1.5);

    const QImage shot = w.grab().toImage().convertToFormat(QImage::Format_ARGB32);
    // Logical pixels well inside the outline: the pixel and its neighbours.
    QRegion inside = w.mask();
    for (const QPoint &shift : {QPoint(1, 1), QPoint(-1, -1), QPoint(1, -1), QPoint(-1, 1)})
        inside &= w.mask().translated(shift);
    int fringe = 0, holes = 0;
    for (int y = 0; y < shot.height(); ++y) {
        for (int x = 0; x < shot.width(); ++x) {
            const QRgb p = shot.pixel(x, y);
            const QColor c = QColor::fromRgba(p);
            if (qAlpha(p) > 0 && c.red() > 0xB0 && c.green() < 0x50 && c.blue() > 0xB0)
                ++fringe;
            // Smoothing may soften the outline by a pixel, never see through.
            if (inside.contains(QPoint(int(x / 1.5), int(y / 1.5))) && qAlpha(p) < 128)
                ++holes;
        }
    }
    QCOMPARE(fringe, 0);
    QCOMPARE(holes, 0);
}

int main(int argc, char **argv)
{
    qputenv("QT_SCALE_FACTOR", "1.5");
    QApplication app(argc, argv);
    SkinShapeFractionalTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "skin_shape_fractional.moc"
