#pragma once

class QWidget;

// Shows the window and lets it draw itself on screen before start-up goes on,
// so that the pupil sees it while the rest is made. Input is kept for later;
// a window that is not on screen within half a second is left to the event loop.
void showAndWaitForFirstPaint(QWidget &window);
