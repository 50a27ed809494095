#pragma once

#include <QWidget>
#include <memory>

namespace Ui { class Form2; }

// The built-in user guide: twelve topics on the left, one illustrated page
// per topic on the right. An ordinary framed, resizable window.
class TForm2 : public QWidget
{
    Q_OBJECT
public:
    explicit TForm2(QWidget *parent = nullptr);
    ~TForm2() override;

    // The outer size the window takes on screen, frame included.
    static constexpr QSize FrameSize{874, 598};

    void Label2Click();
    void Label9Click();
    void Label23Click();
    void Label29Click();
    void Label37Click();
    void Label46Click();
    void Label50Click();
    void Label52Click();
    void Label54Click();
    void Label60Click();
    void Label64Click();
    void Label70Click();

    std::unique_ptr<Ui::Form2> ui;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;

private:
    void fitFrameToSize();

    bool m_frameFitted = false;
};
