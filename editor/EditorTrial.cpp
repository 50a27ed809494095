// "Essayer": the quiz as it stands, in the player, without saving it.
#include "editor/FormEditeur.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>

#include "quiz/QuizFile.h"

namespace editor {

bool FormEditeur::tryQuiz()
{
    if (!checkStorable())
        return false;
    if (quiz.count() == 0 || quiz.question(0).text(qcm::Field::QuestionText).isEmpty()) {
        tell(QMessageBox::Information, QStringLiteral("Écrivez d'abord la première question : le lecteur n'a rien à poser."));
        return false;
    }
    if (!QFileInfo(playerProgram).isExecutable()) {
        tell(QMessageBox::Critical, QStringLiteral("Le lecteur de QCM est introuvable : %1")
                                        .arg(QDir::toNativeSeparators(playerProgram)));
        return false;
    }
    // The copy sits in a folder of its own, with the pictures it names, so
    // that the player finds them as it will beside the real quiz.
    auto folder = std::make_unique<QTemporaryDir>();
    const QString name = quiz.path().isEmpty() ? QStringLiteral("Essai.qcm") : QFileInfo(quiz.path()).fileName();
    const QString copy = QDir(folder->path()).filePath(name);
    QString error;
    if (!folder->isValid() || !quiz.save(copy, false, &error)) {
        tell(QMessageBox::Critical, QStringLiteral("Impossible de préparer l'essai dans un dossier temporaire."));
        return false;
    }
    if (!pictureFolder().isEmpty())
        copyPictures(pictureFolder(), folder->path());
    if (!QProcess::startDetached(playerProgram, {copy})) {
        tell(QMessageBox::Critical, QStringLiteral("Le lecteur de QCM n'a pas pu être lancé."));
        return false;
    }
    trialFolders.push_back(std::move(folder));
    return true;
}

} // namespace editor
