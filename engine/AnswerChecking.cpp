#include "app/FormQCM.h"
#include "quiz/Judging.h"
#include "quiz/RecordText.h"
#include "ui_FormQCM.h"
#include "windows/UnitFenetreMessage.h"

void TFormQCM::Tester_les_reponses()
{
    int sum = 0;
    if (ui->CheckBox1->isChecked())
        sum += 1;
    if (ui->CheckBox2->isChecked())
        sum += 2;
    if (ui->CheckBox3->isChecked())
        sum += 4;
    if (ui->CheckBox4->isChecked())
        sum += 8;
    if (ui->CheckBox5->isChecked())
        sum += 16;
    State.TickedSum = sum;
    State.AnswerCode = qcm::answerCodeOf(sum);
}

void TFormQCM::SelectReponse1() { Tester_les_reponses(); }
void TFormQCM::SelectReponse2() { Tester_les_reponses(); }
void TFormQCM::SelecReponse3() { Tester_les_reponses(); }
void TFormQCM::SelectReponse4() { Tester_les_reponses(); }
void TFormQCM::SelectReponse5() { Tester_les_reponses(); }

void TFormQCM::Corrige()
{
    const int position = State.CurrentPosition;
    const qcm::QuestionRecord *const asked = recordAt(position);
    if (!asked)
        return;
    const qcm::QuestionRecord &record = *asked;

    State.CurrentKey = qcm::decodeField(record, qcm::Field::AnswerKey).left(2);
    State.CurrentRule = qcm::decodeField(record, qcm::Field::ValidityRule).left(2);
    Tester_les_reponses();
    const bool right = qcm::isAnswerRight(State.CurrentKey, State.CurrentRule, State.AnswerCode, State.TickedSum);

    if (right) {
        ++State.GoodCount;
    } else {
        ++State.WrongCount;
        if (State.WrongCount <= qcm::MaxQuestions)
            State.WrongRecords[State.WrongCount] = State.QuestionOrder[position];
    }
    ui->DRLabel7->setCaption(QStringLiteral("%1/%2").arg(State.GoodCount).arg(position));
    m_answers.push_back({State.QuestionOrder[position], State.TickedSum, right});

    if (m_windows.FormFenetreMessage) {
        const qcm::Field comment = right ? qcm::Field::RightComment : qcm::Field::WrongComment;
        m_windows.FormFenetreMessage->showVerdict(right, qcm::decodeField(record, comment));
        readCorrectionAloud();
    }
}
