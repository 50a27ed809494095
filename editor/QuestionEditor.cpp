#include "editor/QuestionEditor.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QVBoxLayout>

#include "editor/FieldGuard.h"
#include "editor/PictureImport.h"
#include "editor/TextLimits.h"
#include "pictures/PictureLoader.h"
#include "quiz/PictureFormat.h"

using qcm::Field;

namespace editor {

namespace {


QPlainTextEdit *makeTextBox(const QString &name, QWidget *parent)
{
    auto *edit = new QPlainTextEdit(parent);
    edit->setObjectName(name);
    edit->setTabChangesFocus(true);
    edit->setUndoRedoEnabled(false); // the quiz's history does it
    edit->setFixedHeight(edit->fontMetrics().lineSpacing() * 3 + 12);
    return edit;
}

} // namespace

QuestionEditor::QuestionEditor(QWidget *parent)
    : QWidget(parent)
    , questionText(makeTextBox(QStringLiteral("questionText"), this))
    , ruleAll(new QRadioButton(QStringLiteral("toutes les bonnes propositions"), this))
    , ruleAny(new QRadioButton(QStringLiteral("au moins une bonne proposition"), this))
    , rightComment(makeTextBox(QStringLiteral("rightComment"), this))
    , wrongComment(makeTextBox(QStringLiteral("wrongComment"), this))
    , pictureName(new QLineEdit(this))
    , pictureButton(new QPushButton(QStringLiteral("Choisir une &image…"), this))
    , removePicture(new QPushButton(QStringLiteral("Re&tirer l'image"), this))
    , pictureArea(new QScrollArea(this))
    , picturePreview(new QLabel(pictureArea))
{
    auto *grid = new QGridLayout;
    grid->setColumnStretch(1, 1);
    addTextRow(grid, 0, QStringLiteral("&Question :"), Field::QuestionText, questionText);
    for (int i = 0; i < 5; ++i) {
        auto *edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("proposition%1").arg(i + 1));
        propositions[std::size_t(i)] = edit;
        addTextRow(grid, 2 + 2 * i, QStringLiteral("Proposition &%1 :").arg(i + 1), qcm::answerField(i + 1), edit);
        auto *box = new QCheckBox(QStringLiteral("juste"), this);
        box->setObjectName(QStringLiteral("right%1").arg(i + 1));
        box->setAccessibleName(QStringLiteral("Proposition %1 juste").arg(i + 1));
        rightBoxes[std::size_t(i)] = box;
        grid->addWidget(box, 2 + 2 * i, 2);
        connect(box, &QCheckBox::toggled, this, &QuestionEditor::boxesChanged);
    }

    auto *rule = new QGroupBox(QStringLiteral("La réponse est juste quand l'élève &coche"), this);
    auto *ruleLayout = new QVBoxLayout(rule);
    ruleAll->setObjectName(QStringLiteral("ruleAll"));
    ruleAny->setObjectName(QStringLiteral("ruleAny"));
    ruleAll->setAccessibleName(QStringLiteral("Juste quand l'élève coche toutes les bonnes propositions, et elles seules"));
    ruleAny->setAccessibleName(QStringLiteral("Juste quand l'élève coche au moins une bonne proposition"));
    ruleLayout->addWidget(ruleAll);
    ruleLayout->addWidget(ruleAny);
    auto *ruleGroup = new QButtonGroup(this);
    ruleGroup->addButton(ruleAll);
    ruleGroup->addButton(ruleAny);
    connect(ruleAll, &QRadioButton::toggled, this, &QuestionEditor::ruleChanged);
    grid->addWidget(rule, 12, 0, 1, 4);

    addTextRow(grid, 13, QStringLiteral("Co&mmentaire\nsi juste :"), Field::RightComment, rightComment);
    addTextRow(grid, 15, QStringLiteral("Co&rrection\nsi faux :"), Field::WrongComment, wrongComment);

    pictureName->setObjectName(QStringLiteral("pictureName"));
    pictureName->setReadOnly(true);
    pictureName->setPlaceholderText(QStringLiteral("pas d'image"));
    addTextRow(grid, 17, QStringLiteral("Image :"), Field::PictureFile, pictureName);
    pictureButton->setObjectName(QStringLiteral("pictureButton"));
    removePicture->setObjectName(QStringLiteral("removePicture"));
    pictureButton->setAccessibleName(QStringLiteral("Choisir l'image de la question"));
    removePicture->setAccessibleName(QStringLiteral("Retirer l'image de la question"));
    auto *pictureButtons = new QHBoxLayout;
    pictureButtons->addWidget(pictureButton);
    pictureButtons->addWidget(removePicture);
    pictureButtons->addStretch();
    grid->addLayout(pictureButtons, 19, 1, 1, 3);
    grid->setRowStretch(20, 1);
    connect(pictureButton, &QPushButton::clicked, this, &QuestionEditor::choosePicture);
    connect(removePicture, &QPushButton::clicked, this, [this] { emit edited(Field::PictureFile, QString()); });

    // The player's picture area: the picture at its own size from the top
    // left corner, scroll bars when it is larger.
    pictureArea->setObjectName(QStringLiteral("pictureArea"));
    pictureArea->setFrameShape(QFrame::StyledPanel);
    const int frame = 2 * pictureArea->frameWidth();
    pictureArea->setFixedSize(qcm::PictureArea.width() + frame, qcm::PictureArea.height() + frame);
    pictureArea->setWidget(picturePreview);
    pictureArea->setBackgroundRole(QPalette::Base);
    picturePreview->setObjectName(QStringLiteral("picturePreview"));
    picturePreview->setAccessibleName(QStringLiteral("Aperçu de l'image"));
    picturePreview->setWordWrap(true);

    auto *layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    auto *previewColumn = new QVBoxLayout;
    previewColumn->addWidget(pictureArea);
    previewColumn->addStretch();
    layout->addLayout(previewColumn);
    // Tab follows the form from top to bottom, each box after its proposition.
    QWidget *previous = questionText;
    for (std::size_t i = 0; i < 5; ++i) {
        setTabOrder(previous, propositions[i]);
        setTabOrder(propositions[i], rightBoxes[i]);
        previous = rightBoxes[i];
    }
    for (QWidget *next : std::initializer_list<QWidget *>{ruleAll, ruleAny, rightComment, wrongComment, pictureName,
             pictureButton, removePicture}) {
        setTabOrder(previous, next);
        previous = next;
    }
    setEnabled(false);
}

void QuestionEditor::addTextRow(QGridLayout *grid, int row, const QString &label, Field field, QWidget *edit)
{
    auto *caption = new QLabel(label, this);
    caption->setBuddy(edit);
    QString name = label;
    name.remove(QLatin1Char('&')).replace(QLatin1Char('\n'), QLatin1Char(' '));
    edit->setAccessibleName(name.chopped(2));
    grid->addWidget(caption, row, 0, Qt::AlignTop);
    grid->addWidget(edit, row, 1);
    const int capacity = int(qcm::layoutOf(field).capacity);
    auto *guard = new FieldGuard(capacity, edit->objectName(), this);
    grid->addWidget(guard->counter(), row, 3, Qt::AlignTop);
    grid->addWidget(guard->warning(), row + 1, 1, 1, 3);
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
        emit edited(Field::ValidityRule, ruleAll->isChecked() ? QStringLiteral("ET") : QStringLiteral("OU"));
}

void QuestionEditor::showKey(const EditedQuestion &question)
{
    const int bits = question.rightBits();
    for (int i = 0; i < 5; ++i)
        rightBoxes[std::size_t(i)]->setChecked(bits & (1 << i));
    (question.allOf() ? ruleAll : ruleAny)->setChecked(true);
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
    // field that has the keyboard.
    if (event->type() == QEvent::ShortcutOverride) {
        const auto *key = static_cast<QKeyEvent *>(event);
        if (key->matches(QKeySequence::Undo) || key->matches(QKeySequence::Redo)
            || key->keyCombination() == QKeyCombination(Qt::ControlModifier, Qt::Key_Y)) {
            event->ignore();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void QuestionEditor::focusQuestion()
{
    questionText->setFocus(Qt::OtherFocusReason);
}

void QuestionEditor::showPicture(const QString &name, const QString &quizFolder)
{
    removePicture->setEnabled(!name.isEmpty());
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
    picturePreview->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    picturePreview->setPixmap(QPixmap::fromImage(image));
    picturePreview->resize(image.size());
    picturePreview->setToolTip(QStringLiteral("%1 × %2 pixels").arg(image.width()).arg(image.height()));
    pictureArea->ensureVisible(0, 0);
}

void QuestionEditor::showPreviewText(const QString &text)
{
    picturePreview->setPixmap({});
    picturePreview->setToolTip({});
    picturePreview->setAlignment(Qt::AlignCenter);
    picturePreview->setText(text);
    picturePreview->resize(pictureArea->viewport()->size());
}

} // namespace editor
