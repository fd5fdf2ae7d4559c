#pragma once

#include <string>
#include <vector>

#include "filelist/DiskSeams.h"

class ListItems;

// Takes files and folders dropped onto the file list from the file manager.
// Dropped files are appended as supplied; dropped folders are scanned with
// their whole subtree for files of every type. Everything goes to the end of
// the list in the order of the dropped items.
class DropIntake final {
public:
    static const char* const Location;

    DropIntake(const DiskSeams& disk, ListItems& list);

    // Handles the dropped paths in order. A failure while handling one item is
    // reported, and the remaining items are still handled; what was appended
    // stays.
    void dropFiles(const std::vector<std::string>& paths);

private:
    const DiskSeams m_disk;
    ListItems& m_list;
};
