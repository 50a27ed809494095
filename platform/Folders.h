#pragma once

#include <QString>

// Where quizzes live. On Windows the fixed folders of drive letters; on other
// systems the folder "QCM" in the user's home folder.
namespace platform {

// The drive part of a Windows path: "D:" for D:\..., "\\server\share" for a
// network path, empty otherwise. Pure, so that it is tested everywhere.
QString programDriveOf(const QString &programPath);
// The drive of the running program.
QString programDrive();

// The folder the load command creates: C:\QCM on Windows, ~/QCM elsewhere.
QString quizFolder();
// The file dialog's first folder: the program's drive followed by \QCM on
// Windows, the same ~/QCM elsewhere.
QString dialogInitialFolder(const QString &programDrive);
// Creates the quiz folder, and that folder only; true when it was created.
bool createQuizFolder();

// The sample quizzes. From a build folder, the ones built beside the
// program (examples/QCM); once installed, the data folder's
// tavelor/Exemples, found from the program's own folder first so that a
// moved installation still finds them. Empty when there are none.
QString examplesFolder();
// The same search for a program living in programFolder.
QString examplesFolderFor(const QString &programFolder);

// Another of Tavelor's programs, installed beside this one: "tavelor" is
// tavelor.exe on Windows.
QString siblingProgram(const QString &name);

} // namespace platform
