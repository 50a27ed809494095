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

// The program's six windows, created in this order, each hidden until shown.
// Members are destroyed in reverse order, so the main window goes last.
struct TavelorWindows
{
    // `mainWindowMade` runs once the main window exists, before the five
    // others are made.
    explicit TavelorWindows(const std::function<void(TFormQCM &)> &mainWindowMade = {})
        : m_mainWindowMade(runOn(FormQCM, mainWindowMade))
    {
        FormQCM.setSecondaryWindows({&FormProjImages, &FormFenetreMessage, &Form1, &Form3, &Form2});
        for (QWidget *window : std::initializer_list<QWidget *>{&FormProjImages, &Form1, &Form3})
            tieToMainWindow(window, &FormQCM);
        // Closing the main window ends the program, whatever else is on screen.
        for (QWidget *window : std::initializer_list<QWidget *>{&FormProjImages, &FormFenetreMessage, &Form1,
                                                                 &Form3, &Form2})
            window->setAttribute(Qt::WA_QuitOnClose, false);
    }

    TFormQCM FormQCM;

private:
    static bool runOn(TFormQCM &form, const std::function<void(TFormQCM &)> &step)
    {
        if (step)
            step(form);
        return true;
    }
    const bool m_mainWindowMade;

public:
    TFormProjImages FormProjImages;
    TFormFenetreMessage FormFenetreMessage{&FormQCM};
    TForm1 Form1;
    TForm3 Form3;
    TForm2 Form2;
};
