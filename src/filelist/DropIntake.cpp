#include "filelist/DropIntake.h"

#include "base/ErrorTrap.h"
#include "filelist/FolderScan.h"
#include "filelist/ListItems.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/PathChecks.h"
#include "platform/Paths.h"

// The drop has no report of its own beyond the folder walk's: its failures are
// reported under the list's drop handler.
const char* const DropIntake::Location = "in Sheetwick2021/08/31.Form1.ListView1_OLEDragDrop ";

DropIntake::DropIntake(const DiskSeams& disk, ListItems& list) : m_disk(disk), m_list(list) {}

void DropIntake::dropFiles(const std::vector<std::string>& paths)
{
    ErrorTrap trap(m_disk.dialogs, m_disk.lifetime, Location);

    for (const std::string& path : paths) {
        if (trap.stopped())
            return;
        // Any existing folder is scanned, also one that a plain listing leaves
        // out (hidden, system, a drive root): its bare path would be no drawing.
        bool folder = false;
        trap.step(100, [&] { folder = isFolder(m_disk.fileSystem, path); });
        if (folder) {
            // Each dropped folder is a scan of its own.
            FolderScan scan(m_disk);
            std::vector<std::string> folders;
            trap.step(102, [&] { folders.push_back(folderEntry(path, m_disk.fileSystem.style())); });
            trap.step(104, [&] { scan.collectSubfolders(folders, true); });
            scan.appendFiles(folders, "*.*", m_list, trap, 106);
        } else {
            trap.step(120, [&] { m_list.add(path); });
        }
    }
}
