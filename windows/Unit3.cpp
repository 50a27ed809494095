#include "windows/Unit3.h"

TForm3::TForm3(QWidget *parent) : TShapedForm(parent)
{
    setObjectName(QStringLiteral("Form3"));
}
