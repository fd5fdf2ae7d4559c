#pragma once

#include "filelist/DiskSeams.h"

class ListItems;
class SettingsStore;
class WindowPointer;

// "Add All Visio Files In Folder": asks for an extension and a folder, then
// appends every file with that extension in the folder and all its subfolders
// to the end of the file list. The extension and the folder are remembered for
// the next scan.
class AddFolderCommand final {
public:
    static const char* const Location;

    AddFolderCommand(Dialogs& dialogs, SettingsStore& settings, FileSystem& fileSystem, WindowPointer& pointer,
                     const Lifetime& lifetime, EventPump& pump, ListItems& list);

    void addFolder();

private:
    const DiskSeams m_disk;
    SettingsStore& m_settings;
    WindowPointer& m_pointer;
    ListItems& m_list;
};
