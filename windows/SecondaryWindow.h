#pragma once

class QWidget;

// Makes a skinned window one of the main window's satellites: frameless,
// kept above the main window by the window manager, without a task bar entry
// of its own, and closed by hiding so that it keeps its place and content.
void setUpSkinnedSecondary(QWidget *window, QWidget *mainWindow = nullptr);

// Keeps a window over the main window, as its transient.
void tieToMainWindow(QWidget *window, QWidget *mainWindow);
