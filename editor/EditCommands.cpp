#include "editor/EditCommands.h"

#include "editor/QuizDocument.h"
#include "quiz/FieldName.h"

using qcm::Field;

namespace editor {

SetTextCommand::SetTextCommand(QuizDocument &document, int row, Field field, const QString &text)
    : QUndoCommand(QStringLiteral("Modifier %1 (question %2)").arg(qcm::fieldNameInFrench(field)).arg(row + 1))
    , document(document)
    , row(row)
    , field(field)
    , before(document.question(row).text(field))
    , after(text)
{
}

void SetTextCommand::undo()
{
    document.doSetText(row, field, before);
}

void SetTextCommand::redo()
{
    document.doSetText(row, field, after);
}

bool SetTextCommand::mergeWith(const QUndoCommand *other)
{
    const auto *next = static_cast<const SetTextCommand *>(other);
    // Ticks and rule choices are steps of their own; typing is one step.
    const bool typed = field != Field::AnswerKey && field != Field::ValidityRule && field != Field::PictureFile;
    if (!typed || next->row != row || next->field != field)
        return false;
    after = next->after;
    return true;
}

InsertCommand::InsertCommand(QuizDocument &document, int row, const EditedQuestion &question, const QString &what)
    : QUndoCommand(what)
    , document(document)
    , row(row)
    , question(question)
{
}

void InsertCommand::undo()
{
    document.doRemove(row);
}

void InsertCommand::redo()
{
    document.doInsert(row, question);
}

RemoveCommand::RemoveCommand(QuizDocument &document, int row)
    : QUndoCommand(QStringLiteral("Supprimer la question %1").arg(row + 1))
    , document(document)
    , row(row)
    , question(document.question(row))
{
}

void RemoveCommand::undo()
{
    document.doInsert(row, question);
}

void RemoveCommand::redo()
{
    document.doRemove(row);
}

MoveCommand::MoveCommand(QuizDocument &document, int from, int to)
    : QUndoCommand(QStringLiteral("Déplacer la question %1").arg(from + 1))
    , document(document)
    , from(from)
    , to(to)
{
}

void MoveCommand::undo()
{
    document.doMove(to, from);
}

void MoveCommand::redo()
{
    document.doMove(from, to);
}

AppendCommand::AppendCommand(QuizDocument &document, std::vector<EditedQuestion> added, const QString &what)
    : QUndoCommand(what)
    , document(document)
    , before(document.allQuestions())
    , after(before)
{
    after.insert(after.end(), added.begin(), added.end());
}

void AppendCommand::undo()
{
    document.doReplaceAll(before);
}

void AppendCommand::redo()
{
    document.doReplaceAll(after);
}

} // namespace editor
