#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QAbstractButton>
#include <memory>

// Answers the next message box the editor shows, and keeps its text.
namespace editor_test {

struct MessageAnswer
{
    QString text;
    bool shown = false;
};

inline std::shared_ptr<MessageAnswer> answerNextMessage(QMessageBox::StandardButton button)
{
    auto answer = std::make_shared<MessageAnswer>();
    QTimer::singleShot(0, qApp, [answer, button] {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box)
            return;
        answer->shown = true;
        answer->text = box->text();
        QAbstractButton *chosen = box->button(button);
        if (chosen)
            chosen->click();
        else
            box->reject();
    });
    return answer;
}

} // namespace editor_test
