#include "app/FirstShowing.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QWidget>
#include <QWindow>

void showAndWaitForFirstPaint(QWidget &window)
{
    constexpr int PatienceMs = 500;
    window.show();
    QWindow *handle = window.windowHandle();
    const QDeadlineTimer deadline(PatienceMs);
    // A widget window paints itself while it handles its first exposure.
    while (handle && !handle->isExposed() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents | QEventLoop::WaitForMoreEvents,
                                        int(deadline.remainingTime()));
}
