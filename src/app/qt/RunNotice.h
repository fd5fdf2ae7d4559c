#pragma once

#include <QString>

class QWidget;

// Tells the user through the desktop's notification service that a run has
// ended, when the window is not the active one: the user is elsewhere. Where
// the desktop has no such service nothing is shown. Never waits for the
// desktop.
void noticeRunEnd(QWidget& window, const QString& text);
