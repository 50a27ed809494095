#include "app/TavelorWindows.h"

#include <initializer_list>

OtherWindows::OtherWindows(TFormQCM &mainWindow) : FormFenetreMessage(&mainWindow)
{
    mainWindow.setSecondaryWindows({&FormProjImages, &FormFenetreMessage, &Form1, &Form3, &Form2});
    for (QWidget *window : std::initializer_list<QWidget *>{&FormProjImages, &Form1, &Form3})
        tieToMainWindow(window, &mainWindow);
    // Closing the main window ends the program, whatever else is on screen.
    for (QWidget *window :
         std::initializer_list<QWidget *>{&FormProjImages, &FormFenetreMessage, &Form1, &Form3, &Form2})
        window->setAttribute(Qt::WA_QuitOnClose, false);
}
