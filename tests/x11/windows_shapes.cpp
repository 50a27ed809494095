#include <QApplication>
#include <QScreen>
#include <QTest>

#include "app/Application.h"
#include "app/FormQCM.h"
#include "skin/Image.h"
#include "ui_FenetreMessage.h"
#include "ui_Form1.h"
#include "ui_Form3.h"
#include "ui_ProjImages.h"
#include "windows/Unit1.h"
#include "windows/Unit3.h"
#include "windows/UnitFenetreMessage.h"
#include "windows/UnitProjecteurImages.h"

namespace {
constexpr QRgb Key = 0xFFFF00FF;

// A point of the skin with the key colour, and one of the bare background
// that no control covers.
struct Probe
{
    QPoint key{-1, -1};
    QPoint opaque{-1, -1};
};

Probe probe(QWidget *window, TImage *background)
{
    const QImage skin = background->picture().toImage().convertToFormat(QImage::Format_ARGB32);
    Probe p;
    for (int y = 0; y < skin.height(); ++y) {
        for (int x = 0; x < skin.width(); ++x) {
            // The window shows the key colour's pixels fully transparent.
            const bool isKey = qAlpha(skin.pixel(x, y)) == 0 || (skin.pixel(x, y) | 0xFF000000) == Key;
            if (isKey && p.key.x() < 0 && x > 2 && y > 2)
                p.key = {x, y};
            if (!isKey && p.opaque.x() < 0 && x > 40 && y > 40 && window->childAt(x, y) == background)
                p.opaque = {x, y};
        }
    }
    return p;
}
} // namespace

class WindowShapesTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase() { setUpApplication(*qApp); }

    void skinnedWindowShowsDesktopThroughItsKeyColour_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("correction") << "FormFenetreMessage";
        QTest::newRow("projector") << "FormProjImages";
        QTest::newRow("about") << "Form1";
        QTest::newRow("notice") << "Form3";
    }
    void skinnedWindowShowsDesktopThroughItsKeyColour()
    {
        QFETCH(QString, kind);
        TFormQCM main;
        std::unique_ptr<TShapedForm> window;
        if (kind == QLatin1String("FormFenetreMessage")) {
            window = std::make_unique<TFormFenetreMessage>(&main);
        } else if (kind == QLatin1String("FormProjImages")) {
            window = std::make_unique<TFormProjImages>();
        } else if (kind == QLatin1String("Form1")) {
            window = std::make_unique<TForm1>();
        } else {
            window = std::make_unique<TForm3>();
        }
        auto *background = window->findChild<TImage *>(QStringLiteral("Image1"));
        QVERIFY(background);
        QVERIFY(!background->picture().isNull());
        const Probe p = probe(window.get(), background);
        QVERIFY(p.key.x() >= 0);
        QVERIFY(p.opaque.x() >= 0);

        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        const QPoint origin = window->geometry().topLeft();
        QImage screen;
        QRgb opaqueOnScreen = 0;
        const QRgb opaqueInSkin = background->picture().toImage().pixel(p.opaque) | 0xFF000000;
        // The X server may take a moment to draw the window once it is mapped.
        QTRY_VERIFY_WITH_TIMEOUT(
            (screen = QGuiApplication::primaryScreen()->grabWindow(0).toImage(),
             opaqueOnScreen = screen.pixel(origin + p.opaque) | 0xFF000000, opaqueOnScreen == opaqueInSkin),
            5000);
        QVERIFY((screen.pixel(origin + p.key) | 0xFF000000) != Key);
        QVERIFY(!window->mask().contains(p.key));
        QVERIFY(window->mask().contains(p.opaque));
    }
};

QTEST_MAIN(WindowShapesTest)
#include "windows_shapes.moc"
