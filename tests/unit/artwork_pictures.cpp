#include <QImage>
#include <QRect>
#ifdef TAVELOR_HAVE_SVG
#include <QSvgRenderer>
#endif
#include <QTest>

// The pictures compiled into the program: skins cut by the key colour,
// region button faces and icons.

namespace {

constexpr QRgb kKey = 0xff00ff;

QImage picture(const QString &name)
{
    return QImage(QStringLiteral(":/images/") + name);
}

bool isKey(QRgb pixel)
{
    return (pixel & 0xffffff) == kKey;
}

// Close enough to magenta to be mistaken for it on screen, but not the key:
// such a pixel would show as a pink fringe around the window.
bool nearKey(QRgb pixel)
{
    return qRed(pixel) > 190 && qGreen(pixel) < 70 && qBlue(pixel) > 190 && !isKey(pixel);
}

QString at(int x, int y)
{
    return QStringLiteral("(%1, %2)").arg(x).arg(y);
}

} // namespace

class ArtworkPicturesTest : public QObject
{
    Q_OBJECT

private slots:
    void skinIsCutByAnExactKeyColour_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("main") << QStringLiteral("skin_main.png") << QSize(843, 524);
        QTest::newRow("projector") << QStringLiteral("skin_projector.png") << QSize(539, 430);
        QTest::newRow("correction") << QStringLiteral("skin_correction.png") << QSize(313, 201);
        QTest::newRow("about") << QStringLiteral("skin_about.png") << QSize(400, 400);
        QTest::newRow("notice") << QStringLiteral("skin_notice.png") << QSize(346, 220);
    }

    void skinIsCutByAnExactKeyColour()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QImage skin = picture(name);
        QVERIFY2(!skin.isNull(), qPrintable(name));
        QCOMPARE(skin.size(), size);
        // An alpha channel would make the key comparison depend on it.
        QVERIFY(!skin.hasAlphaChannel());

        const int w = skin.width(), h = skin.height();
        for (int x = 0; x < w; ++x) {
            QVERIFY2(isKey(skin.pixel(x, 0)), qPrintable(at(x, 0)));
            QVERIFY2(isKey(skin.pixel(x, h - 1)), qPrintable(at(x, h - 1)));
        }
        for (int y = 0; y < h; ++y) {
            QVERIFY2(isKey(skin.pixel(0, y)), qPrintable(at(0, y)));
            QVERIFY2(isKey(skin.pixel(w - 1, y)), qPrintable(at(w - 1, y)));
        }

        // Every pixel is exactly the key or clearly not magenta, and the
        // window is a real shape: the corners are cut, the middle is kept.
        int keyed = 0;
        for (int y = 0; y < h; ++y) {
            for (int x = 0; x < w; ++x) {
                const QRgb px = skin.pixel(x, y);
                QVERIFY2(!nearKey(px), qPrintable(at(x, y) + QStringLiteral(" is almost the key colour")));
                keyed += isKey(px);
            }
        }
        QVERIFY(isKey(skin.pixel(2, 2)));
        QVERIFY(isKey(skin.pixel(w - 3, h - 3)));
        QVERIFY(!isKey(skin.pixel(w / 2, h / 2)));
        QVERIFY2(keyed < w * h / 10, "most of the skin must belong to the window");
    }

    // A key pixel inside the panel would punch a hole through which clicks
    // fall to the window beneath: every key pixel must join the outer frame.
    void skinHasNoHoles_data() { skinIsCutByAnExactKeyColour_data(); }

    void skinHasNoHoles()
    {
        QFETCH(QString, name);
        const QImage skin = picture(name);
        QVERIFY(!skin.isNull());
        const int w = skin.width(), h = skin.height();
        QList<bool> seen(w * h, false);
        QList<QPoint> todo;
        for (int x = 0; x < w; ++x)
            todo << QPoint(x, 0) << QPoint(x, h - 1);
        for (int y = 0; y < h; ++y)
            todo << QPoint(0, y) << QPoint(w - 1, y);
        while (!todo.isEmpty()) {
            const QPoint p = todo.takeLast();
            if (p.x() < 0 || p.y() < 0 || p.x() >= w || p.y() >= h || seen[p.y() * w + p.x()]
                || !isKey(skin.pixel(p)))
                continue;
            seen[p.y() * w + p.x()] = true;
            todo << p + QPoint(1, 0) << p - QPoint(1, 0) << p + QPoint(0, 1) << p - QPoint(0, 1);
        }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                QVERIFY2(!isKey(skin.pixel(x, y)) || seen[y * w + x], qPrintable(at(x, y)));
    }

    void skinKeepsEveryControlInsideTheWindow_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("control");
        auto row = [](const char *tag, const char *skin, QRect r) {
            QTest::newRow(tag) << QString::fromLatin1(skin) << r;
        };
        row("main: Quitter", "skin_main.png", {16, 64, 85, 44});
        row("main: Fichier", "skin_main.png", {11, 39, 57, 20});
        row("main: Paramétrer", "skin_main.png", {76, 35, 90, 25});
        row("main: title", "skin_main.png", {275, 16, 116, 20});
        row("main: status", "skin_main.png", {688, 48, 70, 16});
        row("main: result", "skin_main.png", {104, 474, 114, 20});
        row("main: file and mode tool bars", "skin_main.png", {112, 68, 112, 33});
        row("main: Notebook1", "skin_main.png", {24, 128, 297, 345});
        row("main: Notebook2", "skin_main.png", {347, 81, 478, 400});
        row("main: quiz buttons", "skin_main.png", {528, 488, 265, 30});
        row("correction: title", "skin_correction.png", {152, 24, 84, 20});
        row("correction: close", "skin_correction.png", {256, 16, 38, 39});
        row("correction: text", "skin_correction.png", {16, 72, 209, 105});
        row("projector: title", "skin_projector.png", {304, 24, 140, 16});
        row("projector: close", "skin_projector.png", {480, 16, 38, 39});
        row("projector: frame", "skin_projector.png", {16, 74, 441, 321});
        row("about: heading", "skin_about.png", {24, 16, 242, 24});
        row("about: credit", "skin_about.png", {16, 376, 187, 13});
        row("notice: heading", "skin_notice.png", {40, 24, 265, 20});
        row("notice: progress", "skin_notice.png", {104, 184, 159, 16});
    }

    void skinKeepsEveryControlInsideTheWindow()
    {
        QFETCH(QString, name);
        QFETCH(QRect, control);
        const QImage skin = picture(name);
        QVERIFY(!skin.isNull());
        for (int y = control.top(); y <= control.bottom(); ++y)
            for (int x = control.left(); x <= control.right(); ++x)
                QVERIFY2(!isKey(skin.pixel(x, y)), qPrintable(at(x, y)));
    }

    void buttonHasFourFacesOfItsSize_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QSize>("size");
        QTest::newRow("quitter") << QStringLiteral("quitter") << QSize(85, 44);
        QTest::newRow("commencer") << QStringLiteral("commencer") << QSize(89, 30);
        QTest::newRow("suivante") << QStringLiteral("suivante") << QSize(53, 30);
        QTest::newRow("precedente") << QStringLiteral("precedente") << QSize(53, 30);
        QTest::newRow("correction") << QStringLiteral("correction") << QSize(89, 30);
        QTest::newRow("fichier") << QStringLiteral("fichier") << QSize(57, 20);
        QTest::newRow("parametrer") << QStringLiteral("parametrer") << QSize(90, 25);
        QTest::newRow("aide") << QStringLiteral("aide") << QSize(44, 21);
        QTest::newRow("bilan") << QStringLiteral("bilan") << QSize(116, 31);
        QTest::newRow("valider") << QStringLiteral("valider") << QSize(53, 30);
        QTest::newRow("fermer") << QStringLiteral("fermer") << QSize(38, 39);
    }

    void buttonHasFourFacesOfItsSize()
    {
        QFETCH(QString, button);
        QFETCH(QSize, size);
        QImage faces[4];
        const char *states[] = {"idle", "up", "down", "dsbld"};
        for (int i = 0; i < 4; ++i) {
            const QString name = QStringLiteral("btn_%1_%2.png").arg(button, QLatin1String(states[i]));
            faces[i] = picture(name);
            QVERIFY2(!faces[i].isNull(), qPrintable(name));
            QCOMPARE(faces[i].size(), size);
            // Drawn whole in normal paint mode: no transparency to leave holes.
            QVERIFY2(!faces[i].hasAlphaChannel(), qPrintable(name));
        }
        // Each state must look different from the idle face.
        for (int i = 1; i < 4; ++i)
            QVERIFY2(faces[i] != faces[0], states[i]);
    }

    void buttonCornersBlendIntoTheSurfaceBelow_data()
    {
        QTest::addColumn<QString>("button");
        QTest::addColumn<QString>("skin");
        QTest::addColumn<QPoint>("place");
        auto row = [](const char *button, const char *skin, QPoint place) {
            QTest::newRow(QByteArray(button).append(" on ").append(skin).constData())
                << QString::fromLatin1(button) << QString::fromLatin1(skin) << place;
        };
        row("quitter", "skin_main.png", {16, 64});
        row("commencer", "skin_main.png", {704, 488});
        row("suivante", "skin_main.png", {632, 488});
        row("precedente", "skin_main.png", {528, 488});
        row("correction", "skin_main.png", {560, 488});
        row("fichier", "skin_main.png", {11, 39});
        row("parametrer", "skin_main.png", {76, 35});
        row("aide", "skin_main.png", {634, 38});
        row("fermer", "skin_correction.png", {256, 16});
        row("fermer", "skin_projector.png", {480, 16});
    }

    void buttonCornersBlendIntoTheSurfaceBelow()
    {
        QFETCH(QString, button);
        QFETCH(QString, skin);
        QFETCH(QPoint, place);
        const QImage ground = picture(skin);
        for (const char *state : {"idle", "up", "down", "dsbld"}) {
            const QImage face = picture(QStringLiteral("btn_%1_%2.png").arg(button, QLatin1String(state)));
            QVERIFY(!face.isNull());
            const int w = face.width() - 1, h = face.height() - 1;
            for (QPoint corner : {QPoint(0, 0), QPoint(w, 0), QPoint(0, h), QPoint(w, h)}) {
                // The very corner pixel is outside the rounded face; a shadow
                // may darken it a little, but it must stay the surface's colour.
                const QRgb a = face.pixel(corner), b = ground.pixel(place + corner);
                const int diff = qAbs(qRed(a) - qRed(b)) + qAbs(qGreen(a) - qGreen(b))
                                 + qAbs(qBlue(a) - qBlue(b));
                QVERIFY2(diff <= 24, qPrintable(QStringLiteral("%1 corner ").arg(QLatin1String(state))
                                                + at(corner.x(), corner.y())));
            }
        }
    }

    void pagesButtonsSitOnWhite()
    {
        for (const char *button : {"bilan", "valider"}) {
            const QImage face = picture(QStringLiteral("btn_%1_idle.png").arg(QLatin1String(button)));
            QVERIFY(!face.isNull());
            QCOMPARE(face.pixel(0, 0) | 0xff000000u, 0xffffffffu);
            QCOMPARE(face.pixel(face.width() - 1, 0) | 0xff000000u, 0xffffffffu);
        }
    }

    void iconHasItsSize_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QSize>("size");
        QTest::newRow("stopwatch") << QStringLiteral("icon_stopwatch.png") << QSize(20, 19);
        QTest::newRow("book") << QStringLiteral("icon_book.png") << QSize(27, 23);
        QTest::newRow("laurel") << QStringLiteral("icon_laurel.png") << QSize(27, 23);
        QTest::newRow("question mark") << QStringLiteral("question_mark.png") << QSize(170, 230);
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            QTest::newRow(qPrintable(QStringLiteral("program %1").arg(size)))
                << QStringLiteral("tavelor_%1.png").arg(size) << QSize(size, size);
    }

    void iconHasItsSize()
    {
        QFETCH(QString, name);
        QFETCH(QSize, size);
        const QImage icon = picture(name);
        QVERIFY2(!icon.isNull(), qPrintable(name));
        QCOMPARE(icon.size(), size);
        // Not an empty picture: a good part of it differs from its corner.
        int drawn = 0;
        for (int y = 0; y < icon.height(); ++y)
            for (int x = 0; x < icon.width(); ++x)
                drawn += icon.pixel(x, y) != icon.pixel(0, 0);
        QVERIFY2(drawn > icon.width() * icon.height() / 5, qPrintable(QString::number(drawn)));
    }

    void toolBarIconIsOpaqueOnTheToolBarsTeal_data()
    {
        QTest::addColumn<QString>("name");
        for (const char *n : {"tb_restart", "tb_load", "tb_print", "tb_close", "tb_exam", "tb_training",
                              "tb_log_off", "tb_log_on", "tb_about", "tb_help"})
            QTest::newRow(n) << QString::fromLatin1(n) + QStringLiteral(".png");
    }

    void toolBarIconIsOpaqueOnTheToolBarsTeal()
    {
        QFETCH(QString, name);
        const QImage icon = picture(name);
        QVERIFY2(!icon.isNull(), qPrintable(name));
        QCOMPARE(icon.size(), QSize(16, 16));
        QVERIFY(!icon.hasAlphaChannel());
        QCOMPARE(icon.pixel(0, 15) & 0xffffff, 0x008080u);
        int drawn = 0;
        for (int y = 0; y < 16; ++y)
            for (int x = 0; x < 16; ++x)
                drawn += (icon.pixel(x, y) & 0xffffff) != 0x008080u;
        QVERIFY2(drawn > 30, "the icon must show more than a few pixels");
    }

#ifdef TAVELOR_HAVE_SVG
    // Installed for Linux desktops only.
    void programIconSvgIsValid()
    {
        QSvgRenderer svg(QStringLiteral(":/images/tavelor.svg"));
        QVERIFY(svg.isValid());
        QCOMPARE(svg.defaultSize(), QSize(256, 256));
    }
#endif
};

QTEST_MAIN(ArtworkPicturesTest)
#include "artwork_pictures.moc"
