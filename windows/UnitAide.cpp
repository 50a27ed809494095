#include "windows/UnitAide.h"

#include <QWindow>

#include "ui_Form2.h"

TForm2::TForm2(QWidget *parent) : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Form2>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    move(93, 113);
    // Texts are laid out as single lines, each label as wide as its text.
    for (QLabel *label : findChildren<QLabel *>()) {
        if (label->inherits("TImage"))
            continue;
        label->setWordWrap(false);
        label->adjustSize();
    }
    connect(ui->Label2, &TClickLabel::clicked, this, &TForm2::Label2Click);
    connect(ui->Label9, &TClickLabel::clicked, this, &TForm2::Label9Click);
    connect(ui->Label23, &TClickLabel::clicked, this, &TForm2::Label23Click);
    connect(ui->Label29, &TClickLabel::clicked, this, &TForm2::Label29Click);
    connect(ui->Label37, &TClickLabel::clicked, this, &TForm2::Label37Click);
    connect(ui->Label46, &TClickLabel::clicked, this, &TForm2::Label46Click);
    connect(ui->Label50, &TClickLabel::clicked, this, &TForm2::Label50Click);
    connect(ui->Label52, &TClickLabel::clicked, this, &TForm2::Label52Click);
    connect(ui->Label54, &TClickLabel::clicked, this, &TForm2::Label54Click);
    connect(ui->Label60, &TClickLabel::clicked, this, &TForm2::Label60Click);
    connect(ui->Label64, &TClickLabel::clicked, this, &TForm2::Label64Click);
    connect(ui->Label70, &TClickLabel::clicked, this, &TForm2::Label70Click);
}

TForm2::~TForm2() = default;

void TForm2::Label2Click() { ui->Notebook1->setCurrentIndex(0); }
void TForm2::Label9Click() { ui->Notebook1->setCurrentIndex(1); }
void TForm2::Label23Click() { ui->Notebook1->setCurrentIndex(2); }
void TForm2::Label29Click() { ui->Notebook1->setCurrentIndex(3); }
void TForm2::Label37Click() { ui->Notebook1->setCurrentIndex(4); }
void TForm2::Label46Click() { ui->Notebook1->setCurrentIndex(5); }
void TForm2::Label50Click() { ui->Notebook1->setCurrentIndex(6); }
void TForm2::Label52Click() { ui->Notebook1->setCurrentIndex(7); }
void TForm2::Label54Click() { ui->Notebook1->setCurrentIndex(8); }
void TForm2::Label60Click() { ui->Notebook1->setCurrentIndex(9); }
void TForm2::Label64Click() { ui->Notebook1->setCurrentIndex(10); }
void TForm2::Label70Click() { ui->Notebook1->setCurrentIndex(11); }

void TForm2::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_frameFitted && windowHandle())
        windowHandle()->installEventFilter(this);
}

bool TForm2::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == windowHandle() && event->type() == QEvent::Expose && !m_frameFitted)
        fitFrameToSize();
    return QWidget::eventFilter(watched, event);
}

// The window manager's frame is known only once the window is on screen;
// the client area then gives up what the frame takes, so that the window
// covers FrameSize whatever the decoration. Done once: afterwards the size
// is the user's.
void TForm2::fitFrameToSize()
{
    const QMargins frame = windowHandle()->frameMargins();
    if (frame.isNull())
        return;
    m_frameFitted = true;
    windowHandle()->removeEventFilter(this);
    resize(FrameSize.width() - frame.left() - frame.right(), FrameSize.height() - frame.top() - frame.bottom());
}
