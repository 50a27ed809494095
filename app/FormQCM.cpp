#include "app/FormQCM.h"

#include "quiz/Scramble.h"
#include "ui_FormQCM.h"

TFormQCM::TFormQCM(QWidget *parent) : TShapedForm(parent), ui(std::make_unique<Ui::FormQCM>())
{
    ui->setupUi(this);
    StopWatch1 = new TStopWatch(this);
    StopWatch1->setObjectName(QStringLiteral("StopWatch1"));
    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    connectControls();
    FormCreate();
}

TFormQCM::~TFormQCM() = default;

void TFormQCM::connectControls()
{
    connect(ui->EzRgnBtn1, &TEzRgnBtn::clicked, this, &TFormQCM::EzRgnBtn1Click);
}

void TFormQCM::FormCreate() {}

void TFormQCM::EzRgnBtn1Click()
{
    close();
}

void TFormQCM::DeCrypt(qcm::ShortString &text, int length) const
{
    qcm::deCrypt(text, length);
}

void TFormQCM::Crypt(qcm::ShortString &text, int length) const
{
    qcm::crypt(text, length);
}
