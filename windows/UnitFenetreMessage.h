#pragma once

#include <memory>

#include "skin/ShapeWindow.h"

namespace Ui { class FormFenetreMessage; }

// The correction pop-up that tells the pupil whether the answer was right.
// It knows nothing of the quiz: the window that shows it hears how it closed.
class TFormFenetreMessage : public TShapedForm
{
    Q_OBJECT
public:
    // Kept above `mainWindow`, which gets the keyboard back when the pop-up closes.
    explicit TFormFenetreMessage(QWidget *mainWindow, QWidget *parent = nullptr);
    ~TFormFenetreMessage() override;

    // Fills the pop-up for a verdict and shows it without waiting: the text,
    // then the verdict's colour and words, then the window.
    void showVerdict(bool right, const QString &text);

    void FormCreate();
    // The close ball: says so, then hides the pop-up.
    void EzRgnBtn1Click();

    std::unique_ptr<Ui::FormFenetreMessage> ui;

signals:
    // The pupil closed the shown pop-up by its ball (or a key that presses it).
    void closedByBall();
    // The shown pop-up was closed any other way: Alt+F4, the window
    // manager's close, the end of the session.
    void closedOtherwise();

protected:
    void closeEvent(QCloseEvent *event) override;
    // Return, Enter and Escape act as the close ball, wherever the focus is.
    void keyPressEvent(QKeyEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool closeByKey(QKeyEvent *event);

    QWidget *m_mainWindow;
    bool m_closingByBall = false;
};
