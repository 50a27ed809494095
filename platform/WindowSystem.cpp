#include "platform/WindowSystem.h"

#include <QGuiApplication>
#include <QtGlobal>

#ifdef TAVELOR_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#endif

namespace platform {

QByteArray preferredPlatform(const Session &session, const QByteArrayList &arguments)
{
    if (!session.chosenPlatform.isEmpty())
        return {};
    for (const QByteArray &argument : arguments) {
        if (argument == "-platform" || argument == "--platform" || argument.startsWith("-platform=")
            || argument.startsWith("--platform="))
            return {};
    }
    const bool wayland = session.sessionType == "wayland" || !session.waylandDisplay.isEmpty();
    if (!wayland || session.x11Display.isEmpty())
        return {};
    // Wayland stays the fallback should XWayland not answer.
    return QByteArrayLiteral("xcb;wayland");
}

bool choosePlatform(int argc, char **argv)
{
    const Session session{qgetenv("XDG_SESSION_TYPE"), qgetenv("WAYLAND_DISPLAY"), qgetenv("DISPLAY"),
                          qgetenv("QT_QPA_PLATFORM")};
    QByteArrayList arguments;
    for (int i = 1; i < argc; ++i)
        arguments.append(QByteArray(argv[i]));
    const QByteArray platform = preferredPlatform(session, arguments);
    if (platform.isEmpty())
        return false;
    qputenv("QT_QPA_PLATFORM", platform);
    return true;
}

void forgetPlatformChoice()
{
    qunsetenv("QT_QPA_PLATFORM");
}

#ifdef TAVELOR_HAVE_XCB
namespace {

// A compositing manager owns the selection _NET_WM_CM_Sn of the screen it
// composes.
bool compositorRuns(xcb_connection_t *connection)
{
    const int screens = xcb_setup_roots_length(xcb_get_setup(connection));
    for (int screen = 0; screen < screens; ++screen) {
        const QByteArray name = "_NET_WM_CM_S" + QByteArray::number(screen);
        xcb_intern_atom_reply_t *atom = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, true, quint16(name.size()), name.constData()), nullptr);
        if (!atom)
            return true;
        const xcb_atom_t selection = atom->atom;
        std::free(atom);
        if (selection == XCB_ATOM_NONE)
            continue; // never named, so never owned
        xcb_get_selection_owner_reply_t *owner = xcb_get_selection_owner_reply(
            connection, xcb_get_selection_owner(connection, selection), nullptr);
        const bool owned = !owner || owner->owner != XCB_NONE;
        std::free(owner);
        if (owned)
            return true;
    }
    return false;
}

} // namespace
#endif

bool masksCutWindows()
{
#if defined(Q_OS_WIN)
    // Windows cuts a window to its region itself; a translucent (layered)
    // window would be drawn by a slower path, and unreliably under Wine.
    return true;
#elif defined(TAVELOR_HAVE_XCB)
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 && x11->connection() && !compositorRuns(x11->connection());
#else
    return false;
#endif
}

} // namespace platform
