#include "editor/QuestionEditor.h"

#include <QKeyEvent>

#include "editor/FieldGuard.h"
#include "editor/PictureImport.h"
#include "editor/TextLimits.h"
#include "pictures/PictureLoader.h"
#include "quiz/PictureFormat.h"
#include "ui_QuestionEditor.h"

using qcm::Field;

namespace editor {

QuestionEditor::QuestionEditor(QWidget *parent)
    : QWidget(parent)
    , ui(std::make_unique<Ui::QuestionEditor>())
{
    ui->setupUi(this);
    propositions = {ui->proposition1, ui->proposition2, ui->proposition3, ui->proposition4, ui->proposition5};
    rightBoxes = {ui->right1, ui->right2, ui->right3, ui->right4, ui->right5};
    // Three lines of the font in use.
    for (QPlainTextEdit *box : {ui->questionText, ui->rightComment, ui->wrongComment})
        box->setFixedHeight(box->fontMetrics().lineSpacing() * 3 + 12);

    guardField(Field::QuestionText, ui->questionText);
    for (int i = 0; i < 5; ++i) {
        guardField(qcm::answerField(i + 1), propositions[std::size_t(i)]);
        connect(rightBoxes[std::size_t(i)], &QCheckBox::toggled, this, &QuestionEditor::boxesChanged);
    }
    connect(ui->ruleAll, &QRadioButton::toggled, this, &QuestionEditor::ruleChanged);
    guardField(Field::RightComment, ui->rightComment);
    guardField(Field::WrongComment, ui->wrongComment);
    guardField(Field::PictureFile, ui->pictureName);
    connect(ui->pictureButton, &QPushButton::clicked, this, &QuestionEditor::choosePicture);
    connect(ui->removePicture, &QPushButton::clicked, this, [this] { emit edited(Field::PictureFile, QString()); });

    // The player's picture area: the picture at its own size from the top
    // left corner, scroll bars when it is larger.
    const int frame = 2 * ui->pictureArea->frameWidth();
    ui->pictureArea->setFixedSize(qcm::PictureArea.width() + frame, qcm::PictureArea.height() + frame);
    ui->pictureArea->setBackgroundRole(QPalette::Base);
}

QuestionEditor::~QuestionEditor() = default;

void QuestionEditor::guardField(Field field, QWidget *edit)
{
    const int capacity = int(qcm::layoutOf(field).capacity);
    auto *guard = new FieldGuard(capacity, edit->objectName(), this);
    guards[std::size_t(field)] = guard;
    edits[std::size_t(field)] = edit;
    edit->installEventFilter(this);
    if (auto *box = qobject_cast<QPlainTextEdit *>(edit))
        connect(box, &QPlainTextEdit::textChanged, this, [this, field] { textEdited(field); });
    else if (auto *line = qobject_cast<QLineEdit *>(edit))
        connect(line, &QLineEdit::textChanged, this, [this, field] { textEdited(field); });
    connect(guard, &FieldGuard::replaceRequested, this,
        [this, field] { emit edited(field, withReplacements(storedForm(shownText(field)))); });
    connect(guard, &FieldGuard::cutRequested, this,
        [this, field, capacity] { emit edited(field, cutTo(storedForm(shownText(field)), capacity)); });
}

QString QuestionEditor::shownText(Field field) const
{
    QWidget *edit = edits[std::size_t(field)];
    if (auto *box = qobject_cast<QPlainTextEdit *>(edit))
        return box->toPlainText();
    return static_cast<QLineEdit *>(edit)->text();
}

void QuestionEditor::setShownText(Field field, const QString &stored)
{
    QWidget *edit = edits[std::size_t(field)];
    if (auto *box = qobject_cast<QPlainTextEdit *>(edit))
        box->setPlainText(shownForm(stored));
    else
        static_cast<QLineEdit *>(edit)->setText(stored);
    guards[std::size_t(field)]->show(stored);
}

void QuestionEditor::textEdited(Field field)
{
    const QString stored = storedForm(shownText(field));
    guards[std::size_t(field)]->show(stored);
    if (!filling)
        emit edited(field, stored);
}

void QuestionEditor::boxesChanged()
{
    if (filling)
        return;
    int bits = 0;
    for (int i = 0; i < 5; ++i) {
        if (rightBoxes[std::size_t(i)]->isChecked())
            bits |= 1 << i;
    }
    emit edited(Field::AnswerKey, QString::number(bits));
}

void QuestionEditor::ruleChanged()
{
    if (!filling)
        emit edited(Field::ValidityRule, ui->ruleAll->isChecked() ? QStringLiteral("ET") : QStringLiteral("OU"));
}

void QuestionEditor::showKey(const EditedQuestion &question)
{
    const int bits = question.rightBits();
    for (int i = 0; i < 5; ++i)
        rightBoxes[std::size_t(i)]->setChecked(bits & (1 << i));
    (question.allOf() ? ui->ruleAll : ui->ruleAny)->setChecked(true);
}

void QuestionEditor::showQuestion(const EditedQuestion &question, const QString &quizFolder)
{
    filling = true;
    for (const Field field : editedFields()) {
        if (edits[std::size_t(field)])
            setShownText(field, question.text(field));
    }
    showKey(question);
    showPicture(question.text(Field::PictureFile), quizFolder);
    filling = false;
    setEnabled(true);
}

void QuestionEditor::followChange(const EditedQuestion &question, Field field, const QString &quizFolder)
{
    filling = true;
    if (field == Field::AnswerKey || field == Field::ValidityRule)
        showKey(question);
    else if (storedForm(shownText(field)) != question.text(field))
        setShownText(field, question.text(field));
    if (field == Field::PictureFile)
        showPicture(question.text(field), quizFolder);
    filling = false;
}

bool QuestionEditor::eventFilter(QObject *watched, QEvent *event)
{
    // Undo and redo belong to the quiz, which knows every change, not to the
    // field that has the keyboard; so does Ctrl+Ins, which the menu shows as
    // adding a question (a field would take it as Copy, as Ctrl+C still is).
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
            || key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)
            || key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Insert)) {
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QuestionEditor::focusQuestion()
{
    ui->questionText->setFocus(Qt::OtherFocusReason);
}

void QuestionEditor::showPicture(const QString &name, const QString &quizFolder)
{
    ui->removePicture->setEnabled(!name.isEmpty());
    QString error;
    const QImage image = name.isEmpty() || quizFolder.isEmpty()
        ? QImage()
        : pictures::loadPicture(pictures::picturePath(quizFolder, name), &error);
    if (image.isNull()) {
        showPreviewText(name.isEmpty() ? QStringLiteral("Pas d'image pour cette question")
                                       : QStringLiteral("Le lecteur ne pourra pas afficher cette image : %1")
                                             .arg(error.isEmpty() ? QStringLiteral("QCM pas encore enregistré") : error));
        return;
    }
    ui->picturePreview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    ui->picturePreview->setPixmap(QPixmap::fromImage(image));
    ui->picturePreview->resize(image.size());
    ui->picturePreview->setToolTip(QStringLiteral("%1 × %2 pixels").arg(image.width()).arg(image.height()));
    ui->pictureArea->ensureVisible(0, 0);
}

void QuestionEditor::showPreviewText(const QString &text)
{
    ui->picturePreview->setPixmap({});
    ui->picturePreview->setToolTip({});
    ui->picturePreview->setAlignment(Qt::AlignCenter);
    ui->picturePreview->setText(text);
    ui->picturePreview->resize(ui->pictureArea->viewport()->size());
}

} // namespace editor
