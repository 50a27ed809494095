#pragma once

#include <initializer_list>

#include "app/FormQCM.h"
#include "windows/SecondaryWindow.h"
#include "windows/Unit1.h"
#include "windows/Unit3.h"
#include "windows/UnitAide.h"
#include "windows/UnitFenetreMessage.h"
#include "windows/UnitProjecteurImages.h"

// The program's six windows, created in this order, each hidden until shown.
// Members are destroyed in reverse order, so the main window goes last.
struct TavelorWindows
{
    TFormQCM FormQCM;
    TFormProjImages FormProjImages;
    TFormFenetreMessage FormFenetreMessage{&FormQCM};
    TForm1 Form1;
    TForm3 Form3;
    TForm2 Form2;

    TavelorWindows()
    {
        FormQCM.setSecondaryWindows({&FormProjImages, &FormFenetreMessage, &Form1, &Form3, &Form2});
        for (QWidget *window : std::initializer_list<QWidget *>{&FormProjImages, &Form1, &Form3})
            tieToMainWindow(window, &FormQCM);
        // Closing the main window ends the program, whatever else is on screen.
        for (QWidget *window : std::initializer_list<QWidget *>{&FormProjImages, &FormFenetreMessage, &Form1,
                                                                 &Form3, &Form2})
            window->setAttribute(Qt::WA_QuitOnClose, false);
    }
};
