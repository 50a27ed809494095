#pragma once

#include <memory>

#include "skin/ShapeWindow.h"

namespace Ui { class Form1; }

// The about box. A click on its background closes it; it cannot be dragged.
class TForm1 : public TShapedForm
{
    Q_OBJECT
public:
    explicit TForm1(QWidget *parent = nullptr);
    ~TForm1() override;

    void FormCreate();
    void Image1Click();

    std::unique_ptr<Ui::Form1> ui;
};
