#pragma once

#include <string>
#include <unordered_map>

#include "platform/FileSystem.h"
#include "platform/posix/FolderReading.h"

// The POSIX file system as one folder scan sees it. Each folder is read once:
// the walk's reading tells its subfolders and is kept until the file pass takes
// its file names from it. Which entries are folders comes from the types the
// reading gives, so a file is asked about only when its name matches. Each
// path's status is asked once, and the attribute value, the open probe and
// the folder identity all come from it: a folder's status is kept for the whole
// scan, a file's only until the next folder's files are listed, which is all the
// file pass needs. Questions about paths the scan does not build go to the
// file system itself.
class PosixScanView final : public FileSystem {
public:
    explicit PosixScanView(FileSystem& disk);

    PathStyle style() const override;
    std::optional<std::uint32_t> attributes(const std::string& path) override;
    bool probeOpen(const std::string& path) override;
    std::vector<std::string> listFiles(const std::string& folder, const std::string& pattern) override;
    SubfolderListing subfolders(const std::string& folder) override;
    std::optional<FolderIdentity> folderIdentity(const std::string& path) override;
    bool isRoot(const std::string& folder) override;
    bool modificationTimeReadable(const std::string& path) override;
    bool listingFindsEntry(const std::string& path, bool includeFolders) override;

private:
    const PathStatus& status(const std::string& path);
    bool leadsToFolder(const std::string& path);

    FileSystem& m_disk;
    std::unordered_map<std::string, FolderReading> m_readings;  // by folder without closing slashes
    // By path without closing slashes.
    std::unordered_map<std::string, PathStatus> m_folderStatuses;
    std::unordered_map<std::string, PathStatus> m_otherStatuses;
};
