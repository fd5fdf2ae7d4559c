#pragma once

#include <string>

#include "filelist/DiskSeams.h"

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

    SampleFiles(const DiskSeams& disk, SettingsStore& settings, Shell& shell, std::string programFolder);

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

    const DiskSeams m_disk;
    SettingsStore& m_settings;
    Shell& m_shell;
    std::string m_programFolder;
};

// True when an entry of the list has exactly this text (case-sensitive).
bool isInList(const ListItems& list, const std::string& text);
