#pragma once

#include "app/FormQCM.h"
#include "windows/SecondaryWindow.h"
#include "windows/Unit1.h"
#include "windows/Unit3.h"
#include "windows/UnitAide.h"
#include "windows/UnitFenetreMessage.h"
#include "windows/UnitProjecteurImages.h"

// The five windows beside the main one, each hidden until shown, tied to the
// main window as they are made. Start-up makes them once the main window is
// on screen.
struct OtherWindows
{
    explicit OtherWindows(TFormQCM &mainWindow);

    TFormProjImages FormProjImages;
    TFormFenetreMessage FormFenetreMessage;
    TForm1 Form1;
    TForm3 Form3;
    TForm2 Form2;
};

// A base of its own, so that the main window is made before the others.
struct MainWindow
{
    TFormQCM FormQCM;
};

// The program's six windows at once, for tests and tools: the main window,
// made first, is destroyed last.
struct TavelorWindows : MainWindow, OtherWindows
{
    TavelorWindows() : OtherWindows(FormQCM) {}
};
