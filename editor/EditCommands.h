#pragma once

#include <QUndoCommand>
#include <vector>

#include "editor/EditedQuestion.h"

// The steps of the editor's history. Typing in one field merges into one step.
namespace editor {

class QuizDocument;

class SetTextCommand : public QUndoCommand
{
public:
    SetTextCommand(QuizDocument &document, int row, qcm::Field field, const QString &text);
    void undo() override;
    void redo() override;
    int id() const override { return 1; }
    bool mergeWith(const QUndoCommand *other) override;

private:
    QuizDocument &document;
    int row;
    qcm::Field field;
    QString before;
    QString after;
};

class InsertCommand : public QUndoCommand
{
public:
    InsertCommand(QuizDocument &document, int row, const EditedQuestion &question, const QString &what);
    void undo() override;
    void redo() override;

private:
    QuizDocument &document;
    int row;
    EditedQuestion question;
};

class RemoveCommand : public QUndoCommand
{
public:
    RemoveCommand(QuizDocument &document, int row);
    void undo() override;
    void redo() override;

private:
    QuizDocument &document;
    int row;
    EditedQuestion question;
};

class MoveCommand : public QUndoCommand
{
public:
    MoveCommand(QuizDocument &document, int from, int to);
    void undo() override;
    void redo() override;

private:
    QuizDocument &document;
    int from;
    int to;
};

class AppendCommand : public QUndoCommand
{
public:
    AppendCommand(QuizDocument &document, std::vector<EditedQuestion> added, const QString &what);
    void undo() override;
    void redo() override;

private:
    QuizDocument &document;
    std::vector<EditedQuestion> before;
    std::vector<EditedQuestion> after;
};

} // namespace editor
