#pragma once

#include "skin/ShapeWindow.h"

class TFormQCM;

// The correction pop-up that tells the pupil whether the answer was right.
class TFormFenetreMessage : public TShapedForm
{
    Q_OBJECT
public:
    explicit TFormFenetreMessage(TFormQCM *formQCM, QWidget *parent = nullptr);

private:
    TFormQCM *m_formQCM;
};
