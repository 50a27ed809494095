#include "windows/UnitFenetreMessage.h"

#include <QCloseEvent>
#include <QKeyEvent>

#include "ui_FenetreMessage.h"
#include "skin/Accessibility.h"
#include "windows/SecondaryWindow.h"
#include "windows/WindowPlaces.h"

TFormFenetreMessage::TFormFenetreMessage(QWidget *mainWindow, QWidget *parent)
    : TShapedForm(parent), ui(std::make_unique<Ui::FormFenetreMessage>()), m_mainWindow(mainWindow)
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("Correction"));
    setUpSkinnedSecondary(this, m_mainWindow);
    // Only the first showing places the pop-up; later ones keep where the
    // pupil dragged it.
    move(WindowPlace::FormFenetreMessage);
    makeDraggableBy(ui->Image1);
    connect(ui->EzRgnBtn1, &TEzRgnBtn::clicked, this, &TFormFenetreMessage::EzRgnBtn1Click);
    // The text box is editable and would take Return for a new line.
    ui->Memo1->installEventFilter(this);
    FormCreate();
}

TFormFenetreMessage::~TFormFenetreMessage() = default;

void TFormFenetreMessage::FormCreate()
{
    ShapeWindow(ui->Image1);
}

void TFormFenetreMessage::showVerdict(bool right, const QString &text)
{
    ui->Memo1->setPlainText(text);
    QPalette palette = ui->Label1->palette();
    const QColor colour = right ? QColor(0x00, 0x80, 0x00) : QColor(0xFF, 0x00, 0x00);
    palette.setColor(QPalette::Active, QPalette::WindowText, colour);
    palette.setColor(QPalette::Inactive, QPalette::WindowText, colour);
    ui->Label1->setPalette(palette);
    ui->Label1->setText(right ? QStringLiteral("Bonne réponse !") : QStringLiteral("Non, correction :"));
    ui->Label1->adjustSize();
    // A screen reader reads the verdict and its text as the pop-up takes the
    // focus; the keys that close it then reach it.
    ui->Memo1->setAccessibleName(ui->Label1->text());
    ui->Memo1->setAccessibleDescription(text);
    show();
    raise();
    activateWindow();
    ui->Memo1->setFocus(Qt::OtherFocusReason);
}

void TFormFenetreMessage::EzRgnBtn1Click()
{
    m_closingByBall = true;
    close();
    m_closingByBall = false;
}

void TFormFenetreMessage::closeEvent(QCloseEvent *event)
{
    TShapedForm::closeEvent(event);
    // Only a pop-up on screen has something to report: the quiz waits for it.
    if (!isVisible())
        return;
    const bool hadFocus = isActiveWindow();
    if (m_closingByBall)
        emit closedByBall();
    else
        emit closedOtherwise();
    // The keyboard goes back to the main window, where the next question waits.
    if (hadFocus && m_mainWindow && m_mainWindow->isVisible())
        m_mainWindow->activateWindow();
}

bool TFormFenetreMessage::closeByKey(QKeyEvent *event)
{
    const int key = event->key();
    if (key != Qt::Key_Return && key != Qt::Key_Enter && key != Qt::Key_Escape)
        return false;
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    // A held key closes once; its repeats must not reach the main window.
    if (!event->isAutoRepeat())
        pressRegionButton(ui->EzRgnBtn1);
    return true;
}

void TFormFenetreMessage::keyPressEvent(QKeyEvent *event)
{
    if (!closeByKey(event))
        TShapedForm::keyPressEvent(event);
}

bool TFormFenetreMessage::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == ui->Memo1 && event->type() == QEvent::KeyPress && closeByKey(static_cast<QKeyEvent *>(event)))
        return true;
    return TShapedForm::eventFilter(watched, event);
}
