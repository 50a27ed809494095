#pragma once

class QApplication;

// Application-wide set-up done once before any window exists: the program's
// name, its fonts and the French translations of Qt's own dialogs.
void setUpApplication(QApplication &app);
