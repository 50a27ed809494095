#pragma once

#include "skin/ShapeWindow.h"

class TFormQCM;

// The correction pop-up that tells the pupil whether the answer was right.
class TFormFenetreMessage : public TShapedForm
{
    Q_OBJECT
public:
    explicit TFormFenetreMessage(TFormQCM *formQCM, QWidget *parent = nullptr);

    // Fills the pop-up for a verdict and shows it without waiting: the text,
    // then the verdict's colour and words, then the window.
    void showVerdict(bool right, const QString &text);

private:
    TFormQCM *m_formQCM;
};
