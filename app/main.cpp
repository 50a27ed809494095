#include <QApplication>

#include "app/Application.h"
#include "app/CommandLine.h"
#include "app/TavelorWindows.h"

int main(int argc, char *argv[])
{
    // Point sizes in the forms are meant at 96 dots per inch, and the skins
    // are drawn one pixel per pixel; this pins both on any screen.
    qputenv("QT_FONT_DPI", "96");
    QApplication app(argc, argv);
    setUpApplication(app);
    TavelorWindows windows;
    windows.FormQCM.show();
    // A quiz opened from the file manager is ready as soon as the window is.
    const QString quizFile = quizFileFromArguments(QApplication::arguments());
    if (!quizFile.isEmpty())
        windows.FormQCM.OuvrirQCM(quizFile);
    return app.exec();
}
