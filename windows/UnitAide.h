#pragma once

#include <QList>
#include <QWidget>
#include <memory>

class TClickLabel;

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

    // The topic the arrow keys have reached, -1 while the keyboard has not
    // been used; it carries a mark until then nothing marks any topic.
    int markedTopic() const { return m_markedTopic; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void showEvent(QShowEvent *event) override;
    // Up, Down, Home and End move the mark among the topics; Return shows the
    // marked topic's page; Escape closes the window.
    void keyPressEvent(QKeyEvent *event) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void fitFrameToSize();
    void prepareFirstShowing();
    void markTopic(int topic);
    void showPageOf(const TClickLabel *label);
    int topicOnShow() const;

    struct Topic
    {
        TClickLabel *label;
        QWidget *page;
    };

    bool m_frameFitted = false;
    bool m_prepared = false;
    QList<Topic> m_topics;
    int m_markedTopic = -1;
};
