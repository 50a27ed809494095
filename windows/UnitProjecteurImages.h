#pragma once

#include "skin/ShapeWindow.h"

class TFormProjImages : public TShapedForm
{
    Q_OBJECT
public:
    explicit TFormProjImages(QWidget *parent = nullptr);
};
