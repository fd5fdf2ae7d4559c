#pragma once

#include <string>

class Dialogs;
class EventPump;
class FileSystem;
class Lifetime;
class ListItems;
class SettingsStore;
class Shell;

// The sample drawings in the "Samples" folder beside the program. The first
// start records the full paths of the files found there, scrambled, under the
// setting "Snapshot"; "Load Sample/Example Files" appends those of them that
// still exist and are not listed yet, then offers to show the folder.
class SampleFiles final {
public:
    SampleFiles(FileSystem& fileSystem, SettingsStore& settings, Dialogs& dialogs, Shell& shell, EventPump& pump,
                std::string programFolder);

    // Records every file now in the sample folder, even when there is none.
    void RecordSampleFiles();
    // True when no record is stored yet (the start-up then takes one).
    bool recordMissing();
    // Appends the recorded files that exist and are not listed, then asks
    // whether to open the sample folder.
    void LoadSampleFiles(ListItems& list);

private:
    std::string sampleFolder() const;

    FileSystem& m_fileSystem;
    SettingsStore& m_settings;
    Dialogs& m_dialogs;
    Shell& m_shell;
    EventPump& m_pump;
    std::string m_programFolder;
    char m_separator;
};

// True when an entry of the list has exactly this text (case-sensitive).
bool IsInList(const ListItems& list, const std::string& text);

// True when the last-modified time of the file or folder can be read.
bool PathExists(FileSystem& fileSystem, const std::string& path);

// The click of "Load Sample/Example Files": LoadSampleFiles under the
// command's error trap.
void PushButton7_Click(SampleFiles& samples, ListItems& list, Dialogs& dialogs, const Lifetime& lifetime);
