#include "windows/UnitProjecteurImages.h"

#include "ui_ProjImages.h"
#include "windows/SecondaryWindow.h"
#include "windows/WindowPlaces.h"

namespace {
// The title must stay clear of the projector's own title on the right.
constexpr int TitleMaxWidth = 264;
}

TFormProjImages::TFormProjImages(QWidget *parent)
    : TShapedForm(parent), ui(std::make_unique<Ui::FormProjImages>())
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("Projecteur d'images"));
    setUpSkinnedSecondary(this);
    move(WindowPlace::FormProjImages);
    // Until it is given a picture the frame shows nothing, not scroll bars.
    ui->Image2->resize(0, 0);
    makeDraggableBy(ui->Image1);
    connect(ui->EzRgnBtn1, &TEzRgnBtn::clicked, this, &TFormProjImages::EzRgnBtn1Click);
    FormCreate();
}

TFormProjImages::~TFormProjImages() = default;

void TFormProjImages::FormCreate()
{
    ShapeWindow(ui->Image1);
}

void TFormProjImages::EzRgnBtn1Click()
{
    close();
}

void TFormProjImages::showPicture(const QPixmap &picture, const QString &title)
{
    ui->Image2->setPicture(picture);
    if (picture.isNull())
        ui->Image2->resize(0, 0);
    ui->ScrollBox1->ensureVisible(0, 0);
    const QString shown = ui->DRLabel2->fontMetrics().elidedText(title, Qt::ElideMiddle, TitleMaxWidth);
    ui->DRLabel2->setCaption(shown);
    ui->DRLabel2->setToolTip(shown == title ? QString() : title);
    show();
    raise();
    activateWindow();
}
