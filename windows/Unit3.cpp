#include "windows/Unit3.h"

#include "ui_Form3.h"
#include "windows/SecondaryWindow.h"

TForm3::TForm3(QWidget *parent) : TShapedForm(parent), ui(std::make_unique<Ui::Form3>())
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("Création de l'arborescence QCM"));
    setUpSkinnedSecondary(this);
    move(303, 165);
    connect(ui->Image1, &TImage::mouseDown, this, &TShapedForm::Image1MouseDown);
    FormCreate();
}

TForm3::~TForm3() = default;

void TForm3::FormCreate()
{
    // Without its skin the window keeps the form's size rather than vanish.
    const QImage skin = ui->Image1->picture().toImage();
    if (!skin.isNull())
        ShapeWindow(skin, 0xFF00FF);
}
