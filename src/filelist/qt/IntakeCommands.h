#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "filelist/AddFolderCommand.h"
#include "filelist/DropIntake.h"
#include "filelist/SampleFiles.h"

class Dialogs;
class EventPump;
class FileListView;
class FileSystem;
class Lifetime;
class SettingsStore;
class Shell;
class WindowPointer;

// The main window's intake commands that fill the file list from the disk:
// "Add All Visio Files In Folder", "Load Sample/Example Files", drops from the
// file manager, and the sample record taken at start-up.
class IntakeCommands final : public QObject {
    Q_OBJECT
public:
    IntakeCommands(FileListView& list, WindowPointer& pointer, Dialogs& dialogs, SettingsStore& settings,
                   FileSystem& fileSystem, Shell& shell, EventPump& events, const Lifetime& lifetime,
                   const std::string& programFolder, QObject* parent = nullptr);

    void addFolder();
    void loadSamples();
    void dropFiles(const std::vector<std::string>& paths);
    // Takes the sample record (start-up, when none is stored yet).
    void recordSamples();
    bool sampleRecordMissing();

private:
    FileListView& m_list;
    AddFolderCommand m_addFolder;
    DropIntake m_drop;
    SampleFiles m_samples;
};
