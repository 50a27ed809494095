#include "app/FormQCM.h"
#include "ui_FormQCM.h"

void TFormQCM::Commencer()
{
    // For the log, the name is asked once, before the clock starts.
    if (ui->ToolButton14->isChecked() && !m_pupilAsked)
        askPupilName();
    ui->ToolButton11->setEnabled(false);
    ui->EzRgnBtn2->hide();
    ui->EzRgnBtn3->show();
    ui->EzRgnBtn5->hide();
    Suivant();
}

void TFormQCM::Question_Suivante()
{
    Suivant();
}

// There is no going back: every question is judged before the next is asked.
void TFormQCM::Precedente() {}

void TFormQCM::FenetreCorrection()
{
    ui->EzRgnBtn5->hide();
    Corrige();
}

// However the pupil closed the correction, the quiz must be able to go on.
void TFormQCM::FormFenetreMessageClose()
{
    stopReading();
    ui->EzRgnBtn3->show();
}

void TFormQCM::Suivant()
{
    stopReading();
    const int n = State.QuestionCount;

    auto finish = [this, n] {
        for (QPlainTextEdit *memo : {ui->Memo1, ui->Memo2, ui->Memo3, ui->Memo4, ui->Memo5, ui->Memo6})
            memo->clear();
        State.AnswerCode.clear();
        for (QCheckBox *box : {ui->CheckBox1, ui->CheckBox2, ui->CheckBox3, ui->CheckBox4, ui->CheckBox5}) {
            box->setChecked(false);
            box->hide();
        }
        State.CurrentPosition = n;
        Pictures.clear();
        ui->DRLabel1->setCaption(QStringLiteral("QCM terminé !"));
        Affiche_Bilan();
        // With no question there is nothing to review.
        ui->EzRgnBtn15->setVisible(n > 0);
        if (n > 0)
            keepResult();
    };

    if (State.CurrentPosition == 0) {
        ui->Image3->show();
        ui->Label9->show();
        ui->Label10->show();
        StartTimer();
        State.GoodCount = 0;
        m_answers.clear();
        if (n <= 0) {
            // A quiz without questions goes straight to its summary.
            finish();
            ui->EzRgnBtn3->hide();
            return;
        }
        State.CurrentPosition = 1;
        ui->DRLabel1->setCaption(QStringLiteral("Question 1/%1").arg(n));
        Affiche(1);
        ui->EzRgnBtn3->hide();
        ui->EzRgnBtn5->show();
        return;
    }

    ui->EzRgnBtn5->show();
    ++State.CurrentPosition;
    if (State.CurrentPosition <= n) {
        ui->DRLabel1->setCaption(QStringLiteral("Question %1/%2").arg(State.CurrentPosition).arg(n));
        Affiche(State.CurrentPosition);
    } else {
        finish();
    }
    ui->EzRgnBtn3->hide();
}
