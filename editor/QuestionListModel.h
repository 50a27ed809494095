#pragma once

#include <QIdentityProxyModel>
#include <optional>
#include <vector>

#include "quiz/authoring/QuestionStats.h"

namespace editor {

class QuizDocument;

// The question list as the editor shows it: the quiz's questions and, beside
// those the class answered in the version on disk, their results. The
// results follow their question when questions are added, removed or moved.
class QuestionListModel : public QIdentityProxyModel
{
    Q_OBJECT

public:
    enum Role {
        BadgeRole = Qt::UserRole + 1, // "40 % · à vérifier", empty without results
        ToCheckRole,
    };

    explicit QuestionListModel(QuizDocument &quiz, QObject *parent = nullptr);

    // The rows are now the questions of the file on disk, in its order.
    void followFile();
    // The results of the file followed; none to show none.
    void showResults(std::optional<qcm::authoring::QuizStats> results);
    const std::optional<qcm::authoring::QuizStats> &results() const { return stats; }

    QVariant data(const QModelIndex &index, int role) const override;

private:
    const qcm::authoring::QuestionStats *statsOf(int row) const;

    QuizDocument &quiz;
    std::optional<qcm::authoring::QuizStats> stats;
    // Each row's number in the file on disk; 0 for a question added since.
    std::vector<int> numberInFile;
};

} // namespace editor
