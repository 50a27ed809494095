#pragma once

#include <QPixmap>
#include <QString>

#include "skin/ShapeWindow.h"

class TFormProjImages : public TShapedForm
{
    Q_OBJECT
public:
    explicit TFormProjImages(QWidget *parent = nullptr);

    // Shows a picture at full size under its title and brings the window up.
    void showPicture(const QPixmap &picture, const QString &title);
};
