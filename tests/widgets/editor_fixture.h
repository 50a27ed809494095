#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <QAbstractButton>
#include <memory>

#include "tests/common/SettingsOfThisRun.h"

// Answers the next message box the editor shows, and keeps its text.
namespace editor_test {

struct MessageAnswer
{
    QString text;
    bool shown = false;
};

inline std::shared_ptr<MessageAnswer> answerNextMessage(QMessageBox::StandardButton button)
{
    // Watches until the box is up, however many events come before it.
    auto answer = std::make_shared<MessageAnswer>();
    auto *timer = new QTimer(qApp);
    timer->start(10);
    QObject::connect(timer, &QTimer::timeout, qApp, [answer, button, timer, left = 1000]() mutable {
        auto *box = qobject_cast<QMessageBox *>(QApplication::activeModalWidget());
        if (!box && --left > 0)
            return;
        timer->deleteLater();
        timer->stop();
        if (!box)
            return;
        answer->shown = true;
        answer->text = box->text();
        if (QAbstractButton *chosen = box->button(button))
            chosen->click();
        else
            box->reject();
    });
    return answer;
}

} // namespace editor_test
