#include "editor/QuestionListModel.h"

#include "editor/ClassResults.h"
#include "editor/QuizDocument.h"

using qcm::authoring::QuestionStats;
using qcm::authoring::QuizStats;

namespace editor {

QuestionListModel::QuestionListModel(QuizDocument &quiz, QObject *parent)
    : QIdentityProxyModel(parent)
    , quiz(quiz)
{
    setSourceModel(&quiz);
    // Connected before any view: the numbers are right when a view asks.
    connect(this, &QAbstractItemModel::rowsInserted, this, [this](const QModelIndex &, int first, int last) {
        numberInFile.insert(numberInFile.begin() + first, std::size_t(last - first + 1), 0);
    });
    connect(this, &QAbstractItemModel::rowsRemoved, this, [this](const QModelIndex &, int first, int last) {
        numberInFile.erase(numberInFile.begin() + first, numberInFile.begin() + last + 1);
    });
    connect(this, &QAbstractItemModel::rowsMoved, this,
        [this](const QModelIndex &, int from, int, const QModelIndex &, int to) {
            const int number = numberInFile[std::size_t(from)];
            numberInFile.erase(numberInFile.begin() + from);
            numberInFile.insert(numberInFile.begin() + (to > from ? to - 1 : to), number);
        });
    connect(this, &QAbstractItemModel::modelReset, this,
        [this] { numberInFile.assign(std::size_t(this->quiz.count()), 0); });
}

void QuestionListModel::followFile()
{
    numberInFile.resize(std::size_t(quiz.count()));
    for (std::size_t row = 0; row < numberInFile.size(); ++row)
        numberInFile[row] = int(row) + 1;
}

void QuestionListModel::showResults(std::optional<QuizStats> results)
{
    stats = std::move(results);
    if (quiz.count() > 0)
        emit dataChanged(index(0, 0), index(quiz.count() - 1, 0));
}

const QuestionStats *QuestionListModel::statsOf(int row) const
{
    if (!stats || row < 0 || std::size_t(row) >= numberInFile.size())
        return nullptr;
    const int number = numberInFile[std::size_t(row)];
    for (const QuestionStats &question : stats->questions) {
        if (question.question == number)
            return &question;
    }
    return nullptr;
}

QVariant QuestionListModel::data(const QModelIndex &index, int role) const
{
    const QuestionStats *question = statsOf(index.row());
    if (!question)
        return QIdentityProxyModel::data(index, role);
    switch (role) {
    case BadgeRole:
        return badgeText(*question);
    case ToCheckRole:
        return question->toCheck;
    case Qt::AccessibleTextRole:
        return QIdentityProxyModel::data(index, role).toString() + QStringLiteral(" — ") + facilityText(*question);
    case Qt::ToolTipRole: {
        const QString text = QIdentityProxyModel::data(index, role).toString();
        const QString details = statsDetails(*question, quiz.question(index.row()));
        return text.isEmpty() ? details : text + QStringLiteral("\n\n") + details;
    }
    default:
        return QIdentityProxyModel::data(index, role);
    }
}

} // namespace editor
