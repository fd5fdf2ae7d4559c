#pragma once

#include <QPersistentModelIndex>
#include <QPoint>
#include <QString>

class FileListView;
class WindowPointer;

// Reordering the list with the mouse. The entry pressed last is the carried
// entry; while a button is held on the list, moving the pointer onto another
// entry swaps the two texts, so that the carried path travels with the pointer.
// Entries with equal texts never swap. While carrying, a pointer in the list's
// top row band brings the entry above the target into view, one in the bottom
// row band the entry below, so the list scrolls as the entry is carried past
// its edge.
class ReorderGesture final {
public:
    // dragIcon: the pointer image shown over the list while an entry is carried.
    ReorderGesture(FileListView& list, WindowPointer& window, QString dragIcon);

    // Item click: the selected entry becomes the carried one, the list shows the
    // drag pointer and never starts a drag out of the window.
    void itemClick();
    // Any button pressed on the list.
    void buttonDown();
    // The pointer moved over the list, at a point of its viewport.
    void mouseMove(QPoint at);
    // The button was released: the gesture ends and carries nothing more.
    void buttonUp();

    // Position of the carried entry; 0 when none (never set, ended or removed).
    int dragItem() const;

private:
    void loadDragPointer();
    void autoScroll(int target, int y);

    FileListView& m_list;
    WindowPointer& m_window;
    QString m_dragIcon;
    bool m_dragIconLoaded = false;
    bool m_dragging = false;
    QPersistentModelIndex m_dragItem;
};
