#include "windows/Unit3.h"

#include "ui_Form3.h"
#include "windows/SecondaryWindow.h"
#include "windows/WindowPlaces.h"

TForm3::TForm3(QWidget *parent) : TShapedForm(parent), ui(std::make_unique<Ui::Form3>())
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("Création de l'arborescence QCM"));
    setUpSkinnedSecondary(this);
    move(WindowPlace::Form3);
    makeDraggableBy(ui->Image1);
    FormCreate();
}

TForm3::~TForm3() = default;

void TForm3::FormCreate()
{
    ShapeWindow(ui->Image1);
}
