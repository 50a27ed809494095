#pragma once

#include "skin/ShapeWindow.h"

class TForm1 : public TShapedForm
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
};
