#include "windows/UnitFenetreMessage.h"

#include "app/FormQCM.h"
#include "ui_FenetreMessage.h"
#include "ui_FormQCM.h"
#include "windows/SecondaryWindow.h"

TFormFenetreMessage::TFormFenetreMessage(TFormQCM *formQCM, QWidget *parent)
    : TShapedForm(parent), ui(std::make_unique<Ui::FormFenetreMessage>()), m_formQCM(formQCM)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("Correction"));
    setUpSkinnedSecondary(this, m_formQCM);
    // Only the first showing places the pop-up; later ones keep where the
    // pupil dragged it.
    move(1, 180);
    makeDraggableBy(ui->Image1);
    connect(ui->EzRgnBtn1, &TEzRgnBtn::clicked, this, &TFormFenetreMessage::EzRgnBtn1Click);
    FormCreate();
}

TFormFenetreMessage::~TFormFenetreMessage() = default;

void TFormFenetreMessage::FormCreate()
{
    ShapeWindow(ui->Image1->picture().toImage(), 0xFF00FF);
    if (m_formQCM) {
        m_formQCM->ui->EzRgnBtn5->hide();
        m_formQCM->ui->EzRgnBtn3->hide();
    }
}

void TFormFenetreMessage::showVerdict(bool right, const QString &text)
{
    ui->Memo1->setPlainText(text);
    QPalette palette = ui->Label1->palette();
    const QColor colour = right ? QColor(0x00, 0x80, 0x00) : QColor(0xFF, 0x00, 0x00);
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    ui->Label1->setPalette(palette);
    ui->Label1->setText(right ? QStringLiteral("Bonne réponse !") : QStringLiteral("Non, correction :"));
    ui->Label1->adjustSize();
    show();
    raise();
    activateWindow();
}

void TFormFenetreMessage::EzRgnBtn1Click()
{
    if (m_formQCM)
        m_formQCM->ui->EzRgnBtn3->show();
    close();
}
