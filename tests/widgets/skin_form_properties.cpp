#include <QDir>
#include <QTest>

#include "skin/DrLabel.h"
#include "skin/EzRgnBtn.h"
#include "skin/Image.h"
#include "ui_skin_form_properties.h"

// The idioms the windows' forms use to set the skinned controls' own
// properties, checked through uic's generated code.
class SkinFormPropertiesTest : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void buttonPropertiesLand();
    void labelPropertiesLand();
    void numbersWorkForEnums();
    void imagePropertiesLand();

private:
    QWidget m_form;
    Ui::SkinFormProperties m_ui;
};

void SkinFormPropertiesTest::initTestCase()
{
    QDir::setSearchPaths(QStringLiteral("skintest"), {QStringLiteral(TAVELOR_TEST_DATA "/skin")});
    m_ui.setupUi(&m_form);
}

void SkinFormPropertiesTest::buttonPropertiesLand()
{
    TEzRgnBtn *b = m_ui.EzRgnBtn1;
    QVERIFY(!b->buttonEnabled());
    QVERIFY(b->isEnabled()); // QWidget's flag is left alone
    QVERIFY(b->autoRepeat());
    QCOMPARE(b->picIdle().size(), QSize(44, 21));
    QCOMPARE(b->picDown().size(), QSize(45, 21));
    QCOMPARE(b->picUp().toImage().pixelColor(0, 0), QColor(0, 0, 255));
    QCOMPARE(b->picDsbld().toImage().pixelColor(0, 0), QColor(128, 128, 128));
    QCOMPARE(b->paintMode(), TEzRgnBtn::pmCrop);
    // pmCrop came after the pictures, so the button is cut to its idle picture.
    QVERIFY(!b->mask().contains(QPoint(0, 0)));
    QVERIFY(b->mask().contains(QPoint(1, 0)));
    QCOMPARE(b->toolTip(), QStringLiteral("Quitter ce programme"));
    QCOMPARE(b->cursor().shape(), Qt::PointingHandCursor);
    QCOMPARE(b->pos(), QPoint(16, 64));
}

void SkinFormPropertiesTest::labelPropertiesLand()
{
    TDRLabel *l = m_ui.DRLabel1;
    // Blink = blHiLo comes after FontColor and starts from the colour saved
    // at construction, until the first tick brings HiColor.
    QCOMPARE(l->fontColor(), tcolor::clWindowText);
    l->blinkStep();
    QCOMPARE(l->fontColor().value(), 0xFF0000u);
    QCOMPARE(l->hiColor().value(), 0xFF0000u);
    QCOMPARE(l->loColor().value(), 0x0000FFu);
    QCOMPARE(l->border(), TDRLabel::boRaised);
    QVERIFY(!l->ctl3D());
    QCOMPARE(l->blinkInterval(), 250);
    QCOMPARE(l->blink(), TDRLabel::blHiLo);
    QVERIFY(l->blinkTimer()->isActive());
    QCOMPARE(l->blinkTimer()->interval(), 250);
    QCOMPARE(l->shadowColor(), tcolor::clBtnShadow);
    QCOMPARE(l->color(), tcolor::clBtnFace);
    QCOMPARE(l->deep(), 2);
    QVERIFY(!l->transparent());
    QCOMPARE(l->caption(), QStringLiteral("Correction"));
    QVERIFY(l->alignment() & Qt::AlignHCenter);
    QCOMPARE(l->font().pointSize(), 12);
    QVERIFY(l->font().bold());
    QCOMPARE(l->geometry(), QRect(152, 24, 84, 20));
}

void SkinFormPropertiesTest::numbersWorkForEnums()
{
    QCOMPARE(m_ui.EzRgnBtn2->paintMode(), TEzRgnBtn::pmTransparent);
    TDRLabel *l = m_ui.DRLabel2;
    QCOMPARE(l->border(), TDRLabel::boSingle);
    QCOMPARE(l->blink(), TDRLabel::blBlink);
    QCOMPARE(l->fontColor().value(), 0x800000u);
    QCOMPARE(l->savedColor().value(), 0x800000u);
    QVERIFY(!l->showAccelChar());
    QVERIFY(l->autoSize());
    QCOMPARE(l->caption(), QStringLiteral("&Fichier"));
    QCOMPARE(l->width(), l->fontMetrics().horizontalAdvance(QStringLiteral("&Fichier")));
}

void SkinFormPropertiesTest::imagePropertiesLand()
{
    QVERIFY(m_ui.Image1->autoSize());
    QCOMPARE(m_ui.Image1->picture().size(), QSize(30, 20));
    QCOMPARE(m_ui.Image1->size(), QSize(30, 20));
}

QTEST_MAIN(SkinFormPropertiesTest)
#include "skin_form_properties.moc"
