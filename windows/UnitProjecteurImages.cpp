#include "windows/UnitProjecteurImages.h"

TFormProjImages::TFormProjImages(QWidget *parent) : TShapedForm(parent)
{
    setObjectName(QStringLiteral("FormProjImages"));
}

void TFormProjImages::showPicture(const QPixmap &picture, const QString &title)
{
    Q_UNUSED(picture);
    setWindowTitle(title);
    show();
    raise();
}
