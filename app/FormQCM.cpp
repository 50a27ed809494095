#include "app/FormQCM.h"

#include <QFileDialog>
#include <QLineEdit>
#include <QToolButton>

#include "platform/Desktop.h"
#include "platform/Folders.h"
#include "platform/ReadingAids.h"
#include "platform/ResultsLogFile.h"
#include "platform/Speaker.h"
#include "quiz/RecordText.h"
#include "quiz/Scramble.h"
#include "skin/Artwork.h"
#include "ui_FormQCM.h"
#include "windows/UnitFenetreMessage.h"
#include "windows/UnitProjecteurImages.h"
#include "windows/WindowPlaces.h"

TFormQCM::TFormQCM(QWidget *parent) : TShapedForm(parent), ui(std::make_unique<Ui::FormQCM>())
{
    ui->setupUi(this);
    // The form gives the labels their texts last, after their sizes:
    // those that size themselves to their text are fitted now.
    for (TDRLabel *label : findChildren<TDRLabel *>()) {
        if (label->autoSize())
            label->setCaption(label->caption());
    }
    move(WindowPlace::FormQCM);
    StopWatch1 = new TStopWatch(this);
    StopWatch1->setObjectName(QStringLiteral("StopWatch1"));
    Timer = new QTimer(this);
    Timer->setObjectName(QStringLiteral("Timer"));
    Timer->setInterval(1000);
    connectControls();
    setUpReadAloud();
    setUpKeyboard();
    FormCreate();
    Timer->start();
}

TFormQCM::~TFormQCM()
{
    delete m_keys;
}

void TFormQCM::setUpToolBarPictures(QWidget *toolBar)
{
    // The form names each tool button's pictures; they are read as the PNG
    // files they are when the bar is first shown, as every bar is hidden at
    // start-up. Given as icon files, each would be read at once by a reader
    // that first asks every image plug-in what the file is.
    const auto picture = [this](const QVariant &file) {
        return QPixmap::fromImage(artworkForRatio(file.toString(), devicePixelRatioF()));
    };
    for (QToolButton *button : toolBar->findChildren<QToolButton *>()) {
        const QVariant off = button->property("iconOff");
        if (!off.isValid() || !button->icon().isNull())
            continue;
        QIcon icon(picture(off));
        const QVariant on = button->property("iconOn");
        if (on.isValid())
            icon.addPixmap(picture(on), QIcon::Normal, QIcon::On);
        button->setIcon(icon);
    }
}

void TFormQCM::setSecondaryWindows(const SecondaryWindows &windows)
{
    m_windows = windows;
    if (TFormFenetreMessage *popup = m_windows.FormFenetreMessage) {
        connect(popup, &TFormFenetreMessage::closedByBall, this, &TFormQCM::FormFenetreMessageClose);
        connect(popup, &TFormFenetreMessage::closedOtherwise, this, &TFormQCM::FormFenetreMessageClose);
    }
}

void TFormQCM::connectControls()
{
    connect(Timer, &QTimer::timeout, this, &TFormQCM::TimerTimer);
    connect(&Pictures, &pictures::PictureQueue::awaitedReady, this, &TFormQCM::questionPictureDecoded);

    connect(ui->Image1, &TImage::mouseDown, this, [this] { Image1MouseDown(); });
    connect(ui->Image8, &TImage::clicked, this, &TFormQCM::Image8Click);

    connect(ui->EzRgnBtn1, &TEzRgnBtn::clicked, this, &TFormQCM::EzRgnBtn1Click);
    connect(ui->EzRgnBtn2, &TEzRgnBtn::clicked, this, &TFormQCM::Commencer);
    connect(ui->EzRgnBtn3, &TEzRgnBtn::clicked, this, &TFormQCM::Question_Suivante);
    connect(ui->EzRgnBtn4, &TEzRgnBtn::clicked, this, &TFormQCM::Precedente);
    connect(ui->EzRgnBtn5, &TEzRgnBtn::clicked, this, &TFormQCM::FenetreCorrection);
    connect(ui->EzRgnBtn7, &TEzRgnBtn::clicked, this, &TFormQCM::EzRgnBtn7Click);
    connect(ui->EzRgnBtn8, &TEzRgnBtn::clicked, this, &TFormQCM::EzRgnBtn8Click);
    connect(ui->EzRgnBtn9, &TEzRgnBtn::clicked, this, &TFormQCM::EzRgnBtn9Click);
    connect(ui->EzRgnBtn10, &TEzRgnBtn::clicked, this, &TFormQCM::EzRgnBtn10Click);
    connect(ui->EzRgnBtn13, &TEzRgnBtn::clicked, this, &TFormQCM::EzRgnBtn13Click);
    connect(ui->EzRgnBtn15, &TEzRgnBtn::clicked, this, &TFormQCM::EzRgnBtn15Click);

    connect(ui->DRLabel4, &TDRLabel::clicked, this, &TFormQCM::DRLabel4Click);
    connect(ui->DRLabel5, &TDRLabel::clicked, this, &TFormQCM::DRLabel5Click);
    // Only the pupil's edits: the load writes the subject without announcing it.
    connect(ui->ComboBox1->lineEdit(), &QLineEdit::textEdited, this, &TFormQCM::ComboBox1Change);
    connect(ui->ComboBox1, &QComboBox::textActivated, this, &TFormQCM::ComboBox1Change);

    connect(ui->CheckBox1, &QCheckBox::toggled, this, &TFormQCM::SelectReponse1);
    connect(ui->CheckBox2, &QCheckBox::toggled, this, &TFormQCM::SelectReponse2);
    connect(ui->CheckBox3, &QCheckBox::toggled, this, &TFormQCM::SelecReponse3);
    connect(ui->CheckBox4, &QCheckBox::toggled, this, &TFormQCM::SelectReponse4);
    connect(ui->CheckBox5, &QCheckBox::toggled, this, &TFormQCM::SelectReponse5);

    connect(ui->ToolButton9, &QToolButton::clicked, this, &TFormQCM::ToolButton9Click);
    connect(ui->ToolButton10, &QToolButton::clicked, this, &TFormQCM::ToolButton10Click);
    connect(ui->ToolButton11, &QToolButton::clicked, this, &TFormQCM::ToolButton11Click);
    connect(ui->ToolButton13, &QToolButton::clicked, this, &TFormQCM::ToolButton13Click);
    connect(ui->ToolButton5, &QToolButton::clicked, this, &TFormQCM::ToolButton5Click);
    connect(ui->ToolButton6, &QToolButton::clicked, this, &TFormQCM::ToolButton6Click);
    connect(ui->ToolButton14, &QToolButton::clicked, this, &TFormQCM::ToolButton14Click);
    connect(ui->ToolButton15, &QToolButton::clicked, this, &TFormQCM::ToolButton15Click);
    connect(ui->ToolButton16, &QToolButton::clicked, this, &TFormQCM::ToolButton16Click);
    connect(ui->ToolButton8, &QToolButton::clicked, this, &TFormQCM::ToolButton8Click);
    connect(ui->ToolButton1, &QToolButton::clicked, this, &TFormQCM::ToolButton1Click);
    connect(ui->ToolButton2, &QToolButton::clicked, this, &TFormQCM::ToolButton2Click);
    connect(ui->ToolButton4, &QToolButton::clicked, this, &TFormQCM::ToolButton4Click);
}

void TFormQCM::FormCreate()
{
    ShapeWindow(ui->Image1);

    State.ProgramDrive = platform::programDrive();

    RefreshTimer();
    ui->ToolBar1->hide();
    ui->ToolBar2->hide();
    ui->ToolBar3->hide();
    ui->ToolButton11->setEnabled(false);
    ui->ToolButton14->setChecked(platform::resultsLogWanted());
    if (platform::readingAidWanted(platform::ReadingAid::LargeText)) {
        ui->ToolButton16->setChecked(true);
        applyTextSize();
    }
    ui->EzRgnBtn7->show();
    ui->EzRgnBtn8->hide();
    ui->EzRgnBtn5->hide();
    ui->EzRgnBtn4->hide();
    ui->EzRgnBtn3->hide();
    ui->EzRgnBtn2->hide();
    ui->DRLabel4->hide();
    ui->DRLabel5->hide();
    for (QCheckBox *box : {ui->CheckBox1, ui->CheckBox2, ui->CheckBox3, ui->CheckBox4, ui->CheckBox5})
        box->hide();
    for (QPlainTextEdit *memo : {ui->Memo1, ui->Memo2, ui->Memo3, ui->Memo4, ui->Memo5, ui->Memo6})
        memo->clear();
    ui->DRLabel1->setCaption(QStringLiteral("Pas de QCM"));
    ui->Notebook1->setCurrentWidget(ui->PageImage);
    ui->Image2->show();
    ui->ScrollBox1->hide();
    ui->Image3->hide();
    ui->Label9->hide();
    ui->Label10->hide();
    ui->Image4->hide();
    ui->Image5->hide();
    ui->Image8->hide();
    ui->DRLabel14->hide();
    ResetTimer();
    m_dialogFolder = platform::dialogInitialFolder(State.ProgramDrive);
    if (m_openDialog)
        m_openDialog->setDirectory(m_dialogFolder);
}

QFileDialog *TFormQCM::OpenDialog1()
{
    if (!m_openDialog) {
        m_openDialog = platform::createOpenDialog(this);
        m_openDialog->setDirectory(m_dialogFolder);
    }
    return m_openDialog;
}

void TFormQCM::EzRgnBtn1Click()
{
    close();
}

void TFormQCM::Image8Click()
{
    if (!m_windows.FormProjImages || ui->Image8->picture().isNull())
        return;
    QString title = ui->DRLabel12->caption();
    if (const qcm::QuestionRecord *record = recordAt(State.CurrentPosition))
        title = qcm::decodeField(*record, qcm::Field::PictureFile);
    m_windows.FormProjImages->showPicture(ui->Image8->picture(), title);
}

void TFormQCM::DeCrypt(qcm::ShortString &text, int length) const
{
    qcm::deCrypt(text, length);
}

void TFormQCM::Crypt(qcm::ShortString &text, int length) const
{
    qcm::crypt(text, length);
}
