#include "windows/Unit1.h"

TForm1::TForm1(QWidget *parent) : TShapedForm(parent)
{
    setObjectName(QStringLiteral("Form1"));
}
