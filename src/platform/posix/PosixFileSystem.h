#pragma once

#include "platform/FileSystem.h"

// The file system of a POSIX system. POSIX keeps no hidden, system or archive
// bits, so the attribute value is made of what it does know: directory 16,
// read-only 1 when the owner may not write, hidden 2 for a name that begins
// with a dot, reparse point 1024 for a symbolic link, and nothing else.
// Listings come in the order Windows gives (see precedesInWindowsOrder), not
// in the hash order of the disk, so that a folder of numbered drawings prints
// in the same order on every system. A folder's identity is its device and
// inode number.
class PosixFileSystem final : public FileSystem {
public:
    PathStyle style() const override;
    std::optional<std::uint32_t> attributes(const std::string& path) override;
    bool probeOpen(const std::string& path) override;
    std::vector<std::string> listFiles(const std::string& folder, const std::string& pattern) override;
    SubfolderListing subfolders(const std::string& folder) override;
    std::optional<FolderIdentity> folderIdentity(const std::string& path) override;
    bool isRoot(const std::string& folder) override;
    bool modificationTimeReadable(const std::string& path) override;
    bool listingFindsEntry(const std::string& path, bool includeFolders) override;
    // Reads each folder once and asks each path's status once (see PosixScanView).
    std::unique_ptr<FileSystem> viewForOneScan() override;
};
