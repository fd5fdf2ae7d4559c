#pragma once

class MessageBoxes;
class Lifetime;
class ListItems;
class WindowPointer;

// The commands that edit the file list: remove the selected entry (Delete key
// and double-click), Move Up, Move Down and Clear List. None of them asks a
// question, and none of them does anything while the window shows the busy
// pointer. The three button commands run their steps under the error trap.
class EditCommands final {
public:
    EditCommands(ListItems& list, const WindowPointer& window, MessageBoxes& boxes, const Lifetime& lifetime);

    static constexpr int DeleteKey = 46;
    static constexpr int UpKey = 38;
    static constexpr int DownKey = 40;
    static const char* const ClearLocation;
    static const char* const MoveUpLocation;
    static const char* const MoveDownLocation;

    // Key down in the list: the Delete key removes the selected entry, whatever
    // the shift state; with Ctrl held, Up and Down are "Move Up" and "Move
    // Down"; other keys do nothing here.
    void keyDown(int keyCode, bool controlHeld = false);
    // Delete key and double-click: removes the selected entry. No trap.
    void removeSelected();
    // "Clear List".
    void clearList();
    // "Move Up".
    void moveUp();
    // "Move Down".
    void moveDown();

private:
    // Moves the selected entry one place up (by -1) or down (by +1), selected
    // and in view; the steps are reported under the button's location.
    void moveSelected(int by, const char* location);

    ListItems& m_list;
    const WindowPointer& m_window;
    MessageBoxes& m_boxes;
    const Lifetime& m_lifetime;
};
