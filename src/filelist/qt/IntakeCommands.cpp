#include "filelist/qt/IntakeCommands.h"

#include "filelist/qt/FileListView.h"

IntakeCommands::IntakeCommands(FileListView& list, WindowPointer& pointer, Dialogs& dialogs, SettingsStore& settings,
                               FileSystem& fileSystem, Shell& shell, EventPump& events, const Lifetime& lifetime,
                               const std::string& programFolder, QObject* parent)
    : QObject(parent),
      m_list(list),
      m_addFolder(dialogs, settings, fileSystem, pointer, lifetime, events, list),
      m_drop(dialogs, fileSystem, lifetime, events, list),
      m_samples(fileSystem, settings, dialogs, shell, events, lifetime, programFolder)
{
}

void IntakeCommands::addFolder()
{
    m_addFolder.addFolder();
}

void IntakeCommands::loadSamples()
{
    m_samples.loadSamples(m_list);
}

void IntakeCommands::dropFiles(const std::vector<std::string>& paths)
{
    m_drop.dropFiles(paths);
}

void IntakeCommands::recordSamples()
{
    m_samples.recordSamples();
}

bool IntakeCommands::sampleRecordMissing()
{
    return m_samples.recordMissing();
}
