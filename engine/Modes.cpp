#include "app/FormQCM.h"
#include "ui_FormQCM.h"

void TFormQCM::ToolButton5Click()
{
    ui->Notebook1->setCurrentWidget(ui->PageExamen);
    hideToolBars();
}

void TFormQCM::ToolButton6Click()
{
    ui->Notebook1->setCurrentWidget(ui->PageEntrainement);
    hideToolBars();
}

void TFormQCM::EzRgnBtn10Click()
{
    ui->Notebook1->setCurrentWidget(ui->PageImage);
    hideToolBars();
    ui->DRLabel4->show();
    ui->DRLabel4->setBlink(TDRLabel::blBlink);
    ui->Image3->setVisible(!ui->RadioButton3->isChecked());
    ui->Image5->show();
    ui->Image4->hide();
    StartTimer();
}

void TFormQCM::EzRgnBtn13Click()
{
    ui->Notebook1->setCurrentWidget(ui->PageImage);
    hideToolBars();
    ui->DRLabel4->show();
    ui->DRLabel4->setBlink(TDRLabel::blBlink);
    ui->Image3->hide();
    ui->Image4->show();
    ui->Image5->hide();
}
