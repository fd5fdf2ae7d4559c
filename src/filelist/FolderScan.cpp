#include "filelist/FolderScan.h"

#include <algorithm>

#include "base/ErrorTrap.h"
#include "filelist/ListFolderFiles.h"
#include "filelist/ListItems.h"
#include "filelist/NormalizePath.h"
#include "platform/Dialogs.h"
#include "platform/FileSystem.h"
#include "platform/PathChecks.h"
#include "platform/Paths.h"

namespace {

// Hidden + archive and nothing else: the mark of a file the scan leaves out.
constexpr std::uint32_t HiddenArchiveOnly = FileAttribute::Hidden | FileAttribute::Archive;

}  // namespace

FolderScan::FolderScan(const DiskSeams& disk)
    : m_view(disk.fileSystem.viewForOneScan())
    , m_fileSystem(m_view ? *m_view : disk.fileSystem)
    , m_metFolders(m_fileSystem)
    , m_dialogs(disk.dialogs)
    , m_lifetime(disk.lifetime)
    , m_pump(disk.pump)
{
}

std::string FolderScan::browseFolder(const std::string& prompt, const std::string& startFolder)
{
    std::string path = m_dialogs.browseFolder(prompt, startFolder);
    // Windows also accepts "/" as a separator; the scan builds and compares
    // paths with the native one only.
    if (m_fileSystem.style() == PathStyle::Windows)
        std::replace(path.begin(), path.end(), '/', '\\');
    const char separator = separatorOf(m_fileSystem.style());
    while (path.size() > 1 && path.back() == separator && !m_fileSystem.isRoot(path))
        path.pop_back();
    return path;
}

void FolderScan::appendFiles(const std::vector<std::string>& folders, const std::string& pattern, ListItems& list,
                             ErrorTrap& trap, int firstLine)
{
    const PathStyle style = m_fileSystem.style();
    for (const std::string& entry : folders) {
        if (trap.stopped())
            return;
        std::string folder;
        trap.step(firstLine, [&] { folder = entry.substr(0, entry.empty() ? 0 : entry.size() - 1); });
        std::vector<std::string> names;
        trap.step(firstLine + 2, [&] { names = listFolderFiles(m_fileSystem, folder, pattern); });
        for (const std::string& name : names) {
            if (trap.stopped())
                return;
            if (!trap.test(firstLine + 4, [&] { return name.empty() || name[0] != '~'; }))
                continue;
            std::string path;
            trap.step(firstLine + 6, [&] { path = joinPath(folder, name, style); });
            if (!trap.test(firstLine + 8, [&] { return isExistingFile(m_fileSystem, path); }))
                continue;
            // An attribute value that can no longer be read is not the
            // hidden + archive mark: the file is kept.
            if (!trap.test(firstLine + 10, [&] { return m_fileSystem.attributes(path) != HiddenArchiveOnly; }))
                continue;
            trap.step(firstLine + 12, [&] { list.add(normalizePath(path, style)); });
        }
    }
}
