#include "app/FormQCM.h"

#include <algorithm>

#include "engine/QuestionShuffle.h"
#include "ui_FormQCM.h"

void TFormQCM::Preparation_des_questions()
{
    // QuestionCount holds the number of records the last read put into the bank.
    State.QuestionCount = countQuestions(QuestionBank, State.QuestionCount);

    // The exam indicator is the mode: while it shows, the order is shuffled.
    // It is asked of the main window, which may itself still be hidden.
    const bool examMode = ui->Image5->isVisibleTo(this);
    State.ExamOrder = examMode;

    // Two complete preparations, the second one kept: every run of the
    // program thus draws the same sequence of shuffles.
    for (int pass = 0; pass < 2; ++pass) {
        if (examMode)
            shuffleOrder(State.QuestionOrder, State.QuestionCount, m_random);
        else
            naturalOrder(State.QuestionOrder, State.QuestionCount);
        State.CurrentPosition = 0;
    }
    // Pictures of an earlier order or quiz no longer apply.
    Pictures.clear();
    if (const auto first = pictureOf(1))
        Pictures.prefetch(*first);
}

const qcm::QuestionRecord *TFormQCM::recordAt(int position) const
{
    if (position < 1 || position > std::min(State.QuestionCount, qcm::MaxQuestions))
        return nullptr;
    const int record = State.QuestionOrder[position];
    if (record < 1 || record > qcm::MaxQuestions)
        return nullptr;
    return &QuestionBank[record];
}
