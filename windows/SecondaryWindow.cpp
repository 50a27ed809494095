#include "windows/SecondaryWindow.h"

#include <QWidget>
#include <QWindow>

void setUpSkinnedSecondary(QWidget *window, QWidget *mainWindow)
{
    window->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    if (mainWindow) {
        // A tool window transient for the main window stays above it, so a
        // pop-up the pupil must close can never end up hidden behind it.
        window->winId();
        mainWindow->winId();
        window->windowHandle()->setTransientParent(mainWindow->windowHandle());
    }
}
