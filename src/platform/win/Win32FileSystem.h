#pragma once

#include "platform/FileSystem.h"

// The file system through the Win32 API: attribute reads, the open-for-query
// probe, wildcard listings and subfolder enumeration on the real disk.
class Win32FileSystem final : public FileSystem {
public:
    PathStyle style() const override;
    std::optional<std::uint32_t> attributes(const std::string& path) override;
    bool probeOpen(const std::string& path) override;
    std::vector<std::string> listFiles(const std::string& folder, const std::string& pattern) override;
    SubfolderListing subfolders(const std::string& folder) override;
    // Not told: Windows marks the loops of its own folder tree (junctions such
    // as "Application Data") as hidden system reparse points, which the folder
    // scan never enters.
    std::optional<FolderIdentity> folderIdentity(const std::string& path) override;
    bool isRoot(const std::string& folder) override;
    bool modificationTimeReadable(const std::string& path) override;
    bool listingFindsEntry(const std::string& path, bool includeFolders) override;
};
