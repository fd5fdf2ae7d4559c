#pragma once

#include <string>
#include <vector>

class Dialogs;
class EventPump;
class FileSystem;
class Lifetime;
class ListItems;

// Takes files and folders dropped onto the file list from the file manager.
// Dropped files are appended as supplied; dropped folders are scanned with
// their whole subtree for files of every type. Everything goes to the end of
// the list in the order of the dropped items.
class DropIntake final {
public:
    static const char* const Location;

    DropIntake(Dialogs& dialogs, FileSystem& fileSystem, const Lifetime& lifetime, EventPump& pump, ListItems& list);

    // Handles the dropped paths in order. A failure while handling one item is
    // reported, and the remaining items are still handled; what was appended
    // stays.
    void dropFiles(const std::vector<std::string>& paths);

private:
    Dialogs& m_dialogs;
    FileSystem& m_fileSystem;
    const Lifetime& m_lifetime;
    EventPump& m_pump;
    ListItems& m_list;
};
