#pragma once

#include <QObject>
#include <string>
#include <vector>

#include "filelist/DropIntake.h"
#include "filelist/FolderScanCommand.h"
#include "filelist/SampleFiles.h"

struct Form1Services;
class FileListView;
class WindowPointer;

// The main window's intake commands that fill the file list from the disk:
// "Add All Visio Files In Folder", "Load Sample/Example Files", drops from the
// file manager, and the sample record taken at start-up.
class IntakeCommands final : public QObject {
    Q_OBJECT
public:
    IntakeCommands(const Form1Services& services, WindowPointer& pointer, FileListView& list,
                   QObject* parent = nullptr);

    void PushButton4_Click();
    void PushButton7_Click();
    void ListView1_OLEDragDrop(const std::vector<std::string>& paths);
    // Takes the sample record (start-up, when none is stored yet).
    void RecordSampleFiles();
    bool sampleRecordMissing();

private:
    FileListView& m_list;
    Dialogs& m_dialogs;
    const Lifetime& m_lifetime;
    FolderScanCommand m_folderScan;
    DropIntake m_drop;
    SampleFiles m_samples;
};
