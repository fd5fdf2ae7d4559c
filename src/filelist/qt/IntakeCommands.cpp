#include "filelist/qt/IntakeCommands.h"

#include "app/qt/Form1Services.h"
#include "filelist/qt/FileListView.h"

IntakeCommands::IntakeCommands(const Form1Services& services, WindowPointer& pointer, FileListView& list,
                               QObject* parent)
    : QObject(parent),
      m_list(list),
      m_dialogs(services.dialogs),
      m_lifetime(services.lifetime),
      m_folderScan(services.dialogs, services.settings, services.fileSystem, pointer, services.lifetime,
                   services.events, list),
      m_drop(services.dialogs, services.fileSystem, services.lifetime, services.events, list),
      m_samples(services.fileSystem, services.settings, services.dialogs, services.shell, services.events,
                services.programFolder)
{
}

void IntakeCommands::PushButton4_Click()
{
    m_folderScan.PushButton4_Click();
}

void IntakeCommands::PushButton7_Click()
{
    ::PushButton7_Click(m_samples, m_list, m_dialogs, m_lifetime);
}

void IntakeCommands::ListView1_OLEDragDrop(const std::vector<std::string>& paths)
{
    m_drop.ListView1_OLEDragDrop(paths);
}

void IntakeCommands::RecordSampleFiles()
{
    m_samples.RecordSampleFiles();
}

bool IntakeCommands::sampleRecordMissing()
{
    return m_samples.recordMissing();
}
