#include <QDir>
#include <QFile>
#include <QPainter>
#include <QTest>

#include "pictures/DecodeBudget.h"
#include "pictures/PictureLoader.h"

namespace {

const QString Data = QStringLiteral(TAVELOR_TEST_DATA "/pictures/");

QByteArray readData(const QString &name)
{
    QFile file(Data + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QImage onWhite(const QImage &picture)
{
    QImage result(picture.size(), QImage::Format_RGB32);
    result.fill(Qt::white);
    QPainter painter(&result);
    painter.drawImage(0, 0, picture);
    return result;
}

// The share of pixels whose colour is close in both pictures, among those
// that are not white in either (the drawing, not the empty page).
double similarity(const QImage &a, const QImage &b)
{
    qint64 inked = 0, close = 0;
    for (int y = 0; y < a.height(); ++y) {
        const auto *pa = reinterpret_cast<const QRgb *>(a.constScanLine(y));
        const auto *pb = reinterpret_cast<const QRgb *>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            auto blank = [](QRgb c) { return qRed(c) > 230 && qGreen(c) > 230 && qBlue(c) > 230; };
            if (blank(pa[x]) && blank(pb[x]))
                continue;
            ++inked;
            const int d = qAbs(qRed(pa[x]) - qRed(pb[x])) + qAbs(qGreen(pa[x]) - qGreen(pb[x]))
                + qAbs(qBlue(pa[x]) - qBlue(pb[x]));
            if (d < 120)
                ++close;
        }
    }
    return inked ? double(close) / inked : 0;
}

void saveShot(const QImage &picture, const QString &name)
{
    if (QDir(QStringLiteral("/work/shots")).exists())
        onWhite(picture).save(QStringLiteral("/work/shots/") + name);
}

// EMF record helpers for hand-made files.
void put32(QByteArray &out, quint32 v)
{
    for (int i = 0; i < 4; ++i)
        out.append(char(v >> (8 * i)));
}

QByteArray emfHeader(int widthMm100, int heightMm100, quint32 handles = 4)
{
    QByteArray h;
    put32(h, 1);
    put32(h, 88);
    for (int v : {0, 0, 100, 100, 0, 0, widthMm100, heightMm100})
        put32(h, quint32(v));
    put32(h, 0x464D4520);
    put32(h, 0x10000);
    put32(h, 0); // bytes, patched by the caller when it matters
    put32(h, 0);
    h.append(char(handles)).append(char(0)).append(char(0)).append(char(0));
    put32(h, 0);
    put32(h, 0);
    put32(h, 0);
    for (int v : {96 * 10, 96 * 10, 254, 254}) // 96 pixels per inch
        put32(h, quint32(v));
    return h;
}

QByteArray emfRecord(quint32 type, std::initializer_list<qint32> values)
{
    QByteArray r;
    put32(r, type);
    put32(r, quint32(8 + 4 * values.size()));
    for (qint32 v : values)
        put32(r, quint32(v));
    return r;
}

QByteArray emfEof()
{
    return emfRecord(14, {0, 16, 20});
}

} // namespace

class PictureMetafilesTest : public QObject
{
    Q_OBJECT
private slots:
    void inkscapeDrawingsLookLikeTheirSource_data()
    {
        QTest::addColumn<QString>("metafile");
        QTest::addColumn<QSize>("size");
        const QSize a4(794, 1123), gears(745, 1054);
        QTest::newRow("art-nouveau-P3.emf") << QStringLiteral("art-nouveau-P3.emf") << a4;
        QTest::newRow("art-nouveau-P3.wmf") << QStringLiteral("art-nouveau-P3.wmf") << a4;
        QTest::newRow("live-path-effects-gears.emf") << QStringLiteral("live-path-effects-gears.emf") << gears;
        QTest::newRow("live-path-effects-gears.wmf") << QStringLiteral("live-path-effects-gears.wmf") << gears;
    }
    void inkscapeDrawingsLookLikeTheirSource()
    {
        QFETCH(QString, metafile);
        QFETCH(QSize, size);
        QString error;
        const QImage picture = pictures::loadPicture(Data + metafile, &error);
        QVERIFY2(!picture.isNull(), qPrintable(error));
        // The frame gives the drawing's own size at 96 dpi.
        QVERIFY(qAbs(picture.width() - size.width()) <= 2);
        QVERIFY(qAbs(picture.height() - size.height()) <= 2);

        const QString base = metafile.left(metafile.lastIndexOf(QLatin1Char('.')));
        const QImage reference = QImage(Data + base + QStringLiteral(".reference.png"))
                                     .convertToFormat(QImage::Format_RGB32);
        QVERIFY(!reference.isNull());
        const QImage drawn = onWhite(picture);
        saveShot(drawn, QStringLiteral("metafile-") + QString(metafile).replace(QLatin1Char('.'), QLatin1Char('-'))
                     + QStringLiteral(".png"));
        const QImage halved = drawn.scaled(reference.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation)
                                  .convertToFormat(QImage::Format_RGB32);
        const double share = similarity(halved, reference);
        QVERIFY2(share > 0.8, qPrintable(QStringLiteral("%1 of the drawing matches").arg(share)));
        // The measure does see a wrong drawing.
        QVERIFY(similarity(halved.mirrored(true, true), reference) < 0.6);
    }

    void seedMetafilesTakeTheirOwnSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        // A 300 x 200 mm frame; an 800 x 600 window at 1440 units per inch;
        // without a placeable header, the window itself, as it fits the page.
        QTest::newRow("emf frame") << "emf/text-arcs-blits.emf" << QSize(1134, 756);
        QTest::newRow("placeable wmf") << "wmf/text-arcs-blits.wmf" << QSize(53, 40);
        QTest::newRow("wmf without placeable header") << "wmf/no-placeable-header.wmf" << QSize(800, 600);
        QTest::newRow("inkscape emf") << "emf/inkscape-shapes.emf" << QSize(121, 91);
        QTest::newRow("inkscape wmf") << "wmf/inkscape-shapes.wmf" << QSize(120, 90);
    }
    void seedMetafilesTakeTheirOwnSize()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        QString error;
        const QImage picture = pictures::loadPicture(QStringLiteral(TAVELOR_SOURCE_DIR "/fuzz/corpus/") + name, &error);
        QVERIFY2(!picture.isNull(), qPrintable(error));
        QCOMPARE(picture.size(), size);
        saveShot(picture.scaled(picture.size() * 2), QStringLiteral("metafile-seed-")
                     + QString(name).replace(QLatin1Char('/'), QLatin1Char('-')) + QStringLiteral(".png"));
    }

    void emfMappingModesAndShapesLandWhereExpected()
    {
        // 2 cm square at 96 dpi: 76 pixels. Anisotropic mapping of a
        // 1000-unit window onto it, a red filled rectangle in the top-left
        // quarter, a blue ellipse in the bottom-right one.
        QByteArray emf = emfHeader(2000, 2000);
        emf += emfRecord(17, {8});                                  // SETMAPMODE anisotropic
        emf += emfRecord(9, {1000, 1000});                          // SETWINDOWEXTEX
        emf += emfRecord(11, {76, 76});                             // SETVIEWPORTEXTEX
        emf += emfRecord(39, {1, 0, 0x0000FF, 0});                  // red brush
        emf += emfRecord(37, {1});
        emf += emfRecord(37, {qint32(0x80000008)});                 // NULL_PEN
        emf += emfRecord(43, {0, 0, 500, 500});                     // RECTANGLE
        emf += emfRecord(39, {2, 0, 0xFF0000, 0});                  // blue brush
        emf += emfRecord(37, {2});
        emf += emfRecord(42, {500, 500, 1000, 1000});               // ELLIPSE
        emf += emfEof();
        QString error;
        const QImage picture = pictures::decodePicture(emf, pictures::PictureFormat::Emf, &error);
        QVERIFY2(!picture.isNull(), qPrintable(error));
        QCOMPARE(picture.size(), QSize(76, 76));
        QCOMPARE(picture.pixel(10, 10), qRgb(255, 0, 0));
        QCOMPARE(picture.pixel(57, 57), qRgb(0, 0, 255));
        QCOMPARE(qAlpha(picture.pixel(57, 10)), 0);  // nothing drawn: transparent
        QCOMPARE(qAlpha(picture.pixel(40, 74)), 0);  // outside the ellipse
    }

    // A dashed line millions of pixels long, nearly all of it off the
    // picture, shows over the picture the same dashes as a short one, and
    // costs no more than the part that shows.
    void aDashedLineFarLargerThanThePictureKeepsItsDashes()
    {
        auto dashedLine = [](qint32 from, qint32 to) {
            QByteArray emf = emfHeader(2000, 2000);
            emf += emfRecord(17, {8});                              // SETMAPMODE anisotropic
            emf += emfRecord(9, {1000, 1000});                      // a pixel for 10 units
            emf += emfRecord(11, {100, 100});
            emf += emfRecord(38, {1, 1, 20, 0, 0x000000});          // CREATEPEN PS_DASH, 2 pixels, black
            emf += emfRecord(37, {1});
            emf += emfRecord(27, {from, 380});                      // MOVETOEX
            emf += emfRecord(54, {to, 380});                        // LINETO
            emf += emfEof();
            // A budget the short line needs a small part of: cut into
            // millions of dashes, the long one would overrun it.
            pictures::DecodeBudget budget(500);
            return pictures::decodePicture(emf, pictures::PictureFormat::Emf, nullptr, &budget);
        };
        auto row = [](const QImage &picture) {
            QString ink;
            for (int x = 0; x < picture.width(); ++x)
                ink += qAlpha(picture.pixel(x, 38)) > 128 ? QLatin1Char('#') : QLatin1Char('.');
            return ink;
        };
        const QImage huge = dashedLine(-100'000'000, 100'000'000);
        const QImage across = dashedLine(0, 760);
        QVERIFY(!huge.isNull() && !across.isNull());
        // The same dashes, wherever the pattern starts.
        const QString dashes = row(across).mid(10, 48);
        QVERIFY2(dashes.contains(QStringLiteral("..##########..")), qPrintable(dashes));
        QVERIFY2(row(huge).contains(dashes.mid(0, 42)), qPrintable(row(huge) + QLatin1Char(' ') + dashes));
    }

    void emfSavedStateAndClippingAreRestored()
    {
        QByteArray emf = emfHeader(2000, 2000);
        emf += emfRecord(39, {1, 0, 0x00FF00, 0});                  // green brush
        emf += emfRecord(37, {1});
        emf += emfRecord(37, {qint32(0x80000008)});
        emf += emfRecord(33, {});                                   // SAVEDC
        emf += emfRecord(30, {0, 0, 38, 76});                       // INTERSECTCLIPRECT left half
        emf += emfRecord(43, {0, 0, 76, 20});                       // clipped to the left half
        emf += emfRecord(34, {-1});                                 // RESTOREDC
        emf += emfRecord(43, {0, 40, 76, 60});                      // full width again
        emf += emfEof();
        const QImage picture = pictures::decodePicture(emf, pictures::PictureFormat::Emf);
        QVERIFY(!picture.isNull());
        QCOMPARE(picture.pixel(10, 10), qRgb(0, 255, 0));
        QCOMPARE(qAlpha(picture.pixel(60, 10)), 0);
        QCOMPARE(picture.pixel(60, 50), qRgb(0, 255, 0));
    }

    void emfGradientsAndKeyedBitmapsAreDrawn()
    {
        QByteArray emf = emfHeader(2000, 2000);
        // GRADIENTFILL, horizontal: red at x = 0 to blue at x = 76, top half.
        emf += emfRecord(118, {0, 0, 0, 0, 2, 1, 0,
                               0, 0, 0xFF00, 0,     // red: 16-bit red | green, blue | alpha
                               76, 38, 0, 0xFF00,   // blue
                               0, 1});
        // TRANSPARENTBLT of a 2 x 1 DIB, green and white, white left out.
        const int infoOffset = 8 + 100;
        QByteArray blt = emfRecord(116, {0, 0, 0, 0, 0, 40, 76, 36, 0x00FFFFFF, 0, 0,
                                         0x3F800000, 0, 0, 0x3F800000, 0, 0, 0, 0,
                                         infoOffset, 40, infoOffset + 40, 8, 2, 1});
        blt += emfRecord(0, {40, 2, 1, 0x00180001, 0, 0, 0, 0, 0, 0}).mid(8);
        blt += QByteArray("\x00\xC0\x00\xFF\xFF\xFF\x00\x00", 8);
        blt[4] = char(blt.size());
        emf += blt;
        emf += emfEof();
        QString error;
        const QImage picture = pictures::decodePicture(emf, pictures::PictureFormat::Emf, &error);
        QVERIFY2(!picture.isNull(), qPrintable(error));
        const QColor left = picture.pixelColor(2, 10), right = picture.pixelColor(73, 10);
        QVERIFY2(left.red() > 200 && left.blue() < 50, qPrintable(left.name()));
        QVERIFY2(right.blue() > 200 && right.red() < 50, qPrintable(right.name()));
        QCOMPARE(picture.pixelColor(10, 58), QColor(0, 0xC0, 0));
        QCOMPARE(picture.pixelColor(65, 58).alpha(), 0);
    }

    void emfRegionsAndAngleArcsAreDrawn()
    {
        QByteArray emf = emfHeader(2000, 2000);
        emf += emfRecord(39, {1, 0, 0x00FF00, 0});                  // green brush, not selected
        emf += emfRecord(71, {0, 0, 0, 0, 64, 1,                     // FILLRGN, two rectangles
                              32, 1, 2, 32, 0, 0, 70, 70,
                              0, 0, 20, 20, 50, 50, 70, 70});
        emf += emfRecord(38, {2, 0, 3, 0, 0x0000FF});               // red pen, 3 units
        emf += emfRecord(37, {2});
        emf += emfRecord(27, {38, 38});                              // MOVETOEX
        emf += emfRecord(41, {38, 38, 30, 0, 0x42B40000});           // ANGLEARC 0 to 90 degrees
        emf += emfEof();
        QString error;
        const QImage picture = pictures::decodePicture(emf, pictures::PictureFormat::Emf, &error);
        QVERIFY2(!picture.isNull(), qPrintable(error));
        QCOMPARE(picture.pixelColor(10, 10), QColor(Qt::green));
        QCOMPARE(picture.pixelColor(60, 60), QColor(Qt::green));
        QCOMPARE(picture.pixelColor(35, 30).alpha(), 0);
        QVERIFY(picture.pixelColor(53, 38).red() > 200);             // the line to the arc
        QVERIFY(picture.pixelColor(59, 17).red() > 200);             // the arc at 45 degrees
        QCOMPARE(picture.pixelColor(17, 59).alpha(), 0);             // not at 225 degrees
    }

    void textStaysUprightWhenTheMappingTurnsYUp()
    {
        // MM_LOMETRIC: tenths of a millimetre, y upwards. "HI", 1 cm high,
        // baseline at 2 mm from the left and 15 mm from the top.
        QByteArray emf = emfHeader(3000, 2000);
        emf += emfRecord(17, {2});
        QByteArray font = emfRecord(82, {1, -100, 0, 0, 0, 400, 0, 0});
        font += QByteArray("L\0i\0b\0e\0r\0a\0t\0i\0o\0n\0 \0S\0a\0n\0s\0", 30) + QByteArray(34, 0);
        font[4] = char(font.size());
        emf += font;
        emf += emfRecord(37, {1});
        emf += emfRecord(22, {24}); // TA_BASELINE
        const int stringOffset = 8 + 16 + 12 + 40;
        QByteArray text = emfRecord(84, {0, 0, 0, 0, 1, 0, 0, 20, -150, 2, stringOffset, 0, 0, 0, 0, 0, 0});
        text += QByteArray("H\0I\0", 4);
        text[4] = char(text.size());
        emf += text;
        emf += emfEof();
        QString error;
        const QImage picture = pictures::decodePicture(emf, pictures::PictureFormat::Emf, &error);
        QVERIFY2(!picture.isNull(), qPrintable(error));
        saveShot(picture, QStringLiteral("metafile-text-y-up.png"));
        QRect ink;
        for (int y = 0; y < picture.height(); ++y)
            for (int x = 0; x < picture.width(); ++x)
                if (qAlpha(picture.pixel(x, y)) > 128 && qGray(picture.pixel(x, y)) < 128)
                    ink |= QRect(x, y, 1, 1);
        // Black capitals (on the default opaque white background) stand on the
        // baseline (y = 57) and reach up about 27 pixels.
        QVERIFY2(ink.bottom() <= 58 && ink.bottom() >= 54, qPrintable(QString::number(ink.bottom())));
        QVERIFY2(ink.top() >= 24 && ink.top() <= 34, qPrintable(QString::number(ink.top())));
        QVERIFY(ink.left() >= 7 && ink.left() <= 12);
        // An upside-down H and I would still fill this box; the I is to the right.
        QVERIFY(ink.width() > 20);
    }

    void damagedMetafilesFail_data()
    {
        QTest::addColumn<QByteArray>("data");
        QTest::addColumn<int>("format");
        const QByteArray good = emfHeader(2000, 2000) + emfRecord(43, {0, 0, 10, 10}) + emfEof();
        const int emf = int(pictures::PictureFormat::Emf), wmf = int(pictures::PictureFormat::Wmf);
        QTest::newRow("emf cut in a record") << good.left(good.size() - 30) << emf;
        QTest::newRow("emf without end record") << good.left(good.size() - 20) << emf;
        QByteArray longRecord = good;
        longRecord[88 + 4] = char(0x40); // RECTANGLE claims 64 bytes
        QTest::newRow("emf record longer than the file") << longRecord << emf;
        QByteArray shortRecord = emfHeader(2000, 2000) + emfRecord(43, {0, 0}) + emfEof();
        QTest::newRow("emf record shorter than its fields") << shortRecord << emf;
        QTest::newRow("emf polygon counting more points than it holds")
            << emfHeader(2000, 2000) + emfRecord(3, {0, 0, 0, 0, 1000, 0, 0}) + emfEof() << emf;
        QByteArray badSignature = good;
        badSignature[40] = 'X';
        QTest::newRow("emf with a bad signature") << badSignature << emf;
        QTest::newRow("emf without frame or bounds")
            << emfHeader(0, 0).replace(8, 16, QByteArray(16, 0)) + emfEof() << emf;

        const QByteArray gears = readData(QStringLiteral("live-path-effects-gears.wmf"));
        QVERIFY(!gears.isEmpty());
        QTest::newRow("wmf cut short") << gears.left(gears.size() / 2) << wmf;
        QByteArray zeroInch = gears;
        zeroInch[14] = 0;
        zeroInch[15] = 0;
        QTest::newRow("wmf with zero units per inch") << zeroInch << wmf;
        QTest::newRow("wmf without header") << gears.mid(22, 10) << wmf;
    }
    void damagedMetafilesFail()
    {
        QFETCH(QByteArray, data);
        QFETCH(int, format);
        QString error;
        QVERIFY(pictures::decodePicture(data, pictures::PictureFormat(format), &error).isNull());
        QCOMPARE(error, QStringLiteral("Image endommagée"));
    }

    void oversizedFramesFailBeforeDrawing()
    {
        // A frame of 10 metres a side.
        const QByteArray emf = emfHeader(1000000, 1000000) + emfEof();
        QString error;
        QVERIFY(pictures::decodePicture(emf, pictures::PictureFormat::Emf, &error).isNull());
        QCOMPARE(error, QStringLiteral("Image trop grande"));

        QByteArray wmf = readData(QStringLiteral("live-path-effects-gears.wmf"));
        wmf[14] = 1; // one unit per inch: 9300 inches wide
        wmf[15] = 0;
        QVERIFY(pictures::decodePicture(wmf, pictures::PictureFormat::Wmf, &error).isNull());
        QCOMPARE(error, QStringLiteral("Image trop grande"));
    }

    void endlessMetafilesStopAtTheRecordBound()
    {
        // Two million SAVEDC records: each is cheap, together they are too many.
        QByteArray emf = emfHeader(2000, 2000);
        const QByteArray save = emfRecord(33, {});
        emf.reserve(emf.size() + 2'000'000 * save.size());
        for (int i = 0; i < 2'000'000; ++i)
            emf += save;
        emf += emfEof();
        QString error;
        QVERIFY(pictures::decodePicture(emf, pictures::PictureFormat::Emf, &error).isNull());
        QCOMPARE(error, QStringLiteral("Image trop complexe"));
    }
};

QTEST_MAIN(PictureMetafilesTest)
#include "picture_metafiles.moc"
