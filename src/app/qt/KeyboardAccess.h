#pragma once

class MainWindow;

// Makes the main window workable by keys and readable by screen readers,
// without changing what it shows the mouse user: names for the list and the
// "?" button, a mnemonic in each command's caption (shown as an underline
// where the platform shows them), Return and Enter pressing the focused
// button as Space does, and a focus ring around the focused button or list.
void openToKeyboardAndReaders(MainWindow& window);
