#pragma once

#include <QByteArray>
#include <QByteArrayList>

// Which of Qt's window system plugins the player asks for.
namespace platform {

// What the session tells about itself, from its environment.
struct Session
{
    QByteArray sessionType;    // XDG_SESSION_TYPE
    QByteArray waylandDisplay; // WAYLAND_DISPLAY
    QByteArray x11Display;     // DISPLAY
    QByteArray chosenPlatform; // QT_QPA_PLATFORM
};

// In a Wayland session that also offers X11 (XWayland), X11 first: there
// windows take the places, outlines and moves the program gives them, which
// Wayland does not allow. Empty when Qt's own choice stands, always when
// the user named a platform (the environment or "-platform").
QByteArray preferredPlatform(const Session &session, const QByteArrayList &arguments);

// Applies preferredPlatform to this process before the application exists;
// true when it did, so that the choice is not handed down to the programs
// the player starts (see forgetPlatformChoice).
bool choosePlatform(int argc, char **argv);
void forgetPlatformChoice();

// True where the window system itself cuts a window to its mask as it draws
// it: Windows, and X11 without a compositing manager. Elsewhere (Wayland, or
// a compositor that may draw the whole window) only transparent pixels surely
// hide what lies outside a mask. On X11, two round trips to the server.
bool masksCutWindows();

} // namespace platform
