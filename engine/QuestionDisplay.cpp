#include "app/FormQCM.h"
#include "platform/Desktop.h"
#include "pictures/PictureLoader.h"
#include "quiz/RecordText.h"
#include "ui_FormQCM.h"

void TFormQCM::Affiche(int P)
{
    const qcm::QuestionRecord *const shown = recordAt(P);
    if (!shown)
        return;
    const qcm::QuestionRecord &record = *shown;

    const QString pictureName = qcm::decodeField(record, qcm::Field::PictureFile);
    bool pictureShown = false;
    if (!pictureName.isEmpty()) {
        QImage picture = pictures::loadPicture(pictures::picturePath(State.QuizFolder, pictureName));
        if (picture.isNull()) {
            platform::beep();
        } else {
            // Handed over rather than copied: a photograph is tens of megabytes.
            ui->Image8->setPicture(QPixmap::fromImage(std::move(picture)));
            pictureShown = true;
        }
    }
    // A picture that failed gives the default picture back rather than
    // leaving the previous question's picture beside this question.
    if (!pictureShown)
        ui->Image8->setPicture(QPixmap());
    ui->ScrollBox1->setVisible(pictureShown);
    ui->Image8->setVisible(pictureShown);
    ui->Image2->setVisible(!pictureShown);
    if (pictureShown)
        ui->ScrollBox1->ensureVisible(0, 0);

    QPlainTextEdit *const memos[] = {ui->Memo1, ui->Memo2, ui->Memo3, ui->Memo4, ui->Memo5, ui->Memo6};

    ui->Memo1->setPlainText(qcm::decodeField(record, qcm::Field::QuestionText));

    QCheckBox *const boxes[] = {ui->CheckBox1, ui->CheckBox2, ui->CheckBox3, ui->CheckBox4, ui->CheckBox5};
    for (int i = 1; i <= 5; ++i) {
        const QString proposition = qcm::decodeField(record, qcm::answerField(i));
        // Unticking a ticked box goes through its handler, which recomputes the answer.
        boxes[i - 1]->setChecked(false);
        boxes[i - 1]->setVisible(!proposition.isEmpty());
        if (proposition.isEmpty())
            memos[i]->clear();
        else
            memos[i]->setPlainText(proposition);
    }
    announceQuestion();
}
