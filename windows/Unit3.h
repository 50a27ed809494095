#pragma once

#include "skin/ShapeWindow.h"

class TForm3 : public TShapedForm
{
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);
};
