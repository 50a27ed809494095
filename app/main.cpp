#include <QApplication>

#include "app/Application.h"
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
    return app.exec();
}
