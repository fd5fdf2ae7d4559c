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
// start records the full paths of the files found there, scrambled, as the
// sample record; "Load Sample/Example Files" appends those of them that still
// exist and are not listed yet, then offers to show the folder.
class SampleFiles final {
public:
    static const char* const LoadLocation;
    static const char* const OpenFolderQuestion;

    SampleFiles(FileSystem& fileSystem, SettingsStore& settings, Dialogs& dialogs, Shell& shell, EventPump& pump,
                const Lifetime& lifetime, std::string programFolder);

    // Records every file now in the sample folder, even when there is none.
    void recordSamples();
    // True when no record is stored yet (the start-up then takes one).
    bool recordMissing();
    // "Load Sample/Example Files", under its error trap: appends the recorded
    // files that exist and are not listed, then asks whether to open the
    // sample folder.
    void loadSamples(ListItems& list);

private:
    void appendRecordedSamples(ListItems& list);
    void offerToShowFolder();
    std::string sampleFolder() const;

    FileSystem& m_fileSystem;
    SettingsStore& m_settings;
    Dialogs& m_dialogs;
    Shell& m_shell;
    EventPump& m_pump;
    const Lifetime& m_lifetime;
    std::string m_programFolder;
};

// True when an entry of the list has exactly this text (case-sensitive).
bool isInList(const ListItems& list, const std::string& text);
