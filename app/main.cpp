#include <QApplication>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/FirstShowing.h"
#include "app/TavelorWindows.h"
#include "platform/FontWarmUp.h"
#include "platform/SpeedSwitches.h"
#include "platform/WindowSystem.h"

int main(int argc, char *argv[])
{
    // Qt follows the desktop's scale (X11's Xft.dpi, Wayland's output scale,
    // Windows' per-monitor setting); point sizes keep their meaning at 96
    // dots per inch of the logical pixels it scales.
    const bool platformChosen = platform::choosePlatform(argc, argv);
    platform::FontWarmUp fontWarmUp;
    QApplication app(argc, argv);
    if (platformChosen)
        platform::forgetPlatformChoice();
    setUpApplication(app);
    fontWarmUp.listFonts();

    TFormQCM mainWindow;
    // The pupil sees the main window drawn while the five others are made
    // (up to 4 ms sooner: docs/performance.md).
    const bool mainWindowFirst = !platform::isTurnedOff("main-window-first");
    if (mainWindowFirst)
        showAndWaitForFirstPaint(mainWindow);
    OtherWindows otherWindows(mainWindow);
    if (!mainWindowFirst)
        showAndWaitForFirstPaint(mainWindow);
    setProgramIcon();

    // A quiz opened from the file manager is ready as soon as the window is.
    const QString quizFile = quizFileFromArguments(QApplication::arguments());
    if (!quizFile.isEmpty())
        mainWindow.OuvrirQCM(quizFile);
    const int status = app.exec();
    fontWarmUp.finish();
    return status;
}
