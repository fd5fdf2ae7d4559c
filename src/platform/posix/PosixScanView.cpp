#include "platform/posix/PosixScanView.h"

PosixScanView::PosixScanView(FileSystem& disk) : m_disk(disk) {}

const PathStatus& PosixScanView::status(const std::string& path)
{
    std::string key = path.size() > 1 && path.back() == '/' ? withoutClosingSlashes(path) : path;
    for (auto* statuses : {&m_otherStatuses, &m_folderStatuses}) {
        const auto known = statuses->find(key);
        if (known != statuses->end())
            return known->second;
    }
    PathStatus fresh = statusOf(key);
    auto& statuses = fresh.folder ? m_folderStatuses : m_otherStatuses;
    return statuses.emplace(std::move(key), std::move(fresh)).first->second;
}

bool PosixScanView::leadsToFolder(const std::string& path)
{
    return status(path).folder.has_value();
}

PathStyle PosixScanView::style() const
{
    return m_disk.style();
}

std::optional<std::uint32_t> PosixScanView::attributes(const std::string& path)
{
    return status(path).attributes;
}

bool PosixScanView::probeOpen(const std::string& path)
{
    // As the file system's own probe: a regular file, not named with a closing slash.
    return !path.empty() && path.back() != '/' && status(path).regularFile;
}

std::vector<std::string> PosixScanView::listFiles(const std::string& folder, const std::string& pattern)
{
    m_otherStatuses.clear();
    const auto leads = [this](const std::string& path) { return leadsToFolder(path); };
    const auto kept = m_readings.find(withoutClosingSlashes(folder));
    // A reading that broke off is not trusted for the files: the folder is read
    // again, as it would be without the view.
    if (kept == m_readings.end() || kept->second.error != 0)
        return filesIn(readFolder(folder), folder, pattern, leads);
    // The file pass lists each folder once; its reading is not needed again.
    std::vector<std::string> names = filesIn(kept->second, folder, pattern, leads);
    m_readings.erase(kept);
    return names;
}

SubfolderListing PosixScanView::subfolders(const std::string& folder)
{
    auto [reading, fresh] = m_readings.try_emplace(withoutClosingSlashes(folder));
    if (fresh)
        reading->second = readFolder(folder);
    return subfoldersIn(reading->second, folder, [this](const std::string& path) { return leadsToFolder(path); });
}

std::optional<FolderIdentity> PosixScanView::folderIdentity(const std::string& path)
{
    return status(path).folder;
}

bool PosixScanView::isRoot(const std::string& folder)
{
    return m_disk.isRoot(folder);
}

bool PosixScanView::modificationTimeReadable(const std::string& path)
{
    return m_disk.modificationTimeReadable(path);
}

bool PosixScanView::listingFindsEntry(const std::string& path, bool includeFolders)
{
    return m_disk.listingFindsEntry(path, includeFolders);
}
