#pragma once

class Dialogs;
class EventPump;
class FileSystem;
class Lifetime;
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
    Dialogs& m_dialogs;
    SettingsStore& m_settings;
    FileSystem& m_fileSystem;
    WindowPointer& m_pointer;
    const Lifetime& m_lifetime;
    EventPump& m_pump;
    ListItems& m_list;
};
