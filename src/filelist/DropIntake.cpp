#include "filelist/DropIntake.h"

#include "base/ErrorTrap.h"
#include "filelist/AddFolder.h"
#include "filelist/IsFolder.h"
#include "filelist/ListItems.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"

namespace {

const char* const Location = "in Sheetwick2021/08/31.Form1.ListView1_OLEDragDrop ";

}  // namespace

DropIntake::DropIntake(Dialogs& dialogs, FileSystem& fileSystem, const Lifetime& lifetime, EventPump& pump,
                       ListItems& list)
    : m_dialogs(dialogs), m_fileSystem(fileSystem), m_lifetime(lifetime), m_pump(pump), m_list(list)
{
}

void DropIntake::ListView1_OLEDragDrop(const std::vector<std::string>& paths)
{
    ErrorTrap trap(m_dialogs, m_lifetime, Location);
    AddFolder addFolder(m_fileSystem, m_dialogs, m_lifetime, m_pump);
    const char separator = separatorOf(m_fileSystem.style());

    for (const std::string& path : paths) {
        if (trap.stopped())
            return;
        // Any existing folder is scanned, also one that a plain listing leaves
        // out (hidden, system, a drive root): its bare path would be no drawing.
        bool folder = false;
        trap.step(100, [&] { folder = IsFolder(m_fileSystem, path); });
        if (folder) {
            std::vector<std::string> folders;
            trap.step(102, [&] { folders.push_back(path + separator); });
            trap.step(104, [&] { addFolder.GetSubDirectories2016(folders, true); });
            addFolder.FilePass(folders, "*.*", m_list, trap, 106);
        } else {
            trap.step(120, [&] { m_list.add(path); });
        }
    }
}
