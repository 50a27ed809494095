#include "windows/UnitAide.h"

#include "skin/Artwork.h"
#include "skin/Image.h"

#include <QKeyEvent>
#include <QPainter>
#include <QWindow>

#include "ui_Form2.h"
#include "windows/WindowPlaces.h"

TForm2::TForm2(QWidget *parent) : QWidget(parent, Qt::Window), ui(std::make_unique<Ui::Form2>())
{
    ui->setupUi(this);
    setAttribute(Qt::WA_QuitOnClose, false);
    move(WindowPlace::Form2);
    // Each topic with its page, in the guide's order.
    m_topics = {{ui->Label2, ui->PageCommencer},     {ui->Label9, ui->PageCharger},
                {ui->Label23, ui->PageChoisir},      {ui->Label29, ui->PageCommencerQCM},
                {ui->Label37, ui->PageRepondre},     {ui->Label46, ui->PageCorrection},
                {ui->Label50, ui->PageQuestionImage}, {ui->Label52, ui->PageMauvaiseReponse},
                {ui->Label54, ui->PageResultats},    {ui->Label60, ui->PageBilan},
                {ui->Label64, ui->PageRecommencer},  {ui->Label70, ui->PageFermer}};
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

    for (int topic = 0; topic < m_topics.size(); ++topic) {
        // Once the keyboard has put a mark up, a click takes it along.
        connect(m_topics[topic].label, &TClickLabel::clicked, this, [this, topic] {
            if (m_markedTopic >= 0)
                markTopic(topic);
        });
    }
}

TForm2::~TForm2() = default;

void TForm2::Label2Click() { showPageOf(ui->Label2); }
void TForm2::Label9Click() { showPageOf(ui->Label9); }
void TForm2::Label23Click() { showPageOf(ui->Label23); }
void TForm2::Label29Click() { showPageOf(ui->Label29); }
void TForm2::Label37Click() { showPageOf(ui->Label37); }
void TForm2::Label46Click() { showPageOf(ui->Label46); }
void TForm2::Label50Click() { showPageOf(ui->Label50); }
void TForm2::Label52Click() { showPageOf(ui->Label52); }
void TForm2::Label54Click() { showPageOf(ui->Label54); }
void TForm2::Label60Click() { showPageOf(ui->Label60); }
void TForm2::Label64Click() { showPageOf(ui->Label64); }
void TForm2::Label70Click() { showPageOf(ui->Label70); }

void TForm2::showPageOf(const TClickLabel *label)
{
    for (const Topic &topic : std::as_const(m_topics)) {
        if (topic.label == label)
            ui->Notebook1->setCurrentWidget(topic.page);
    }
}

int TForm2::topicOnShow() const
{
    for (int topic = 0; topic < m_topics.size(); ++topic) {
        if (m_topics[topic].page == ui->Notebook1->currentWidget())
            return topic;
    }
    return 0;
}

void TForm2::showEvent(QShowEvent *event)
{
    prepareFirstShowing();
    QWidget::showEvent(event);
    if (!m_frameFitted && windowHandle())
        windowHandle()->installEventFilter(this);
}

// The texts are measured and the sixteen pictures decoded when the guide is
// first opened, not while the program starts: most lessons never open it.
void TForm2::prepareFirstShowing()
{
    if (m_prepared)
        return;
    m_prepared = true;
    // Texts are laid out as single lines, each label as wide as its text.
    for (QLabel *label : findChildren<QLabel *>()) {
        if (label->inherits("TImage"))
            continue;
        label->setWordWrap(false);
        label->adjustSize();
    }
    for (int i = 1; i <= 16; ++i) {
        auto *image = findChild<TImage *>(QStringLiteral("Image%1").arg(i));
        // Drawn for 100 % and 200 %: above 100 % the larger one, reduced as need be.
        image->setPicture(QPixmap::fromImage(artworkForRatio(
            QStringLiteral(":/help/help_%1.png").arg(i, 2, 10, QLatin1Char('0')), devicePixelRatioF())));
    }
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

void TForm2::markTopic(int topic)
{
    if (topic == m_markedTopic)
        return;
    m_markedTopic = topic;
    update();
}

void TForm2::keyPressEvent(QKeyEvent *event)
{
    if ((event->modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier) {
        QWidget::keyPressEvent(event);
        return;
    }
    const int last = int(m_topics.size()) - 1;
    // The first arrow marks the topic of the page on show.
    const int from = m_markedTopic >= 0 ? m_markedTopic : topicOnShow();
    switch (event->key()) {
    case Qt::Key_Up:
        markTopic(m_markedTopic < 0 ? from : std::max(0, from - 1));
        break;
    case Qt::Key_Down:
        markTopic(m_markedTopic < 0 ? from : std::min(last, from + 1));
        break;
    case Qt::Key_Home:
        markTopic(0);
        break;
    case Qt::Key_End:
        markTopic(last);
        break;
    case Qt::Key_Return:
    case Qt::Key_Enter:
    case Qt::Key_Space:
        markTopic(from);
        emit m_topics[from].label->clicked();
        break;
    case Qt::Key_Escape:
        close();
        break;
    default:
        QWidget::keyPressEvent(event);
    }
}

void TForm2::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (m_markedTopic < 0)
        return;
    // A soft band under the topic with a navy outline, in the colours of
    // the contents, so that the words stay as they are.
    const QRect label = m_topics[m_markedTopic].label->geometry();
    const QRectF band = QRectF(label).adjusted(-5, -4, 5, 4);
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(0x00, 0x00, 0x80), 2));
    painter.setBrush(QColor(0xFF, 0xE0, 0x80));
    painter.drawRoundedRect(band, 6, 6);
}
