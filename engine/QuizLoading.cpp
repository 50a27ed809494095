#include <QDir>
#include <QFileDialog>
#include <QFileInfo>

#include "app/FormQCM.h"
#include "engine/QuizPath.h"
#include "platform/Desktop.h"
#include "platform/FileNames.h"
#include "platform/Folders.h"
#include "ui_FormQCM.h"
#include "windows/UnitFenetreMessage.h"

namespace {

QString cannotOpenMessage(const QString &fileName)
{
    const QString shown = QDir::toNativeSeparators(fileName);
    if (!platform::isUnrepresentablePath(fileName))
        return QStringLiteral("Impossible d'ouvrir le QCM : ") + shown;
    return QStringLiteral("Impossible d'ouvrir le QCM : son nom, ou celui d'un de ses dossiers, contient des "
                          "caractères que ce système ne sait pas lire (marqués « \uFFFD »). Renommez-les, puis "
                          "chargez le QCM de nouveau.\n\n")
           + shown;
}

} // namespace

void TFormQCM::LectureFichier()
{
    stopReading();
    // Until a quiz is chosen, start where quizzes live: the folder may have
    // been created only now.
    if (State.QuizFileName.isEmpty())
        OpenDialog1()->setDirectory(platform::dialogInitialFolder(State.ProgramDrive));
    // Offered each time: the quiz folder may have been created only now.
    platform::offerPlaces(OpenDialog1(), platform::examplesFolder());
    // A cancelled dialog keeps the previous file, which is then read again.
    QString fileName = State.QuizFileName;
    if (OpenDialog1()->exec() == QDialog::Accepted && !OpenDialog1()->selectedFiles().isEmpty())
        fileName = QDir::toNativeSeparators(OpenDialog1()->selectedFiles().constFirst());
    takeChosenFile(fileName);
}

void TFormQCM::OuvrirQCM(const QString &fileName)
{
    const QFileInfo file(fileName);
    if (!takeChosenFile(QDir::toNativeSeparators(file.absoluteFilePath())))
        return;
    // As if it had been chosen in the dialog: a later cancel reads it again
    // and the next dialog opens beside it. A file that could not be read
    // leaves the dialog where it was.
    OpenDialog1()->setDirectory(file.absolutePath());
    OpenDialog1()->selectFile(file.absoluteFilePath());
}

bool TFormQCM::takeChosenFile(const QString &fileName)
{
    // The file is read whole before anything else changes: one that cannot
    // be read leaves the quiz under way, its title and its folder as they were.
    if (!Lecture_des_enregistrements(fileName))
        return false;
    State.QuizFileName = fileName;
    if (fileName.isEmpty()) {
        ui->DRLabel12->setCaption(QString());
    } else {
        const QuizPathParts parts = splitQuizPath(fileName, platform::nativePathRule());
        State.QuizFolder = parts.folder;
        State.ParentFolderPath = parts.parentFolder;
        ui->ComboBox1->setEditText(parts.subject);
        ui->DRLabel12->setCaption(parts.fileName);
        State.QuizFileShortName = ui->DRLabel12->caption();
        ui->DRLabel12->setCaption(parts.title);
    }
    showQuizReady();
    return true;
}

void TFormQCM::ReloadQuiz()
{
    // A file gone since the load leaves the question on screen as it was.
    if (Lecture_des_enregistrements(State.QuizFileName))
        showQuizReady();
}

void TFormQCM::showQuizReady()
{
    stopReading();
    // Nothing of an interrupted question stays on screen beside "QCM prêt".
    for (QPlainTextEdit *memo : {ui->Memo1, ui->Memo2, ui->Memo3, ui->Memo4, ui->Memo5, ui->Memo6})
        memo->clear();
    for (QCheckBox *box : {ui->CheckBox1, ui->CheckBox2, ui->CheckBox3, ui->CheckBox4, ui->CheckBox5}) {
        box->setChecked(false);
        box->hide();
    }
    Preparation_des_questions();
    State.GoodCount = 0;
    State.WrongCount = 0;
    ui->EzRgnBtn2->show();
    // A quiz under way must not leave its next, correction and review
    // buttons, nor its correction window, beside the start button.
    ui->EzRgnBtn3->hide();
    ui->EzRgnBtn5->hide();
    ui->EzRgnBtn15->hide();
    ui->ToolButton11->setEnabled(false);
    if (m_windows.FormFenetreMessage)
        m_windows.FormFenetreMessage->hide();
    ui->DRLabel7->setCaption(QStringLiteral("0/0"));
    ui->DRLabel1->setCaption(QStringLiteral("QCM prêt"));
    ui->Notebook1->setCurrentWidget(ui->PageImage);
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

bool TFormQCM::Lecture_des_enregistrements(const QString &fileName)
{
    if (fileName.isEmpty()) {
        platform::showMessage(this, QStringLiteral("QCM absent de cette unité."));
        return true;
    }
    const qcm::ReadResult result = qcm::readQuizFile(fileName, QuestionBank);
    switch (result.status) {
    case qcm::ReadResult::Status::CannotOpen:
        platform::showMessage(this, cannotOpenMessage(fileName));
        return false;
    case qcm::ReadResult::Status::ReadPastEnd:
        platform::showMessage(this, QStringLiteral("Lecture au-delà de la fin de fichier"));
        return false;
    case qcm::ReadResult::Status::Ok:
        break;
    }
    State.QuestionCount = result.recordsRead;
    m_quizFingerprint = result.fingerprint;
    if (result.truncated())
        platform::showMessage(this, QStringLiteral("Ce QCM comporte plus de 100 questions : "
                                                   "seules les 100 premières sont chargées."));
    return true;
}
