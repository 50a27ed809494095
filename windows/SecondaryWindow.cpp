#include "windows/SecondaryWindow.h"

#include <QEvent>
#include <QPointer>
#include <QWidget>
#include <QWindow>

void setUpSkinnedSecondary(QWidget *window, QWidget *mainWindow)
{
    window->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    window->setAttribute(Qt::WA_QuitOnClose, false);
    if (mainWindow)
        tieToMainWindow(window, mainWindow);
}

namespace {

// Ties a window to the main window each time it is about to appear: its
// native window exists by then and is not on screen yet. Creating the native
// windows of every pop-up at start-up would delay the main window's first paint.
class TieOnShow : public QObject
{
public:
    TieOnShow(QWidget *window, QWidget *mainWindow) : QObject(window), m_mainWindow(mainWindow)
    {
        window->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Show && m_mainWindow) {
            auto *window = static_cast<QWidget *>(watched);
            window->winId();
            m_mainWindow->winId();
            window->windowHandle()->setTransientParent(m_mainWindow->windowHandle());
        }
        return false;
    }

private:
    QPointer<QWidget> m_mainWindow;
};

} // namespace

void tieToMainWindow(QWidget *window, QWidget *mainWindow)
{
    // A tool window transient for the main window stays above it, so a
    // pop-up the pupil must close can never end up hidden behind it; on
    // Wayland, where a window cannot place itself, it is also what makes the
    // compositor show it over the main window.
    new TieOnShow(window, mainWindow);
}
