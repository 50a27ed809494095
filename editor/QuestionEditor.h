#pragma once

#include <QWidget>
#include <array>

#include "editor/EditedQuestion.h"

class QCheckBox;
class QGridLayout;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;

// The form of one question: its text, five propositions with their "juste"
// boxes, the rule, the two comments and the picture. It shows a question and
// tells what the teacher changed; it never changes the quiz itself.
namespace editor {

class FieldGuard;

class QuestionEditor : public QWidget
{
    Q_OBJECT

public:
    explicit QuestionEditor(QWidget *parent = nullptr);

    // Shows a question; pictures are looked up in the quiz's folder.
    void showQuestion(const EditedQuestion &question, const QString &quizFolder);
    // Follows a change made elsewhere (undo, redo, replacement) without
    // moving the cursor of a field that already shows it.
    void followChange(const EditedQuestion &question, qcm::Field field, const QString &quizFolder);

    void focusQuestion();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

signals:
    void edited(qcm::Field field, const QString &text);
    void choosePicture();

private:
    void addTextRow(QGridLayout *grid, int row, const QString &label, qcm::Field field, QWidget *edit);
    QString shownText(qcm::Field field) const;
    void setShownText(qcm::Field field, const QString &stored);
    void textEdited(qcm::Field field);
    void boxesChanged();
    void ruleChanged();
    void showPicture(const QString &name, const QString &quizFolder);
    void showPreviewText(const QString &text);
    void showKey(const EditedQuestion &question);

    QPlainTextEdit *questionText;
    std::array<QLineEdit *, 5> propositions{};
    std::array<QCheckBox *, 5> rightBoxes{};
    QRadioButton *ruleAll;
    QRadioButton *ruleAny;
    QPlainTextEdit *rightComment;
    QPlainTextEdit *wrongComment;
    QLineEdit *pictureName;
    QPushButton *pictureButton;
    QPushButton *removePicture;
    QScrollArea *pictureArea;
    QLabel *picturePreview;
    std::array<FieldGuard *, 12> guards{};
    std::array<QWidget *, 12> edits{};
    bool filling = false;
};

} // namespace editor
