#include "windows/UnitAide.h"

TForm2::TForm2(QWidget *parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Form2"));
}
