#include "editor/FormEditeur.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTemporaryDir>

#include "editor/RecentQuizzes.h"
#include "platform/Folders.h"
#include "ui_FormEditeur.h"

using qcm::Field;

namespace editor {

FormEditeur::FormEditeur(QWidget *parent)
    : QMainWindow(parent)
    , ui(std::make_unique<Ui::FormEditeur>())
    , playerProgram(platform::siblingProgram(QStringLiteral("tavelor")))
{
    ui->setupUi(this);
    ui->questionList->setModel(&listModel);
    connect(ui->questionList->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
        [this](const QModelIndex &current) { currentChanged(current.row()); });
    connect(ui->addQuestion, &QPushButton::clicked, this, &FormEditeur::addQuestion);
    connect(ui->removeQuestion, &QPushButton::clicked, this, &FormEditeur::removeQuestion);
    connect(ui->tryQuiz, &QPushButton::clicked, this, &FormEditeur::tryQuiz);
    buildActions();
    setUpClassResults();

    checkTimer.setSingleShot(true);
    checkTimer.setInterval(300);
    connect(&checkTimer, &QTimer::timeout, this, &FormEditeur::refreshProblems);
    connect(&quiz, &QuizDocument::textChanged, this, &FormEditeur::textChanged);
    connect(&quiz, &QuizDocument::showQuestion, this, &FormEditeur::selectQuestion);
    connect(&quiz, &QuizDocument::pathChanged, this, &FormEditeur::updateTitle);
    connect(&quiz, &QuizDocument::pathChanged, this, &FormEditeur::scheduleCheck);
    const auto structureChanged = [this] {
        updateQuestionActions();
        scheduleCheck();
    };
    connect(&quiz, &QAbstractItemModel::rowsInserted, this, structureChanged);
    connect(&quiz, &QAbstractItemModel::rowsRemoved, this, structureChanged);
    connect(&quiz, &QAbstractItemModel::rowsMoved, this, structureChanged);
    connect(&quiz, &QAbstractItemModel::modelReset, this, structureChanged);
    // Pictures are found beside the quiz: a new place may show them differently.
    connect(&quiz, &QuizDocument::pathChanged, this, &FormEditeur::showCurrentQuestion);
    connect(quiz.undoStack(), &QUndoStack::cleanChanged, this, &FormEditeur::updateTitle);
    connect(ui->questionForm, &QuestionEditor::edited, this, [this](Field field, const QString &text) {
        if (currentRow() >= 0)
            quiz.setText(currentRow(), field, text);
    });
    connect(ui->questionForm, &QuestionEditor::choosePicture, this, &FormEditeur::choosePicture);
    connect(ui->problemList, &QListWidget::itemActivated, this, &FormEditeur::problemActivated);
    connect(ui->problemList, &QListWidget::itemClicked, this, &FormEditeur::problemActivated);
    const QSize room = screen()->availableGeometry().size();
    resize(std::min(1100, room.width()), std::min(760, room.height()));
    newQuiz();
}

FormEditeur::~FormEditeur()
{
    // The quiz is destroyed last, and its history still signals then.
    quiz.undoStack()->disconnect(this);
    quiz.disconnect(this);
}

void FormEditeur::buildActions()
{
    // The menus are made here: their shortcuts are the platform's standard
    // keys, which a Designer form could only spell as fixed ones.
    const auto add = [this](QMenu *menu, const QString &text, const QKeySequence &keys, auto slot) {
        QAction *action = menu->addAction(text);
        action->setShortcut(keys);
        connect(action, &QAction::triggered, this, slot);
        return action;
    };
    QMenu *file = menuBar()->addMenu(QStringLiteral("&Fichier"));
    add(file, QStringLiteral("&Nouveau"), QKeySequence::New, [this] {
        if (maybeSave())
            newQuiz();
    });
    add(file, QStringLiteral("&Ouvrir…"), QKeySequence::Open, &FormEditeur::chooseOpen);
    recent = new RecentQuizzes(file->addMenu(QStringLiteral("Ouvrir un QCM &récent")));
    connect(recent, &RecentQuizzes::openRequested, this, &FormEditeur::openRecent);
    add(file, QStringLiteral("&Enregistrer"), QKeySequence::Save, &FormEditeur::save);
    add(file, QStringLiteral("Enregistrer &sous…"), QKeySequence(QStringLiteral("Ctrl+Shift+S")),
        &FormEditeur::chooseSaveAs);
    file->addSeparator();
    add(file, QStringLiteral("&Importer (GIFT, Aiken, Moodle XML)…"), QKeySequence(QStringLiteral("Ctrl+I")),
        &FormEditeur::chooseImport);
    add(file, QStringLiteral("Exporter en &GIFT…"), {}, [this] { chooseExport(false); });
    add(file, QStringLiteral("Exporter en &Moodle XML…"), {}, [this] { chooseExport(true); });
    file->addSeparator();
    reportAction = add(file, QStringLiteral("Rapport de la &classe…"), {}, &FormEditeur::chooseClassReport);
    reportAction->setObjectName(QStringLiteral("actionClassReport"));
    // A disabled entry says why on hovering.
    file->setToolTipsVisible(true);
    file->addSeparator();
    add(file, QStringLiteral("Essa&yer dans le lecteur"), QKeySequence(Qt::Key_F5), &FormEditeur::tryQuiz);
    file->addSeparator();
    add(file, QStringLiteral("&Quitter"), QKeySequence::Quit, &FormEditeur::close);

    QMenu *edit = menuBar()->addMenu(QStringLiteral("É&dition"));
    QAction *undo = quiz.undoStack()->createUndoAction(this, QStringLiteral("Annuler"));
    undo->setShortcut(QKeySequence::Undo);
    QAction *redo = quiz.undoStack()->createRedoAction(this, QStringLiteral("Rétablir"));
    redo->setShortcuts({QKeySequence(QStringLiteral("Ctrl+Y")), QKeySequence(QStringLiteral("Ctrl+Shift+Z"))});
    edit->addAction(undo);
    edit->addAction(redo);

    QMenu *question = menuBar()->addMenu(QStringLiteral("Q&uestion"));
    add(question, QStringLiteral("&Ajouter une question"), QKeySequence(QStringLiteral("Ctrl+Ins")),
        &FormEditeur::addQuestion);
    duplicateAction = add(question, QStringLiteral("&Dupliquer la question"), QKeySequence(QStringLiteral("Ctrl+D")),
        &FormEditeur::duplicateQuestion);
    // Suppr deletes a question only from the list: in a text field, Suppr
    // and Ctrl+Suppr belong to the text.
    removeAction = add(question, QStringLiteral("&Supprimer la question"), QKeySequence(Qt::Key_Delete),
        &FormEditeur::removeQuestion);
    removeAction->setShortcutContext(Qt::WidgetShortcut);
    ui->questionList->addAction(removeAction);
    question->addSeparator();
    upAction = add(question, QStringLiteral("&Monter"), QKeySequence(QStringLiteral("Alt+Up")), [this] { moveQuestion(-1); });
    downAction = add(question, QStringLiteral("D&escendre"), QKeySequence(QStringLiteral("Alt+Down")),
        [this] { moveQuestion(1); });
    question->addSeparator();
    add(question, QStringLiteral("Choisir une &image…"), {}, &FormEditeur::choosePicture);
    add(question, QStringLiteral("Aller aux &problèmes"), QKeySequence(Qt::Key_F6),
        [this] { ui->problemList->setFocus(); });
}

int FormEditeur::currentRow() const
{
    return ui->questionList->currentIndex().row();
}

void FormEditeur::selectQuestion(int row)
{
    // The form follows changes to the question it shows by itself.
    if (row >= 0 && row < quiz.count() && row != currentRow())
        ui->questionList->setCurrentIndex(listModel.index(row, 0));
}

void FormEditeur::showCurrentQuestion()
{
    if (currentRow() >= 0)
        ui->questionForm->showQuestion(quiz.question(currentRow()), pictureFolder());
}

void FormEditeur::currentChanged(int row)
{
    if (row >= 0 && row < quiz.count()) {
        ui->questionForm->showQuestion(quiz.question(row), pictureFolder());
    } else {
        ui->questionForm->showQuestion(EditedQuestion::blank(), {});
        ui->questionForm->setEnabled(false);
    }
    updateQuestionActions();
}

void FormEditeur::textChanged(int row, Field field)
{
    // A picture put aside at the last save and named again (an undo) comes back at once.
    if (field == Field::PictureFile && putAside)
        copyPictures(putAside->path(), quiz.folder());
    if (row == currentRow())
        ui->questionForm->followChange(quiz.question(row), field, pictureFolder());
    scheduleCheck();
}

void FormEditeur::updateTitle()
{
    const QString name = quiz.path().isEmpty() ? QStringLiteral("Sans titre.qcm") : QFileInfo(quiz.path()).fileName();
    setWindowTitle(QStringLiteral("%1[*] — Éditeur de QCM").arg(name));
    setWindowModified(quiz.isModified());
}

void FormEditeur::updateQuestionActions()
{
    const int row = currentRow();
    const bool chosen = row >= 0;
    ui->removeQuestion->setEnabled(chosen);
    removeAction->setEnabled(chosen);
    duplicateAction->setEnabled(chosen);
    upAction->setEnabled(row > 0);
    downAction->setEnabled(chosen && row < quiz.count() - 1);
    statusBar()->showMessage(QStringLiteral("%1 question(s) sur %2 au plus").arg(quiz.count()).arg(qcm::MaxQuestions));
}

bool FormEditeur::hasRoomForAQuestion()
{
    if (!quiz.isFull())
        return true;
    tell(QMessageBox::Warning, QStringLiteral("Un QCM ne peut pas avoir plus de %1 questions : le lecteur "
                                              "n'en lit pas davantage. Commencez un autre QCM.")
                                   .arg(qcm::MaxQuestions));
    return false;
}

bool FormEditeur::addQuestion()
{
    if (!hasRoomForAQuestion())
        return false;
    quiz.insertQuestion(currentRow() + 1, EditedQuestion::blank(), QStringLiteral("Ajouter une question"));
    ui->questionForm->focusQuestion();
    return true;
}

bool FormEditeur::duplicateQuestion()
{
    const int row = currentRow();
    if (row < 0)
        return false;
    if (!hasRoomForAQuestion())
        return false;
    return quiz.insertQuestion(row + 1, quiz.question(row), QStringLiteral("Dupliquer la question %1").arg(row + 1));
}

void FormEditeur::removeQuestion()
{
    const int row = currentRow();
    if (row < 0)
        return;
    quiz.removeQuestion(row);
    statusBar()->showMessage(
        QStringLiteral("Question %1 supprimée : Ctrl+Z (Édition > Annuler) la rétablit.").arg(row + 1));
}

void FormEditeur::moveQuestion(int by)
{
    quiz.moveQuestion(currentRow(), currentRow() + by);
}

void FormEditeur::closeEvent(QCloseEvent *event)
{
    if (maybeSave())
        event->accept();
    else
        event->ignore();
}

QMessageBox::StandardButton FormEditeur::tell(QMessageBox::Icon icon, const QString &text, const QString &details,
    QMessageBox::StandardButtons buttons)
{
    QMessageBox box(icon, QStringLiteral("Éditeur de QCM"), text, buttons, this);
    box.setObjectName(QStringLiteral("editorMessage"));
    if (!details.isEmpty())
        box.setDetailedText(details);
    if (QAbstractButton *discard = box.button(QMessageBox::Discard))
        discard->setText(QStringLiteral("&Ne pas enregistrer"));
    return QMessageBox::StandardButton(box.exec());
}

} // namespace editor
