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
// Fills the dialog's side bar: the computer, the home folder, the quiz
// folder and the sample quizzes (shown by their folder's name, "Exemples"),
// those that exist. The dialog's own folder is left as it is.
void offerPlaces(QFileDialog *dialog, const QString &examplesFolder);
// Asks for a file to open (an existing one) or to save, starting at start
// (a folder, or a file to suggest); empty when cancelled. The system's own
// dialog where there is one.
QString chooseFileToOpen(QWidget *parent, const QString &title, const QString &start, const QString &filter);
QString chooseFileToSave(QWidget *parent, const QString &title, const QString &start, const QString &filter);
// A modal message with one OK button, captioned with the program's title.
void showMessage(QWidget *parent, const QString &text);
// The system's default beep.
void beep();
// Asks the desktop shell to open a file; the result is not examined.
void openWithShell(const QString &fileName);

} // namespace platform
