// Opening, creating and saving quizzes, and the pictures that go with them.
#include "editor/FormEditeur.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QStatusBar>
#include <QTemporaryDir>

#include "editor/PictureImport.h"
#include "editor/RecentQuizzes.h"
#include "platform/Desktop.h"
#include "platform/Folders.h"
#include "pictures/PictureLoader.h"
#include "quiz/FieldName.h"
#include "quiz/PictureFormat.h"
#include "ui_FormEditeur.h"

using qcm::Field;

namespace editor {

QString FormEditeur::dialogFolder() const
{
    if (!quiz.folder().isEmpty())
        return quiz.folder();
    // Quizzes live in the quiz folder: a teacher's first save starts there.
    const QString folder = platform::quizFolder();
    return QFileInfo(folder).isDir() || platform::createQuizFolder() ? folder : QDir::homePath();
}

void FormEditeur::newQuiz()
{
    quiz.clear();
    forgetPictures();
    // A new quiz opens on its first question, ready to be typed.
    quiz.doInsert(0, EditedQuestion::blank());
    lookForClassResults();
    updateTitle();
    ui->questionForm->focusQuestion();
}

bool FormEditeur::openQuiz(const QString &path)
{
    QString error;
    if (!quiz.load(path, &error)) {
        tell(QMessageBox::Warning, QStringLiteral("Ce QCM ne peut pas être ouvert."), error);
        return false;
    }
    forgetPictures();
    if (quiz.count() == 0)
        quiz.doInsert(0, EditedQuestion::blank());
    lookForClassResults();
    selectQuestion(0);
    updateTitle();
    recent->remember(path);
    return true;
}

void FormEditeur::openRecent(const QString &path)
{
    if (!maybeSave())
        return;
    if (!QFileInfo(path).isFile()) {
        tell(QMessageBox::Warning, QStringLiteral("Le QCM « %1 » n'est plus là : il a été déplacé, renommé ou supprimé.")
                                       .arg(QDir::toNativeSeparators(path)));
        recent->forget(path);
        return;
    }
    openQuiz(path);
}

void FormEditeur::chooseOpen()
{
    if (!maybeSave())
        return;
    const QString path = platform::chooseFileToOpen(this, QStringLiteral("Ouvrir un QCM"), dialogFolder(),
        QStringLiteral("QCM (*.qcm);;Tous les fichiers (*)"));
    if (!path.isEmpty())
        openQuiz(path);
}

bool FormEditeur::checkStorable()
{
    const QuizDocument::Fault fault = quiz.firstFault();
    if (fault.row < 0)
        return true;
    selectQuestion(fault.row);
    const QString why = fault.fault.error == qcm::EncodeError::TooLong
        ? QStringLiteral("le texte est trop long (%1 caractères au plus).").arg(qcm::layoutOf(fault.fault.field).capacity)
        : QStringLiteral("il contient des caractères que le fichier QCM ne peut pas garder ; le bouton « Remplacer » "
                         "les change.");
    tell(QMessageBox::Warning,
        QStringLiteral("Question %1, %2 : %3").arg(fault.row + 1).arg(qcm::fieldNameInFrench(fault.fault.field), why));
    return false;
}

bool FormEditeur::writeTo(const QString &path)
{
    if (!checkStorable())
        return false;
    const QString oldFolder = pictureFolder();
    QString error;
    if (!quiz.save(path, true, &error)) {
        tell(QMessageBox::Critical, error);
        return false;
    }
    if (oldFolder != quiz.folder()) {
        // Another folder: what the editor copied before stays where it is.
        copiedPictures.clear();
        putAside.reset();
        if (!oldFolder.isEmpty())
            for (const QString &name : copyPictures(oldFolder, quiz.folder()))
                copiedPictures.insert(name);
        showCurrentQuestion();
        scheduleCheck();
    }
    unsavedPictures.reset();
    tidyPictures();
    // Another version: the results of the one before no longer judge it.
    lookForClassResults();
    recent->remember(path);
    statusBar()->showMessage(QStringLiteral("Enregistré : %1").arg(QDir::toNativeSeparators(path)), 5000);
    return true;
}

bool FormEditeur::save()
{
    if (quiz.path().isEmpty()) {
        chooseSaveAs();
        return !quiz.path().isEmpty() && !quiz.isModified();
    }
    return writeTo(quiz.path());
}

bool FormEditeur::saveAs(const QString &path)
{
    QString target = path;
    if (QFileInfo(target).suffix().compare(QLatin1String("qcm"), Qt::CaseInsensitive) != 0)
        target += QStringLiteral(".qcm");
    return writeTo(target);
}

void FormEditeur::chooseSaveAs()
{
    const QString suggested = quiz.path().isEmpty() ? dialogFolder() + QStringLiteral("/Sans titre.qcm") : quiz.path();
    const QString path = platform::chooseFileToSave(this, QStringLiteral("Enregistrer le QCM"), suggested,
        QStringLiteral("QCM (*.qcm)"));
    if (!path.isEmpty())
        saveAs(path);
}

bool FormEditeur::maybeSave()
{
    if (!quiz.isModified())
        return true;
    const auto answer = tell(QMessageBox::Question,
        QStringLiteral("Le QCM a été modifié. Voulez-vous enregistrer les modifications ?"), {},
        QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
    if (answer == QMessageBox::Save)
        return save();
    return answer == QMessageBox::Discard;
}

QStringList FormEditeur::copyPictures(const QString &fromFolder, const QString &toFolder) const
{
    QStringList copied;
    for (const EditedQuestion &question : quiz.allQuestions()) {
        const QString name = question.text(Field::PictureFile);
        if (name.isEmpty())
            continue;
        const QString from = pictures::picturePath(fromFolder, name);
        const QString to = pictures::picturePath(toFolder, name);
        if (QFileInfo(from).isFile() && !QFileInfo::exists(to) && QDir().mkpath(QFileInfo(to).absolutePath())
            && QFile::copy(from, to))
            copied << name;
    }
    return copied;
}

void FormEditeur::tidyPictures()
{
    if (putAside) {
        for (const QString &name : copyPictures(putAside->path(), quiz.folder()))
            copiedPictures.insert(name);
    }
    QSet<QString> named;
    for (const EditedQuestion &question : quiz.allQuestions())
        named.insert(question.text(Field::PictureFile));
    for (const QString &name : std::as_const(copiedPictures)) {
        const QString file = pictures::picturePath(quiz.folder(), name);
        if (named.contains(name) || !QFileInfo(file).isFile())
            continue;
        if (!putAside)
            putAside = std::make_unique<QTemporaryDir>();
        const QString kept = pictures::picturePath(putAside->path(), name);
        QFile::remove(kept);
        if (QDir().mkpath(QFileInfo(kept).absolutePath()) && QFile::copy(file, kept))
            QFile::remove(file);
    }
}

void FormEditeur::forgetPictures()
{
    unsavedPictures.reset();
    copiedPictures.clear();
    putAside.reset();
}

QString FormEditeur::pictureFolder() const
{
    if (!quiz.folder().isEmpty())
        return quiz.folder();
    return unsavedPictures && unsavedPictures->isValid() ? unsavedPictures->path() : QString();
}

QString FormEditeur::folderForNewPictures()
{
    // A picture chosen before the first save is kept until then.
    if (quiz.folder().isEmpty() && !unsavedPictures)
        unsavedPictures = std::make_unique<QTemporaryDir>();
    return pictureFolder();
}

bool FormEditeur::setPicture(const QString &sourcePath)
{
    const int row = currentRow();
    if (row < 0)
        return false;
    // Most photographs and drawings are larger than the player's area.
    bool fit = false;
    const QSize size = QImageReader(sourcePath).size();
    if (size.isValid() && !qcm::fitsPictureArea(size)) {
        const auto answer = tell(QMessageBox::Question,
            QStringLiteral("Cette image (%1 × %2 pixels) est plus grande que la zone d'image du lecteur (%3 × %4) : "
                           "l'élève devra la faire défiler.\n\nLa réduire pour qu'elle tienne dans la zone ?")
                .arg(size.width())
                .arg(size.height())
                .arg(qcm::PictureArea.width())
                .arg(qcm::PictureArea.height()),
            {}, QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel);
        if (answer == QMessageBox::Cancel)
            return false;
        fit = answer == QMessageBox::Yes;
    }
    const PictureResult result = importPicture(sourcePath, folderForNewPictures(), fit);
    if (result.recordName.isEmpty()) {
        tell(QMessageBox::Warning, result.error);
        return false;
    }
    if (result.written && !quiz.folder().isEmpty())
        copiedPictures.insert(result.recordName);
    quiz.setText(row, Field::PictureFile, result.recordName);
    return true;
}

void FormEditeur::choosePicture()
{
    if (currentRow() < 0)
        return;
    const QString path = platform::chooseFileToOpen(this, QStringLiteral("Choisir l'image de la question"),
        QDir::homePath(),
        QStringLiteral("Images (*.jpg *.jpeg *.png *.bmp *.gif *.ico *.wmf *.emf *.webp *.tif *.tiff);;"
                       "Tous les fichiers (*)"));
    if (!path.isEmpty())
        setPicture(path);
}

} // namespace editor
