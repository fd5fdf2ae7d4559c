#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "platform/FileSystem.h"

// What the POSIX file system reads from the disk, shared by the file system
// itself and by its view for one scan.

// One reading of a folder: its entries (without "." and "..") with the type
// the listing gives for each (DT_DIR, DT_REG, DT_LNK, DT_UNKNOWN, ...), in the
// order Windows lists names.
struct FolderReading {
    struct Entry {
        std::string name;
        unsigned char type = 0;
    };
    std::vector<Entry> entries;
    int error = 0;  // errno of a failed or broken-off reading, 0 when complete
};

FolderReading readFolder(const std::string& folder);

// What one status query of a path tells, links followed where it matters.
struct PathStatus {
    std::optional<std::uint32_t> attributes;  // as FileSystem::attributes gives them
    bool regularFile = false;                 // leads to a regular file
    std::optional<FolderIdentity> folder;     // set when it leads to a folder
};

// The path without closing slashes ("/" stays): one status serves both.
std::string withoutClosingSlashes(const std::string& path);
PathStatus statusOf(const std::string& trimmedPath);

// Answers whether the entry at a path leads to a folder, for entries whose type
// the listing leaves open (links, and file systems that give no types).
using LeadsToFolder = std::function<bool(const std::string& path)>;

// The subfolders of a reading, with the failure of the reading told as the
// folder scan knows failures.
SubfolderListing subfoldersIn(const FolderReading& reading, const std::string& folder,
                              const LeadsToFolder& leadsToFolder);
// The names in a reading that match the wildcard pattern and are no folders.
// Only names that match are ever asked about.
std::vector<std::string> filesIn(const FolderReading& reading, const std::string& folder, const std::string& pattern,
                                 const LeadsToFolder& leadsToFolder);
