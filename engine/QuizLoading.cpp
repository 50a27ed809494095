#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "app/FormQCM.h"
#include "engine/QuizPath.h"
#include "platform/Desktop.h"
#include "platform/Folders.h"
#include "ui_FormQCM.h"
#include "windows/UnitFenetreMessage.h"

void TFormQCM::LectureFichier()
{
    // Until a quiz is chosen, start where quizzes live: the folder may have
    // been created only now.
    if (State.QuizFileName.isEmpty())
        OpenDialog1()->setDirectory(platform::dialogInitialFolder(State.ProgramDrive));
    // Offered each time: the quiz folder may have been created only now.
    platform::offerPlaces(OpenDialog1(), platform::examplesFolder());
    // A cancelled dialog keeps the previous file, which is then read again.
    if (OpenDialog1()->exec() == QDialog::Accepted && !OpenDialog1()->selectedFiles().isEmpty())
        State.QuizFileName = QDir::toNativeSeparators(OpenDialog1()->selectedFiles().constFirst());
    takeChosenFile();
}

void TFormQCM::OuvrirQCM(const QString &fileName)
{
    // As if it had been chosen in the dialog: a later cancel reads it again
    // and the next dialog opens beside it.
    const QFileInfo file(fileName);
    OpenDialog1()->setDirectory(file.absolutePath());
    OpenDialog1()->selectFile(file.absoluteFilePath());
    State.QuizFileName = QDir::toNativeSeparators(file.absoluteFilePath());
    takeChosenFile();
}

void TFormQCM::takeChosenFile()
{
    if (State.QuizFileName.isEmpty()) {
        ui->DRLabel12->setCaption(QString());
    } else {
        const QuizPathParts parts = splitQuizPath(State.QuizFileName, nativePathRule());
        State.QuizFolder = parts.folder;
        State.ParentFolderPath = parts.parentFolder;
        ui->ComboBox1->setEditText(parts.subject);
        ui->DRLabel12->setCaption(parts.fileName);
        State.QuizFileShortName = ui->DRLabel12->caption();
        ui->DRLabel12->setCaption(parts.title);
    }
    ReloadQuiz();
}

void TFormQCM::ReloadQuiz()
{
    ui->Memo1->clear();
    if (!Lecture_des_enregistrements())
        return;
    Preparation_des_questions();
    State.GoodCount = 0;
    State.WrongCount = 0;
    ui->EzRgnBtn2->show();
    // A quiz under way must not leave its next, correction and review
    // buttons, nor its correction window, beside the start button.
    ui->EzRgnBtn3->hide();
    ui->EzRgnBtn5->hide();
    ui->EzRgnBtn15->hide();
    if (m_windows.FormFenetreMessage)
        m_windows.FormFenetreMessage->hide();
    ui->DRLabel7->setCaption(QStringLiteral("0/0"));
    ui->DRLabel1->setCaption(QStringLiteral("QCM prêt"));
    ui->Notebook1->setCurrentIndex(3);
    ui->Image2->show();
    ui->ScrollBox1->hide();
    ui->Image8->hide();
    ui->Image4->hide();
    ui->Image5->hide();
    ui->DRLabel14->hide();
    StopWatch1->Reset();
    RefreshTimer();
    // The settings are reachable only through "Paramétrer": announce it as a
    // change of the subject would.
    ComboBox1Change();
}

bool TFormQCM::Lecture_des_enregistrements()
{
    if (State.QuizFileName.isEmpty()) {
        platform::showMessage(this, QStringLiteral("QCM absent de cette unité."));
        return true;
    }
    const qcm::ReadResult result = qcm::readQuizFile(State.QuizFileName, QuestionBank);
    switch (result.status) {
    case qcm::ReadResult::Status::CannotOpen:
        platform::showMessage(this, QStringLiteral("Impossible d'ouvrir le QCM : ")
                                        + QDir::toNativeSeparators(State.QuizFileName));
        return false;
    case qcm::ReadResult::Status::ReadPastEnd:
        platform::showMessage(this, QStringLiteral("Lecture au-delà de la fin de fichier"));
        return false;
    case qcm::ReadResult::Status::Ok:
        break;
    }
    State.QuestionCount = result.recordsRead;
    if (result.truncated())
        platform::showMessage(this, QStringLiteral("Ce QCM comporte plus de 100 questions : "
                                                   "seules les 100 premières sont chargées."));
    return true;
}
