#pragma once

#include <memory>
#include <string>
#include <vector>

#include "filelist/DiskSeams.h"
#include "filelist/MetFolders.h"

class ErrorTrap;
class ListItems;

// The folder scan's routines, shared by "Add All Visio Files In Folder" and by
// dropped folders. A folder list holds folder paths that each end with the file
// system's separator. One object serves one scan: it sees the disk through the
// file system's view for one scan and remembers the real folders the walk has
// met, so a new scan takes a new object.
class FolderScan final {
public:
    // The location the walk's own error reports quote.
    static const char* const CollectLocation;

    explicit FolderScan(const DiskSeams& disk);

    // Shows the folder browser with the start folder preselected. Returns the
    // chosen folder without a closing separator (a file-system root keeps its
    // own), or an empty text when the user cancels.
    std::string browseFolder(const std::string& prompt, const std::string& startFolder);

    // Extends the folder list with the subfolders of its folders, all levels
    // when recurse is true, breadth first. Hidden system folders, folders with
    // refused names and paths of 260 characters or more are left out;
    // unreadable folders are dropped quietly. A real folder is taken the first
    // time the walk meets it, by whatever path; one that leads back to a listed
    // folder or above it is left out (see MetFolders). Yields to the event
    // queue as it goes. The folders whose subfolders the length bound kept
    // the walk out of are told once per scan, in one box after the walk.
    // Other failures are reported under the walk's own location.
    void collectSubfolders(std::vector<std::string>& folders, bool recurse);

    // Appends the matching files of every listed folder to the file list, each
    // passed through normalizePath: names beginning with "~" (temporary and
    // lock files) and files whose attribute value is exactly hidden + archive
    // are left out. Runs as the handler's steps firstLine to firstLine + 12.
    void appendFiles(const std::vector<std::string>& folders, const std::string& pattern, ListItems& list,
                     ErrorTrap& trap, int firstLine);

private:
    // One level of the walk, and through its recursion all deeper ones.
    void collectLevel(std::vector<std::string>& folders, bool recurse);
    bool passesAttributeTest(const std::string& folder);
    bool acceptsSubfolderName(const std::string& name) const;
    bool withinLengthBound(const std::string& path);

    std::unique_ptr<FileSystem> m_view;
    FileSystem& m_fileSystem;  // the view, or the file system itself where it has none
    MetFolders m_metFolders;
    int m_tooLong = 0;  // folders the length bound kept the walk out of
    std::string m_firstTooLong;
    bool m_toldTooLong = false;
    Dialogs& m_dialogs;
    const Lifetime& m_lifetime;
    EventPump& m_pump;
};
