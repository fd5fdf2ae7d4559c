#include "filelist/SampleFiles.h"

#include <vector>

#include "base/ErrorTrap.h"
#include "filelist/ListFolderFiles.h"
#include "filelist/ListItems.h"
#include "filelist/ScrambleText.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/PathChecks.h"
#include "platform/Paths.h"
#include "platform/Shell.h"
#include "settings/SettingsStore.h"

const char* const SampleFiles::LoadLocation = "in Sheetwick2021/08/31.Form1.PushButton7_Click ";
const char* const SampleFiles::OpenFolderQuestion
    = "Would you like this software to open the folder where these sample files are stored (so that you can view "
      "them before working with them)?";

namespace {

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

bool isInList(const ListItems& list, const std::string& text)
{
    const int count = list.count();
    for (int position = 1; position <= count; ++position) {
        if (list.text(position) == text)
            return true;
    }
    return false;
}

SampleFiles::SampleFiles(const DiskSeams& disk, SettingsStore& settings, Shell& shell, std::string programFolder)
    : m_disk(disk), m_settings(settings), m_shell(shell), m_programFolder(std::move(programFolder))
{
}

std::string SampleFiles::sampleFolder() const
{
    return joinPath(m_programFolder, "Samples", m_disk.fileSystem.style());
}

bool SampleFiles::recordMissing()
{
    return m_settings.read(Setting::SampleRecord, "").empty();
}

void SampleFiles::recordSamples()
{
    const std::string folder = sampleFolder();
    std::string record;
    for (const std::string& name : listFolderFiles(m_disk.fileSystem, folder, "*.*")) {
        if (!record.empty())
            record += RecordSeparator;
        record += joinPath(folder, name, m_disk.fileSystem.style());
    }
    m_settings.write(Setting::SampleRecord, scrambleText(record, SampleRecordKey::Value, m_disk.pump));
}

void SampleFiles::loadSamples(ListItems& list)
{
    ErrorTrap trap(m_disk.dialogs, m_disk.lifetime, LoadLocation);
    trap.step(100, [&] {
        appendRecordedSamples(list);
        offerToShowFolder();
    });
}

void SampleFiles::appendRecordedSamples(ListItems& list)
{
    // A missing record reads as an empty one: nothing was recorded.
    const std::string stored = m_settings.read(Setting::SampleRecord, "");
    const std::string record = unscrambleText(stored, SampleRecordKey::Value, m_disk.pump);
    for (const std::string& path : split(record, RecordSeparator)) {
        // Only files were recorded; a folder at a recorded place (a damaged
        // record, or a file replaced since) is no drawing.
        if (pathExists(m_disk.fileSystem, path) && !isFolder(m_disk.fileSystem, path) && !isInList(list, path))
            list.add(path);
    }
}

void SampleFiles::offerToShowFolder()
{
    // Asked every time, also when nothing was added.
    if (askYesNo(m_disk.dialogs, OpenFolderQuestion))
        m_shell.openFolder(withClosingSeparator(sampleFolder(), m_disk.fileSystem.style()));
}
