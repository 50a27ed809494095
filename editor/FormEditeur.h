#pragma once

#include <QMainWindow>
#include <QMessageBox>
#include <QSet>
#include <QTimer>
#include <memory>
#include <optional>
#include <vector>

#include "editor/QuestionListModel.h"
#include "editor/QuizDocument.h"

class QLabel;
class QListWidgetItem;
class QProcess;
class QTemporaryDir;

namespace Ui { class FormEditeur; }

namespace editor {

class RecentQuizzes;

// The teacher's editor: the list of questions on the left, the form of the
// chosen question on the right, the problems the player would meet below.
class FormEditeur : public QMainWindow
{
    Q_OBJECT

public:
    explicit FormEditeur(QWidget *parent = nullptr);
    ~FormEditeur() override;

    QuizDocument &document() { return quiz; }
    int currentRow() const;
    void selectQuestion(int row);

    // File commands; false when the teacher cancelled or it failed.
    void newQuiz();
    bool openQuiz(const QString &path);
    bool save();
    bool saveAs(const QString &path);
    // Asks what to do with unsaved changes; false: stay.
    bool maybeSave();

    bool addQuestion();
    bool duplicateQuestion();
    void removeQuestion();
    void moveQuestion(int by);
    // Copies the picture beside the quiz and gives it to the current question.
    bool setPicture(const QString &sourcePath);

    bool importFrom(const QString &path);
    bool exportTo(const QString &path, bool moodleXml);
    // Saves a copy in a temporary folder and starts the player on it.
    bool tryQuiz();
    // The player started by "Essayer": by default the one beside the editor.
    void setPlayerProgram(const QString &program) { playerProgram = program; }
    // Writes the class report of the results shown; false, told, on failure.
    bool saveClassReport(const QString &pdfPath);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void buildActions();
    void currentChanged(int row);
    void showCurrentQuestion();
    void textChanged(int row, qcm::Field field);
    void updateTitle();
    void updateQuestionActions();
    void scheduleCheck();
    void refreshProblems();
    void problemActivated(QListWidgetItem *item);
    void chooseOpen();
    void openRecent(const QString &path);
    void chooseSaveAs();
    void choosePicture();
    void chooseImport();
    void chooseExport(bool moodleXml);
    // Refuses with a message, the question selected, when a text cannot be stored.
    bool checkStorable();
    bool writeTo(const QString &path);
    // The folder the pictures are read from: beside the quiz or, until its
    // first save, one of the editor's own that the save copies from.
    QString pictureFolder() const;
    QString folderForNewPictures();
    // Another quiz: the pictures of the last one are no longer ours to tidy.
    void forgetPictures();
    // Copies the pictures the questions name that toFolder lacks; returns their names.
    QStringList copyPictures(const QString &fromFolder, const QString &toFolder) const;
    // Puts aside the pictures the editor copied beside the quiz that no
    // question names any more, and brings back those named again.
    void tidyPictures();
    QString dialogFolder() const;
    // Tells the teacher when the quiz already has all the questions the player reads.
    bool hasRoomForAQuestion();
    void setUpClassResults();
    // Shows the class's results of the file as it is on disk, if any.
    void lookForClassResults();
    void showClassResults(std::optional<qcm::authoring::QuizStats> results);
    void chooseClassReport();
    QMessageBox::StandardButton tell(QMessageBox::Icon icon, const QString &text, const QString &details = {},
        QMessageBox::StandardButtons buttons = QMessageBox::Ok);

    QuizDocument quiz;
    QuestionListModel listModel{quiz};
    std::unique_ptr<Ui::FormEditeur> ui;
    QTimer checkTimer;
    QString playerProgram;
    std::vector<std::unique_ptr<QTemporaryDir>> trialFolders;
    std::unique_ptr<QTemporaryDir> unsavedPictures;
    // Pictures the editor put beside the quiz, by record name, and where
    // the ones no question names are put aside (an undo may want them).
    QSet<QString> copiedPictures;
    std::unique_ptr<QTemporaryDir> putAside;
    RecentQuizzes *recent = nullptr;
    QAction *duplicateAction = nullptr;
    QAction *removeAction = nullptr;
    QAction *upAction = nullptr;
    QAction *downAction = nullptr;
    QAction *reportAction = nullptr;
    QLabel *resultsStatus = nullptr;
};

} // namespace editor
