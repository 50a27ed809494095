#include "app/FormQCM.h"

#include <QAbstractSpinBox>
#include <QApplication>
#include <QAbstractItemView>
#include <QComboBox>
#include <QCompleter>
#include <QFileDialog>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QTextEdit>
#include <QToolButton>

#include "skin/Accessibility.h"
#include "ui_FormQCM.h"

namespace {

// The focus mark: thick, round and bright enough for a child to see at once.
const QColor FocusMarkColour(0xFF, 0x80, 0x00);
constexpr qreal FocusMarkWidth = 3.0;

// Widgets that take what is typed for themselves: digits go to them.
bool takesTyping(const QWidget *widget)
{
    if (!widget)
        return false;
    if (auto *edit = qobject_cast<const QLineEdit *>(widget))
        return !edit->isReadOnly();
    if (auto *spin = qobject_cast<const QAbstractSpinBox *>(widget))
        return !spin->isReadOnly();
    if (auto *combo = qobject_cast<const QComboBox *>(widget))
        return combo->isEditable();
    if (auto *text = qobject_cast<const QPlainTextEdit *>(widget))
        return !text->isReadOnly();
    if (auto *text = qobject_cast<const QTextEdit *>(widget))
        return !text->isReadOnly();
    return false;
}

// The proposition a key stands for, 0 for none. On a French keyboard the
// digits of the main row are the shifted characters; unshifted, the same
// keys give & é " ' (, which count as the digits they carry.
int propositionOfKey(const QKeyEvent *event)
{
    if (event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return 0;
    switch (event->key()) {
    case Qt::Key_1: case Qt::Key_Ampersand: return 1;
    case Qt::Key_2: case Qt::Key_Eacute: return 2;
    case Qt::Key_3: case Qt::Key_QuoteDbl: return 3;
    case Qt::Key_4: case Qt::Key_Apostrophe: return 4;
    case Qt::Key_5: case Qt::Key_ParenLeft: return 5;
    default: return 0;
    }
}

bool isPlain(const QKeyEvent *event)
{
    return (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
}

// The main window's keys, its focus mark and the click on a proposition's
// text. Keys are looked at before the widget with the focus gets them, so
// that read-only text boxes, check boxes and tool buttons cannot swallow them.
class MainWindowKeys : public QObject
{
public:
    explicit MainWindowKeys(TFormQCM *form) : QObject(form), m_form(form), ui(*form->ui)
    {
        qApp->installEventFilter(this);
        ui.Default->installEventFilter(this);
        for (int i = 0; i < 5; ++i) {
            boxes[i]->installEventFilter(this);
            memos[i]->viewport()->installEventFilter(this);
            // A box is read out by its proposition's text.
            QCheckBox *box = boxes[i];
            QPlainTextEdit *memo = memos[i];
            connect(memo, &QPlainTextEdit::textChanged, box,
                    [box, memo] { box->setAccessibleName(memo->toPlainText()); });
        }
        connect(ui.Notebook1, &QStackedWidget::currentChanged, this, &MainWindowKeys::pageChanged);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        switch (event->type()) {
        case QEvent::Show:
            // The window takes the keyboard when it first comes up, as under
            // a window manager, even where none hands it over.
            if (watched == m_form && !m_shownOnce) {
                m_shownOnce = true;
                m_form->activateWindow();
            }
            return false;
        case QEvent::KeyPress:
            return keyPress(watched, static_cast<QKeyEvent *>(event));
        case QEvent::Paint:
            if (watched == ui.Default)
                paintFocusMark();
            return false;
        case QEvent::FocusIn:
        case QEvent::FocusOut:
            if (auto *box = boxOf(watched))
                focusChanged(box, static_cast<QFocusEvent *>(event));
            return false;
        case QEvent::Hide:
            if (boxOf(watched))
                ui.Default->update();
            return false;
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
        case QEvent::MouseButtonRelease:
            if (int i = memoRowOf(watched); i >= 0)
                memoMouse(i, static_cast<QMouseEvent *>(event));
            return false;
        default:
            return false;
        }
    }

private:
    bool keyPress(QObject *watched, QKeyEvent *event)
    {
        // A press the widget leaves climbs to its parents and comes by again;
        // what is decided depends on the state, not on the level, so a key
        // left alone below is left alone above.
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != m_form)
            return false;

        const int key = event->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && isPlain(event)) {
            // A held key must not run through the correction and the next question.
            if (event->isAutoRepeat())
                return shownFlowButton() != nullptr;
            return pressShownFlowButton();
        }
        if (const int proposition = propositionOfKey(event)) {
            if (takesTyping(widget))
                return false;
            QCheckBox *box = boxes[proposition - 1];
            if (!box->isVisibleTo(m_form))
                return false;
            if (!event->isAutoRepeat()) {
                box->click();
                box->setFocus(Qt::ShortcutFocusReason);
            }
            return true;
        }
        if (const bool readAgain = key == Qt::Key_L && isPlain(event); readAgain || key == Qt::Key_Escape) {
            if (takesTyping(widget) || !ui.ToolButton15->isChecked())
                return false;
            if (readAgain)
                m_form->readQuestionAloud();
            else
                m_form->stopReading();
            return true;
        }
        if ((key == Qt::Key_Tab || key == Qt::Key_Backtab)
            && !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            return moveAmongBoxes(widget, key == Qt::Key_Tab && !(event->modifiers() & Qt::ShiftModifier));
        return command(event->keyCombination());
    }

    // Each command key does what its button does, only while the way to
    // that button is on screen.
    bool command(QKeyCombination keys)
    {
        if (keys == QKeyCombination(Qt::Key_F1)) {
            if (!ui.EzRgnBtn9->isVisibleTo(m_form))
                return false;
            m_form->ToolButton2Click();
        } else if (keys == QKeyCombination(Qt::ControlModifier, Qt::Key_O)) {
            if (!ui.EzRgnBtn7->isVisibleTo(m_form))
                return false;
            m_form->ToolButton10Click();
            takeKeyboardBack();
        } else if (keys == QKeyCombination(Qt::ControlModifier, Qt::Key_R)) {
            if (!ui.EzRgnBtn7->isVisibleTo(m_form))
                return false;
            m_form->ToolButton9Click();
            takeKeyboardBack();
        } else if (keys == QKeyCombination(Qt::ControlModifier, Qt::Key_P)) {
            if (!ui.EzRgnBtn7->isVisibleTo(m_form) || !ui.ToolButton11->isEnabled())
                return false;
            m_form->ToolButton11Click();
            takeKeyboardBack();
        } else if (keys == QKeyCombination(Qt::ControlModifier, Qt::Key_L)
                   || keys == QKeyCombination(Qt::ControlModifier, Qt::Key_G)) {
            // The reading aids answer at any time: a pupil who cannot read
            // the window cannot be asked to find their tool bar first.
            QToolButton *aid = keys.key() == Qt::Key_L ? ui.ToolButton15 : ui.ToolButton16;
            if (!aid->isEnabled())
                return false;
            aid->click();
            takeKeyboardBack();
        } else if (keys == QKeyCombination(Qt::ControlModifier, Qt::Key_Q)) {
            if (!ui.EzRgnBtn1->isVisibleTo(m_form))
                return false;
            pressRegionButton(ui.EzRgnBtn1);
        } else {
            return false;
        }
        return true;
    }

    // Once the messages and the file dialog are gone the keyboard must come
    // back here; without a window manager nobody else gives it back.
    void takeKeyboardBack()
    {
        if (m_form->isVisible() && !QApplication::activeModalWidget())
            m_form->activateWindow();
    }

    // The flow shows at most one of these at a time; "Bilan" comes last,
    // once the quiz is over.
    TEzRgnBtn *shownFlowButton() const
    {
        for (TEzRgnBtn *button : {ui.EzRgnBtn2, ui.EzRgnBtn5, ui.EzRgnBtn3, ui.EzRgnBtn15}) {
            if (button->isVisibleTo(m_form))
                return button;
        }
        return nullptr;
    }

    bool pressShownFlowButton()
    {
        TEzRgnBtn *button = shownFlowButton();
        if (!button)
            return false;
        pressRegionButton(button);
        return true;
    }

    // Tab goes round the shown boxes while the focus is on the question
    // panel (or nowhere); elsewhere it keeps its usual order.
    bool moveAmongBoxes(QWidget *from, bool forward)
    {
        QList<QCheckBox *> shown;
        for (QCheckBox *box : boxes) {
            if (box->isVisibleTo(m_form))
                shown << box;
        }
        if (shown.isEmpty())
            return false;
        if (from != m_form && !ui.Notebook2->isAncestorOf(from))
            return false;
        const qsizetype at = shown.indexOf(qobject_cast<QCheckBox *>(from));
        const qsizetype n = shown.size();
        const qsizetype next = at < 0 ? (forward ? 0 : n - 1) : (at + (forward ? 1 : n - 1)) % n;
        shown[next]->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }

    QCheckBox *boxOf(QObject *object) const
    {
        for (QCheckBox *box : boxes) {
            if (box == object)
                return box;
        }
        return nullptr;
    }

    int memoRowOf(QObject *object) const
    {
        for (int i = 0; i < 5; ++i) {
            if (memos[i]->viewport() == object)
                return i;
        }
        return -1;
    }

    // The mark shows the box reached with the keyboard; a box clicked with
    // the mouse gets the focus without a mark, as before.
    void focusChanged(QCheckBox *box, const QFocusEvent *event)
    {
        const Qt::FocusReason reason = event->reason();
        if (event->gotFocus()) {
            if (reason == Qt::MouseFocusReason)
                m_marked = nullptr;
            else if (reason != Qt::ActiveWindowFocusReason)
                m_marked = box;
        } else if (reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason && m_marked == box) {
            m_marked = nullptr;
        }
        ui.Default->update();
    }

    // A round frame around the whole proposition, box and text, drawn in the
    // margins the text box leaves free so that no word is covered.
    void paintFocusMark()
    {
        if (!m_marked || !m_marked->hasFocus() || !m_marked->isVisible())
            return;
        const QRect box = m_marked->geometry();
        const QRect text = memos[boxes.indexOf(m_marked)]->geometry();
        const QRectF frame(QPointF(box.left() - 6, text.top() - 4), QPointF(text.right() + 3.5, text.bottom() + 4));
        QPainter painter(ui.Default);
        painter.setRenderHint(QPainter::Antialiasing);
        painter.setPen(QPen(FocusMarkColour, FocusMarkWidth));
        painter.setBrush(Qt::NoBrush);
        painter.drawRoundedRect(frame, 8, 8);
    }

    // A click on a proposition's text ticks its box, as a click on the box
    // does; dragging to select words does not, nor does the second click of
    // a double click (it selects a word).
    void memoMouse(int row, const QMouseEvent *event)
    {
        if (event->button() != Qt::LeftButton)
            return;
        if (event->type() == QEvent::MouseButtonPress) {
            m_pressRow = row;
            m_pressAt = event->position().toPoint();
            return;
        }
        if (event->type() == QEvent::MouseButtonDblClick) {
            m_pressRow = -1;
            return;
        }
        const bool click = m_pressRow == row
            && (event->position().toPoint() - m_pressAt).manhattanLength() < QApplication::startDragDistance();
        m_pressRow = -1;
        QCheckBox *box = boxes[row];
        if (!click || memos[row]->textCursor().hasSelection() || !box->isVisibleTo(m_form))
            return;
        box->click();
        box->setFocus(Qt::MouseFocusReason);
    }

    // The summary takes the focus from the emptied question panel, so that
    // a screen reader reads it and the keys stay in the window.
    void pageChanged(int page)
    {
        if (ui.Notebook1->widget(page) != ui.PageCorrection)
            return;
        QWidget *focus = m_form->focusWidget();
        if (!focus || ui.Notebook2->isAncestorOf(focus))
            ui.Memo7->setFocus(Qt::OtherFocusReason);
    }

    TFormQCM *m_form;
    Ui::FormQCM &ui;
    const QList<QCheckBox *> boxes{ui.CheckBox1, ui.CheckBox2, ui.CheckBox3, ui.CheckBox4, ui.CheckBox5};
    const QList<QPlainTextEdit *> memos{ui.Memo2, ui.Memo3, ui.Memo4, ui.Memo5, ui.Memo6};
    QCheckBox *m_marked = nullptr;
    int m_pressRow = -1;
    bool m_shownOnce = false;
    QPoint m_pressAt;
};

} // namespace

void TFormQCM::setUpKeyboard()
{
    m_keys = new MainWindowKeys(this);
    // The caption "FormQCM" means nothing to a pupil listening.
    setAccessibleName(QStringLiteral("Tavelor"));
    ui->Memo1->setAccessibleName(QStringLiteral("Question"));
    int row = 0;
    for (QPlainTextEdit *memo : {ui->Memo2, ui->Memo3, ui->Memo4, ui->Memo5, ui->Memo6})
        memo->setAccessibleName(QStringLiteral("Proposition %1").arg(++row));
    // The tool bars' buttons show only an icon: their hint is their name.
    for (QToolButton *button : findChildren<QToolButton *>()) {
        if (button->window() == this && button->accessibleName().isEmpty())
            button->setAccessibleName(button->toolTip());
    }
    ui->Memo7->setAccessibleName(QStringLiteral("Résultats du QCM"));
    // The question takes the focus for screen readers; a caret blinking in
    // it would only distract the others.
    ui->Memo1->setCursorWidth(0);
}

void TFormQCM::announceQuestion()
{
    ui->Memo1->setAccessibleName(ui->DRLabel1->caption());
    ui->Memo1->setAccessibleDescription(ui->Memo1->toPlainText());
    // A screen reader reads what takes the focus: the question first, and Tab
    // leads on to its propositions. Only in the window in use, and never
    // from under the pupil's typing elsewhere.
    QWidget *focus = focusWidget();
    if (!focus || !takesTyping(focus) || ui->Notebook2->isAncestorOf(focus))
        ui->Memo1->setFocus(Qt::OtherFocusReason);
}
