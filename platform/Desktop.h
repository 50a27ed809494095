#pragma once

#include <QString>

class QFileDialog;
class QWidget;

// Dialogs, messages and the desktop shell, alike on every system.
namespace platform {

// The quiz file dialog: Qt's own (not the native one), filter "qcm (*.qcm)",
// resizable, no read-only box, named OpenDialog1. Files cannot be renamed or
// deleted from it.
QFileDialog *createOpenDialog(QWidget *parent);
// A modal message with one OK button, captioned with the program's title.
void showMessage(QWidget *parent, const QString &text);
// The system's default beep.
void beep();
// Asks the desktop shell to open a file; the result is not examined.
void openWithShell(const QString &fileName);

} // namespace platform
