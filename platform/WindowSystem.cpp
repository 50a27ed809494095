#include "platform/WindowSystem.h"

#include <QtGlobal>

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

} // namespace platform
