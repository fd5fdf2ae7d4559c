#include "filelist/AddFolderCommand.h"

#include <string>
#include <vector>

#include "base/ErrorTrap.h"
#include "base/WindowPointer.h"
#include "filelist/FolderScan.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Paths.h"
#include "settings/SettingsStore.h"

const char* const AddFolderCommand::Location = "in Sheetwick2021/08/31.Form1.PushButton4_Click ";

namespace {

const char* const ExtensionPrompt
    = "Enter file extension to load:\r\r(* for all files, txt for all txt files, doc for all doc files, etc.)";
const char* const FolderPrompt = "Please select folder:";

}  // namespace

AddFolderCommand::AddFolderCommand(Dialogs& dialogs, SettingsStore& settings, FileSystem& fileSystem,
                                   WindowPointer& pointer, const Lifetime& lifetime, EventPump& pump, ListItems& list)
    : m_disk{dialogs, fileSystem, lifetime, pump}, m_settings(settings), m_pointer(pointer), m_list(list)
{
}

void AddFolderCommand::addFolder()
{
    ErrorTrap trap(m_disk.dialogs, m_disk.lifetime, Location);
    FolderScan scan(m_disk);

    std::string extension;
    trap.step(100, [&] {
        const std::string stored = m_settings.read(Setting::ScanExtension, "vsd");
        extension = m_disk.dialogs.prompt(ExtensionPrompt, m_disk.dialogs.applicationTitle(), stored);
    });
    // The answer is kept even when the folder question is cancelled next.
    if (trap.test(102, [&] { return !extension.empty(); }))
        trap.step(104, [&] { m_settings.write(Setting::ScanExtension, extension); });
    if (trap.test(106, [&] { return extension.empty(); })) {
        // 108: nothing asked for, nothing to do.
        return;
    }

    std::string startFolder;
    trap.step(110, [&] { startFolder = m_settings.read(Setting::ScanFolder, ""); });
    std::string folder;
    trap.step(112, [&] { folder = scan.browseFolder(FolderPrompt, startFolder); });
    if (trap.test(114, [&] { return folder.empty(); })) {
        // 116: the browser was cancelled.
        return;
    }
    trap.step(118, [&] { m_settings.write(Setting::ScanFolder, folder); });

    trap.step(120, [&] { m_pointer.setMousePointer(MousePointer::Hourglass); });
    // A root comes back with its own separator and gets a second one here;
    // normalizePath takes it out of the paths the file pass builds.
    std::vector<std::string> folders;
    trap.step(122, [&] { folders.push_back(folderEntry(folder, m_disk.fileSystem.style())); });
    trap.step(124, [&] { scan.collectSubfolders(folders, true); });
    // 126 to 138: the file pass; 140 closes its loop.
    scan.appendFiles(folders, "*." + extension, m_list, trap, 126);

    trap.step(333, [&] { m_pointer.setMousePointer(MousePointer::Default); });
    // 334: the command ends.
}
