// Bringing questions in from GIFT, Aiken or Moodle XML, and sending them out.
#include "editor/FormEditeur.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

#include "editor/PictureImport.h"
#include "pictures/PictureForPlayer.h"
#include "platform/Desktop.h"
#include "quiz/authoring/QuizExport.h"
#include "quiz/authoring/QuizImport.h"

using namespace qcm::authoring;

namespace editor {

namespace {

bool writeFile(const QString &path, const QByteArray &data)
{
    QSaveFile file(path);
    // A failed final flush would otherwise be committed as a short file.
    return file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.flush() && file.commit();
}

} // namespace

bool FormEditeur::importFrom(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        tell(QMessageBox::Warning, QStringLiteral("Impossible d'ouvrir « %1 » (%2).")
                                       .arg(QFileInfo(path).fileName(), file.errorString()));
        return false;
    }
    const QByteArray contents = file.readAll();
    const std::optional<InterchangeFormat> format = guessFormat(path, contents);
    if (!format) {
        tell(QMessageBox::Warning, QStringLiteral("Format inconnu : l'éditeur importe les fichiers .gift, .txt (GIFT "
                                                  "ou Aiken) et .xml (Moodle XML)."));
        return false;
    }
    const SourceQuiz source = readSource(*format, contents, Lang::French);
    if (!source.errors.isEmpty()) {
        tell(QMessageBox::Warning, QStringLiteral("Ce fichier ne peut pas être importé."), source.errors.join(QLatin1Char('\n')));
        return false;
    }
    ImportOptions options;
    options.replace = true;
    options.cut = true;
    options.convertPicture = pictures::pictureForPlayer;
    const ImportResult result = importQuestions(source, path, options);
    QStringList report = result.report;
    if (result.records.empty()) {
        tell(QMessageBox::Warning, QStringLiteral("Aucune question de ce fichier ne peut entrer dans un QCM."),
            report.join(QLatin1Char('\n')));
        return false;
    }
    if (quiz.count() + int(result.records.size()) > qcm::MaxQuestions) {
        tell(QMessageBox::Warning, QStringLiteral("Un QCM ne peut pas avoir plus de %1 questions : les %2 questions "
                                                  "de ce fichier ne tiennent pas dans les %3 places qui restent.")
                                       .arg(qcm::MaxQuestions)
                                       .arg(result.records.size())
                                       .arg(qcm::MaxQuestions - quiz.count()));
        return false;
    }
    const QString pictureFolder = result.pictures.empty() ? QString() : folderForNewPictures();
    for (const ImportedPicture &picture : result.pictures) {
        const QString target = QDir(pictureFolder).filePath(picture.relativePath);
        if (QFileInfo::exists(target)) {
            report << QStringLiteral("%1 : une image de ce nom est déjà là, elle est gardée")
                          .arg(QDir::toNativeSeparators(picture.relativePath));
            continue;
        }
        if (!QDir().mkpath(QFileInfo(target).absolutePath()) || !writeFile(target, picture.data))
            report << QStringLiteral("%1 : écriture impossible").arg(QDir::toNativeSeparators(target));
    }
    // A blank first question of a new quiz gives way to the imported ones.
    const bool replaceBlank = quiz.count() == 1 && !quiz.isModified() && quiz.path().isEmpty()
        && quiz.question(0).text(qcm::Field::QuestionText).isEmpty();
    std::vector<EditedQuestion> added;
    for (const qcm::QuestionRecord &record : result.records)
        added.push_back(EditedQuestion::fromRecord(record));
    const int first = replaceBlank ? 0 : quiz.count();
    if (replaceBlank)
        quiz.doRemove(0);
    quiz.appendQuestions(added, QStringLiteral("Importer %1").arg(QFileInfo(path).fileName()));
    selectQuestion(first);
    const QString summary = QStringLiteral("%1 question(s) importée(s), %2 laissée(s) de côté.")
                                .arg(result.records.size())
                                .arg(result.leftOut);
    tell(report.isEmpty() ? QMessageBox::Information : QMessageBox::Warning,
        report.isEmpty() ? summary
                         : summary + QStringLiteral("\nCe qui n'a pas pu être repris est dans le détail."),
        report.join(QLatin1Char('\n')));
    return true;
}

void FormEditeur::chooseImport()
{
    const QString path = platform::chooseFileToOpen(this, QStringLiteral("Importer des questions"), dialogFolder(),
        QStringLiteral("Questions (*.gift *.txt *.xml);;Tous les fichiers (*)"));
    if (!path.isEmpty())
        importFrom(path);
}

bool FormEditeur::exportTo(const QString &path, bool moodleXml)
{
    if (!checkStorable())
        return false;
    const QString name = quiz.path().isEmpty() ? QStringLiteral("QCM.qcm") : quiz.path();
    const ExportResult result = moodleXml ? exportMoodleXml(quiz.records(), name, pictureFolder(), Lang::French)
                                          : exportGift(quiz.records(), name, Lang::French);
    if (!writeFile(path, result.data)) {
        tell(QMessageBox::Critical, QStringLiteral("Impossible d'écrire « %1 ».").arg(QDir::toNativeSeparators(path)));
        return false;
    }
    const QString summary = QStringLiteral("%1 question(s) exportée(s) dans « %2 ».")
                                .arg(result.exported)
                                .arg(QFileInfo(path).fileName());
    tell(result.report.isEmpty() ? QMessageBox::Information : QMessageBox::Warning,
        result.report.isEmpty() ? summary
                                : summary + QStringLiteral("\nCe qui n'a pas pu être repris est dans le détail."),
        result.report.join(QLatin1Char('\n')));
    return true;
}

void FormEditeur::chooseExport(bool moodleXml)
{
    const QString base = quiz.path().isEmpty() ? dialogFolder() + QStringLiteral("/QCM")
                                               : quiz.folder() + QLatin1Char('/') + QFileInfo(quiz.path()).completeBaseName();
    const QString path = platform::chooseFileToSave(this,
        moodleXml ? QStringLiteral("Exporter en Moodle XML") : QStringLiteral("Exporter en GIFT"),
        base + (moodleXml ? QStringLiteral(".xml") : QStringLiteral(".gift")),
        moodleXml ? QStringLiteral("Moodle XML (*.xml)") : QStringLiteral("GIFT (*.gift)"));
    if (!path.isEmpty())
        exportTo(path, moodleXml);
}

} // namespace editor
