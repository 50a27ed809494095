#pragma once

class QApplication;

// Application-wide set-up done once before any window exists: the program's
// name, its fonts and the French translations of Qt's own dialogs.
void setUpApplication(QApplication &app);

// The French of Qt's own dialogs and of the file types they show, for the
// player and the editor.
void installFrench(QApplication &app);

// The program's icon for title bars, task bars and window switchers. None of
// it is drawn in a window, so it is read once the main window is on screen.
void setProgramIcon();
