#include "editor/QuizDocument.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>
#include <QIODevice>
#include <QMimeData>

#include "editor/EditCommands.h"
#include "quiz/QuizFile.h"
#include "quiz/authoring/QuizJson.h"

using qcm::Field;

namespace editor {

namespace {

const QString RowMime = QStringLiteral("application/x-tavelor-question-row");

} // namespace

QuizDocument::QuizDocument(QObject *parent)
    : QAbstractListModel(parent)
{
}

QString QuizDocument::folder() const
{
    return filePath.isEmpty() ? QString() : QFileInfo(filePath).absolutePath();
}

void QuizDocument::setText(int row, Field field, const QString &text)
{
    if (question(row).text(field) != text)
        history.push(new SetTextCommand(*this, row, field, text));
}

bool QuizDocument::insertQuestion(int row, const EditedQuestion &question, const QString &what)
{
    if (isFull())
        return false;
    history.push(new InsertCommand(*this, row, question, what));
    return true;
}

void QuizDocument::removeQuestion(int row)
{
    history.push(new RemoveCommand(*this, row));
}

void QuizDocument::moveQuestion(int from, int to)
{
    if (from != to && from >= 0 && to >= 0 && from < count() && to < count())
        history.push(new MoveCommand(*this, from, to));
}

bool QuizDocument::appendQuestions(const std::vector<EditedQuestion> &added, const QString &what)
{
    if (count() + int(added.size()) > qcm::MaxQuestions)
        return false;
    history.push(new AppendCommand(*this, added, what));
    return true;
}

void QuizDocument::doSetText(int row, Field field, const QString &text)
{
    questions[std::size_t(row)].text(field) = text;
    if (field == Field::QuestionText)
        emit dataChanged(index(row), index(row));
    emit textChanged(row, field);
    emit showQuestion(row);
}

void QuizDocument::doInsert(int row, const EditedQuestion &question)
{
    beginInsertRows({}, row, row);
    questions.insert(questions.begin() + row, question);
    endInsertRows();
    // Every number after it changed.
    emit dataChanged(index(row), index(count() - 1));
    emit showQuestion(row);
}

void QuizDocument::doRemove(int row)
{
    beginRemoveRows({}, row, row);
    questions.erase(questions.begin() + row);
    endRemoveRows();
    if (row < count())
        emit dataChanged(index(row), index(count() - 1));
    if (count() > 0)
        emit showQuestion(std::min(row, count() - 1));
}

void QuizDocument::doMove(int from, int to)
{
    beginMoveRows({}, from, from, {}, to > from ? to + 1 : to);
    EditedQuestion moved = questions[std::size_t(from)];
    questions.erase(questions.begin() + from);
    questions.insert(questions.begin() + to, moved);
    endMoveRows();
    emit dataChanged(index(std::min(from, to)), index(std::max(from, to)));
    emit showQuestion(to);
}

void QuizDocument::doReplaceAll(const std::vector<EditedQuestion> &all)
{
    beginResetModel();
    questions = all;
    endResetModel();
    if (count() > 0)
        emit showQuestion(0);
}

void QuizDocument::clear()
{
    history.clear();
    beginResetModel();
    questions.clear();
    endResetModel();
    filePath.clear();
    emit pathChanged();
}

bool QuizDocument::load(const QString &path, QString *error)
{
    std::vector<qcm::QuestionRecord> records;
    std::size_t trailing = 0;
    QString message;
    if (!qcm::authoring::readWholeQuiz(path, records, trailing, message, qcm::authoring::Lang::French)) {
        *error = message;
        return false;
    }
    std::vector<EditedQuestion> loaded;
    for (const qcm::QuestionRecord &record : records)
        loaded.push_back(EditedQuestion::fromRecord(record));
    history.clear();
    beginResetModel();
    questions = std::move(loaded);
    endResetModel();
    filePath = QFileInfo(path).absoluteFilePath();
    emit pathChanged();
    return true;
}

QuizDocument::Fault QuizDocument::firstFault() const
{
    for (int row = 0; row < count(); ++row) {
        const EditedQuestion::Fault fault = question(row).firstFault();
        if (fault.error != qcm::EncodeError::None)
            return {row, fault};
    }
    return {};
}

std::vector<qcm::QuestionRecord> QuizDocument::records() const
{
    std::vector<qcm::QuestionRecord> result;
    for (const EditedQuestion &q : questions)
        result.push_back(q.toRecord());
    return result;
}

bool QuizDocument::hasContent() const
{
    // The key and the rule of a new question are filled in: they are not content.
    return std::any_of(questions.begin(), questions.end(), [](const EditedQuestion &question) {
        return std::any_of(editedFields().begin(), editedFields().end(), [&](Field field) {
            return field != Field::AnswerKey && field != Field::ValidityRule && !question.text(field).isEmpty();
        });
    });
}

bool QuizDocument::save(const QString &path, bool adopt, QString *error)
{
    const QFileInfo target(path);
    const QString untouched = target.exists()
        ? QStringLiteral(" Le fichier « %1 » n'a pas été touché.").arg(target.fileName())
        : QString();
    // The player cannot read a file without questions: keep the old one.
    if (!hasContent()) {
        *error = QStringLiteral("Ce QCM n'a aucune question : le lecteur ne pourrait pas l'ouvrir. Écrivez au "
                                "moins une question avant d'enregistrer.")
                 + untouched;
        return false;
    }
    if (!QDir().mkpath(target.absolutePath())) {
        *error = QStringLiteral("Le dossier « %1 » n'existe pas et ne peut pas être créé : vérifiez que vous avez le "
                                "droit d'écrire dans le dossier qui le contient.")
                     .arg(QDir::toNativeSeparators(target.absolutePath()));
        return false;
    }
    if (!qcm::writeQuizFile(path, records())) {
        *error = QStringLiteral("Impossible d'écrire le fichier « %1 » : vérifiez que vous avez le droit d'écrire "
                                "dans le dossier « %2 » et qu'il reste de la place sur le disque.")
                     .arg(target.fileName(), QDir::toNativeSeparators(target.absolutePath()))
                 + untouched;
        return false;
    }
    if (adopt) {
        history.setClean();
        if (target.absoluteFilePath() != filePath) {
            filePath = target.absoluteFilePath();
            emit pathChanged();
        }
    }
    return true;
}

int QuizDocument::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : count();
}

QString QuizDocument::listLabel(int row, const EditedQuestion &question)
{
    QString text = question.text(Field::QuestionText).simplified();
    if (text.isEmpty())
        text = QStringLiteral("(question vide)");
    else if (text.size() > 60)
        text = text.left(59) + QChar(0x2026);
    return QStringLiteral("%1. %2").arg(row + 1).arg(text);
}

QVariant QuizDocument::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= count())
        return {};
    if (role == Qt::DisplayRole || role == Qt::AccessibleTextRole)
        return listLabel(index.row(), question(index.row()));
    if (role == Qt::ToolTipRole)
        return question(index.row()).text(Field::QuestionText);
    return {};
}

Qt::ItemFlags QuizDocument::flags(const QModelIndex &index) const
{
    const Qt::ItemFlags base = QAbstractListModel::flags(index);
    return index.isValid() ? base | Qt::ItemIsDragEnabled : base | Qt::ItemIsDropEnabled;
}

Qt::DropActions QuizDocument::supportedDropActions() const
{
    return Qt::MoveAction;
}

QStringList QuizDocument::mimeTypes() const
{
    return {RowMime};
}

QMimeData *QuizDocument::mimeData(const QModelIndexList &indexes) const
{
    if (indexes.isEmpty())
        return nullptr;
    auto *data = new QMimeData;
    data->setData(RowMime, QByteArray::number(indexes.first().row()));
    return data;
}

bool QuizDocument::dropMimeData(const QMimeData *data, Qt::DropAction, int row, int, const QModelIndex &parent)
{
    if (!data->hasFormat(RowMime))
        return false;
    const int from = data->data(RowMime).toInt();
    int to = row >= 0 ? row : parent.isValid() ? parent.row() : count();
    if (to > from)
        --to; // the row leaves its place before it lands
    moveQuestion(from, std::clamp(to, 0, count() - 1));
    // The move is done: the view must not remove the dragged row itself.
    return false;
}

} // namespace editor
