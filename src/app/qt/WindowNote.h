#pragma once

#include <QString>

class QWidget;

// Shows a note over the window that waits for no one: the window and whatever
// runs in it go on while the note is open, and OK only closes it. The note
// goes with the window. Its title is the window's.
void showWindowNote(QWidget& window, const QString& text);
