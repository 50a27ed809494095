#include "windows/SecondaryWindow.h"

#include <QWidget>
#include <QWindow>

void setUpSkinnedSecondary(QWidget *window, QWidget *mainWindow)
{
    window->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    if (mainWindow)
        tieToMainWindow(window, mainWindow);
}

void tieToMainWindow(QWidget *window, QWidget *mainWindow)
{
    // A tool window transient for the main window stays above it, so a
    // pop-up the pupil must close can never end up hidden behind it; on
    // Wayland, where a window cannot place itself, it is also what makes the
    // compositor show it over the main window.
    window->winId();
    mainWindow->winId();
    window->windowHandle()->setTransientParent(mainWindow->windowHandle());
}
