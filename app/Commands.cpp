#include "app/FormQCM.h"

#include "platform/Desktop.h"
#include "platform/Folders.h"
#include "ui_FormQCM.h"
#include "windows/Unit1.h"
#include "windows/Unit3.h"
#include "windows/UnitAide.h"

namespace {

void bringUp(QWidget *window)
{
    if (!window)
        return;
    window->show();
    window->raise();
    window->activateWindow();
}

} // namespace

void TFormQCM::hideToolBars()
{
    ui->ToolBar1->hide();
    ui->ToolBar2->hide();
    ui->ToolBar3->hide();
}

void TFormQCM::showToolBar(QWidget *toolBar)
{
    setUpToolBarPictures(toolBar);
    for (QWidget *bar : {ui->ToolBar1, ui->ToolBar2, ui->ToolBar3})
        bar->setVisible(bar == toolBar);
}

void TFormQCM::EzRgnBtn7Click()
{
    showToolBar(ui->ToolBar1);
}

void TFormQCM::EzRgnBtn8Click()
{
    showToolBar(ui->ToolBar2);
}

void TFormQCM::EzRgnBtn9Click()
{
    showToolBar(ui->ToolBar3);
}

void TFormQCM::DRLabel4Click()
{
    ui->DRLabel4->hide();
    ui->DRLabel4->setBlink(TDRLabel::blNone);
    showToolBar(ui->ToolBar1);
    ui->EzRgnBtn7->show();
}

void TFormQCM::DRLabel5Click()
{
    ui->DRLabel5->hide();
    ui->DRLabel5->setBlink(TDRLabel::blNone);
    showToolBar(ui->ToolBar2);
    ui->EzRgnBtn8->show();
}

void TFormQCM::ComboBox1Change()
{
    if (!ui->ComboBox1->currentText().isEmpty())
        ui->DRLabel2->setBlink(TDRLabel::blNone);
    ui->DRLabel5->show();
    ui->DRLabel5->setBlink(TDRLabel::blBlink);
}

void TFormQCM::ToolButton9Click()
{
    hideToolBars();
    ReloadQuiz();
}

void TFormQCM::ToolButton10Click()
{
    hideToolBars();
    if (platform::createQuizFolder()) {
        platform::showMessage(this, QStringLiteral("L'ensemble du dossier QCM va être créé."));
        bringUp(m_windows.Form3);
        temporise(3);
        if (m_windows.Form3)
            m_windows.Form3->hide();
        platform::showMessage(this, QStringLiteral("Les dossiers QCM sont créés."));
    } else {
        platform::showMessage(this, QStringLiteral("Les dossiers QCM sont prêts."));
    }
    LectureFichier();
}

void TFormQCM::ToolButton13Click()
{
    hideToolBars();
}

void TFormQCM::ToolButton8Click()
{
    hideToolBars();
}

void TFormQCM::ToolButton4Click()
{
    hideToolBars();
}

void TFormQCM::ToolButton1Click()
{
    bringUp(m_windows.Form1);
    hideToolBars();
}

void TFormQCM::ToolButton2Click()
{
    bringUp(m_windows.Form2);
    hideToolBars();
    platform::openWithShell(QStringLiteral("AIDEQCM.hlp"));
}
