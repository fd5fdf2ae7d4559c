#include "filelist/EditCommands.h"

#include "base/ErrorTrap.h"
#include "base/WindowPointer.h"
#include "filelist/ListItems.h"

const char* const EditCommands::ClearLocation = "in Sheetwick2021/08/31.Form1.PushButton3_Click ";
const char* const EditCommands::MoveUpLocation = "in Sheetwick2021/08/31.Form1.PushButton5_Click ";
const char* const EditCommands::MoveDownLocation = "in Sheetwick2021/08/31.Form1.PushButton6_Click ";

EditCommands::EditCommands(ListItems& list, const WindowPointer& window, MessageBoxes& boxes, const Lifetime& lifetime)
    : m_list(list), m_window(window), m_boxes(boxes), m_lifetime(lifetime)
{
}

void EditCommands::keyDown(int keyCode, bool controlHeld)
{
    if (keyCode == DeleteKey)
        removeSelected();
    else if (controlHeld && keyCode == UpKey)
        moveUp();
    else if (controlHeld && keyCode == DownKey)
        moveDown();
}

void EditCommands::removeSelected()
{
    if (m_window.isBusy())
        return;
    if (m_list.count() == 0)
        return;
    const int selected = m_list.selectedIndex();
    if (selected == 0)
        return;
    m_list.remove(selected);
}

void EditCommands::clearList()
{
    ErrorTrap trap(m_boxes, m_lifetime, ClearLocation);
    if (trap.test(100, [&] { return m_window.isBusy(); }))
        return;
    trap.step(100, [&] { m_list.clear(); });
}

void EditCommands::moveUp()
{
    moveSelected(-1, MoveUpLocation);
}

void EditCommands::moveDown()
{
    moveSelected(+1, MoveDownLocation);
}

void EditCommands::moveSelected(int by, const char* location)
{
    ErrorTrap trap(m_boxes, m_lifetime, location);
    if (trap.test(100, [&] { return m_window.isBusy(); }))
        return;
    if (trap.test(102, [&] { return m_list.count() == 0; }))
        return;
    int i = 0;
    trap.step(104, [&] { i = m_list.selectedIndex(); });
    const int to = i + by;
    // Nothing selected, or no neighbour on that side: the list only gets the focus.
    if (trap.test(106, [&] { return i == 0 || to < 1 || (by > 0 && to > m_list.count()); })) {
        trap.step(118, [&] { m_list.setFocus(); });
        return;
    }
    // The entry and its neighbour exchange places: a copy goes in on the far
    // side of the neighbour, then the old entry is removed (it stands one
    // further down when the copy went in above it).
    const int copyAt = by < 0 ? to : to + 1;
    const int oldAt = by < 0 ? i + 1 : i;
    bool copied = false;
    trap.step(108, [&] {
        m_list.insertCopy(copyAt, i);
        copied = true;
    });
    // Without the copy the old entry is the only one left of its text, and the
    // position after it belongs to another entry: removing either would lose a
    // path. The move is then abandoned; the list only gets the focus.
    if (copied) {
        trap.step(110, [&] { m_list.remove(oldAt); });
        trap.step(112, [&] { m_list.select(to); });
        trap.step(114, [&] { m_list.ensureVisible(to); });
    }
    trap.step(116, [&] { m_list.setFocus(); });
}
