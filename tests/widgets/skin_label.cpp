#include <QSignalSpy>
#include <QTest>

#include "paint_counter.h"
#include "skin/DrLabel.h"

namespace {

const QColor kBackground(0, 128, 0);
const QColor kHighlight(255, 255, 255);
const QColor kShadow(128, 128, 128);
const QColor kFrame(10, 10, 10);
const QColor kGray(160, 160, 160);

QPalette testPalette()
{
    QPalette pal;
    pal.setColor(QPalette::Light, kHighlight);
    pal.setColor(QPalette::Dark, kShadow);
    pal.setColor(QPalette::WindowText, kFrame);
    pal.setColor(QPalette::Disabled, QPalette::WindowText, kGray);
    pal.setColor(QPalette::Button, QColor(212, 208, 200));
    pal.setColor(QPalette::Window, kBackground);
    return pal;
}

// The set of pixels of the given colour.
QList<QPoint> pixelsOf(const QImage &image, QColor colour)
{
    QList<QPoint> points;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (image.pixelColor(x, y) == colour)
                points << QPoint(x, y);
    return points;
}

} // namespace

class SkinLabelTest : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void newLabelIsDeepWiderAndTaller();
    void raisedFrameHasItsExactPixels();
    void singleAndLoweredFrameColours();
    void shadowIsTheFaceShiftedByDeep_data();
    void shadowIsTheFaceShiftedByDeep();
    void deepAcceptsOnlyOneOrTwo();
    void withoutCtl3DOnlyTheFaceIsDrawn();
    void disabledLabelDrawsGrayFaceOverItsShadow();
    void systemColourNeverEqualsADirectColour();
    void blinkAlternatesTextAndNothing();
    void stoppingInTheHiddenPhaseBringsTheTextBack();
    void hiLoAlternatesItsTwoColours();
    void blinkTimerRunsWhileHidden();
    void setterWithTheSameValueDoesNotRepaint();
    void autoSizeFitsTheTextWithoutRoomForTheShadow();
    void accelCharUnderlinesOrShowsTheAmpersand();
    void captionIsCutAt255Characters();
    void leftClickEmitsClicked();

private:
    QImage labelImage() { return m_parent->grab(m_label->geometry()).toImage(); }

    QWidget *m_parent = nullptr;
    TDRLabel *m_label = nullptr;
};

void SkinLabelTest::init()
{
    m_parent = new QWidget;
    m_parent->setPalette(testPalette());
    m_parent->setAutoFillBackground(true);
    m_parent->resize(400, 200);
    m_label = new TDRLabel(m_parent);
    m_label->setGeometry(10, 10, 100, 20);
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPixelSize(16);
    font.setStyleStrategy(QFont::NoAntialias);
    m_label->setFont(font);
    m_parent->show();
    QVERIFY(QTest::qWaitForWindowExposed(m_parent));
}

void SkinLabelTest::cleanup()
{
    delete m_parent;
    m_parent = nullptr;
}

void SkinLabelTest::newLabelIsDeepWiderAndTaller()
{
    QWidget parent;
    QLabel plain(&parent);
    TDRLabel relief(&parent);
    QCOMPARE(relief.size(), plain.size() + QSize(1, 1));
    QCOMPARE(relief.deep(), 1);
    QCOMPARE(relief.savedColor(), tcolor::clWindowText);
    QCOMPARE(relief.hiColor().value(), 0xFF0000u);
    QCOMPARE(relief.loColor().value(), 0x800000u);
    QCOMPARE(relief.shadowColor().value(), 0x80000014u);
    QCOMPARE(relief.blinkInterval(), 300);
    QVERIFY(!relief.blinkTimer()->isActive());
}

void SkinLabelTest::raisedFrameHasItsExactPixels()
{
    m_label->setBorder(TDRLabel::boRaised);
    const QImage image = labelImage();
    for (int x = 0; x <= 97; ++x)
        QCOMPARE(image.pixelColor(x, 0), kHighlight);
    for (int y = 1; y <= 17; ++y)
        QCOMPARE(image.pixelColor(0, y), kHighlight);
    for (int y = 0; y <= 17; ++y)
        QCOMPARE(image.pixelColor(98, y), kShadow);
    for (int x = 0; x <= 98; ++x)
        QCOMPARE(image.pixelColor(x, 18), kShadow);
    for (int y = 0; y < 20; ++y)
        QCOMPARE(image.pixelColor(99, y), kBackground);
    for (int x = 0; x < 100; ++x)
        QCOMPARE(image.pixelColor(x, 19), kBackground);
    QCOMPARE(image.pixelColor(50, 10), kBackground);
}

void SkinLabelTest::singleAndLoweredFrameColours()
{
    m_label->setBorder(TDRLabel::boLowered);
    QImage image = labelImage();
    QCOMPARE(image.pixelColor(10, 0), kShadow);
    QCOMPARE(image.pixelColor(0, 18), kHighlight);
    QCOMPARE(image.pixelColor(98, 0), kHighlight);
    m_label->setBorder(TDRLabel::boSingle);
    image = labelImage();
    QCOMPARE(image.pixelColor(10, 0), kFrame);
    QCOMPARE(image.pixelColor(98, 5), kFrame);
    m_label->setBorder(TDRLabel::boNone);
    QCOMPARE(pixelsOf(labelImage(), kBackground).size(), 100 * 20);
}

void SkinLabelTest::shadowIsTheFaceShiftedByDeep_data()
{
    QTest::addColumn<int>("deep");
    QTest::newRow("1") << 1;
    QTest::newRow("2") << 2;
}

void SkinLabelTest::shadowIsTheFaceShiftedByDeep()
{
    QFETCH(int, deep);
    m_label->setCaption(QStringLiteral("Wg"));
    m_label->setFontColor(TColor::fromRgb(0, 0, 0));
    m_label->setCtl3D(false);
    const QList<QPoint> face = pixelsOf(labelImage(), Qt::black);
    QVERIFY(!face.isEmpty());

    // A face in the background colour leaves the shadow in sight, except
    // where the face, drawn last, covers it.
    m_label->setCtl3D(true);
    m_label->setDeep(deep);
    m_label->setShadowColor(TColor::fromRgb(255, 0, 0));
    m_label->setFontColor(TColor::fromQColor(kBackground));
    QList<QPoint> expected;
    for (QPoint p : face) {
        const QPoint q = p + QPoint(deep, deep);
        if (q.x() < 100 && q.y() < 20 && !face.contains(q))
            expected << q;
    }
    std::sort(expected.begin(), expected.end(), [](QPoint a, QPoint b) {
        return a.y() != b.y() ? a.y() < b.y() : a.x() < b.x();
    });
    QCOMPARE(pixelsOf(labelImage(), Qt::red), expected);
}

void SkinLabelTest::deepAcceptsOnlyOneOrTwo()
{
    m_label->setDeep(2);
    m_label->setDeep(3);
    QCOMPARE(m_label->deep(), 2);
    m_label->setDeep(0);
    QCOMPARE(m_label->deep(), 2);
    m_label->setDeep(-1);
    QCOMPARE(m_label->deep(), 2);
    m_label->setDeep(1);
    QCOMPARE(m_label->deep(), 1);
}

void SkinLabelTest::withoutCtl3DOnlyTheFaceIsDrawn()
{
    m_label->setCaption(QStringLiteral("Wg"));
    m_label->setShadowColor(TColor::fromRgb(255, 0, 0));
    m_label->setFontColor(TColor::fromRgb(0, 0, 255));
    QVERIFY(!pixelsOf(labelImage(), Qt::red).isEmpty());
    m_label->setCtl3D(false);
    const QImage image = labelImage();
    QVERIFY(pixelsOf(image, Qt::red).isEmpty());
    QVERIFY(!pixelsOf(image, Qt::blue).isEmpty());
}

void SkinLabelTest::disabledLabelDrawsGrayFaceOverItsShadow()
{
    m_label->setCaption(QStringLiteral("Wg"));
    m_label->setShadowColor(TColor::fromRgb(255, 0, 0));
    m_label->setFontColor(TColor::fromRgb(0, 0, 255));
    m_label->setEnabled(false);
    const QImage image = labelImage();
    QVERIFY(pixelsOf(image, Qt::blue).isEmpty());
    QVERIFY(!pixelsOf(image, kGray).isEmpty());
    QVERIFY(!pixelsOf(image, Qt::red).isEmpty());
}

void SkinLabelTest::systemColourNeverEqualsADirectColour()
{
    // clWindowText renders as kFrame; a direct colour of the same RGB is
    // still another colour, so the text (and its shadow) is drawn.
    m_label->setCaption(QStringLiteral("Wg"));
    m_label->setFontColor(tcolor::clWindowText);
    m_label->setColor(TColor::fromQColor(kFrame));
    m_label->setShadowColor(TColor::fromRgb(255, 0, 0));
    QVERIFY(!pixelsOf(labelImage(), Qt::red).isEmpty());
    m_label->setColor(tcolor::clWindowText);
    QVERIFY(pixelsOf(labelImage(), Qt::red).isEmpty());
}

void SkinLabelTest::blinkAlternatesTextAndNothing()
{
    m_label->setCaption(QStringLiteral("Wg"));
    m_label->setTransparent(false);
    m_label->setColor(TColor::fromRgb(255, 255, 0));
    m_label->setFontColor(TColor::fromRgb(0, 0, 255));
    m_label->setBlink(TDRLabel::blBlink);
    QVERIFY(m_label->blinkTimer()->isActive());
    QCOMPARE(m_label->blinkTimer()->interval(), 300);
    for (int phase = 0; phase < 4; ++phase) {
        m_label->blinkStep();
        const QImage image = labelImage();
        const bool hidden = phase % 2 == 0;
        QCOMPARE(pixelsOf(image, Qt::blue).isEmpty(), hidden);
        QCOMPARE(pixelsOf(image, kHighlight).isEmpty(), hidden); // the shadow too
        // The background is filled in both phases.
        QCOMPARE(image.pixelColor(99, 19), QColor(Qt::yellow));
    }
    m_label->setBlinkInterval(120);
    QCOMPARE(m_label->blinkTimer()->interval(), 120);
    QVERIFY(m_label->blinkTimer()->isActive());
}

void SkinLabelTest::stoppingInTheHiddenPhaseBringsTheTextBack()
{
    m_label->setCaption(QStringLiteral("Wg"));
    m_label->setFontColor(TColor::fromRgb(0, 0, 255));
    m_label->setBlink(TDRLabel::blBlink);
    m_label->blinkStep();
    QCOMPARE(m_label->fontColor(), m_label->color());
    m_label->setBlink(TDRLabel::blNone);
    QVERIFY(!m_label->blinkTimer()->isActive());
    QCOMPARE(m_label->fontColor().value(), 0xFF0000u);
    QVERIFY(!pixelsOf(labelImage(), Qt::blue).isEmpty());
}

void SkinLabelTest::hiLoAlternatesItsTwoColours()
{
    m_label->setCaption(QStringLiteral("Wg"));
    m_label->setLoColor(TColor::fromRgb(255, 0, 0));
    m_label->setFontColor(TColor::fromRgb(0, 0, 0));
    // The saved colour is still the default text colour: blHiLo starts there.
    m_label->setBlink(TDRLabel::blHiLo);
    QCOMPARE(m_label->fontColor(), tcolor::clWindowText);
    const TColor blue = TColor::fromRgb(0, 0, 255);
    const TColor red = TColor::fromRgb(255, 0, 0);
    const QList<TColor> expected{blue, red, blue, red};
    for (TColor colour : expected) {
        m_label->blinkStep();
        QCOMPARE(m_label->fontColor().value(), colour.value());
        QVERIFY(!pixelsOf(labelImage(), colour.toQColor(m_label->palette())).isEmpty());
    }
}

void SkinLabelTest::blinkTimerRunsWhileHidden()
{
    m_label->hide();
    m_label->setBlinkInterval(10);
    m_label->setFontColor(TColor::fromRgb(0, 0, 255));
    m_label->setBlink(TDRLabel::blBlink);
    QTRY_COMPARE(m_label->fontColor(), m_label->color());
    QTRY_COMPARE(m_label->fontColor().value(), 0xFF0000u);
}

void SkinLabelTest::setterWithTheSameValueDoesNotRepaint()
{
    PaintCounter counter;
    m_label->setCaption(QStringLiteral("Wg"));
    QCoreApplication::processEvents();
    m_label->installEventFilter(&counter);
    m_label->setHiColor(m_label->hiColor());
    m_label->setShadowColor(m_label->shadowColor());
    m_label->setBorder(m_label->border());
    m_label->setCtl3D(m_label->ctl3D());
    m_label->setDeep(m_label->deep());
    m_label->setBlinkInterval(m_label->blinkInterval());
    m_label->setBlink(m_label->blink());
    m_label->setFontColor(m_label->fontColor());
    m_label->setCaption(QStringLiteral("Wg"));
    QCoreApplication::processEvents();
    QCOMPARE(counter.paints, 0);
    m_label->setBorder(TDRLabel::boSingle);
    QTRY_VERIFY(counter.paints > 0);
}

void SkinLabelTest::autoSizeFitsTheTextWithoutRoomForTheShadow()
{
    m_label->setAutoSize(true);
    m_label->setCaption(QStringLiteral("Résultat :"));
    const QFontMetrics fm(m_label->font());
    QCOMPARE(m_label->size(), fm.size(Qt::TextShowMnemonic, QStringLiteral("Résultat :")));
    // Also when the text comes through QLabel's own setter.
    m_label->setText(QStringLiteral("0/0"));
    QTRY_COMPARE(m_label->size(), fm.size(Qt::TextShowMnemonic, QStringLiteral("0/0")));
    QFont bigger = m_label->font();
    bigger.setPixelSize(30);
    m_label->setFont(bigger);
    QCOMPARE(m_label->size(), QFontMetrics(bigger).size(Qt::TextShowMnemonic, QStringLiteral("0/0")));
}

void SkinLabelTest::accelCharUnderlinesOrShowsTheAmpersand()
{
    m_label->setAutoSize(true);
    m_label->setFontColor(TColor::fromRgb(0, 0, 0));
    m_label->setCtl3D(false);
    m_label->setCaption(QStringLiteral("Fichier"));
    const int plainInk = int(pixelsOf(labelImage(), Qt::black).size());
    const int plainWidth = m_label->width();
    m_label->setCaption(QStringLiteral("&Fichier"));
    QCOMPARE(m_label->width(), plainWidth);
    QVERIFY(pixelsOf(labelImage(), Qt::black).size() > plainInk); // the underline
    m_label->setShowAccelChar(false);
    // The ampersand is a character of its own now: as wide as the text set out with it.
    QCOMPARE(m_label->width(), QFontMetrics(m_label->font()).size(Qt::TextSingleLine, QStringLiteral("&Fichier")).width());
}

void SkinLabelTest::captionIsCutAt255Characters()
{
    m_label->setAutoSize(true);
    const QString longText = QString(300, QLatin1Char('m'));
    m_label->setCaption(longText);
    QCOMPARE(m_label->caption(), longText);
    QCOMPARE(m_label->width(), QFontMetrics(m_label->font()).horizontalAdvance(longText.left(255)));
}

void SkinLabelTest::leftClickEmitsClicked()
{
    QSignalSpy clicks(m_label, &TDRLabel::clicked);
    QTest::mouseClick(m_label, Qt::RightButton);
    QCOMPARE(clicks.size(), 0);
    QTest::mouseClick(m_label, Qt::LeftButton);
    QCOMPARE(clicks.size(), 1);
    QTest::mousePress(m_label, Qt::LeftButton, {}, QPoint(5, 5));
    QTest::mouseRelease(m_label, Qt::LeftButton, {}, QPoint(300, 5));
    QCOMPARE(clicks.size(), 1);
}

QTEST_MAIN(SkinLabelTest)
#include "skin_label.moc"
