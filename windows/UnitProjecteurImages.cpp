#include "windows/UnitProjecteurImages.h"

TFormProjImages::TFormProjImages(QWidget *parent) : TShapedForm(parent)
{
    setObjectName(QStringLiteral("FormProjImages"));
}
