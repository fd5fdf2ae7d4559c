#include "filelist/SampleFiles.h"

#include <vector>

#include "base/ErrorTrap.h"
#include "filelist/IsFolder.h"
#include "filelist/ListFolderFiles.h"
#include "filelist/ListItems.h"
#include "filelist/ScrambleText.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/Shell.h"
#include "settings/SettingsStore.h"

namespace {

const char* const RecordSetting = "Snapshot";
const char* const LoadLocation = "in Sheetwick2021/08/31.Form1.PushButton7_Click ";
const char* const OpenFolderQuestion =
    "Would you like this software to open the folder where these sample files are stored (so that you can view "
    "them before working with them)?";
constexpr char RecordSeparator = '|';

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> parts;
    if (text.empty())
        return parts;
    std::size_t start = 0;
    for (;;) {
        const std::size_t at = text.find(separator, start);
        parts.push_back(text.substr(start, at == std::string::npos ? std::string::npos : at - start));
        if (at == std::string::npos)
            return parts;
        start = at + 1;
    }
}

}  // namespace

bool IsInList(const ListItems& list, const std::string& text)
{
    const int count = list.count();
    for (int position = 1; position <= count; ++position) {
        if (list.text(position) == text)
            return true;
    }
    return false;
}

bool PathExists(FileSystem& fileSystem, const std::string& path)
{
    return fileSystem.modificationTimeReadable(path);
}

SampleFiles::SampleFiles(FileSystem& fileSystem, SettingsStore& settings, Dialogs& dialogs, Shell& shell,
                         EventPump& pump, std::string programFolder)
    : m_fileSystem(fileSystem),
      m_settings(settings),
      m_dialogs(dialogs),
      m_shell(shell),
      m_pump(pump),
      m_programFolder(std::move(programFolder)),
      m_separator(separatorOf(fileSystem.style()))
{
}

std::string SampleFiles::sampleFolder() const
{
    return m_programFolder + m_separator + "Samples";
}

bool SampleFiles::recordMissing()
{
    return m_settings.GetSetting(Settings::Application, Settings::Section, RecordSetting, "").empty();
}

void SampleFiles::RecordSampleFiles()
{
    const std::string folder = sampleFolder();
    std::string record;
    for (const std::string& name : ListFolderFiles(m_fileSystem, folder, "*.*")) {
        if (!record.empty())
            record += RecordSeparator;
        record += folder + m_separator + name;
    }
    const std::string scrambled = ScrambleText(record, SampleRecordKey::Value, m_pump);
    m_settings.SaveSetting(Settings::Application, Settings::Section, RecordSetting, scrambled);
}

void SampleFiles::LoadSampleFiles(ListItems& list)
{
    // A missing record reads as an empty one: nothing was recorded.
    const std::string stored = m_settings.GetSetting(Settings::Application, Settings::Section, RecordSetting, "");
    const std::string record = UnscrambleText(stored, SampleRecordKey::Value, m_pump);
    for (const std::string& path : split(record, RecordSeparator)) {
        // Only files were recorded; a folder at a recorded place (a damaged
        // record, or a file replaced since) is no drawing.
        if (PathExists(m_fileSystem, path) && !IsFolder(m_fileSystem, path) && !IsInList(list, path))
            list.add(path);
    }

    MessageRequest question;
    question.text = OpenFolderQuestion;
    question.buttons = MessageButtons::YesNo;
    question.icon = MessageIcon::None;
    if (m_dialogs.message(question) == MessageAnswer::Yes)
        m_shell.openFolder(sampleFolder() + m_separator);
}

void PushButton7_Click(SampleFiles& samples, ListItems& list, Dialogs& dialogs, const Lifetime& lifetime)
{
    ErrorTrap trap(dialogs, lifetime, LoadLocation);
    trap.step(100, [&] { samples.LoadSampleFiles(list); });
}
