#pragma once

#include <memory>

#include "skin/ShapeWindow.h"

namespace Ui { class FormFenetreMessage; }
class TFormQCM;

// The correction pop-up that tells the pupil whether the answer was right.
class TFormFenetreMessage : public TShapedForm
{
    Q_OBJECT
public:
    explicit TFormFenetreMessage(TFormQCM *formQCM, QWidget *parent = nullptr);
    ~TFormFenetreMessage() override;

    // Fills the pop-up for a verdict and shows it without waiting: the text,
    // then the verdict's colour and words, then the window.
    void showVerdict(bool right, const QString &text);

    void FormCreate();
    // The close ball: unlocks the next question, then hides the pop-up.
    void EzRgnBtn1Click();

    std::unique_ptr<Ui::FormFenetreMessage> ui;

protected:
    // Return, Enter and Escape act as the close ball, wherever the focus is.
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool closeByKey(QKeyEvent *event);

    TFormQCM *m_formQCM;
};
