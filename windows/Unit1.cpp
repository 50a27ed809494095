#include "windows/Unit1.h"

#include "ui_Form1.h"
#include "windows/SecondaryWindow.h"
#include "windows/WindowPlaces.h"

TForm1::TForm1(QWidget *parent) : TShapedForm(parent), ui(std::make_unique<Ui::Form1>())
{
    ui->setupUi(this);
    setWindowTitle(QStringLiteral("A propos de ce logiciel"));
    setUpSkinnedSecondary(this);
    move(WindowPlace::Form1);
    connect(ui->Image1, &TImage::clicked, this, &TForm1::Image1Click);
    FormCreate();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate()
{
    ShapeWindow(ui->Image1);
}

void TForm1::Image1Click()
{
    close();
}
