#include "filelist/EditCommands.h"

#include "base/WindowPointer.h"
#include "filelist/ListItems.h"

const char* const EditCommands::ClearLocation = "in Sheetwick2021/08/31.Form1.PushButton3_Click ";
const char* const EditCommands::MoveUpLocation = "in Sheetwick2021/08/31.Form1.PushButton5_Click ";
const char* const EditCommands::MoveDownLocation = "in Sheetwick2021/08/31.Form1.PushButton6_Click ";

EditCommands::EditCommands(ListItems& list, const WindowPointer& window, MessageBoxes& boxes, const Lifetime& lifetime)
    : m_list(list), m_window(window), m_boxes(boxes), m_lifetime(lifetime)
{
}

void EditCommands::keyDown(int keyCode)
{
    if (keyCode == DeleteKey)
        removeSelected();
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
    ErrorTrap trap(m_boxes, m_lifetime, MoveUpLocation);
    if (trap.test(100, [&] { return m_window.isBusy(); }))
        return;
    if (trap.test(102, [&] { return m_list.count() == 0; }))
        return;
    int i = 0;
    trap.step(104, [&] { i = m_list.selectedIndex(); });
    if (!trap.test(106, [&] { return i < 2; })) {
        move(trap, i - 1, i, i + 1, i - 1);
        return;
    }
    trap.step(118, [&] { m_list.setFocus(); });
}

void EditCommands::moveDown()
{
    ErrorTrap trap(m_boxes, m_lifetime, MoveDownLocation);
    if (trap.test(100, [&] { return m_window.isBusy(); }))
        return;
    if (trap.test(102, [&] { return m_list.count() == 0; }))
        return;
    int i = 0;
    trap.step(104, [&] { i = m_list.selectedIndex(); });
    if (!trap.test(106, [&] { return i == 0 || i >= m_list.count(); })) {
        move(trap, i + 2, i, i, i + 1);
        return;
    }
    trap.step(118, [&] { m_list.setFocus(); });
}

void EditCommands::move(ErrorTrap& trap, int copyAt, int from, int oldAt, int to)
{
    bool copied = false;
    trap.step(108, [&] {
        m_list.insertCopy(copyAt, from);
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
