#include "app/FormQCM.h"
#include "platform/Desktop.h"
#include "quiz/RecordText.h"
#include "ui_FormQCM.h"

void TFormQCM::Affiche(int P)
{
    const qcm::QuestionRecord *const shown = recordAt(P);
    if (!shown)
        return;
    const qcm::QuestionRecord &record = *shown;

    // Only this question's picture and the next one's are worth keeping.
    const QString pictureName = qcm::decodeField(record, qcm::Field::PictureFile);
    std::optional<pictures::PictureRequest> picture;
    if (!pictureName.isEmpty())
        picture = pictures::PictureRequest{State.QuizFolder, pictureName};
    const std::optional<pictures::PictureRequest> next = pictureOf(P + 1);
    std::vector<pictures::PictureRequest> wanted;
    for (const auto &request : {picture, next}) {
        if (request)
            wanted.push_back(*request);
    }
    Pictures.keepOnly(wanted);
    if (!picture) {
        ui->Image8->setPicture(QPixmap());
        ui->ScrollBox1->hide();
        ui->Image8->hide();
        ui->Image2->show();
    } else if (std::optional<pictures::DecodedPicture> decoded = Pictures.take(*picture)) {
        showQuestionPicture(std::move(*decoded));
    } else {
        // The question is asked at once; its picture comes when decoded.
        ui->Image8->setPicture(QPixmap());
        ui->Image8->hide();
        ui->Image2->hide();
        ui->ScrollBox1->show();
    }
    if (next)
        Pictures.prefetch(*next);

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
    readQuestionAloud();
}

std::optional<pictures::PictureRequest> TFormQCM::pictureOf(int position) const
{
    if (position < 1 || position > qMin(State.QuestionCount, qcm::MaxQuestions))
        return std::nullopt;
    const int R = State.QuestionOrder[position];
    if (R < 1 || R > qcm::MaxQuestions)
        return std::nullopt;
    const QString name = qcm::decodeField(QuestionBank[R], qcm::Field::PictureFile);
    if (name.isEmpty())
        return std::nullopt;
    return pictures::PictureRequest{State.QuizFolder, name};
}

void TFormQCM::showQuestionPicture(pictures::DecodedPicture picture)
{
    const bool shown = !picture.image.isNull();
    // A picture that failed gives the default picture back rather than
    // leaving the previous question's picture beside this question.
    if (shown) {
        // Handed over rather than copied: a photograph is tens of megabytes.
        ui->Image8->setPicture(QPixmap::fromImage(std::move(picture.image)));
    } else {
        platform::beep();
        ui->Image8->setPicture(QPixmap());
    }
    ui->ScrollBox1->setVisible(shown);
    ui->Image8->setVisible(shown);
    ui->Image2->setVisible(!shown);
    if (shown)
        ui->ScrollBox1->ensureVisible(0, 0);
}

void TFormQCM::questionPictureDecoded()
{
    if (std::optional<pictures::DecodedPicture> decoded = Pictures.takeAwaited())
        showQuestionPicture(std::move(*decoded));
}
