#pragma once

#include <QAbstractListModel>
#include <QUndoStack>
#include <vector>

#include "editor/EditedQuestion.h"

// The quiz being edited: its questions, shown as a list by number and the
// start of their text, its file and the history of its changes. Every change
// goes through the undo stack; the do… functions are what the commands call.
namespace editor {

class QuizDocument : public QAbstractListModel
{
    Q_OBJECT

public:
    explicit QuizDocument(QObject *parent = nullptr);

    int count() const { return int(questions.size()); }
    const EditedQuestion &question(int row) const { return questions[std::size_t(row)]; }
    const std::vector<EditedQuestion> &allQuestions() const { return questions; }
    QUndoStack *undoStack() { return &history; }
    QString path() const { return filePath; }
    // The folder pictures are taken from: the quiz's own, empty before the first save.
    QString folder() const;
    bool isModified() const { return !history.isClean(); }
    bool isFull() const { return count() >= qcm::MaxQuestions; }

    // Changes, each one step of the history. Insertion is refused when full.
    void setText(int row, qcm::Field field, const QString &text);
    bool insertQuestion(int row, const EditedQuestion &question, const QString &what);
    void removeQuestion(int row);
    void moveQuestion(int from, int to);
    // Appends questions brought from elsewhere; false when they do not fit.
    bool appendQuestions(const std::vector<EditedQuestion> &added, const QString &what);

    void doSetText(int row, qcm::Field field, const QString &text);
    void doInsert(int row, const EditedQuestion &question);
    void doRemove(int row);
    void doMove(int from, int to);
    void doReplaceAll(const std::vector<EditedQuestion> &all);

    // A new, empty quiz without a file.
    void clear();
    // Reads a quiz; false with a French message.
    bool load(const QString &path, QString *error);
    struct Fault
    {
        int row = -1;
        EditedQuestion::Fault fault;
    };
    // The first text that cannot be stored; row -1 when every one can.
    Fault firstFault() const;
    std::vector<qcm::QuestionRecord> records() const;
    // Whether any question has any text: a quiz without is not saved.
    bool hasContent() const;
    // Writes every question (atomically), creating missing folders; on
    // success the quiz takes that file as its own when adopt is set.
    bool save(const QString &path, bool adopt, QString *error);

    int rowCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    Qt::ItemFlags flags(const QModelIndex &index) const override;
    Qt::DropActions supportedDropActions() const override;
    QStringList mimeTypes() const override;
    QMimeData *mimeData(const QModelIndexList &indexes) const override;
    bool dropMimeData(const QMimeData *data, Qt::DropAction action, int row, int column,
        const QModelIndex &parent) override;

    // How a question is named in the list: "3. Quelle fraction…".
    static QString listLabel(int row, const EditedQuestion &question);

signals:
    void textChanged(int row, qcm::Field field);
    void pathChanged();
    // A command wants this question shown (after undo, redo or a move).
    void showQuestion(int row);

private:
    std::vector<EditedQuestion> questions;
    QUndoStack history;
    QString filePath;
};

} // namespace editor
