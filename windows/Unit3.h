#pragma once

#include <memory>

#include "skin/ShapeWindow.h"

namespace Ui { class Form3; }

// The notice shown while the quiz folder is being created. It has no way to
// close it: the load command hides it again.
class TForm3 : public TShapedForm
{
    Q_OBJECT
public:
    explicit TForm3(QWidget *parent = nullptr);
    ~TForm3() override;

    void FormCreate();

    std::unique_ptr<Ui::Form3> ui;
};
