#pragma once

#include <functional>
#include <initializer_list>

#include "app/FormQCM.h"
#include "windows/SecondaryWindow.h"
#include "windows/Unit1.h"
#include "windows/Unit3.h"
#include "windows/UnitAide.h"
#include "windows/UnitFenetreMessage.h"
#include "windows/UnitProjecteurImages.h"

// The main window, made and handed to `madeFirst` before the five other
// windows exist: start-up shows it there, so that the pupil sees it drawn
// while the others are made.
struct MainWindowFirst
{
    explicit MainWindowFirst(const std::function<void(TFormQCM &)> &madeFirst)
    {
        if (madeFirst)
            madeFirst(FormQCM);
    }

    TFormQCM FormQCM;
};

// The program's six windows, created in this order, each hidden until shown.
// The main window, made first, is destroyed last.
struct TavelorWindows : MainWindowFirst
{
    explicit TavelorWindows(const std::function<void(TFormQCM &)> &mainWindowMade = {})
        : MainWindowFirst(mainWindowMade)
    {
        FormQCM.setSecondaryWindows({&FormProjImages, &FormFenetreMessage, &Form1, &Form3, &Form2});
        for (QWidget *window : std::initializer_list<QWidget *>{&FormProjImages, &Form1, &Form3})
            tieToMainWindow(window, &FormQCM);
        // Closing the main window ends the program, whatever else is on screen.
        for (QWidget *window : std::initializer_list<QWidget *>{&FormProjImages, &FormFenetreMessage, &Form1,
                                                                 &Form3, &Form2})
            window->setAttribute(Qt::WA_QuitOnClose, false);
    }

    TFormProjImages FormProjImages;
    TFormFenetreMessage FormFenetreMessage{&FormQCM};
    TForm1 Form1;
    TForm3 Form3;
    TForm2 Form2;
};
