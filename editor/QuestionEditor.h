#pragma once

#include <QWidget>
#include <array>
#include <memory>

#include "editor/EditedQuestion.h"

class QCheckBox;
class QLineEdit;

namespace Ui { class QuestionEditor; }

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
    ~QuestionEditor() override;

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
    // Counts and checks what the teacher types in the field's edit.
    void guardField(qcm::Field field, QWidget *edit);
    QString shownText(qcm::Field field) const;
    void setShownText(qcm::Field field, const QString &stored);
    void textEdited(qcm::Field field);
    void boxesChanged();
    void ruleChanged();
    void showPicture(const QString &name, const QString &quizFolder);
    void showPreviewText(const QString &text);
    void showKey(const EditedQuestion &question);

    std::unique_ptr<Ui::QuestionEditor> ui;
    std::array<QLineEdit *, 5> propositions{};
    std::array<QCheckBox *, 5> rightBoxes{};
    std::array<FieldGuard *, 12> guards{};
    std::array<QWidget *, 12> edits{};
    bool filling = false;
};

} // namespace editor
